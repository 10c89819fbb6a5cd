// The wall stage of the honeycomb scene: one grid row per step, from the entrance side to the exit.
// A row's column modulo 8 says which piece of the column pair stands there; joints stand at every
// hexagon vertex, segments only where the maze has a wall.
#include <initializer_list>

#include "render/hex_scene.h"

namespace quivra {

namespace {

constexpr int kEdgeGrey = 7;   // segments along X
constexpr int kJointDark = 3;
constexpr int kJointLight = 9;

struct Piece {
    int phase;      // column modulo 8
    bool joint;     // a joint (always drawn) or a segment (drawn where the maze is closed)
    int index;      // joint or segment of the column-pair templates
    bool sideMode;  // joints only
    int colour;
};

// Pieces are loaded from the templates at this row's depth and move one column pair right after
// every eighth column. Every joint of a first sweep is drawn before any piece of the second, so a
// joint's top never lies under its neighbour's side face.
void Sweep(GameState& s, HexWallSink& sink, std::initializer_list<Piece> pieces) {
    std::array<Triangle, 4> joints;
    for (const Piece& p : pieces) {
        if (p.joint) {
            for (int j = 0; j < 3; ++j) {
                const ScenePoint& t = s.jointTemplate[p.index][j];
                joints[p.index][j] = {t.X, t.Y + s.rowOffset};
            }
        } else {
            for (int j = 0; j < 4; ++j) {
                const ScenePoint& t = s.wallTemplate[p.index][j];
                s.quadWork[p.index][j] = {t.X, t.Y + s.rowOffset};
            }
        }
    }
    int phase = 0;
    for (s.drawCol = 0; s.drawCol <= s.gridMaxX; ++s.drawCol) {
        for (const Piece& p : pieces) {
            if (p.phase != phase) continue;
            if (p.joint) {
                sink.Joint(joints[p.index], p.sideMode, p.colour);
            } else if (s.mazeGrid(s.drawRow, s.drawCol) == 0) {
                sink.Segment(s.quadWork[p.index], p.colour);
            }
        }
        if (++phase == 8) {
            phase = 0;
            for (const Piece& p : pieces) {
                if (p.joint) {
                    for (auto& c : joints[p.index]) c.X += 3;
                } else {
                    for (auto& c : s.quadWork[p.index]) c.X += 3;
                }
            }
        }
    }
}

}  // namespace

void RaiseHexWalls(GameState& s, HexWallSink& sink) {
    if (s.drawRow > s.gridMaxY) {
        s.buildStage = kStageFinished;
        return;
    }
    switch (s.drawPass) {
    case 0:   // top edges of the even columns' cells and the vertices at their ends
        Sweep(s, sink, {{2, true, 1, true, kJointDark}, {4, true, 2, true, kJointLight}});
        Sweep(s, sink, {{2, true, 1, false, 8}, {3, false, 2, false, kEdgeGrey}, {4, true, 2, false, 5}});
        break;
    case 1:   // upper slanted edges
        Sweep(s, sink, {{1, false, 1, false, 4}, {5, false, 3, false, 10}});
        break;
    case 2:   // side vertices, and the top edges of the odd columns' cells
        Sweep(s, sink, {{0, true, 0, true, kJointDark}, {6, true, 3, true, kJointLight}});
        Sweep(s, sink, {{0, true, 0, false, 5}, {6, true, 3, false, 8}, {7, false, 4, false, kEdgeGrey}});
        break;
    default:   // lower slanted edges
        Sweep(s, sink, {{1, false, 0, false, 10}, {5, false, 5, false, 4}});
        break;
    }
    if (++s.drawPass >= 4) {
        s.drawPass = 0;
        s.rowOffset += s.sqrtThree;
    }
    ++s.drawRow;
}

}  // namespace quivra
