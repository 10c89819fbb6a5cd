// SPDX-License-Identifier: GPL-3.0-or-later
// A move of the zoomed view at 1920 x 1080: the whole view drawn again at once, for the largest
// mazes of each style, in the scene and in the plan. Built once, outside the timing; the view
// moves between two centres so that every iteration draws a different picture.
#include <benchmark/benchmark.h>

#include "app/frm_main.h"
#include "app/headless_form.h"
#include "maze/maze_code.h"
#include "render/plan_view.h"
#include "render/scene_common.h"
#include "render/zoomed_view.h"

namespace {

using namespace quivra;

const char* const kCodes[] = {"S400x400-33782719-A", "H121x80-71882719-8"};

struct Game {
    HeadlessForm host{1920, 1080};
    FrmMain form{host};
    explicit Game(const char* code) {
        form.StartWithCode(*ParseMazeCode(code).maze);
        host.Show();
        host.RunTimer();
    }
};

void BM_FollowRedraw(benchmark::State& state) {
    Game game(kCodes[state.range(0)]);
    const bool plan = state.range(1) != 0;
    state.SetLabel(std::string(kCodes[state.range(0)]) + (plan ? " plan" : " scene"));
    const int width = DrawAreaWidthPixels(game.host), height = DrawAreaHeightPixels(game.host);
    const GameState& s = game.form.State();
    DeviceContext& dc = game.host.hDC();
    const int level = static_cast<int>(state.range(2));
    int turn = 0;
    for (auto _ : state) {
        // The view a step moved: centred on points a little apart.
        const PicturePoint centre{width * (0.4 + 0.2 * (turn & 1)), height * 0.5};
        ++turn;
        const ZoomView zoom{level, centre};
        if (plan) {
            PlanOptions options{width, height, true, false, true};
            options.zoom = zoom;
            DrawPlan(dc, s, options);
        } else {
            Canvas canvas = MakeCanvas(dc, height, s);
            DrawZoomedScene(s, s, canvas, width, zoom);
        }
    }
}
BENCHMARK(BM_FollowRedraw)
    ->ArgsProduct({{0, 1}, {0, 1}, {1, 3}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
