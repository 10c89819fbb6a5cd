// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options' marks over the scene: a disc on the player's cell and a ring on the exit's, drawn on
// a see-through layer above the picture, so that moving them never touches the game's drawing.
#include <QRect>
#include <QWidget>

#include <vector>

#include "app/game_state.h"
#include "render/zoom.h"

namespace quivra {

struct MarkOptions {
    bool player = false;
    bool exit = false;
};

// Where the marks stand, in the drawing area's logical pixels: nothing while no finished scene is
// on screen. Each rectangle holds its mark.
struct MarkPlaces {
    QRect player, exit;
};
// `view`: the scene's view as drawn (zoomed in), when not the game's own.
MarkPlaces PlaceMarks(const GameState& s, const MarkOptions& options, int drawHeight, double ratio,
                      const ViewParams* view = nullptr);

class MarksOverlay : public QWidget {
public:
    explicit MarksOverlay(QWidget* parent);
    // Follows the game: repaints only where a mark was or now is.
    void Follow(const GameState& s, const MarkOptions& options, int drawHeight, double ratio,
                const ViewParams* view = nullptr);
    const MarkPlaces& Places() const { return places_; }
    // The hint's line, in device pixels `ratio` to a logical one (nothing: none).
    void ShowHint(const std::vector<PicturePoint>& line, double ratio);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    MarkPlaces places_;
    std::vector<PicturePoint> hint_;
    double hintRatio_ = 1;
};

}  // namespace quivra
