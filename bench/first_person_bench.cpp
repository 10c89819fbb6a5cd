// SPDX-License-Identifier: GPL-3.0-or-later
// A frame of the view from inside at 1920 x 1080: a 120 x 80 square maze and a 101 x 61 honeycomb,
// from places spread along the correct path (facing along it, the corner map on), and the same
// frames of a maze many times larger, to show that a frame costs what is visible.
#include <benchmark/benchmark.h>

#include <QImage>

#include <vector>

#include "render/first_person.h"
#include "render/scene_state.h"

namespace {

using namespace quivra;

// The maze carved from fixed digits, walked along its correct path and stopped at `places` spots.
std::vector<Game> PlacesAlongThePath(const MazeShape& shape, int places) {
    Game g;
    g.PlayCode(NamedMaze{shape, SeedDigits{3, 3, 9, 1, 3, 7, 9, 6}});
    g.MakeNewMaze(0, 0, [] { return 0.0; }, 0);
    const std::vector<int> path = g.Path().directions;
    std::vector<Game> games;
    const size_t stride = std::max<size_t>(1, path.size() / static_cast<size_t>(places));
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        g.Step(path[i]);
        if (i % stride == 0) {
            // Facing the way on: the turns the player would make.
            for (int t = 0; t < g.Rules().directions && g.Heading() != path[i + 1]; ++t) g.TurnRight();
            games.push_back(g);
        }
    }
    return games;
}

void BM_FirstPersonFrame(benchmark::State& state) {
    const bool honeycomb = state.range(0) != 0;
    const int cellsX = static_cast<int>(state.range(1)), cellsY = static_cast<int>(state.range(2));
    const MazeShape shape = honeycomb ? MazeShape::Honeycomb(cellsX, cellsY) : MazeShape::Square(cellsX, cellsY);
    const std::vector<Game> games = PlacesAlongThePath(shape, 40);
    QImage image(1920, 1080, QImage::Format_RGB32);
    DeviceContext dc(&image);
    const PaletteColors colours = GameColours();
    Canvas canvas{dc, 1080, false, colours};
    const FirstPersonOptions options{1920, 1080, true, std::nullopt};
    size_t i = 0;
    int64_t cells = 0, polygons = 0;
    for (auto _ : state) {
        const FirstPersonFrame frame = DrawFirstPerson(canvas, games[i++ % games.size()], options);
        cells += frame.cells;
        polygons += frame.polygons;
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["cells/frame"] = static_cast<double>(cells) / frames;
    state.counters["polygons/frame"] = static_cast<double>(polygons) / frames;
}
BENCHMARK(BM_FirstPersonFrame)
    ->ArgNames({"hex", "x", "y"})
    ->Args({0, 120, 80})
    ->Args({1, 101, 61})
    ->Args({0, 1200, 800})
    ->Args({1, 1001, 601})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
