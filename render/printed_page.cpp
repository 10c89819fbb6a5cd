// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/printed_page.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPageLayout>
#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <utility>

#include "game/style_rules.h"
#include "maze/maze_code.h"
#include "render/gdi.h"
#include "render/plan_view.h"
#include "render/qt_locale.h"

namespace quivra {

namespace {

constexpr double kMargin = 36;      // points: half an inch around the page
constexpr double kCodeSize = 8;     // points: the small print under a drawing
// A printed page: a title row and a name line above the boxes, page numbers below, a row under
// each box for its number and code, a gap between boxes. Points.
constexpr double kTitleRow = 28;
constexpr double kNameRow = 24;
constexpr double kFooter = 20;
constexpr double kLabelRow = 22;
constexpr double kGap = 18;
// A title as large as this, shrunk to fit down to the floor, then on two lines.
constexpr double kTitleSize = 15;
constexpr double kTitleFloor = 9;
constexpr double kTitleStep = 0.5;
// A plan for a page is drawn in units this fine at least: a unit of the plan (a square's side, a
// hexagon's side) gets 48 or more, so that its walls, an eighth of it rounded to even units, keep
// their width in either style.
constexpr double kPlanUnitsPerSide = 48;
constexpr double kPointsPerMillimetre = 72 / 25.4;
// Above and below a plan: room for a mark and a gap, less the plan's own margin of a cell and a
// half (1.1 mm at least where walls print).
constexpr double kMarkGap = 0.8 * kPointsPerMillimetre;
constexpr double kMarkBand = (kOpeningMarkMillimetres + 0.8 - 1.1) * kPointsPerMillimetre;
constexpr double kMarkWordSize = 9;

// Text is measured as a page of one unit a point draws it, not at the screen's resolution.
const QPaintDevice* PointDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(2835);   // 72 dots an inch
        image.setDotsPerMeterY(2835);
        return image;
    }();
    return &device;
}

