// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A printed page of mazes, laid out in one place for quivra-tool's documents and the game's Print:
// the paper and its grid of boxes, the title, the name line, each drawing fitted in its box with
// its label and code under it, the page numbers, in the reader's language.
#include <QPageSize>
#include <QPainter>
#include <QPicture>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "maze/maze_shape.h"
#include "render/plan_view.h"

class QPagedPaintDevice;

namespace quivra {

// One finished drawing: what was drawn since the picture was last cleared, in order.
struct Sheet {
    std::vector<QPicture> layers;
    QSize size;
    std::string code;   // the maze code, printed under the picture on a page
    int units = 1;      // drawing units a pixel: finer, so that a large maze fits a small picture
    // A plan for paper: where its entrance and exit open, in pixels; the page marks and names them.
    bool marked = false;
    QPointF entrance{}, exit{};
    double wall = 0;   // the walls' width there, in pixels
};

// Draws the sheet at its size, one unit a pixel, clipped to it, on white.
void PlaySheet(QPainter& painter, const Sheet& sheet);

enum class PageSize { Picture, A5, A4, A3, Letter, Legal };   // Picture: the page is the picture, one pixel a point

// a5, a4, a3, letter or legal, in any case.
std::optional<PageSize> PageNamed(std::string_view name);
QPageSize::PageSizeId PaperId(PageSize page);

// The language of a page's own words.
enum class PageLanguage { Chinese, English };
// As the game chooses for a player who reads these languages, best first (render/qt_locale.h).
PageLanguage PageLanguageFor(const QStringList& uiLanguages);

// What a printed page carries besides its mazes.
struct PageDress {
    int perPage = 1;
    std::string title;       // over each page of mazes
    bool nameLine = false;   // a line for a name and the date under it
    int pages = 1;           // in the document; page numbers when more than one
    PageLanguage language = PageLanguage::English;
};

// "Maze 3" or "Solution 3" in the page's language.
std::string BoxLabel(PageLanguage language, bool solution, int number);

// Why a title cannot be printed (a control character, a character no font here draws, named with
// its script), or empty. Needs a GUI application (the font database).
std::string TitleProblem(const std::string& title);

// Over a page of mazes the title; over a page of solutions "Solutions: " and the title, or
// "Solutions" alone when there is none. The solutions' document is named so too.
QString PageHeading(const PageDress& dress, bool solutions);

// Points the title is set at (shrunk to the width down to a floor), on one line or two; 0 lines
// when it does not fit even so. Needs a GUI application.
struct TitleFit {
    double points = 0;
    int lines = 0;
};
TitleFit FitTitle(const QString& text, double width, int maxLines = 2);

// Paper in the orientation chosen, and a grid of boxes on it, each for one drawing with a line
// for its number and code under it. Points from the top left of the page.
struct PageGrid {
    PageSize page = PageSize::A4;
    bool landscape = false;
    int columns = 1, rows = 1;
    QSizeF paper;   // turned
    QSizeF box;     // room for one drawing
    double top = 0;   // where the first row of boxes begins
    QRectF Box(int slot) const;
    // The part of a box a plan is fitted in: a band above and below is kept for the marks of its
    // entrance and exit.
    QSizeF PlanBox() const;
    double TextWidth() const;   // between the margins
};
// The grid whose boxes hold a drawing of this extent (any unit) largest, the paper turned to suit it.
PageGrid FitPage(PageSize page, const PageDress& dress, QSizeF extent);
// Upright paper (for a size in cells that follows from the paper).
PageGrid UprightPage(PageSize page, const PageDress& dress);

// The size a plan of this maze is drawn at for a box, in units fine enough for even walls.
QSize PlanSheetSize(const PageGrid& grid, const MazeShape& shape);
// How thick its walls come out on the paper, in millimetres.
double PlanWallMillimetres(const PageGrid& grid, const MazeShape& shape);
// The printed side of one of its cells (the width across a cell), in millimetres.
double PlanCellMillimetres(const PageGrid& grid, const MazeShape& shape);
// Units of a plan drawn at `size` for a box of this grid, to a millimetre of paper.
double PlanUnitsPerMillimetre(const PageGrid& grid, QSize size);
// The side of the marks by the entrance and the exit, in millimetres, whatever the cell.
constexpr double kOpeningMarkMillimetres = 5;

// The title or the solutions' heading and the name line above, the page number below.
void DrawPageDress(QPainter& painter, const PageGrid& grid, const PageDress& dress, int number, bool solutions);
// The drawing fitted and centred in its box, its label and code in the row under the box.
void DrawInBox(QPainter& painter, const PageGrid& grid, int slot, const Sheet& sheet, const std::string& label,
               PageLanguage language);

// The plan of the game's maze, recorded at the options' size, with its code.
Sheet PlanSheet(const Game& game, const PlanOptions& options);

// The game's maze on a page of its own, as `quivra-tool render --code CODE --page` prints it,
// and with `solution` its correct path on a second page: the paper turned to suit the maze. The
// device must draw one unit a point (a resolution of 72). False if it cannot be painted on.
bool PrintMaze(QPagedPaintDevice& device, const Game& game, PageSize page, PageDress dress, bool solution);

}  // namespace quivra
