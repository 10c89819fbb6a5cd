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
#include <cmath>
#include <cstdlib>
#include <functional>
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

void Play(QPainter& painter, const Sheet& sheet) { PlaySheet(painter, sheet); }

}  // namespace

std::unique_ptr<QGuiApplication> FontsForText() {
    if (QGuiApplication::instance() != nullptr) return nullptr;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "quivra-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

namespace {

QPageLayout LayoutFor(const Sheet& sheet, PageSize page) {
    if (page == PageSize::Picture) {
        return QPageLayout(QPageSize(QSizeF(sheet.size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                           QPageLayout::Portrait, QMarginsF());
    }
    const bool wide = sheet.size.width() > sheet.size.height();
    return QPageLayout(QPageSize(PaperId(page)), wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
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

// Qt 6.8 takes a document id (in the XMP and the trailer's /ID), random otherwise: a fixed one keeps
// the same input the same bytes. Older Qt's random id is blanked with the time stamps.
void FixDocumentId([[maybe_unused]] QPdfWriter& pdf) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    pdf.setDocumentId(QUuid(QStringLiteral("{5175c1a0-0000-4000-8000-000000000000}")));
#endif
}

struct PdfPages::Impl {
    Impl(QIODevice* device, const PageGrid& g, const PageDress& d)
        : app(g.page != PageSize::Picture ? FontsForText() : nullptr),
          pdf(device ? std::make_unique<QPdfWriter>(device) : nullptr), grid(g), dress(d) {}
    std::unique_ptr<QGuiApplication> app;
    std::unique_ptr<QPdfWriter> pdf;   // or pages as pictures:
    std::function<void(const QImage&)> pictureDone;
    QImage picture;
    double dotsPerPoint = 1;
    QPainter painter;
    PageGrid grid;
    PageDress dress;
    int slot = 0;
    bool pageOpen = false;
    bool blank = false;   // a page begun and nothing on it yet
    bool solutions = false;
};

PdfPages::PdfPages(QIODevice& device, const PageGrid& grid, const PageDress& dress, bool solutions)
    : impl_(std::make_unique<Impl>(&device, grid, dress)) {
    impl_->solutions = solutions;
    QPdfWriter& pdf = *impl_->pdf;
    pdf.setResolution(72);
    pdf.setCreator(QStringLiteral("quivra-tool"));
    pdf.setTitle(solutions              ? PageHeading(dress, true)
                 : dress.title.empty() ? QStringLiteral("Quivra maze")
                                       : QString::fromStdString(dress.title));
    FixDocumentId(pdf);
    if (grid.page != PageSize::Picture) {
        pdf.setPageLayout(QPageLayout(QPageSize(PaperId(grid.page)),
                                      grid.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
    }
}

PdfPages::PdfPages(std::function<void(const QImage&)> pictureDone, int dotsPerInch, const PageGrid& grid,
                   const PageDress& dress)
    : impl_(std::make_unique<Impl>(nullptr, grid, dress)) {
    impl_->pictureDone = std::move(pictureDone);
    impl_->dotsPerPoint = dotsPerInch / 72.0;
    impl_->picture = QImage((grid.paper * impl_->dotsPerPoint).toSize(), QImage::Format_RGB32);
}

namespace {

void SetDotsPerInch(QImage& image, double dotsPerInch) {
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
}

// The picture of a page done, at its own resolution.
void PictureDone(PdfPages::Impl& d) {
    SetDotsPerInch(d.picture, 72 * d.dotsPerPoint);
    d.pictureDone(d.picture);
}

// A page begun: on the document, or on a white picture drawn in points (its text set as at 72
// dots an inch, then scaled with the drawing).
bool BeginPage(PdfPages::Impl& d) {
    if (d.pdf) return d.painter.begin(d.pdf.get());
    d.picture.fill(Qt::white);
    SetDotsPerInch(d.picture, 72);
    if (!d.painter.begin(&d.picture)) return false;
    d.painter.setRenderHint(QPainter::Antialiasing);
    d.painter.scale(d.dotsPerPoint, d.dotsPerPoint);
    return true;
}

// The page done and the next begun.
void NextPage(PdfPages::Impl& d) {
    if (d.pdf) {
        d.pdf->newPage();
        return;
    }
    d.painter.end();
    PictureDone(d);
    if (!BeginPage(d)) throw WriteError("cannot draw the page");
}

}  // namespace

PdfPages::~PdfPages() {
    if (impl_->painter.isActive()) impl_->painter.end();
}

void PdfPages::Place(const Sheet& sheet, const std::string& label) {
    Impl& d = *impl_;
    if (d.grid.page == PageSize::Picture) {
        if (pages_ == 0) {
            d.pdf->setPageLayout(LayoutFor(sheet, PageSize::Picture));
            if (!d.painter.begin(d.pdf.get())) throw WriteError("cannot make the PDF document");
        } else {
            d.pdf->setPageLayout(LayoutFor(sheet, PageSize::Picture));
            d.pdf->newPage();
        }
        ++pages_;
        Play(d.painter, sheet);
        return;
    }
    if (!d.pageOpen) {
        if (pages_ == 0) {
            if (!BeginPage(d)) throw WriteError("cannot make the PDF document");
            ++pages_;
        } else if (!d.blank) {
            NextPage(d);
            ++pages_;
        }
        d.blank = false;
        DrawPageDress(d.painter, d.grid, d.dress, pages_, d.solutions);
        d.pageOpen = true;
        d.slot = 0;
    }
    DrawInBox(d.painter, d.grid, d.slot, sheet, label, d.dress.language);
    if (++d.slot == d.grid.columns * d.grid.rows) {
        d.pageOpen = false;
        // Qt holds a page's drawing until the next page begins: a full page goes to the file now,
        // before the next maze is made, when more pages are to come.
        if (pages_ < d.dress.pages) {
            NextPage(d);
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
    if (!d.pdf) {
        if (!d.painter.isActive()) return;
        d.painter.end();
        if (!d.blank) PictureDone(d);
        return;
    }
    if (!d.painter.isActive() && !d.painter.begin(d.pdf.get())) throw WriteError("cannot make the PDF document");
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
    svg.setTitle(!dress.title.empty() ? QString::fromStdString(dress.title)
                 : sheet.code.empty() ? QStringLiteral("Quivra maze")
                                      : QString::fromStdString("Quivra maze " + sheet.code));
    QPainter painter;
    if (!painter.begin(&svg)) throw WriteError("cannot make the SVG document");
    painter.fillRect(QRectF(QPointF(0, 0), grid.paper), Qt::white);
    DrawPageDress(painter, grid, dress, 1, false);
    DrawInBox(painter, grid, 0, sheet, label, dress.language);
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