QFont TextFont(double points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The page's own words.
struct Words {
    const char* maze;
    const char* solution;
    const char* solutions;
    const char* solutionsOf;   // before the title
    const char* name;
    const char* date;
    const char* code;
    const char* page;   // %1 of %2
    const char* start;
    const char* finish;
};
const Words& WordsOf(PageLanguage language) {
    static const Words english{"Maze", "Solution", "Solutions", "Solutions: ", "Name", "Date", "code", "%1 / %2", "Start", "Finish"};
    static const Words chinese{"迷宫", "答案", "答案", "答案：", "姓名", "日期", "代码", "第 %1 页，共 %2 页", "起点", "终点"};
    return language == PageLanguage::Chinese ? chinese : english;
}

// The names of scripts a title may be written in, for saying which one no font here has.
const char* ScriptName(QChar::Script script) {
    static const std::pair<QChar::Script, const char*> names[] = {
        {QChar::Script_Latin, "Latin"}, {QChar::Script_Greek, "Greek"}, {QChar::Script_Cyrillic, "Cyrillic"},
        {QChar::Script_Armenian, "Armenian"}, {QChar::Script_Hebrew, "Hebrew"}, {QChar::Script_Arabic, "Arabic"},
        {QChar::Script_Syriac, "Syriac"}, {QChar::Script_Thaana, "Thaana"}, {QChar::Script_Devanagari, "Devanagari"},
        {QChar::Script_Bengali, "Bengali"}, {QChar::Script_Gurmukhi, "Gurmukhi"}, {QChar::Script_Gujarati, "Gujarati"},
        {QChar::Script_Oriya, "Oriya"}, {QChar::Script_Tamil, "Tamil"}, {QChar::Script_Telugu, "Telugu"},
        {QChar::Script_Kannada, "Kannada"}, {QChar::Script_Malayalam, "Malayalam"}, {QChar::Script_Sinhala, "Sinhala"},
        {QChar::Script_Thai, "Thai"}, {QChar::Script_Lao, "Lao"}, {QChar::Script_Tibetan, "Tibetan"},
        {QChar::Script_Myanmar, "Myanmar"}, {QChar::Script_Georgian, "Georgian"}, {QChar::Script_Hangul, "Hangul"},
        {QChar::Script_Ethiopic, "Ethiopic"}, {QChar::Script_Cherokee, "Cherokee"}, {QChar::Script_Khmer, "Khmer"},
        {QChar::Script_Mongolian, "Mongolian"}, {QChar::Script_Hiragana, "Hiragana"}, {QChar::Script_Katakana, "Katakana"},
        {QChar::Script_Han, "Han"}, {QChar::Script_Yi, "Yi"},
        {QChar::Script_Tifinagh, "Tifinagh"}, {QChar::Script_Nko, "N'Ko"}, {QChar::Script_Vai, "Vai"},
        {QChar::Script_Javanese, "Javanese"}, {QChar::Script_Balinese, "Balinese"}, {QChar::Script_OlChiki, "Ol Chiki"},
        {QChar::Script_CanadianAboriginal, "Canadian syllabics"}, {QChar::Script_Runic, "Runic"},
        {QChar::Script_Ogham, "Ogham"}, {QChar::Script_Braille, "Braille"}, {QChar::Script_Bopomofo, "Bopomofo"},
    };
    for (const auto& [s, name] : names) {
        if (s == script) return name;
    }
    return nullptr;
}

// The text set in lines of this width, or nothing when a line would be wider (a word too long).
std::vector<QString> Lines(const QString& text, const QFont& font, double width) {
    QTextLayout layout(text, font, PointDevice());
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    std::vector<QString> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (line.naturalTextWidth() > width) {
            lines.clear();
            break;
        }
        lines.push_back(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return lines;
}

double TitleRow(const PageDress& dress, double width) {
    const TitleFit fit = FitTitle(QString::fromStdString(dress.title), width);
    if (fit.lines < 2) return kTitleRow;
    return std::max(kTitleRow, 2 * QFontMetricsF(TextFont(fit.points, true), PointDevice()).lineSpacing() + 4);
}

PageGrid MakeGrid(PageSize page, const PageDress& dress, bool landscape, int columns, int rows) {
    PageGrid g;
    g.page = page;
    g.landscape = landscape;
    g.columns = columns;
    g.rows = rows;
    const QSizeF upright = QPageSize(PaperId(page)).size(QPageSize::Point);
    g.paper = landscape ? upright.transposed() : upright;
    const double titleRow = dress.title.empty() ? kTitleRow : TitleRow(dress, g.TextWidth());
    const double header = (dress.title.empty() && dress.pages < 2 ? 0 : titleRow) + (dress.nameLine ? kNameRow : 0);
    const double footer = dress.pages > 1 ? kFooter : 0;
    g.top = kMargin + header;
    const double width = g.paper.width() - 2 * kMargin, height = g.paper.height() - 2 * kMargin - header - footer;
    g.box = QSizeF((width - (columns - 1) * kGap) / columns, (height - (rows - 1) * kGap) / rows - kLabelRow);
    return g;
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

}  // namespace

void PlaySheet(QPainter& painter, const Sheet& sheet) {
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

QPageSize::PageSizeId PaperId(PageSize page) {
    switch (page) {
        case PageSize::A5: return QPageSize::A5;
        case PageSize::A3: return QPageSize::A3;
        case PageSize::Letter: return QPageSize::Letter;
        case PageSize::Legal: return QPageSize::Legal;
        default: return QPageSize::A4;
    }
}

PageLanguage PageLanguageFor(const QStringList& uiLanguages) {
    return SpeaksChinese(uiLanguages) ? PageLanguage::Chinese : PageLanguage::English;
}

std::string BoxLabel(PageLanguage language, bool solution, int number) {
    const Words& words = WordsOf(language);
    return std::string(solution ? words.solution : words.maze) + " " + std::to_string(number);
}

std::string TitleProblem(const std::string& title) {
    const QString text = QString::fromStdString(title);
    if (text.toStdString() != title) return "the title is not UTF-8";
    // As the page sets it, with the fonts the title's font falls back to: a character none of them
    // has comes out as glyph 0, a box; a script none of them shapes comes out of the toolkit's box
    // engine, a font without a character map.
    const auto drawable = [](char32_t c) {
        QTextLayout layout(QString::fromUcs4(&c, 1), TextFont(kTitleSize, true), PointDevice());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns()) {
            const QList<quint32> glyphs = run.glyphIndexes();
            if (std::find(glyphs.begin(), glyphs.end(), 0u) != glyphs.end()) return false;
            if (!run.rawFont().isValid() || run.rawFont().fontTable("cmap").isEmpty()) return false;
        }
        return true;
    };
    for (const char32_t c : text.toUcs4()) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Format || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph) {
            return std::string("the title holds a control character (") + code + ")";
        }
        if (c != ' ' && !drawable(c)) {
            const char* script = ScriptName(QChar::script(c));
            const std::string which = script ? std::string("the ") + script + " script" : "its script";
            return "the title holds " + QString(QString::fromUcs4(&c, 1)).toStdString() + " (" + code +
                   "), which no font here can draw: install a font for " + which;
        }
    }
    return {};
}

