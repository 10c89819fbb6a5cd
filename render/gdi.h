// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small GDI-style device context over a QImage (or any other paint device, such as an SVG or PDF
// document): just the calls the drawing code makes.
// Objects are handles into a table so that a test can count what is still alive.
#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRect>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quivra {

using COLORREF = uint32_t;   // 0x00BBGGRR, or 0x01000000 | index for a palette-relative colour
using HGDIOBJ = uint32_t;    // 0 is the null handle
using HBRUSH = HGDIOBJ;
using HPEN = HGDIOBJ;
using HRGN = HGDIOBJ;
using HPALETTE = HGDIOBJ;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>(r & 0xFF) | (static_cast<COLORREF>(g & 0xFF) << 8) |
           (static_cast<COLORREF>(b & 0xFF) << 16);
}
constexpr COLORREF PALETTEINDEX(int i) { return 0x01000000u | static_cast<COLORREF>(i & 0xFFFF); }

struct POINT {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const POINT&) const = default;
};

struct PALETTEENTRY {
    uint8_t peRed = 0, peGreen = 0, peBlue = 0, peFlags = 0;
};
constexpr uint8_t PC_NOCOLLAPSE = 4;

// GetDeviceCaps indices
constexpr int PLANES = 14;
constexpr int BITSPIXEL = 12;
constexpr int NUMCOLORS = 24;
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;
constexpr int PS_SOLID = 0;

// What the display reports; decides whether the game uses its logical palette.
// One FillRgn as drawn: the brush colour as given (before resolving) and the outline.
struct FillRecord {
    COLORREF colour = 0;
    QPolygon polygon;
};

struct ScreenCaps {
    int planes = 1;
    int bitsPerPixel = 32;
    int numColors = -1;
};

// Drawing calls fail quietly while there is no target image.
class DeviceContext {
public:
    explicit DeviceContext(QImage* target = nullptr, ScreenCaps caps = {});
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    DeviceContext(DeviceContext&&) noexcept;
    DeviceContext& operator=(DeviceContext&&) noexcept;

    void SetTarget(QImage* target);
    QImage* Target() const { return target_; }
    // Device pixels to a logical pixel of the target image (1 for other paint devices), so lines
    // keep their width as the player sees it.
    double PixelRatio() const { return target_ != nullptr ? target_->devicePixelRatio() : 1.0; }
    // Draws on any other paint device instead (an SVG or PDF document, a recording), through the
    // same calls; nullptr stops. Ends any painter open on the previous target first.
    void SetPaintDevice(QPaintDevice* device);
    void SetScreenCaps(ScreenCaps caps) { caps_ = caps; }

    int GetDeviceCaps(int index) const;

    HBRUSH CreateSolidBrush(COLORREF colour) {
        if (ConsumeFailure()) return 0;
        return Add(Kind::Brush, colour, 0, nullptr, 0, 0);
    }
    HPEN CreatePen(int style, int width, COLORREF colour);
    HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {   // 0 for a degenerate outline
        if (ConsumeFailure()) return 0;
        if (points == nullptr || count < 3 || (fillMode != ALTERNATE && fillMode != WINDING)) return 0;
        if (Collinear(points, count)) return 0;
        return Add(Kind::Region, 0, 0, points, count, fillMode);
    }
    bool FillRgn(HRGN region, HBRUSH brush);
    HGDIOBJ SelectObject(HGDIOBJ object);   // pens only; returns the pen it replaces
    bool MoveToEx(int x, int y, POINT* previous);
    bool LineTo(int x, int y);
    // Lines of text centred in a box, in one colour, the font's height `pixelSize` device pixels.
    bool DrawTextBox(int left, int top, int width, int height, const std::string& text, COLORREF colour, int pixelSize);
    bool DeleteObject(HGDIOBJ object) {   // false for an object still selected, as in GDI
        const uint32_t slot = (object & kIndexMask) - 1;
        if (object == 0 || slot >= objects_.size() || objects_[slot].kind == Kind::Free ||
            objects_[slot].generation != (object >> kIndexBits)) {
            return false;
        }
        // Like GDI, an object still selected into the context cannot be deleted.
        if (object == selectedPen_ || object == selectedPalette_) return false;
        Object& entry = objects_[slot];
        if (entry.kind != Kind::Palette) --live_;
        entry.kind = Kind::Free;
        entry.corners.clear();
        entry.entries.clear();
        entry.generation = (entry.generation + 1) & kGenerationMask;
        freeList_.push_back(slot);
        return true;
    }

    HPALETTE CreatePalette(const std::vector<PALETTEENTRY>& entries);
    HPALETTE SelectPalette(HPALETTE palette, bool forceBackground);   // returns the palette it replaces
    int RealizePalette();
    HPALETTE DefaultPalette() const { return kDefaultPalette; }

