// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/zoomed_view.h"

#include "render/scene.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace quivra {

ViewParams ZoomedSceneView(const ViewParams& view, const ZoomView& zoom, int width, int drawHeight) {
    if (!zoom.Zoomed()) return view;
    // Pixel x = X s F + (W/2 - cx F); pixel y = Hpx - (Y s F + shiftY), both scaled about the centre.
    const double f = ZoomFactor(zoom.level);
    ViewParams zoomed = view;
    zoomed.scaleX = view.scaleX * f;
    zoomed.scaleY = view.scaleY * f;
    zoomed.shiftX = width / 2.0 - zoom.centre.x * f;
    zoomed.shiftY = drawHeight - drawHeight * f + zoom.centre.y * f - drawHeight / 2.0;
    return zoomed;
}

PicturePoint ScenePlayerPoint(const Game& g, const ViewParams& view, int drawHeight) {
    PicturePoint p;
    ProjectExact(g.walk().playerSceneX, g.walk().playerSceneY, 2, view, drawHeight, p.x, p.y);
    return p;
}

double SceneCellPixels(const Game& g, const ViewParams& view) {
    // A scene unit across, at the near edge; a hexagon is about two units wide.
    return view.scaleX * (g.style() == MazeStyle::Honeycomb ? 2.0 : 1.0);
}

namespace {

// The scene depths (y) the drawing area shows between its top and bottom rows, at the floor and at
// the walls' height; the whole depth where a row sees the horizon.
std::pair<double, double> DepthsShown(const ViewParams& view, int drawHeight, int depth) {
    double low = depth + 2.0, high = -2.0;
    for (const double y : {0.0, static_cast<double>(drawHeight)}) {
        for (const double z : {0.0, 2.0}) {
            const std::optional<ScenePoint> p = PlanePointAt(0, y, z, 1, view, drawHeight);
            if (!p) return {-2.0, depth + 2.0};
            low = std::min(low, p->Y);
            high = std::max(high, p->Y);
        }
    }
    return {low, high};
}

}  // namespace

void DrawZoomedScene(const Game& g, const SceneState& s, Canvas& canvas, int width, const ZoomView& zoom) {
    DeviceContext& dc = canvas.dc;
    const POINT area[4] = {{0, 0}, {width, 0}, {width, canvas.drawHeight}, {0, canvas.drawHeight}};
    const HBRUSH white = dc.CreateSolidBrush(RGB(255, 255, 255));
    const HRGN region = dc.CreatePolygonRgn(area, 4, ALTERNATE);
    dc.FillRgn(region, white);
    dc.DeleteObject(region);
    dc.DeleteObject(white);
    if (!g.HasMaze()) return;
    // The stages drawn one after another on a copy: the run's own place stays where it is.
    SceneState work = s;
    Canvas culled = canvas;
    culled.cullWidth = width;
    work.SetView(ZoomedSceneView(s.View(), zoom, width, canvas.drawHeight));
    work.build.buildStage = kStageFirstDrawing;
    // The square's walls go up a row pair a step (rowOffset k: grid rows 2k and 2k + 1, scene depth
    // k to k + 1): only the pairs the area shows are drawn, far to near as ever.
    const bool square = g.style() == MazeStyle::Square;
    const auto [nearest, farthest] = DepthsShown(work.View(), canvas.drawHeight, g.maze().cellsY);
    while (IsDrawingStage(g.style(), work.build.buildStage)) {
        const bool floor = work.build.buildStage == kStageFirstDrawing;
        work.build.buildStage = DrawStage(g, work, culled).nextStage;
        if (!square) continue;
        if (floor) {
            const int first = std::max(0, static_cast<int>(std::floor(nearest)) - 1);
            work.draw.rowOffset = first;
            work.draw.drawRow = 2 * first;
        } else if (work.draw.rowOffset > farthest + 1) {
            break;
        }
    }
    DrawTrailAndSolution(g, work, culled);
}

}  // namespace quivra
