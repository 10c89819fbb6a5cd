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

#include "tools/tool_cli.h"

namespace quivra::tool {

namespace {

constexpr double kMargin = 36;      // points: half an inch around the picture on a page
constexpr double kCodeSize = 8;     // points: the small print under it
constexpr double kCodeSpace = 20;   // points between the picture's bottom and the margin

void Play(QPainter& painter, const Sheet& sheet) {
    painter.save();
    // The window clips what is drawn beyond its edges; a document has to be told.
    painter.setClipRect(QRect(QPoint(0, 0), sheet.size));
    painter.fillRect(QRect(QPoint(0, 0), sheet.size), Qt::white);
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

QPageLayout LayoutFor(const Sheet& sheet, PageSize page) {
    if (page == PageSize::Picture) {
        return QPageLayout(QPageSize(QSizeF(sheet.size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                           QPageLayout::Portrait, QMarginsF());
    }
    const QPageSize size(page == PageSize::A4 ? QPageSize::A4 : QPageSize::Letter);
    const bool wide = sheet.size.width() > sheet.size.height();
    return QPageLayout(size, wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

// Qt stamps the time into every PDF: /CreationDate, and from Qt 6.8 /ModDate and the XMP dates too
// (written as attributes, or as elements). Its document id (in the XMP and /ID) is random unless it
// is given one, which Qt 6.8 takes. Zeros of the same length keep the output the same for the same
// input (and the cross-reference offsets right); the rest of each value, such as a date's "T", stays.
void FixStamps(QByteArray& pdf) {
    const auto blank = [&pdf](const QByteArray& start, char end) {
        for (qsizetype at = pdf.indexOf(start); at >= 0; at = pdf.indexOf(start, at + 1)) {
            const qsizetype from = at + start.size();
            const qsizetype to = pdf.indexOf(end, from);
            if (to < 0) return;
            for (qsizetype i = from; i < to; ++i) {
                if (std::isxdigit(static_cast<unsigned char>(pdf[i]))) pdf[i] = '0';
            }
        }
    };
    for (const char* date : {"/CreationDate (D:", "/ModDate (D:"}) blank(date, ')');
    // The XMP fields as elements (<name>value<) or as attributes (name="value"); ids after "uuid:".
    const std::pair<const char*, const char*> fields[] = {{"xmp:CreateDate", ""}, {"xmp:ModifyDate", ""},
        {"xmp:MetadataDate", ""}, {"xmpMM:DocumentID", "uuid:"}, {"xmpMM:InstanceID", "uuid:"}};
    for (const auto& [name, start] : fields) {
        blank(QByteArray("<") + name + ">" + start, '<');
        blank(QByteArray(name) + "=\"" + start, '"');
    }
    blank("/ID [", ']');
}

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
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    pdf.setDocumentId(QUuid(QStringLiteral("{5175c1a0-0000-4000-8000-000000000000}")));
#endif
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
