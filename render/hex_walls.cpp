// SPDX-License-Identifier: GPL-3.0-or-later
// The wall stage of the honeycomb scene: one grid row per step, from the entrance side to the exit.
// A row's column modulo 8 says which piece of the column pair stands there; joints stand at every
// hexagon vertex, segments only where the maze has a wall.
#include <initializer_list>

#include "render/hex_scene.h"

namespace quivra {

namespace {

// Greys of the faces turned to the viewer. Light falls from the left: a face turned down and to
// the left is lighter than one turned down and to the right, as on the square walls' ends.
constexpr int kAlongXFace = 7;               // the cells' top edges
constexpr int kTurnedLeftFace = 10;          // the lower-left and upper-right edges
constexpr int kTurnedRightFace = 4;          // the upper-left and lower-right edges
constexpr int kTurnedLeftJointFace = 8;      // the top-left and right vertices
constexpr int kTurnedRightJointFace = 5;     // the top-right and left vertices
// A joint drawn with its side faces only takes their grey from the side of the view's middle it is
// on; the grey passed is not used: 3 for the left and top-left vertices, 9 for the other two.
constexpr int kLeftJointSides = 3;
constexpr int kRightJointSides = 9;

// The column, modulo 8, of the grid position each piece stands for.
constexpr int kJointPhase[4] = {0, 2, 4, 6};
constexpr int kSegmentPhase[6] = {1, 1, 3, 5, 7, 5};

struct Piece {
    int phase;      // column modulo 8
    bool joint;     // a joint (always drawn) or a segment (drawn where the maze is closed)
    int index;      // joint or segment of the column-pair templates
    bool sideMode;  // joints only
    int colour;
};

// A joint's side faces; its upright face towards the viewer and its top; a wall segment.
constexpr Piece JointSides(HexJoint joint, int colour) { return {kJointPhase[joint], true, joint, true, colour}; }
constexpr Piece JointFace(HexJoint joint, int colour) { return {kJointPhase[joint], true, joint, false, colour}; }
constexpr Piece Wall(HexSegment segment, int colour) { return {kSegmentPhase[segment], false, segment, false, colour}; }

// Pieces are loaded from the templates at this row's depth and move one column pair right after
// every eighth column. Every joint of a first sweep is drawn before any piece of the second, so a
// joint's top never lies under its neighbour's side face.
void Sweep(const Game& g, SceneState& s, HexWallSink& sink, std::initializer_list<Piece> pieces) {
    std::array<Triangle, 4> joints;
    for (const Piece& p : pieces) {
        if (p.joint) {
            for (int j = 0; j < 3; ++j) {
                const ScenePoint& t = s.draw.jointTemplate[p.index][j];
                joints[p.index][j] = {t.X, t.Y + s.draw.rowOffset};
            }
        } else {
            for (int j = 0; j < 4; ++j) {
                const ScenePoint& t = s.draw.wallTemplate[p.index][j];
                s.draw.quadWork[p.index][j] = {t.X, t.Y + s.draw.rowOffset};
            }
        }
    }
    int phase = 0;
    for (s.draw.drawCol = 0; s.draw.drawCol <= g.maze().gridMaxX; ++s.draw.drawCol) {
        for (const Piece& p : pieces) {
            if (p.phase != phase) continue;
            if (p.joint) {
                sink.Joint(joints[p.index], p.sideMode, p.colour);
            } else if (g.maze().mazeGrid(s.draw.drawRow, s.draw.drawCol) == 0) {
                sink.Segment(s.draw.quadWork[p.index], p.colour);
            }
        }
        if (++phase == 8) {
            phase = 0;
            for (const Piece& p : pieces) {
                if (p.joint) {
                    for (auto& c : joints[p.index]) c.X += 3;
                } else {
                    for (auto& c : s.draw.quadWork[p.index]) c.X += 3;
                }
            }
        }
    }
}

}  // namespace

uint8_t RaiseHexWalls(const Game& g, SceneState& s, HexWallSink& sink) {
    if (s.draw.drawRow > g.maze().gridMaxY) return kStageFinished;
    switch (s.draw.drawPass) {
    case 0:   // top edges of the even columns' cells and the vertices at their ends
        Sweep(g, s, sink, {JointSides(kTopLeftVertexJoint, kLeftJointSides),
                        JointSides(kTopRightVertexJoint, kRightJointSides)});
        Sweep(g, s, sink, {JointFace(kTopLeftVertexJoint, kTurnedLeftJointFace), Wall(kLeftCellTopEdge, kAlongXFace),
                        JointFace(kTopRightVertexJoint, kTurnedRightJointFace)});
        break;
    case 1:   // upper slanted edges
        Sweep(g, s, sink, {Wall(kUpperLeftEdge, kTurnedRightFace), Wall(kUpperRightEdge, kTurnedLeftFace)});
        break;
    case 2:   // side vertices, and the top edges of the odd columns' cells
        Sweep(g, s, sink, {JointSides(kLeftVertexJoint, kLeftJointSides),
                        JointSides(kRightVertexJoint, kRightJointSides)});
        Sweep(g, s, sink, {JointFace(kLeftVertexJoint, kTurnedRightJointFace),
                        JointFace(kRightVertexJoint, kTurnedLeftJointFace), Wall(kRightCellTopEdge, kAlongXFace)});
        break;
    default:   // lower slanted edges
        Sweep(g, s, sink, {Wall(kLowerLeftEdge, kTurnedLeftFace), Wall(kLowerRightEdge, kTurnedRightFace)});
        break;
    }
    if (++s.draw.drawPass >= 4) {
        s.draw.drawPass = 0;
        s.draw.rowOffset += g.tables().sqrtThree;
    }
    ++s.draw.drawRow;
    return s.build.buildStage;
}

}  // namespace quivra
