// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Vector output: a drawing recorded as painter commands, the same commands the device context
// sends to a picture, replayed into an SVG document or onto PDF pages.
#include <QByteArray>
#include <QIODevice>
#include <QPageLayout>
#include <QPicture>
#include <QSize>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/gdi.h"

namespace quivra::tool {

// One finished drawing: what was drawn since the picture was last cleared, in order.
struct Sheet {
    std::vector<QPicture> layers;
    QSize size;
    std::string code;   // the maze code, printed under the picture on a page
    int units = 1;      // drawing units a pixel: finer, so that a large maze fits a small picture
};

// Records what a device context draws. Clear() forgets it (the window was cleared); Take() gives
// everything so far and goes on recording on top of it.
class DrawingRecorder {
public:
    explicit DrawingRecorder(DeviceContext& dc);
    ~DrawingRecorder();
    DrawingRecorder(const DrawingRecorder&) = delete;
    DrawingRecorder& operator=(const DrawingRecorder&) = delete;

    void Clear();
    std::vector<QPicture> Take();

private:
    DeviceContext& dc_;
    std::vector<QPicture> done_;
    QPicture current_;
};

enum class PageSize { Picture, A5, A4, A3, Letter, Legal };   // Picture: the page is the picture, one pixel a point

// a5, a4, a3, letter or legal, in any case.
std::optional<PageSize> PageNamed(std::string_view name);

// What a printed page carries besides its mazes.
struct PageDress {
    int perPage = 1;
    std::string title;       // over each page of mazes
    bool nameLine = false;   // a line for a name and the date under it
    int pages = 1;           // in the document; page numbers when more than one
};

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
};
// The grid whose boxes hold a drawing of this extent (any unit) largest, the paper turned to suit it.
PageGrid FitPage(PageSize page, const PageDress& dress, QSizeF extent);
// Upright paper (for a size in cells that follows from the paper).
PageGrid UprightPage(PageSize page, const PageDress& dress);

// A PDF written page by page onto a device as the drawings come, never whole in memory. On paper
// each Place() fills the next box, with its label under it; on PageSize::Picture each drawing is
// a page of its own size. Throws WriteError if Qt cannot make the document.
class PdfPages {
public:
    PdfPages(QIODevice& device, const PageGrid& grid, const PageDress& dress, bool solutions);
    ~PdfPages();
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;

    void Place(const Sheet& sheet, const std::string& label);
    // Later drawings begin a new page, headed "Solutions" when `solutions`.
    void BreakPage(bool solutions);
    int Pages() const { return pages_; }
    void Finish();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int pages_ = 0;
};

// Throws WriteError if Qt cannot make the document.
QByteArray EncodeSvg(const Sheet& sheet);
// One page-sized SVG with the drawing in its box and its label.
QByteArray EncodeSvgPage(const Sheet& sheet, const PageGrid& grid, const PageDress& dress, const std::string& label);
QByteArray EncodePdf(const std::vector<Sheet>& sheets, PageSize page);

}  // namespace quivra::tool