QString PageHeading(const PageDress& dress, bool solutions) {
    const Words& words = WordsOf(dress.language);
    const QString title = QString::fromStdString(dress.title);
    if (!solutions) return title;
    return title.isEmpty() ? QString::fromUtf8(words.solutions) : QString::fromUtf8(words.solutionsOf) + title;
}

TitleFit FitTitle(const QString& text, double width, int maxLines) {
    for (int lines = 1; lines <= maxLines; ++lines) {
        for (double points = kTitleSize; points >= kTitleFloor; points -= kTitleStep) {
            const std::vector<QString> set = Lines(text, TextFont(points, true), width);
            if (!set.empty() && static_cast<int>(set.size()) <= lines) return {points, lines};
        }
    }
    return {};
}

QRectF PageGrid::Box(int slot) const {
    const int column = slot % columns, row = slot / columns;
    return QRectF(QPointF(kMargin + column * (box.width() + kGap), top + row * (box.height() + kLabelRow + kGap)), box);
}

QSizeF PageGrid::PlanBox() const { return QSizeF(box.width(), std::max(1.0, box.height() - 2 * kMarkBand)); }

double PageGrid::TextWidth() const { return paper.width() - 2 * kMargin; }

PageGrid FitPage(PageSize page, const PageDress& dress, QSizeF extent) {
    PageGrid best;
    double bestScale = -1;
    for (bool landscape : {false, true}) {
        for (const auto& [columns, rows] : Arrangements(dress.perPage)) {
            const PageGrid g = MakeGrid(page, dress, landscape, columns, rows);
            const double scale = std::min(g.PlanBox().width() / extent.width(), g.PlanBox().height() / extent.height());
            if (scale > bestScale * 1.0001) bestScale = scale, best = g;
        }
    }
    return best;
}

PageGrid UprightPage(PageSize page, const PageDress& dress) {
    const auto [columns, rows] = Arrangements(dress.perPage).front();
    return MakeGrid(page, dress, false, columns, rows);
}

QSize PlanSheetSize(const PageGrid& grid, const MazeShape& shape) {
    const PlanExtent extent = PlanExtentOf(shape.style, shape.cellsX, shape.cellsY);
    const QSizeF box = grid.PlanBox();
    const double scale = std::min(box.width() / extent.width, box.height() / extent.height);
    const double units = std::max(4.0, std::ceil(kPlanUnitsPerSide / scale));
    return QSize(static_cast<int>(std::floor(extent.width * scale * units)),
                 static_cast<int>(std::floor(extent.height * scale * units)));
}

double PlanUnitsPerMillimetre(const PageGrid& grid, QSize size) {
    const QSizeF box = grid.PlanBox();
    return kPointsPerMillimetre / std::min(box.width() / size.width(), box.height() / size.height());
}

namespace {

// As the plan and the page draw it: the plan's scale in units a unit of its own, and units a millimetre.
std::pair<double, double> PlanScales(const PageGrid& grid, const MazeShape& shape) {
    const PlanExtent extent = PlanExtentOf(shape.style, shape.cellsX, shape.cellsY);
    const QSize size = PlanSheetSize(grid, shape);
    return {std::max(1.0, std::min(size.width() / extent.width, size.height() / extent.height)),
            PlanUnitsPerMillimetre(grid, size)};
}

}  // namespace

double PlanWallMillimetres(const PageGrid& grid, const MazeShape& shape) {
    const auto [scale, perMillimetre] = PlanScales(grid, shape);
    return PlanWallWidth(scale, perMillimetre) / perMillimetre;
}

double PlanCellMillimetres(const PageGrid& grid, const MazeShape& shape) {
    const auto [scale, perMillimetre] = PlanScales(grid, shape);
    return scale * RulesOf(shape.style).planCell / perMillimetre;
}

