#pragma once
// A small GDI-style device context over a QImage: just the calls the drawing code makes.
// Objects are handles into a table so that a test can count what is still alive.
#include <QImage>
#include <QPolygon>

#include <cstdint>
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
constexpr int PS_SOLID = 0;

// What the display reports; decides whether the game uses its logical palette.
struct ScreenCaps {
    int planes = 1;
    int bitsPerPixel = 32;
    int numColors = -1;
};

class DeviceContext {
public:
    explicit DeviceContext(QImage* target = nullptr, ScreenCaps caps = {});

    void SetTarget(QImage* target) { target_ = target; }
    QImage* Target() const { return target_; }
    void SetScreenCaps(ScreenCaps caps) { caps_ = caps; }

    int GetDeviceCaps(int index) const;

    HBRUSH CreateSolidBrush(COLORREF colour);
    HPEN CreatePen(int style, int width, COLORREF colour);
    HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);   // 0 for a degenerate outline
    bool FillRgn(HRGN region, HBRUSH brush);
    HGDIOBJ SelectObject(HGDIOBJ object);   // pens only; returns the pen it replaces
    bool MoveToEx(int x, int y, POINT* previous);
    bool LineTo(int x, int y);
    bool DeleteObject(HGDIOBJ object);

    HPALETTE CreatePalette(const std::vector<PALETTEENTRY>& entries);
    HPALETTE SelectPalette(HPALETTE palette, bool forceBackground);   // returns the palette it replaces
    int RealizePalette();
    HPALETTE DefaultPalette() const { return kDefaultPalette; }

    // Brushes, pens and regions alive (palettes and stock objects not counted).
    int LiveObjects() const;
    // Makes the next creations of the given kind fail, for tests of the failure paths.
    void FailNextCreations(int count) { failCreations_ = count; }

    // The RGB a colour resolves to with the palette now selected.
    QRgb Resolve(COLORREF colour) const;

private:
    enum class Kind : uint8_t { Free, Brush, Pen, Region, Palette };
    struct Object {
        Kind kind = Kind::Free;
        COLORREF colour = 0;
        int width = 0;
        QPolygon polygon;
        std::vector<PALETTEENTRY> entries;
    };
    static constexpr HPALETTE kDefaultPalette = 0x7FFF0001;
    static constexpr HPEN kDefaultPen = 0x7FFF0002;

    HGDIOBJ Add(Object object);
    Object* Find(HGDIOBJ handle, Kind kind);
    const std::vector<PALETTEENTRY>& SelectedEntries() const;

    QImage* target_ = nullptr;
    ScreenCaps caps_;
    std::vector<Object> objects_;
    std::vector<uint32_t> freeList_;
    HPALETTE selectedPalette_ = kDefaultPalette;
    HPEN selectedPen_ = kDefaultPen;
    POINT current_{};
    int failCreations_ = 0;
};

}  // namespace quivra
