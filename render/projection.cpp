#include "render/projection.h"

#include <cmath>

namespace quivra {

namespace {

// Far outside any window, yet safe to convert and to subtract from another pixel coordinate.
constexpr double kPixelLimit = 1 << 30;

// Degenerate views (a sliver of a window, a scene two units wide or less) make infinities and NaNs;
// converting those to int is undefined, so every pixel coordinate passes through here.
int32_t ToPixel(double value) {
    if (std::isnan(value)) return 0;
    if (value > kPixelLimit) return static_cast<int32_t>(kPixelLimit);
    if (value < -kPixelLimit) return static_cast<int32_t>(-kPixelLimit);
    return static_cast<int32_t>(value);
}

// Smallest width left over beside the two units the near wall tops may grow by: keeps the ratios
// below finite for scenes that are two units wide or less.
constexpr double kMinWidthMargin = 1e-6;

}  // namespace

ViewParams SetupView(double viewAngle, double sceneWidth, double sceneDepth, int wpx, int hpx) {
    ViewParams view;
    const double t = viewAngle * (std::atan(1.0) / 45.0);
    view.viewSin = std::sin(t);
    view.viewCos = std::cos(t);
    view.sceneWidth = sceneWidth;
    view.sceneDepth = sceneDepth;

    double margin = sceneWidth - 2.0;
    if (!(margin >= kMinWidthMargin)) margin = kMinWidthMargin;
    const double spanX = sceneWidth * (sceneWidth / margin);
    view.scaleX = spanX > 0 && std::isfinite(spanX) ? (wpx - 1.0) / spanX : 0.0;
    view.widthRatio = (2.0 / margin) * (sceneWidth / 2.0);

    view.scaleY = (hpx - 1.0) / std::sqrt(sceneDepth * sceneDepth + 4.0);
    view.viewSpan = sceneDepth > sceneWidth ? sceneDepth : sceneWidth;
    return view;
}

POINT ProjectPoint(double x, double y, double z, const ViewParams& view, int drawHeight) {
    const double w = view.sceneWidth;
    const double h = view.sceneDepth;
    const double d = view.viewSpan;
    const double depth = (h - y) * view.viewCos - z * view.viewSin;
    const double height = (h - y) * view.viewSin + z * view.viewCos;
    const double f = d / (d + depth);
    const double xs = (x - w / 2.0) * f + w / 2.0 + view.widthRatio;
    const double ys = (height - h / 2.0) * f + h / 2.0;
    return {ToPixel(std::floor(xs * view.scaleX)), ToPixel(drawHeight - std::floor(ys * view.scaleY))};
}

namespace {

template <int N>
void FillPolygon(Canvas& canvas, const POINT (&points)[N], int colour) {
    DeviceContext& dc = canvas.dc;
    const HBRUSH brush = dc.CreateSolidBrush(canvas.Colour(colour));
    if (brush == 0) return;
    const HRGN region = dc.CreatePolygonRgn(points, N, ALTERNATE);
    if (region != 0) {
        dc.FillRgn(region, brush);
        dc.DeleteObject(region);
    }
    dc.DeleteObject(brush);
}

}  // namespace

void FillQuad(Canvas& canvas, const POINT (&points)[4], int colour) { FillPolygon(canvas, points, colour); }

void FillTriangle(Canvas& canvas, const POINT (&points)[3], int colour) { FillPolygon(canvas, points, colour); }

void DrawQuad(Canvas& canvas, const ViewParams& view, double x1, double y1, double z1, double x2, double y2,
              double z2, double x3, double y3, double z3, double x4, double y4, double z4, int colour) {
    const POINT points[4] = {
        ProjectPoint(x1, y1, z1, view, canvas.drawHeight),
        ProjectPoint(x2, y2, z2, view, canvas.drawHeight),
        ProjectPoint(x3, y3, z3, view, canvas.drawHeight),
        ProjectPoint(x4, y4, z4, view, canvas.drawHeight),
    };
    FillQuad(canvas, points, colour);
}

void DrawTriangle(Canvas& canvas, const ViewParams& view, double x1, double y1, double z1, double x2, double y2,
                  double z2, double x3, double y3, double z3, int colour) {
    const POINT points[3] = {
        ProjectPoint(x1, y1, z1, view, canvas.drawHeight),
        ProjectPoint(x2, y2, z2, view, canvas.drawHeight),
        ProjectPoint(x3, y3, z3, view, canvas.drawHeight),
    };
    FillTriangle(canvas, points, colour);
}

void DrawPathSegment(Canvas& canvas, int lineColorIndex, double x1, double y1, double x2, double y2,
                     const ViewParams& view) {
    const POINT p1 = ProjectPoint(x1, y1, 2, view, canvas.drawHeight);
    const POINT p2 = ProjectPoint(x2, y2, 2, view, canvas.drawHeight);
    DeviceContext& dc = canvas.dc;
    const HPEN pen = dc.CreatePen(PS_SOLID, 2, canvas.Colour(lineColorIndex));
    if (pen == 0) return;
    const HGDIOBJ kept = dc.SelectObject(pen);
    dc.MoveToEx(p1.x, p1.y, nullptr);
    dc.LineTo(p2.x, p2.y);
    dc.SelectObject(kept);
    dc.DeleteObject(pen);
}

}  // namespace quivra