void DrawPageDress(QPainter& painter, const PageGrid& grid, const PageDress& dress, int number, bool solutions) {
    const Words& words = WordsOf(dress.language);
    painter.save();
    painter.setPen(Qt::black);
    const double width = grid.TextWidth();
    QString shown = PageHeading(dress, solutions);
    if (!shown.isEmpty()) {
        const int titleLines = std::max(1, FitTitle(QString::fromStdString(dress.title), width).lines);
        TitleFit fit = FitTitle(shown, width, titleLines);
        if (fit.lines == 0) {
            // A solutions' heading too long with the whole title keeps as much of the title as fits.
            const QString title = QString::fromStdString(dress.title);
            const QString lead = QString::fromUtf8(WordsOf(dress.language).solutionsOf);
            const auto cut = [&](qsizetype n) { return lead + title.left(n).trimmed() + QChar(0x2026); };
            qsizetype lo = 0, hi = title.size();   // the longest part that fits lies in lo..hi
            while (lo < hi) {
                const qsizetype mid = (lo + hi + 1) / 2;
                if (FitTitle(cut(mid), width, titleLines).lines > 0) lo = mid;
                else hi = mid - 1;
            }
            // At the end of a word where one ends in the part kept.
            if (lo < title.size() && !title.at(lo).isSpace()) {
                const qsizetype space = title.lastIndexOf(' ', lo - 1);
                if (space > 0) lo = space;
            }
            const QString alone = QString::fromUtf8(WordsOf(dress.language).solutions);
            shown = lo > 0 ? cut(lo) : alone;
            fit = FitTitle(shown, width, titleLines);
            if (fit.lines == 0) fit = FitTitle(shown = alone, width, 1);
        }
        const QFont font = TextFont(fit.points, true);
        painter.setFont(font);
        const double spacing = QFontMetricsF(font, PointDevice()).lineSpacing();
        double y = kMargin;
        for (const QString& line : Lines(shown, font, width)) {
            painter.drawText(QRectF(kMargin, y, width, spacing), Qt::AlignHCenter | Qt::AlignTop, line);
            y += spacing;
        }
    }
    if (dress.nameLine && !solutions) {
        const QFont font = TextFont(10);
        painter.setFont(font);
        const QFontMetricsF metrics(font, PointDevice());
        const double y = grid.top - kNameRow + 16;
        const QString name = QString::fromUtf8(words.name), date = QString::fromUtf8(words.date);
        const double dateAt = kMargin + width * 0.68;
        painter.drawText(QPointF(kMargin, y), name);
        painter.drawText(QPointF(dateAt, y), date);
        painter.setPen(QPen(Qt::black, 0.6));
        painter.drawLine(QPointF(kMargin + std::max(34.0, metrics.horizontalAdvance(name) + 6), y + 2),
                         QPointF(kMargin + width * 0.64, y + 2));
        painter.drawLine(QPointF(dateAt + std::max(30.0, metrics.horizontalAdvance(date) + 6), y + 2),
                         QPointF(kMargin + width, y + 2));
    }
    if (dress.pages > 1) {
        painter.setPen(Qt::black);
        painter.setFont(TextFont(9));
        painter.drawText(QRectF(kMargin, grid.paper.height() - kMargin - kFooter, width, kFooter),
                         Qt::AlignHCenter | Qt::AlignBottom, QString::fromUtf8(words.page).arg(number).arg(dress.pages));
    }
    painter.restore();
}

namespace {

// A triangle pointing into the entrance and a disc at the exit, the two apart by shape alone, each
// named beside it; the side of the plan with more room takes the word.
void DrawOpeningMarks(QPainter& painter, const QRectF& box, QPointF entrance, QPointF exit, double wall,
                      PageLanguage language) {
    const Words& words = WordsOf(language);
    const double side = kOpeningMarkMillimetres * kPointsPerMillimetre, gap = kMarkGap + wall / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(64, 64, 64));
    const QPointF inTop(entrance.x(), entrance.y() - gap - side);
    const QPointF triangle[3] = {inTop + QPointF(-side / 2, 0), inTop + QPointF(side / 2, 0), QPointF(entrance.x(), entrance.y() - gap)};
    painter.drawPolygon(triangle, 3);
    const QPointF disc(exit.x(), exit.y() + gap + side / 2);
    painter.drawEllipse(disc, side / 2, side / 2);
    const QFont font = TextFont(kMarkWordSize, true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, PointDevice());
    const auto word = [&](const char* text, QPointF centre) {
        const QString shown = QString::fromUtf8(text);
        const double w = metrics.horizontalAdvance(shown);
        const bool right = centre.x() + side / 2 + gap + w <= box.right();
        const double x = right ? centre.x() + side / 2 + gap : centre.x() - side / 2 - gap - w;
        painter.drawText(QRectF(x, centre.y() - side / 2, w + 1, side), Qt::AlignLeft | Qt::AlignVCenter, shown);
    };
    word(words.start, inTop + QPointF(0, side / 2));
    word(words.finish, disc);
    painter.restore();
}

}  // namespace

