// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/marks_overlay.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "render/hint_line.h"
#include "render/projection.h"

namespace quivra {

namespace {

ScenePoint CellCentre(const Game& g, const Cell& c) {
    const PicturePoint p = SceneCellCentre(g, c);
    return {p.x, p.y};
}

// A mark's square around a scene point at the walls' height (where the trail is drawn), a third
// of a cell across.
QRect MarkAround(const ViewParams& view, ScenePoint p, int drawHeight, double ratio) {
    const POINT centre = ProjectPoint(p.X, p.Y, 2, view, drawHeight);
    const POINT aside = ProjectPoint(p.X + 0.35, p.Y, 2, view, drawHeight);
    const double radius = std::max(3.0, std::hypot(aside.x - centre.x, aside.y - centre.y) / ratio);
    const QPointF at(centre.x / ratio, centre.y / ratio);
    return QRectF(at - QPointF(radius, radius), at + QPointF(radius, radius)).toAlignedRect();
}

}  // namespace

MarkPlaces PlaceMarks(const GameState& s, const MarkOptions& options, int drawHeight, double ratio,
                      const ViewParams* view) {
    MarkPlaces places;
    const ViewParams& shown = view != nullptr ? *view : s.View();
    if (!s.HasMaze() || !s.SceneFinished() || s.HasWalkToReplay()) return places;
    if (options.player && !s.walk().exitReached) {
        places.player = MarkAround(shown, {s.walk().playerSceneX, s.walk().playerSceneY}, drawHeight, ratio);
    }
    if (options.exit) {
        const CorrectPath path = s.Path();
        if (path.ReachesExit()) places.exit = MarkAround(shown, CellCentre(s, path.cells.back()), drawHeight, ratio);
    }
    return places;
}

MarksOverlay::MarksOverlay(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void MarksOverlay::Follow(const GameState& s, const MarkOptions& options, int drawHeight, double ratio,
                          const ViewParams* view) {
    const MarkPlaces now = PlaceMarks(s, options, drawHeight, ratio, view);
    if (now.player == places_.player && now.exit == places_.exit) return;
    for (const QRect& r : {places_.player, places_.exit, now.player, now.exit}) {
        if (!r.isNull()) update(r.adjusted(-2, -2, 2, 2));
    }
    places_ = now;
}

void MarksOverlay::ShowHint(const std::vector<PicturePoint>& line, double ratio) {
    const auto same = [](const PicturePoint& a, const PicturePoint& b) { return a.x == b.x && a.y == b.y; };
    if (ratio == hintRatio_ && std::equal(line.begin(), line.end(), hint_.begin(), hint_.end(), same)) return;
    hint_ = line;
    hintRatio_ = ratio;
    update();
}

void MarksOverlay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    DrawHintLine(p, hint_, hintRatio_);
    p.setRenderHint(QPainter::Antialiasing);
    if (!places_.exit.isNull()) {
        // A ring: where to go, with the floor still seen through it.
        p.setPen(QPen(QColor(255, 140, 0), 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(places_.exit).adjusted(1.5, 1.5, -1.5, -1.5));
    }
    if (!places_.player.isNull()) {
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(QColor(30, 90, 255));
        p.drawEllipse(QRectF(places_.player).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

}  // namespace quivra
