// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing throughput: small polygons filled through the device context (one brush and one region
// per polygon, as the scene builders draw them), wall blocks, and two-pixel trail lines.
#include <benchmark/benchmark.h>

#include <QImage>

#include "render/projection.h"
#include "render/wall_pieces.h"

namespace {

using namespace quivra;

PaletteColors Greys() {
    PaletteColors colours{};
    for (int i = 0; i <= 12; ++i) colours[i] = RGB(i * 256 / 13, i * 256 / 13, i * 256 / 13);
    return colours;
}

// Quads of about 12 x 8 pixels scattered over the image, like the cells and faces of a scene.
void BM_FillQuad(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    DeviceContext dc(&image);
    const PaletteColors colours = Greys();
    Canvas canvas{dc, height, false, colours};
    int x = 0;
    int y = 0;
    int colour = 0;
    for (auto _ : state) {
        const POINT quad[4] = {{x, y}, {x + 12, y + 1}, {x + 13, y + 8}, {x - 1, y + 7}};
        FillQuad(canvas, quad, colour);
        x += 37;
        if (x >= width) {
            x -= width;
            y = (y + 29) % height;
        }
        colour = (colour + 1) % 13;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["polygons/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FillQuad)->Args({1920, 1080})->Args({3840, 2160});

// Whole wall blocks (near face, ends, top) of a square maze in a 4K window, through the palette.
void BM_WallBlocks(benchmark::State& state) {
    const int width = 3840;
    const int height = 2160;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    DeviceContext dc(&image);
    std::vector<PALETTEENTRY> entries;
    for (int i = 0; i <= 12; ++i) {
        const auto v = static_cast<uint8_t>(i * 256 / 13);
        entries.push_back({v, v, v, PC_NOCOLLAPSE});
    }
    dc.SelectPalette(dc.CreatePalette(entries), false);
    dc.RealizePalette();
    const PaletteColors colours = Greys();
    Canvas canvas{dc, height, true, colours};
    const int cellsX = 160;
    const int cellsY = 90;
    const ViewParams view = SetupView(45, cellsX + 0.25, cellsY + 0.25, width, height);
    int64_t blocks = 0;
    for (auto _ : state) {
        for (int y = 0; y < cellsY; ++y) {
            for (int x = 0; x < cellsX; ++x) {
                const Quad block = {ScenePoint{x + 0.0, y + 0.0}, ScenePoint{x + 1.25, y + 0.0},
                                    ScenePoint{x + 1.25, y + 0.25}, ScenePoint{x + 0.0, y + 0.25}};
                DrawWallEnds(canvas, view, block);
                DrawWallSegment(canvas, view, block, 7);
                ++blocks;
            }
        }
    }
    state.counters["blocks/s"] = benchmark::Counter(static_cast<double>(blocks), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WallBlocks)->Unit(benchmark::kMillisecond);

void BM_PathSegment(benchmark::State& state) {
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    DeviceContext dc(&image);
    const PaletteColors colours = Greys();
    Canvas canvas{dc, 1080, false, colours};
    const ViewParams view = SetupView(45, 80.25, 45.25, 1920, 1080);
    int i = 0;
    for (auto _ : state) {
        const double x = 0.5 + i % 80;
        const double y = 0.5 + (i / 80) % 45;
        DrawPathSegment(canvas, 14, x, y, x + 1, y, view);
        ++i;
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PathSegment);

}  // namespace

BENCHMARK_MAIN();
