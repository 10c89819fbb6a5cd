// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Vector output: a drawing recorded as painter commands, the same commands the device context
// sends to a picture, replayed into an SVG document or onto PDF pages.
#include <QByteArray>
#include <QGuiApplication>
#include <QIODevice>
#include <QImage>
#include <QPageLayout>
#include <QPicture>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/gdi.h"
#include "render/printed_page.h"

namespace quivra::tool {

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

// A PDF written page by page onto a device as the drawings come, never whole in memory. On paper
// each Place() fills the next box, with its label under it; on PageSize::Picture each drawing is
// a page of its own size. Throws WriteError if Qt cannot make the document.
class PdfPages {
public:
    PdfPages(QIODevice& device, const PageGrid& grid, const PageDress& dress, bool solutions);
    // The same pages as pictures at this resolution, each given to `pictureDone` when it is full.
    PdfPages(std::function<void(const QImage&)> pictureDone, int dotsPerInch, const PageGrid& grid,
             const PageDress& dress);
    ~PdfPages();
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;

    void Place(const Sheet& sheet, const std::string& label);
    // Later drawings begin a new page, headed "Solutions" when `solutions`.
    void BreakPage(bool solutions);
    int Pages() const { return pages_; }
    void Finish();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
    int pages_ = 0;
};

// Text needs the font database, which needs a GUI application: made for the document when there
// is none (on the offscreen platform when none is named), else nothing.
std::unique_ptr<QGuiApplication> FontsForText();

// Throws WriteError if Qt cannot make the document.
QByteArray EncodeSvg(const Sheet& sheet);
// One page-sized SVG with the drawing in its box and its label.
QByteArray EncodeSvgPage(const Sheet& sheet, const PageGrid& grid, const PageDress& dress, const std::string& label);
QByteArray EncodePdf(const std::vector<Sheet>& sheets, PageSize page);

}  // namespace quivra::tool
