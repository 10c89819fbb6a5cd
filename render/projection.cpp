// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/projection.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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

// ToPixel(floor(v)) and ToPixel(base - floor(v)), done in integers for the values a window can
// show; the rest (huge, infinite, NaN) takes the long way.
inline int32_t FloorPixel(double v) {
    if (!(std::fabs(v) < kPixelLimit)) return ToPixel(std::floor(v));
    const auto i = static_cast<int32_t>(v);   // truncates towards zero
    return i > v ? i - 1 : i;
}
inline int32_t FloorPixelBelow(int base, double v) {
    if (!(std::fabs(v) < kPixelLimit)) return ToPixel(base - std::floor(v));
    auto i = static_cast<int32_t>(v);
    if (i > v) --i;
    const int64_t p = int64_t{base} - i;
    const auto limit = static_cast<int64_t>(kPixelLimit);
    return static_cast<int32_t>(p > limit ? limit : p < -limit ? -limit : p);
}

// The projection with the view's constants at hand. A row (y, z) has one perspective factor, so
// corners on the same row, as the upright faces have, share its divide.
class Projector {
public:
    struct Row {
        double height;
        double f;
    };
    Projector(const ViewParams& view, int drawHeight)
        : h_(view.sceneDepth),
          d_(view.viewSpan),
          halfW_(view.sceneWidth / 2.0),
          halfH_(view.sceneDepth / 2.0),
          widthRatio_(view.widthRatio),
          scaleX_(view.scaleX),
          scaleY_(view.scaleY),
          shiftX_(view.shiftX),
          shiftY_(view.shiftY),
          cos_(view.viewCos),
          sin_(view.viewSin),
          drawHeight_(drawHeight) {}

    Row RowOf(double y, double z) const {
        const double depth = (h_ - y) * cos_ - z * sin_;
        const double height = (h_ - y) * sin_ + z * cos_;
        return {height, d_ / (d_ + depth)};
    }
    // The row of (y, z), reusing the one just computed for (py, pz) when it is the same row.
    Row RowOf(double y, double z, double py, double pz, const Row& previous) const {
        return y == py && z == pz ? previous : RowOf(y, z);
    }
    POINT At(double x, const Row& r) const {
        const double xs = (x - halfW_) * r.f + halfW_ + widthRatio_;
        const double ys = (r.height - halfH_) * r.f + halfH_;
        return {FloorPixel(xs * scaleX_ + shiftX_), FloorPixelBelow(drawHeight_, ys * scaleY_ + shiftY_)};
    }
    void Exact(double x, const Row& r, double& px, double& py) const {
        px = ((x - halfW_) * r.f + halfW_ + widthRatio_) * scaleX_ + shiftX_;
        py = drawHeight_ - (((r.height - halfH_) * r.f + halfH_) * scaleY_ + shiftY_);
    }

private:
    double h_, d_, halfW_, halfH_, widthRatio_, scaleX_, scaleY_, shiftX_, shiftY_, cos_, sin_;
    int drawHeight_;
};

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
    const Projector p(view, drawHeight);
    return p.At(x, p.RowOf(y, z));
}

void ProjectExact(double x, double y, double z, const ViewParams& view, int drawHeight, double& px, double& py) {
    const Projector p(view, drawHeight);
    p.Exact(x, p.RowOf(y, z), px, py);
}

std::optional<ScenePoint> FloorPointAt(double x, double y, double ratio, const ViewParams& view, int drawHeight) {
    return PlanePointAt(x, y, 0, ratio, view, drawHeight);
}

std::optional<ScenePoint> PlanePointAt(double x, double y, double z, double ratio, const ViewParams& view,
                                       int drawHeight) {
    if (!(view.scaleX > 0) || !(view.scaleY > 0) || !(ratio > 0)) return std::nullopt;
    // The middle of the device pixel under the point: ProjectPoint floors onto the pixel's corner.
    const double xs = ((x + 0.5) * ratio - view.shiftX) / view.scaleX;
    const double ys = (drawHeight + 1 - (y + 0.5) * ratio - view.shiftY) / view.scaleY;
    const double w = view.sceneWidth, h = view.sceneDepth, d = view.viewSpan;
    // At height z the distance t = H - y from the near edge gives
    // Ys - H/2 = (t sin + z cos - H/2) f with f = D / (D + t cos - z sin); solved for t. The divisor
    // reaches zero at the horizon.
    const double u = ys - h / 2;
    const double divisor = d * view.viewSin - u * view.viewCos;
    if (!(divisor > 0)) return std::nullopt;
    const double t = (d * (h / 2 + u) - z * (d * view.viewCos + u * view.viewSin)) / divisor;
    const double f = d / (d + t * view.viewCos - z * view.viewSin);
    if (!std::isfinite(t) || !(f > 0) || !std::isfinite(f)) return std::nullopt;
    return ScenePoint{(xs - view.widthRatio - w / 2) / f + w / 2, h - t};
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
    const Projector p(view, canvas.drawHeight);
    const Projector::Row r1 = p.RowOf(y1, z1);
    const Projector::Row r2 = p.RowOf(y2, z2, y1, z1, r1);
    const Projector::Row r3 = p.RowOf(y3, z3, y2, z2, r2);
    const Projector::Row r4 = p.RowOf(y4, z4, y3, z3, r3);
    const POINT points[4] = {p.At(x1, r1), p.At(x2, r2), p.At(x3, r3), p.At(x4, r4)};
    if (canvas.Outside(points)) return;
    FillQuad(canvas, points, colour);
}

void DrawTriangle(Canvas& canvas, const ViewParams& view, double x1, double y1, double z1, double x2, double y2,
                  double z2, double x3, double y3, double z3, int colour) {
    const Projector p(view, canvas.drawHeight);
    const Projector::Row r1 = p.RowOf(y1, z1);
    const Projector::Row r2 = p.RowOf(y2, z2, y1, z1, r1);
    const Projector::Row r3 = p.RowOf(y3, z3, y2, z2, r2);
    const POINT points[3] = {p.At(x1, r1), p.At(x2, r2), p.At(x3, r3)};
    if (canvas.Outside(points)) return;
    FillTriangle(canvas, points, colour);
}

void DrawPathSegment(Canvas& canvas, int lineColorIndex, double x1, double y1, double x2, double y2,
                     const ViewParams& view) {
    const POINT p1 = ProjectPoint(x1, y1, 2, view, canvas.drawHeight);
    const POINT p2 = ProjectPoint(x2, y2, 2, view, canvas.drawHeight);
    DeviceContext& dc = canvas.dc;
    const int width = std::max(2, static_cast<int>(std::lround(2 * dc.PixelRatio())));
    const HPEN pen = dc.CreatePen(PS_SOLID, width, canvas.Colour(lineColorIndex));
    if (pen == 0) return;
    const HGDIOBJ kept = dc.SelectObject(pen);
    dc.MoveToEx(p1.x, p1.y, nullptr);
    dc.LineTo(p2.x, p2.y);
    dc.SelectObject(kept);
    dc.DeleteObject(pen);
}

}  // namespace quivra
