// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/gdi.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace quivra {

namespace {

// The 20 static colours a palette device reserves; in force while no palette is selected.
const std::vector<PALETTEENTRY>& DefaultEntries() {
    static const std::vector<PALETTEENTRY> entries = {
        {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
        {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
        {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
        {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
    };
    return entries;
}

struct Product {
    bool negative;
    uint64_t magnitude;
};

// a * b for differences of two int32 values: |a|, |b| < 2^32, so the magnitude fits 64 bits.
Product Multiply(int64_t a, int64_t b) {
    const uint64_t magnitude = static_cast<uint64_t>(std::llabs(a)) * static_cast<uint64_t>(std::llabs(b));
    return {magnitude != 0 && ((a < 0) != (b < 0)), magnitude};
}

}  // namespace

// True when every point lies on one line (this includes fewer than three distinct points).
bool DeviceContext::Collinear(const POINT* points, int count) {
    int second = -1;
    for (int i = 1; i < count; ++i) {
        if (!(points[i] == points[0])) {
            second = i;
            break;
        }
    }
    if (second < 0) return true;
    const int64_t dx = int64_t{points[second].x} - points[0].x;
    const int64_t dy = int64_t{points[second].y} - points[0].y;
    // Corners within 2^30 of the origin, as every projected one is: the products fit 63 bits.
    constexpr int32_t kSmall = 1 << 30;
    bool small = true;
    for (int i = 0; i < count; ++i) {
        small &= points[i].x > -kSmall && points[i].x < kSmall && points[i].y > -kSmall && points[i].y < kSmall;
    }
    if (small) {
        for (int i = second + 1; i < count; ++i) {
            if (dx * (int64_t{points[i].y} - points[0].y) != dy * (int64_t{points[i].x} - points[0].x)) return false;
        }
        return true;
    }
    for (int i = second + 1; i < count; ++i) {
        const int64_t ex = int64_t{points[i].x} - points[0].x;
        const int64_t ey = int64_t{points[i].y} - points[0].y;
        const Product left = Multiply(dx, ey);
        const Product right = Multiply(dy, ex);
        if (left.negative != right.negative || left.magnitude != right.magnitude) return false;
    }
    return true;
}

DeviceContext::DeviceContext(QImage* target, ScreenCaps caps) : target_(target), caps_(caps) {}
DeviceContext::~DeviceContext() = default;
DeviceContext::DeviceContext(DeviceContext&&) noexcept = default;
DeviceContext& DeviceContext::operator=(DeviceContext&&) noexcept = default;

void DeviceContext::SetTarget(QImage* target) {
    surface_.reset();
    target_ = target;
    device_ = nullptr;
}

void DeviceContext::SetPaintDevice(QPaintDevice* device) {
    surface_.reset();
    target_ = nullptr;
    device_ = device;
}

QPainter* DeviceContext::DevicePainter() {
    if (device_ == nullptr) return nullptr;
    if (surface_ != nullptr) return &surface_->painter;
    surface_ = std::make_unique<Surface>();
    if (!surface_->painter.begin(device_)) {
        surface_.reset();
        return nullptr;
    }
    surface_->painter.setRenderHint(QPainter::Antialiasing, false);
    return &surface_->painter;
}

QPainter* DeviceContext::Painter() {
    if (target_ == nullptr) return DevicePainter();
    if (target_->isNull()) return nullptr;
    uchar* bits = target_->bits();   // detaches a shared image before we write into it
    if (surface_ != nullptr && surface_->view.constBits() == bits && surface_->view.size() == target_->size() &&
        surface_->view.bytesPerLine() == target_->bytesPerLine() && surface_->view.format() == target_->format()) {
        return &surface_->painter;
    }
    surface_.reset();
    surface_ = std::make_unique<Surface>();
    surface_->view = QImage(bits, target_->width(), target_->height(), target_->bytesPerLine(), target_->format());
    if (!surface_->painter.begin(&surface_->view)) {
        surface_.reset();
        return nullptr;
    }
    surface_->painter.setRenderHint(QPainter::Antialiasing, false);
    return &surface_->painter;
}

const QBrush& DeviceContext::SolidBrush(QRgb rgb) {
    for (const auto& [key, brush] : brushes_) {
        if (key == rgb) return brush;
    }
    if (brushes_.size() >= 64) brushes_.clear();   // a program that paints in every colour
    brushes_.emplace_back(rgb, QBrush(QColor(rgb)));
    return brushes_.back().second;
}

int DeviceContext::GetDeviceCaps(int index) const {
    switch (index) {
        case PLANES: return caps_.planes;
        case BITSPIXEL: return caps_.bitsPerPixel;
        case NUMCOLORS: return caps_.numColors;
        default: return 0;
    }
}

HPEN DeviceContext::CreatePen(int style, int width, COLORREF colour) {
    if (ConsumeFailure()) return 0;
    if (style != PS_SOLID) return 0;
    return Add(Kind::Pen, colour, width < 1 ? 1 : width, nullptr, 0, 0);
}

bool DeviceContext::FillRgn(HRGN region, HBRUSH brush) {
    const Object* shape = Find(region, Kind::Region);
    const Object* paint = Find(brush, Kind::Brush);
    if (shape == nullptr || paint == nullptr) return false;
    QPainter* painter = Painter();
    if (painter == nullptr) return false;
    if (!surface_->fillPen) {
        painter->setPen(Qt::NoPen);
        surface_->fillPen = true;
    }
    const std::vector<QPoint>& corners = shape->corners;
    int left = corners[0].x(), right = left, top = corners[0].y(), bottom = top;
    for (const QPoint& c : corners) {
        left = std::min(left, c.x());
        right = std::max(right, c.x());
        top = std::min(top, c.y());
        bottom = std::max(bottom, c.y());
    }
    // A zoomed picture draws most of its polygons beside the target: those cost only the test.
    // (A document or a recording has no edge to test against.)
    if (target_ == nullptr || (right >= 0 && bottom >= 0 && left <= target_->width() && top <= target_->height())) {
        painter->setBrush(SolidBrush(Resolve(paint->colour)));
        painter->drawPolygon(corners.data(), static_cast<int>(corners.size()),
                             shape->fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
        Touch(left, top, right, bottom, 0);
    }
    if (fillLog_ != nullptr) {
        fillLog_->push_back({paint->colour, QPolygon(QList<QPoint>(corners.begin(), corners.end()))});
    }
    return true;
}

HGDIOBJ DeviceContext::SelectObject(HGDIOBJ object) {
    if (object != kDefaultPen && Find(object, Kind::Pen) == nullptr) return 0;
    const HPEN previous = selectedPen_;
    selectedPen_ = object;
    return previous;
}

bool DeviceContext::MoveToEx(int x, int y, POINT* previous) {
    if (previous != nullptr) *previous = current_;
    current_ = {x, y};
    return true;
}

bool DeviceContext::LineTo(int x, int y) {
    const POINT from = current_;
    current_ = {x, y};
    QPainter* painter = Painter();
    if (painter == nullptr) return false;
    COLORREF colour = RGB(0, 0, 0);   // the stock pen: black, one pixel
    int width = 1;
    if (const Object* pen = Find(selectedPen_, Kind::Pen)) {
        colour = pen->colour;
        width = pen->width;
    }
    // Wide GDI pens end and join round.
    painter->setPen(QPen(QColor(Resolve(colour)), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    surface_->fillPen = false;
    painter->setBrush(Qt::NoBrush);
    painter->drawLine(from.x, from.y, x, y);
    Touch(std::min(from.x, x), std::min(from.y, y), std::max(from.x, x), std::max(from.y, y), (width + 1) / 2);
    return true;
}

bool DeviceContext::DrawTextBox(int left, int top, int width, int height, const std::string& text, COLORREF colour,
                                int pixelSize) {
    // Fonts need the application's font database.
    if (qGuiApp == nullptr) return false;
    QPainter* painter = Painter();
    if (painter == nullptr || width <= 0 || height <= 0 || pixelSize <= 0) return false;
    QFont font = painter->font();
    font.setPixelSize(pixelSize);
    painter->setFont(font);
    painter->setPen(QColor(Resolve(colour)));
    surface_->fillPen = false;
    painter->drawText(QRect(left, top, width, height), Qt::AlignCenter | Qt::TextWordWrap, QString::fromStdString(text));
    Touch(left, top, int64_t{left} + width, int64_t{top} + height, 0);
    return true;
}

void DeviceContext::Touch(int64_t left, int64_t top, int64_t right, int64_t bottom, int reach) {
    // One pixel more than the corners and the pen's reach: aliased edges may round either way.
    const int64_t margin = int64_t{reach} + 1;
    const int64_t width = target_ != nullptr ? target_->width() : int64_t{device_->width()};
    const int64_t height = target_ != nullptr ? target_->height() : int64_t{device_->height()};
    left = std::max<int64_t>(left - margin, 0);
    top = std::max<int64_t>(top - margin, 0);
    right = std::min<int64_t>(right + margin, width - 1);
    bottom = std::min<int64_t>(bottom + margin, height - 1);
    if (left > right || top > bottom) return;   // all of it off the target
    touched_ |= QRect(QPoint(static_cast<int>(left), static_cast<int>(top)),
                      QPoint(static_cast<int>(right), static_cast<int>(bottom)));
}

uint32_t DeviceContext::GrowTable() {
    if (objects_.size() >= kIndexMask) return kNoSlot;   // table full: creation fails
    objects_.emplace_back();
    return static_cast<uint32_t>(objects_.size() - 1);
}

HPALETTE DeviceContext::CreatePalette(const std::vector<PALETTEENTRY>& entries) {
    if (entries.empty()) return 0;
    const HPALETTE handle = Add(Kind::Palette, 0, 0, nullptr, 0, 0);
    if (handle != 0) objects_[(handle & kIndexMask) - 1].entries = entries;
    return handle;
}

HPALETTE DeviceContext::SelectPalette(HPALETTE palette, bool /*forceBackground*/) {
    if (palette != kDefaultPalette && Find(palette, Kind::Palette) == nullptr) return 0;
    const HPALETTE previous = selectedPalette_;
    selectedPalette_ = palette;
    return previous;
}

int DeviceContext::RealizePalette() { return static_cast<int>(SelectedEntries().size()); }

QRgb DeviceContext::Resolve(COLORREF colour) const {
    if ((colour >> 24) == 0x01) {
        // An index past the end of the palette gives black.
        const std::vector<PALETTEENTRY>& entries = SelectedEntries();
        const size_t index = colour & 0xFFFF;
        if (index >= entries.size()) return qRgb(0, 0, 0);
        return qRgb(entries[index].peRed, entries[index].peGreen, entries[index].peBlue);
    }
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

const std::vector<PALETTEENTRY>& DeviceContext::SelectedEntries() const {
    if (const Object* palette = Find(selectedPalette_, Kind::Palette)) return palette->entries;
    return DefaultEntries();
}

}  // namespace quivra