    // Brushes, pens and regions alive (palettes and stock objects not counted).
    int LiveObjects() const { return live_; }
    // Makes count creations of brushes, pens or regions fail after the next `skip` succeed, for tests
    // of the failure paths.
    void FailNextCreations(int count, int skip = 0) {
        failCreations_ = count;
        skipBeforeFailing_ = skip;
    }
    // Appends every fill drawn from now on to log (nullptr stops), for tests of what was drawn.
    void RecordFills(std::vector<FillRecord>* log) { fillLog_ = log; }

    // The bounding rectangle, in the target's pixels, of everything drawn since the last call (empty
    // when nothing was), then starts afresh: a window repaints only that part.
    QRect TakeTouched() { return std::exchange(touched_, QRect()); }

    // The RGB a colour resolves to with the palette now selected. With none selected the 20 static
    // colours of a palette display are in force; a palette index past the last entry gives black
    // (so index 16 of the 16-entry game palette is black, as its RGB table says).
    QRgb Resolve(COLORREF colour) const;

private:
    enum class Kind : uint8_t { Free, Brush, Pen, Region, Palette };
    struct Object {
        Kind kind = Kind::Free;
        uint32_t generation = 0;
        COLORREF colour = 0;
        int width = 0;
        int fillMode = 0;
        std::vector<QPoint> corners;   // a region's outline; keeps its capacity when the slot is reused
        std::vector<PALETTEENTRY> entries;
    };
    static constexpr HPALETTE kDefaultPalette = 0x7FFF0001;
    static constexpr HPEN kDefaultPen = 0x7FFF0002;

    // One painter stays open on a view of the target's pixels: opening a painter per polygon would
    // halve the fill rate. It is reopened whenever the target's pixels move.
    struct Surface {
        QImage view;
        QPainter painter;
        bool fillPen = false;   // the painter's pen is already none, as fills want it
    };
    QPainter* Painter();
    QPainter* DevicePainter();
    // One brush per colour seen, so that a fill neither builds a brush nor, for the colour the
    // painter already has, changes its state.
    const QBrush& SolidBrush(QRgb rgb);

    // Handles carry a generation so that a stale handle to a reused slot is refused. The small
    // calls every polygon makes live here, so that the drawing code can inline them.
    static constexpr uint32_t kIndexBits = 20;
    static constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
    static constexpr uint32_t kGenerationMask = 0x3FF;   // keeps handles below the stock range 0x7FFF0000
    static constexpr uint32_t kNoSlot = ~0u;

    static bool Collinear(const POINT* points, int count);
    bool ConsumeFailure() {
        if (failCreations_ <= 0) return false;
        if (skipBeforeFailing_ > 0) {
            --skipBeforeFailing_;
            return false;
        }
        --failCreations_;
        return true;
    }
    uint32_t GrowTable();
    HGDIOBJ Add(Kind kind, COLORREF colour, int width, const POINT* points, int count, int fillMode) {
        uint32_t slot;
        if (!freeList_.empty()) {
            slot = freeList_.back();
            freeList_.pop_back();
        } else if ((slot = GrowTable()) == kNoSlot) {
            return 0;
        }
        Object& entry = objects_[slot];
        entry.kind = kind;
        entry.colour = colour;
        entry.width = width;
        entry.fillMode = fillMode;
        if (count > 0) {
            entry.corners.resize(static_cast<size_t>(count));
            QPoint* corners = entry.corners.data();
            for (int i = 0; i < count; ++i) corners[i] = QPoint(points[i].x, points[i].y);
        }
        if (kind != Kind::Palette) ++live_;
        return (entry.generation << kIndexBits) | (slot + 1);
    }
    const Object* Find(HGDIOBJ handle, Kind kind) const {
        const uint32_t slot = (handle & kIndexMask) - 1;
        if (handle == 0 || slot >= objects_.size()) return nullptr;
        const Object& entry = objects_[slot];
        if (entry.kind != kind || entry.generation != (handle >> kIndexBits)) return nullptr;
        return &entry;
    }
    const std::vector<PALETTEENTRY>& SelectedEntries() const;
    // Adds a box of corners, grown by reach pixels, clipped to the target, to the touched rectangle.
    void Touch(int64_t left, int64_t top, int64_t right, int64_t bottom, int reach);

    QImage* target_ = nullptr;
    QPaintDevice* device_ = nullptr;   // used only while target_ is null
    std::unique_ptr<Surface> surface_;
    ScreenCaps caps_;
    std::vector<Object> objects_;
    std::vector<uint32_t> freeList_;
    HPALETTE selectedPalette_ = kDefaultPalette;
    HPEN selectedPen_ = kDefaultPen;
    POINT current_{};
    int failCreations_ = 0;
    int skipBeforeFailing_ = 0;
    int live_ = 0;
    std::vector<FillRecord>* fillLog_ = nullptr;
    std::vector<std::pair<QRgb, QBrush>> brushes_;
    QRect touched_;
};

}  // namespace quivra
