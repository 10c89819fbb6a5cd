#pragma once
// The square maze scene: a stage machine driven by the build timer that generates the maze,
// lays the floor and raises the walls a row pair per tick, then draws the trail.
#include "app/form_host.h"
#include "app/game_state.h"
#include "render/projection.h"

namespace quivra {

void BuildSquareScene(GameState& s, FormHost& host);

// The correct path as one red line from the entrance to the exit.
void DrawSquareSolution(Canvas& canvas, GameState& s, int gridMaxY, const ByteGrid& mazeGrid, const ViewParams& view);

// The walked trail from the marks of walkGrid: half lines from each trail cell towards each
// trail neighbour it has an open slot to, plus the entrance and (once walked out) the exit.
void DrawSquareTrail(Canvas& canvas, GameState& s, int gridMaxX, int gridMaxY, const ByteGrid& walkGrid,
                     const ViewParams& view);

}  // namespace quivra
