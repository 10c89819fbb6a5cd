// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Vector output: a drawing recorded as painter commands, the same commands the device context
// sends to a picture, replayed into an SVG document or onto PDF pages.
#include <QByteArray>
#include <QPicture>
#include <QSize>

#include <string>
#include <vector>

#include "render/gdi.h"

namespace quivra::tool {

// One finished drawing: what was drawn since the picture was last cleared, in order.
struct Sheet {
    std::vector<QPicture> layers;
    QSize size;
    std::string code;   // the maze code, printed under the picture on a page
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

enum class PageSize { Picture, A4, Letter };   // Picture: the page is the picture, one pixel a point

// Throws WriteError if Qt cannot make the document.
QByteArray EncodeSvg(const Sheet& sheet);
QByteArray EncodePdf(const std::vector<Sheet>& sheets, PageSize page);

}  // namespace quivra::tool
