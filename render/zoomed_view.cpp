// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/zoomed_view.h"

#include "render/scene.h"

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
    work.SetView(ZoomedSceneView(s.View(), zoom, width, canvas.drawHeight));
    work.build.buildStage = kStageFirstDrawing;
    while (IsDrawingStage(g.style(), work.build.buildStage)) {
        work.build.buildStage = DrawStage(g, work, canvas).nextStage;
    }
    DrawTrailAndSolution(g, work, canvas);
}

}  // namespace quivra
