// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/hint_line.h"

#include <QPolygonF>

#include "render/projection.h"

namespace quivra {

PicturePoint SceneCellCentre(const Game& g, const Cell& c) {
    if (g.style() == MazeStyle::Square) return {c.x / 2.0 + 0.125, c.y / 2.0 + 0.125};
    return {1.0 + (c.x - 3) * 0.375, c.y * g.tables().sqrtThree / 4};
}

std::vector<PicturePoint> PlanHintLine(const Game& g, const PlanOptions& plan, const std::vector<Cell>& cells) {
    std::vector<PicturePoint> line;
    if (!g.HasMaze() || cells.empty()) return line;
    line.push_back(PlanCellPoint(g, plan, {g.walk().playerX, g.walk().playerY}));
    for (const Cell& c : cells) line.push_back(PlanCellPoint(g, plan, c));
    return line;
}

std::vector<PicturePoint> SceneHintLine(const Game& g, const ViewParams& shown, int drawHeight,
                                        const std::vector<Cell>& cells) {
    std::vector<PicturePoint> line;
    if (!g.HasMaze() || cells.empty()) return line;
    // From where the player is drawn, so that the line starts on the player's trail.
    const PicturePoint from = SceneCellCentre(g, {g.walk().playerX, g.walk().playerY});
    const auto project = [&](double x, double y) {
        PicturePoint p;
        ProjectExact(x, y, 2, shown, drawHeight, p.x, p.y);
        line.push_back(p);
    };
    project(g.walk().playerSceneX, g.walk().playerSceneY);
    for (const Cell& c : cells) {
        const PicturePoint at = SceneCellCentre(g, c);
        project(g.walk().playerSceneX + at.x - from.x, g.walk().playerSceneY + at.y - from.y);
    }
    return line;
}

void DrawHintLine(QPainter& p, const std::vector<PicturePoint>& line, double ratio) {
    if (line.size() < 2 || ratio <= 0) return;
    QPolygonF polygon;
    for (const PicturePoint& at : line) polygon << QPointF(at.x / ratio, at.y / ratio);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Magenta: apart from the trail's green and yellow, the correct path's red and the player's blue.
    p.setPen(QPen(QColor(220, 0, 220), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(polygon);
    p.restore();
}

}  // namespace quivra
