// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/vector_output.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QUuid>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "tools/picture_file.h"
#include "tools/tool_cli.h"

namespace quivra::tool {

namespace {

constexpr double kMargin = 36;      // points: half an inch around the picture on a page
constexpr double kCodeSize = 8;     // points: the small print under it
constexpr double kCodeSpace = 20;   // points between the picture's bottom and the margin
// A printed page: a title row and a name line above the boxes, page numbers below, a row under
// each box for its number and code, a gap between boxes. Points.
constexpr double kTitleRow = 28;
constexpr double kNameRow = 24;
constexpr double kFooter = 20;
constexpr double kLabelRow = 22;
constexpr double kGap = 18;

void Play(QPainter& painter, const Sheet& sheet) {
    painter.save();
    // The window clips what is drawn beyond its edges; a document has to be told.
    painter.setClipRect(QRect(QPoint(0, 0), sheet.size));
    painter.fillRect(QRect(QPoint(0, 0), sheet.size), Qt::white);
    painter.scale(1.0 / sheet.units, 1.0 / sheet.units);
    for (const QPicture& layer : sheet.layers) {
        // A picture replays scaled by its resolution over the device's; undo that, one unit stays one unit.
        painter.save();
        painter.scale(double(layer.logicalDpiX()) / painter.device()->logicalDpiX(),
                      double(layer.logicalDpiY()) / painter.device()->logicalDpiY());
        painter.drawPicture(0, 0, layer);
        painter.restore();
    }
    painter.restore();
}

// Text needs the font database, which needs a GUI application: made for the document when there
// is none, on the offscreen platform when none is named, and only when a page is printed.
std::unique_ptr<QGuiApplication> FontsForText() {
    if (QGuiApplication::instance() != nullptr) return nullptr;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "quivra-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

QPageSize::PageSizeId PaperId(PageSize page) {
    switch (page) {
        case PageSize::A5: return QPageSize::A5;
        case PageSize::A3: return QPageSize::A3;
        case PageSize::Letter: return QPageSize::Letter;
        case PageSize::Legal: return QPageSize::Legal;
        default: return QPageSize::A4;
    }
}

QPageLayout LayoutFor(const Sheet& sheet, PageSize page) {
    if (page == PageSize::Picture) {
        return QPageLayout(QPageSize(QSizeF(sheet.size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                           QPageLayout::Portrait, QMarginsF());
    }
    const bool wide = sheet.size.width() > sheet.size.height();
    return QPageLayout(QPageSize(PaperId(page)), wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

PageGrid MakeGrid(PageSize page, const PageDress& dress, bool landscape, int columns, int rows) {
    PageGrid g;
    g.page = page;
    g.landscape = landscape;
    g.columns = columns;
    g.rows = rows;
    const QSizeF upright = QPageSize(PaperId(page)).size(QPageSize::Point);
    g.paper = landscape ? upright.transposed() : upright;
    const double header = (dress.title.empty() && dress.pages < 2 ? 0 : kTitleRow) + (dress.nameLine ? kNameRow : 0);
    const double footer = dress.pages > 1 ? kFooter : 0;
    g.top = kMargin + header;
    const double width = g.paper.width() - 2 * kMargin, height = g.paper.height() - 2 * kMargin - header - footer;
    g.box = QSizeF((width - (columns - 1) * kGap) / columns, (height - (rows - 1) * kGap) / rows - kLabelRow);
    return g;
}

QFont TextFont(double points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The title or "Solutions" and the name line above, the page number below.
void DrawPageDress(QPainter& painter, const PageGrid& grid, const PageDress& dress, int number, bool solutions) {
    painter.save();
    painter.setPen(Qt::black);
    const double width = grid.paper.width() - 2 * kMargin;
    QString heading = QString::fromStdString(dress.title);
    if (solutions) heading = heading.isEmpty() ? QStringLiteral("Solutions") : QStringLiteral("Solutions: ") + heading;
    if (!heading.isEmpty()) {
        painter.setFont(TextFont(15, true));
        painter.drawText(QRectF(kMargin, kMargin, width, kTitleRow), Qt::AlignHCenter | Qt::AlignTop, heading);
    }
    if (dress.nameLine && !solutions) {
        painter.setFont(TextFont(10));
        const double y = grid.top - kNameRow + 16;
        painter.drawText(QPointF(kMargin, y), QStringLiteral("Name"));
        painter.drawText(QPointF(kMargin + width * 0.68, y), QStringLiteral("Date"));
        painter.setPen(QPen(Qt::black, 0.6));
        painter.drawLine(QPointF(kMargin + 34, y + 2), QPointF(kMargin + width * 0.64, y + 2));
        painter.drawLine(QPointF(kMargin + width * 0.68 + 30, y + 2), QPointF(kMargin + width, y + 2));
    }
    if (dress.pages > 1) {
        painter.setPen(Qt::black);
        painter.setFont(TextFont(9));
        painter.drawText(QRectF(kMargin, grid.paper.height() - kMargin - kFooter, width, kFooter),
                         Qt::AlignHCenter | Qt::AlignBottom,
                         QStringLiteral("%1 / %2").arg(number).arg(dress.pages));
    }
    painter.restore();
}

// The drawing fitted and centred in its box, its label and code in the row under the box.
void DrawInBox(QPainter& painter, const PageGrid& grid, int slot, const Sheet& sheet, const std::string& label) {
    const QRectF box = grid.Box(slot);
    const double scale = std::min(box.width() / sheet.size.width(), box.height() / sheet.size.height());
    // Centred with its label row, the row under the drawing and at least wide enough for both texts.
    const QSizeF drawn(sheet.size.width() * scale, sheet.size.height() * scale);
    const double left = box.left() + (box.width() - drawn.width()) / 2;
    const double top = box.top() + (box.height() - drawn.height()) / 2;
    painter.save();
    painter.translate(left, top);
    painter.scale(scale, scale);
    Play(painter, sheet);
    painter.restore();
    painter.save();
    painter.setPen(Qt::black);
    const double width = std::min(box.width(), std::max(drawn.width(), 230.0));
    const QRectF row(box.left() + (box.width() - width) / 2, top + drawn.height() + 4, width, kLabelRow - 4);
    if (!label.empty()) {
        painter.setFont(TextFont(12, true));
        painter.drawText(row, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(label));
    }
    if (!sheet.code.empty()) {
        painter.setFont(TextFont(kCodeSize));
        painter.drawText(row, (label.empty() ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignTop,
                         QString::fromStdString("code " + sheet.code));
    }
    painter.restore();
}

// Columns and rows for so many drawings a page, upright paper first.
std::vector<std::pair<int, int>> Arrangements(int perPage) {
    switch (perPage) {
        case 2: return {{1, 2}, {2, 1}};
        case 4: return {{2, 2}};
        case 6: return {{2, 3}, {3, 2}};
        default: return {{1, 1}};
    }
}

// Qt stamps the time and a random document id into every PDF; fixed values of the same length keep
// the output the same for the same input (and the cross-reference offsets right).
void FixStamps(QByteArray& pdf) { BlankPdfStamps(pdf); }

// Qt's SVG writer opens a group with every attribute of the painter's state for each polygon,
// and one more, empty, for every change of pen. Leaving out what cannot change the picture (the
// font of groups without text, identity transforms, empty groups) and running polygons of one
// state together in one group keeps a 4K scene at half its size or less; the shapes, their order
// and their colours stay exactly as written.
QByteArray CompactSvg(const QByteArray& svg) {
    std::vector<std::string_view> lines;
    const std::string_view text(svg.constData(), static_cast<size_t>(svg.size()));
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    // Group openings made whole: "<g attributes>" on one line, without the font and the identity.
    std::vector<std::string> items;
    // Paths repeat the fill rule the outermost group already gives them.
    bool evenOdd = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line(lines[i]);
        if (line.rfind("<g ", 0) == 0 && line.back() != '>') {
            while (i + 1 < lines.size() && lines[i + 1] != ">") {
                if (lines[++i].rfind("font-family=", 0) == 0) continue;
                line += ' ';
                line += lines[i];
            }
            ++i;
            line += ">";
        }
        if (items.empty() || items.back().rfind("<defs>", 0) == 0 || items.back() == "</defs>") {
            if (line.rfind("<g ", 0) == 0) evenOdd = line.find(" fill-rule=\"evenodd\"") != std::string::npos;
        }
        const auto cut = [&line](std::string_view piece) {
            for (size_t at = line.find(piece); at != std::string::npos; at = line.find(piece, at)) line.erase(at, piece.size());
        };
        cut(" transform=\"matrix(1,0,0,1,0,0)\"");
        cut(" vector-effect=\"none\"");
        if (evenOdd && line.rfind("<path ", 0) == 0) cut(" fill-rule=\"evenodd\"");
        if (!line.empty()) items.push_back(std::move(line));
    }
    std::string out;
    out.reserve(static_cast<size_t>(svg.size()) / 2);
    std::vector<std::string> open;   // the groups open around the current line
    bool closing = false;            // the innermost group is closed unless the next one is the same
    std::string closed;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string& line = items[i];
        if (line.rfind("<g ", 0) == 0) {
            if (i + 1 < items.size() && items[i + 1] == "</g>") {   // an empty group
                ++i;
                continue;
            }
            if (closing && line == closed) {
                closing = false;
                open.push_back(closed);
                continue;
            }
            if (closing) out += "</g>\n";
            closing = false;
            open.push_back(line);
        } else if (line == "</g>") {
            if (closing) out += "</g>\n";
            closing = true;
            closed = open.empty() ? std::string() : open.back();
            if (!open.empty()) open.pop_back();
            continue;
        } else if (closing) {
            out += "</g>\n";
            closing = false;
        }
        out += line;
        out += '\n';
    }
    if (closing) out += "</g>\n";
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

}  // namespace

DrawingRecorder::DrawingRecorder(DeviceContext& dc) : dc_(dc) { dc_.SetPaintDevice(&current_); }

DrawingRecorder::~DrawingRecorder() { dc_.SetPaintDevice(nullptr); }

void DrawingRecorder::Clear() {
    dc_.SetPaintDevice(nullptr);   // ends the painter on the current recording
    done_.clear();
    current_ = QPicture();
    dc_.SetPaintDevice(&current_);
}

std::vector<QPicture> DrawingRecorder::Take() {
    dc_.SetPaintDevice(nullptr);
    done_.push_back(current_);
    current_ = QPicture();
    dc_.SetPaintDevice(&current_);
    return done_;
}

std::optional<PageSize> PageNamed(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::pair<const char*, PageSize> names[] = {{"a5", PageSize::A5},     {"a4", PageSize::A4},
                                                      {"a3", PageSize::A3},     {"letter", PageSize::Letter},
                                                      {"legal", PageSize::Legal}};
    for (const auto& [n, page] : names) {
        if (lower == n) return page;
    }
    return std::nullopt;
}

QRectF PageGrid::Box(int slot) const {
    const int column = slot % columns, row = slot / columns;
    return QRectF(QPointF(kMargin + column * (box.width() + kGap), top + row * (box.height() + kLabelRow + kGap)), box);
}

PageGrid FitPage(PageSize page, const PageDress& dress, QSizeF extent) {
    PageGrid best;
    double bestScale = -1;
    for (bool landscape : {false, true}) {
        for (const auto& [columns, rows] : Arrangements(dress.perPage)) {
            const PageGrid g = MakeGrid(page, dress, landscape, columns, rows);
            const double scale = std::min(g.box.width() / extent.width(), g.box.height() / extent.height());
            if (scale > bestScale * 1.0001) bestScale = scale, best = g;
        }
    }
    return best;
}

PageGrid UprightPage(PageSize page, const PageDress& dress) {
    const auto [columns, rows] = Arrangements(dress.perPage).front();
    return MakeGrid(page, dress, false, columns, rows);
}

// Qt 6.8 takes a document id (in the XMP and the trailer's /ID), random otherwise: a fixed one keeps
// the same input the same bytes. Older Qt's random id is blanked with the time stamps.
void FixDocumentId([[maybe_unused]] QPdfWriter& pdf) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    pdf.setDocumentId(QUuid(QStringLiteral("{5175c1a0-0000-4000-8000-000000000000}")));
#endif
}

struct PdfPages::Impl {
    Impl(QIODevice& device, const PageGrid& g, const PageDress& d)
        : app(g.page != PageSize::Picture ? FontsForText() : nullptr), pdf(&device), grid(g), dress(d) {}
    std::unique_ptr<QGuiApplication> app;
    QPdfWriter pdf;
    QPainter painter;
    PageGrid grid;
    PageDress dress;
    int slot = 0;
    bool pageOpen = false;
    bool blank = false;   // a page begun and nothing on it yet
    bool solutions = false;
};

PdfPages::PdfPages(QIODevice& device, const PageGrid& grid, const PageDress& dress, bool solutions)
    : impl_(std::make_unique<Impl>(device, grid, dress)) {
    impl_->solutions = solutions;
    impl_->pdf.setResolution(72);
    impl_->pdf.setCreator(QStringLiteral("quivra-tool"));
    impl_->pdf.setTitle(QStringLiteral("Quivra maze"));
    FixDocumentId(impl_->pdf);
    if (grid.page != PageSize::Picture) {
        impl_->pdf.setPageLayout(QPageLayout(QPageSize(PaperId(grid.page)),
                                             grid.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                             QMarginsF()));
    }
}

PdfPages::~PdfPages() {
    if (impl_->painter.isActive()) impl_->painter.end();
}

void PdfPages::Place(const Sheet& sheet, const std::string& label) {
    Impl& d = *impl_;
    if (d.grid.page == PageSize::Picture) {
        if (pages_ == 0) {
            d.pdf.setPageLayout(LayoutFor(sheet, PageSize::Picture));
            if (!d.painter.begin(&d.pdf)) throw WriteError("cannot make the PDF document");
        } else {
            d.pdf.setPageLayout(LayoutFor(sheet, PageSize::Picture));
            d.pdf.newPage();
        }
        ++pages_;
        Play(d.painter, sheet);
        return;
    }
    if (!d.pageOpen) {
        if (pages_ == 0) {
            if (!d.painter.begin(&d.pdf)) throw WriteError("cannot make the PDF document");
            ++pages_;
        } else if (!d.blank) {
            d.pdf.newPage();
            ++pages_;
        }
        d.blank = false;
        DrawPageDress(d.painter, d.grid, d.dress, pages_, d.solutions);
        d.pageOpen = true;
        d.slot = 0;
    }
    DrawInBox(d.painter, d.grid, d.slot, sheet, label);
    if (++d.slot == d.grid.columns * d.grid.rows) {
        d.pageOpen = false;
        // Qt holds a page's drawing until the next page begins: a full page goes to the file now,
        // before the next maze is made, when more pages are to come.
        if (pages_ < d.dress.pages) {
            d.pdf.newPage();
            ++pages_;
            d.blank = true;
        }
    }
}

void PdfPages::BreakPage(bool solutions) {
    impl_->pageOpen = false;
    impl_->solutions = solutions;
}

void PdfPages::Finish() {
    Impl& d = *impl_;
    if (!d.painter.isActive() && !d.painter.begin(&d.pdf)) throw WriteError("cannot make the PDF document");
    if (!d.painter.end()) throw WriteError("cannot finish the PDF document");
}

QByteArray EncodeSvgPage(const Sheet& sheet, const PageGrid& grid, const PageDress& dress, const std::string& label) {
    const std::unique_ptr<QGuiApplication> app = FontsForText();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    const QSize paper = grid.paper.toSize();
    svg.setSize(paper);
    svg.setViewBox(QRect(QPoint(0, 0), paper));
    svg.setResolution(72);   // one unit a point, so the page has its paper's size
    svg.setTitle(sheet.code.empty() ? QStringLiteral("Quivra maze") : QString::fromStdString("Quivra maze " + sheet.code));
    QPainter painter;
    if (!painter.begin(&svg)) throw WriteError("cannot make the SVG document");
    painter.fillRect(QRectF(QPointF(0, 0), grid.paper), Qt::white);
    DrawPageDress(painter, grid, dress, 1, false);
    DrawInBox(painter, grid, 0, sheet, label);
    painter.end();
    return CompactSvg(bytes);
}

QByteArray EncodeSvg(const Sheet& sheet) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(sheet.size);
    svg.setViewBox(QRect(QPoint(0, 0), sheet.size));
    svg.setResolution(96);   // so that one unit is one CSS pixel
    svg.setTitle(sheet.code.empty() ? QStringLiteral("Quivra maze") : QString::fromStdString("Quivra maze " + sheet.code));
    QPainter painter;
    if (!painter.begin(&svg)) throw WriteError("cannot make the SVG document");
    Play(painter, sheet);
    painter.end();
    return CompactSvg(bytes);
}

QByteArray EncodePdf(const std::vector<Sheet>& sheets, PageSize page) {
    const std::unique_ptr<QGuiApplication> app = page != PageSize::Picture ? FontsForText() : nullptr;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(72);   // one point per unit: without a page, one pixel is one point
    pdf.setCreator(QStringLiteral("quivra-tool"));
    pdf.setTitle(QStringLiteral("Quivra maze"));
    FixDocumentId(pdf);
    if (!sheets.empty()) pdf.setPageLayout(LayoutFor(sheets.front(), page));
    QPainter painter;
    if (!painter.begin(&pdf)) throw WriteError("cannot make the PDF document");
    for (size_t i = 0; i < sheets.size(); ++i) {
        const Sheet& sheet = sheets[i];
        if (i > 0) {
            pdf.setPageLayout(LayoutFor(sheet, page));
            pdf.newPage();
        }
        if (page == PageSize::Picture) {
            Play(painter, sheet);
            continue;
        }
        // Fitted inside the margins with room for the code under it, centred across.
        const QSizeF area = pdf.pageLayout().fullRect(QPageLayout::Point).size();
        const double scale = std::min((area.width() - 2 * kMargin) / sheet.size.width(),
                                      (area.height() - 2 * kMargin - kCodeSpace) / sheet.size.height());
        const double left = (area.width() - sheet.size.width() * scale) / 2;
        painter.save();
        painter.translate(left, kMargin);
        painter.scale(scale, scale);
        Play(painter, sheet);
        painter.restore();
        if (!sheet.code.empty()) {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPointSizeF(kCodeSize);
            painter.setFont(font);
            painter.setPen(Qt::black);
            const QRectF line(left, kMargin + sheet.size.height() * scale + 4, sheet.size.width() * scale, kCodeSpace);
            painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString("code " + sheet.code));
        }
    }
    painter.end();
    FixStamps(bytes);
    return bytes;
}

}  // namespace quivra::tool