void DrawInBox(QPainter& painter, const PageGrid& grid, int slot, const Sheet& sheet, const std::string& label,
               PageLanguage language) {
    const QRectF whole = grid.Box(slot);
    const QRectF box = sheet.marked ? QRectF(whole.left(), whole.top() + kMarkBand, whole.width(), grid.PlanBox().height())
                                    : whole;
    const double scale = std::min(box.width() / sheet.size.width(), box.height() / sheet.size.height());
    // Centred with its label row, the row under the drawing and at least wide enough for both texts.
    const QSizeF drawn(sheet.size.width() * scale, sheet.size.height() * scale);
    const double left = box.left() + (box.width() - drawn.width()) / 2;
    const double top = box.top() + (box.height() - drawn.height()) / 2;
    painter.save();
    painter.translate(left, top);
    painter.scale(scale, scale);
    PlaySheet(painter, sheet);
    painter.restore();
    if (sheet.marked) {
        const auto at = [&](QPointF p) { return QPointF(left + p.x() * scale, top + p.y() * scale); };
        DrawOpeningMarks(painter, whole, at(sheet.entrance), at(sheet.exit), sheet.wall * scale, language);
    }
    painter.save();
    painter.setPen(Qt::black);
    const double width = std::min(box.width(), std::max(drawn.width(), 230.0));
    // Under the exit's mark.
    const double below = sheet.marked ? kMarkBand : 0;
    const QRectF row(box.left() + (box.width() - width) / 2, top + drawn.height() + below + 4, width, kLabelRow - 4);
    if (!label.empty()) {
        painter.setFont(TextFont(12, true));
        painter.drawText(row, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(label));
    }
    if (!sheet.code.empty()) {
        painter.setFont(TextFont(kCodeSize));
        painter.drawText(row, (label.empty() ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignTop,
                         QString::fromUtf8(WordsOf(language).code) + " " + QString::fromStdString(sheet.code));
    }
    painter.restore();
}

Sheet PlanSheet(const Game& game, const PlanOptions& options) {
    QPicture picture;
    {
        DeviceContext dc;
        dc.SetPaintDevice(&picture);
        DrawPlan(dc, game, options);
    }
    Sheet sheet{{picture}, QSize(options.width, options.height), game.Code()};
    if (options.unitsPerMillimetre > 0) {
        const PlanOpenings openings = PlanOpeningsOf(game, options);
        sheet.marked = openings.found;
        sheet.entrance = QPointF(openings.entrance.x, openings.entrance.y);
        sheet.exit = QPointF(openings.exit.x, openings.exit.y);
        sheet.wall = openings.wall;
    }
    return sheet;
}

bool PrintMaze(QPagedPaintDevice& device, const Game& game, PageSize page, PageDress dress, bool solution) {
    // The maze's shape as its code names it: what the tool prints for that code.
    const MazeCodeResult named = ParseMazeCode(game.Code());
    if (!game.HasMaze() || !named.maze) return false;
    // Without page numbers, so that the maze's page is the tool's with or without the solution's.
    dress.perPage = 1;
    dress.pages = 1;
    const MazeShape& shape = named.maze->shape;
    const PlanExtent extent = PlanExtentOf(shape.style, shape.cellsX, shape.cellsY);
    const PageGrid grid = FitPage(page, dress, QSizeF(extent.width, extent.height));
    const QSize size = PlanSheetSize(grid, shape);
    device.setPageLayout(QPageLayout(QPageSize(PaperId(page)),
                                     grid.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&device)) return false;
    DrawPageDress(painter, grid, dress, 1, false);
    const double perMillimetre = PlanUnitsPerMillimetre(grid, size);
    DrawInBox(painter, grid, 0, PlanSheet(game, {size.width(), size.height(), false, false, false, perMillimetre}), "",
              dress.language);
    if (solution) {
        device.newPage();
        DrawPageDress(painter, grid, dress, 2, true);
        DrawInBox(painter, grid, 0, PlanSheet(game, {size.width(), size.height(), false, true, false, perMillimetre}), "",
                  dress.language);
    }
    return painter.end();
}

}  // namespace quivra
