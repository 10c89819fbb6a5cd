// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/worksheet_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <random>
#include <sstream>
#include <string_view>

#include "app/form_design.h"
#include "app/game_store.h"
#include "render/printed_page.h"

namespace quivra {

namespace {

QString Shown(const std::string& text) { return QCoreApplication::translate("Quivra", text.c_str()); }

constexpr int kPerPage[] = {1, 2, 4, 6};
constexpr const char* kPapers[] = {"a4", "a5", "a3", "letter", "legal"};
constexpr const char* kPaperNames[] = {"A4", "A5", "A3", "Letter", "Legal"};
constexpr int kPreviewWidth = 260;   // pixels, each of the two pages
constexpr int kPreviewDelay = 250;   // milliseconds after the last change

// The window's progress bar and Cancel, told of every step of the booklet's run. The window is
// kept alive a few times a second; Cancel stops the run where it is.
class ProgressWatch final : public tool::ReadingWatch {
public:
    explicit ProgressWatch(QProgressDialog& dialog) : dialog_(dialog) { shown_.start(); }

    void Reading(const char* what, long long planned) override {
        if (what_ != what) {
            what_ = what;
            done_ = 0;
            const std::string_view step(what);
            dialog_.setLabelText(Shown(step == "candidates"    ? kSheetChoosing
                                       : step == "mazes drawn" ? kSheetDrawing
                                                               : kSheetWritingSolutions));
            dialog_.setMaximum(static_cast<int>(std::min<long long>(planned, 1 << 30)));
        }
        ++done_;
        if (shown_.elapsed() < 40) return;
        shown_.restart();
        dialog_.setValue(static_cast<int>(std::min<long long>(done_, dialog_.maximum())));
        QCoreApplication::processEvents();
        if (dialog_.wasCanceled()) throw tool::BookletStopped{};
    }

private:
    QProgressDialog& dialog_;
    const char* what_ = nullptr;
    long long done_ = 0;
    QElapsedTimer shown_;
};

std::string PagesIn(const std::string& report) {
    std::istringstream lines(report);
    std::string pages;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("pages ")) pages = line.substr(6);
    }
    return pages;
}

// Sharp on a screen of any pixel ratio.
QPixmap Scaled(const QImage& page, qreal ratio) {
    QPixmap pixmap = QPixmap::fromImage(page.scaledToWidth(qRound(kPreviewWidth * ratio), Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace

WorksheetDialog::WorksheetDialog(GameStore* store, bool english, QWidget* parent)
    : QDialog(parent), store_(store), time_(static_cast<int>(std::random_device()() % 86400)) {
    setWindowTitle(Shown(kWorksheetsTitle));
    style_ = new QComboBox(this);
    style_->addItems({Shown(kStyleCaptions[1]), Shown(kStyleCaptions[0])});
    level_ = new QComboBox(this);
    for (int level = 1; level <= 5; ++level) level_->addItem(Shown(kSheetLevel).arg(level));
    level_->addItem(Shown(kSheetByCells));
    cellsX_ = new QSpinBox(this);
    cellsY_ = new QSpinBox(this);
    for (QSpinBox* cells : {cellsX_, cellsY_}) cells->setRange(2, 400);
    auto* cells = new QHBoxLayout;
    cells->addWidget(cellsX_);
    cells->addWidget(new QLabel(QStringLiteral("×"), this));
    cells->addWidget(cellsY_);
    count_ = new QSpinBox(this);
    count_->setRange(1, 1000);
    perPage_ = new QComboBox(this);
    for (int n : kPerPage) perPage_->addItem(QString::number(n));
    paper_ = new QComboBox(this);
    for (const char* name : kPaperNames) paper_->addItem(QString::fromLatin1(name));
    title_ = new QLineEdit(this);
    nameLine_ = new QCheckBox(Shown(kSheetNameLine), this);
    solutions_ = new QComboBox(this);
    for (const std::string& where : kSheetSolutionChoices) solutions_->addItem(Shown(where));
    language_ = new QComboBox(this);
    for (const std::string& language : kSheetLanguages) language_->addItem(Shown(language));
    style_->setObjectName("sheetStyle");
    level_->setObjectName("sheetLevel");
    count_->setObjectName("sheetCount");
    perPage_->setObjectName("sheetPerPage");
    paper_->setObjectName("sheetPaper");
    title_->setObjectName("sheetTitle");
    solutions_->setObjectName("sheetSolutions");
    language_->setObjectName("sheetLanguage");

    auto* form = new QFormLayout;
    form->addRow(Shown(kSheetStylePrompt), style_);
    form->addRow(Shown(kSheetLevelPrompt), level_);
    form->addRow(Shown(kSheetCellsPrompt), cells);
    form->addRow(Shown(kSheetCountPrompt), count_);
    form->addRow(Shown(kSheetPerPagePrompt), perPage_);
    form->addRow(Shown(kSheetPaperPrompt), paper_);
    form->addRow(Shown(kSheetTitlePrompt), title_);
    form->addRow(QString(), nameLine_);
    form->addRow(Shown(kSheetSolutionsPrompt), solutions_);
    form->addRow(Shown(kSheetLanguagePrompt), language_);

    pagePreview_ = new QLabel(this);
    solutionPreview_ = new QLabel(this);
    auto* previews = new QHBoxLayout;
    for (auto [label, caption] : {std::pair{pagePreview_, kSheetFirstPage}, std::pair{solutionPreview_, kSheetSolutionPage}}) {
        label->setFixedSize(kPreviewWidth, kPreviewWidth * 99 / 70);   // upright ISO paper
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet("QLabel { background: #808080; }");
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(Shown(caption), this));
        column->addWidget(label);
        previews->addLayout(column);
    }
    message_ = new QLabel(this);
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    print_ = buttons->addButton(Shown(kPrintCaption), QDialogButtonBox::ActionRole);
    save_ = buttons->addButton(Shown(kSheetSavePdf), QDialogButtonBox::ActionRole);
    buttons->addButton(Shown(kSheetClose), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(save_, &QPushButton::clicked, this, &WorksheetDialog::SaveWithFileDialog);
    connect(print_, &QPushButton::clicked, this, &WorksheetDialog::PrintWithDialog);

    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addLayout(previews);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(message_);
    layout->addWidget(buttons);

    tool::BookletChoices defaults;
    defaults.english = english;
    SetChoices(defaults);
    Recall();

    previewTimer_.setSingleShot(true);
    previewTimer_.setInterval(kPreviewDelay);
    connect(&previewTimer_, &QTimer::timeout, this, &WorksheetDialog::UpdatePreview);
    for (QComboBox* box : {style_, level_, perPage_, paper_, solutions_, language_}) {
        connect(box, &QComboBox::currentIndexChanged, this, &WorksheetDialog::ChoicesChanged);
    }
    for (QSpinBox* box : {cellsX_, cellsY_, count_}) connect(box, &QSpinBox::valueChanged, this, &WorksheetDialog::ChoicesChanged);
    connect(title_, &QLineEdit::textChanged, this, &WorksheetDialog::ChoicesChanged);
    connect(nameLine_, &QCheckBox::toggled, this, &WorksheetDialog::ChoicesChanged);
    ChoicesChanged();
}

WorksheetDialog::~WorksheetDialog() = default;

tool::BookletChoices WorksheetDialog::Choices() const {
    tool::BookletChoices c;
    c.honeycomb = style_->currentIndex() == 1;
    c.level = level_->currentIndex() < 5 ? level_->currentIndex() + 1 : 0;
    c.cellsX = cellsX_->value();
    c.cellsY = cellsY_->value();
    c.count = count_->value();
    c.perPage = kPerPage[perPage_->currentIndex()];
    c.page = kPapers[paper_->currentIndex()];
    c.title = title_->text().toStdString();
    c.nameLine = nameLine_->isChecked();
    c.solutions = static_cast<tool::BookletChoices::Solutions>(solutions_->currentIndex());
    c.english = language_->currentIndex() == 1;
    c.time = time_;
    return c;
}

void WorksheetDialog::SetChoices(const tool::BookletChoices& c) {
    style_->setCurrentIndex(c.honeycomb ? 1 : 0);
    level_->setCurrentIndex(c.level >= 1 && c.level <= 5 ? c.level - 1 : 5);
    cellsX_->setValue(c.cellsX);
    cellsY_->setValue(c.cellsY);
    count_->setValue(c.count);
    for (int i = 0; i < static_cast<int>(std::size(kPerPage)); ++i) {
        if (kPerPage[i] == c.perPage) perPage_->setCurrentIndex(i);
    }
    for (int i = 0; i < static_cast<int>(std::size(kPapers)); ++i) {
        if (c.page == kPapers[i]) paper_->setCurrentIndex(i);
    }
    title_->setText(QString::fromStdString(c.title));
    nameLine_->setChecked(c.nameLine);
    solutions_->setCurrentIndex(static_cast<int>(c.solutions));
    language_->setCurrentIndex(c.english ? 1 : 0);
    if (c.time >= 0) time_ = c.time;
}

// One key for all the choices, in the order of the dialog: the settings hold them together.
void WorksheetDialog::Remember() const {
    if (!store_) return;
    const tool::BookletChoices c = Choices();
    std::ostringstream text;
    text << c.honeycomb << ' ' << c.level << ' ' << c.cellsX << ' ' << c.cellsY << ' ' << c.count << ' ' << c.perPage
         << ' ' << c.page << ' ' << c.nameLine << ' ' << static_cast<int>(c.solutions) << ' ' << c.english;
    store_->SetSetting("worksheets/choices", text.str());
    store_->SetSetting("worksheets/title", c.title);
}

void WorksheetDialog::Recall() {
    if (!store_) return;
    std::istringstream text(store_->Setting("worksheets/choices"));
    tool::BookletChoices c = Choices();
    int solutions = 0;
    if (!(text >> c.honeycomb >> c.level >> c.cellsX >> c.cellsY >> c.count >> c.perPage >> c.page >> c.nameLine >>
          solutions >> c.english) ||
        solutions < 0 || solutions > 2) {
        return;   // none yet, or not ours: the defaults stand
    }
    c.solutions = static_cast<tool::BookletChoices::Solutions>(solutions);
    c.title = store_->Setting("worksheets/title");
    SetChoices(c);
}

void WorksheetDialog::ChoicesChanged() {
    const bool byCells = level_->currentIndex() == 5;
    cellsX_->setEnabled(byCells);
    cellsY_->setEnabled(byCells);
    solutionPreview_->setEnabled(solutions_->currentIndex() != 2);
    if (!busy_) previewTimer_.start();
}

void WorksheetDialog::Say(const QString& text, bool problem) {
    message_->setStyleSheet(problem ? "QLabel { color: #b00000; }" : QString());
    message_->setText(text);
}

void WorksheetDialog::UpdatePreview() {
    previewTimer_.stop();
    if (busy_) return;
    // The booklet's first page of mazes, made by the booklet itself: the same mazes, sizes and
    // refusals; then drawn again here, page by page as the booklet draws them.
    // One maze more than a page holds when the booklet has more: a page is laid out by whether
    // it is numbered, so the preview's booklet has one page only when the whole booklet has.
    tool::BookletChoices first = Choices();
    first.count = std::min(first.count, first.perPage + 1);
    QTemporaryDir dir;
    busy_ = true;
    const tool::BookletRun run = tool::RunBooklet(first, dir.filePath("preview.pdf").toStdString(),
                                                  dir.filePath("solutions.pdf").toStdString(), nullptr);
    busy_ = false;
    const bool ok = run.status == 0;
    save_->setEnabled(ok);
    print_->setEnabled(ok);
    previewCodes_ = ok ? tool::ReportedCodes(run.report) : std::vector<std::string>{};
    previewCodes_.resize(std::min<size_t>(previewCodes_.size(), static_cast<size_t>(first.perPage)));
    if (!ok) {
        pagePreview_->clear();
        solutionPreview_->clear();
        Say(Shown(kSheetRefused).arg(QString::fromStdString(run.error)), true);
        return;
    }
    std::istringstream report(run.report);
    int cellsX = 0, cellsY = 0;
    for (std::string word; report >> word && word != "cells";) {
    }
    report >> cellsX >> cellsY;
    Say(cellsX > 0 ? Shown(kSheetCellsChosen).arg(cellsX).arg(cellsY) : QString(), false);
    const tool::BookletChoices all = Choices();
    const qreal ratio = devicePixelRatioF();
    const double scale = 2.0 * ratio * kPreviewWidth / 595;   // drawn finer, then scaled down smoothly
    pagePreview_->setPixmap(Scaled(tool::BookletPagePicture(all, previewCodes_, false, scale), ratio));
    if (all.solutions == tool::BookletChoices::Solutions::None) {
        solutionPreview_->clear();
    } else {
        solutionPreview_->setPixmap(Scaled(tool::BookletPagePicture(all, previewCodes_, true, scale), ratio));
    }
}

bool WorksheetDialog::Run(const tool::BookletChoices& choices, const QString& out, const QString& solutionsOut) {
    previewTimer_.stop();
    QProgressDialog progress(Shown(kSheetChoosing), Shown(kSheetCancel), 0, 1, this);
    progress.setObjectName("worksheetProgress");
    progress.setWindowTitle(Shown(kWorksheetsTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress_ = &progress;
    busy_ = true;
    ProgressWatch watch(progress);
    const tool::BookletRun run = tool::RunBooklet(choices, out.toStdString(), solutionsOut.toStdString(), &watch);
    busy_ = false;
    progress_ = nullptr;
    if (run.stopped) {
        Say(QString(), false);
        return false;
    }
    if (run.status != 0) {
        Say(Shown(kSheetRefused).arg(QString::fromStdString(run.error)), true);
        return false;
    }
    Say(Shown(kSheetSaved).arg(QString::fromStdString(PagesIn(run.report)), out), false);
    return true;
}

bool WorksheetDialog::SaveTo(const QString& out, const QString& solutionsOut) {
    Remember();
    // Said in the dialog's words; the tool would name its options. Links are left to the tool.
    if (Choices().solutions == tool::BookletChoices::Solutions::File &&
        QDir::cleanPath(QFileInfo(out).absoluteFilePath()) == QDir::cleanPath(QFileInfo(solutionsOut).absoluteFilePath())) {
        Say(Shown(kSheetSolutionsSameFile), true);
        return false;
    }
    return Run(Choices(), out, solutionsOut);
}

void WorksheetDialog::SaveWithFileDialog() {
    const QString filter = Shown(kSheetPdfFiles);
    QString out = QFileDialog::getSaveFileName(this, Shown(kSheetSaveTitle), QDir::home().filePath("worksheets.pdf"), filter);
    if (out.isEmpty()) return;
    if (QFileInfo(out).suffix().compare("pdf", Qt::CaseInsensitive) != 0) out += ".pdf";
    QString solutionsOut;
    if (Choices().solutions == tool::BookletChoices::Solutions::File) {
        const QFileInfo booklet(out);
        solutionsOut = QFileDialog::getSaveFileName(
            this, Shown(kSheetSaveSolutionsTitle), booklet.dir().filePath(Shown(kSheetSolutionsName).arg(booklet.completeBaseName())),
            filter);
        if (solutionsOut.isEmpty()) return;
        if (QFileInfo(solutionsOut).suffix().compare("pdf", Qt::CaseInsensitive) != 0) solutionsOut += ".pdf";
    }
    SaveTo(out, solutionsOut);
}

void WorksheetDialog::PrintWithDialog() {
    const tool::BookletChoices choices = Choices();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(PaperId(*PageNamed(choices.page))));
    printer.setDocName(title_->text().isEmpty() ? Shown(kWorksheetsTitle) : title_->text());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return;
    Remember();
    // A PDF printer gets the booklet as it is saved; a real one the same PDF, through the spooler.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        const QFileInfo booklet(printer.outputFileName());
        Run(choices, booklet.filePath(), booklet.dir().filePath(Shown(kSheetSolutionsName).arg(booklet.completeBaseName())));
        return;
    }
    QTemporaryDir dir;
    const QString out = dir.filePath("worksheets.pdf"), solutionsOut = dir.filePath("solutions.pdf");
    if (!Run(choices, out, solutionsOut)) return;
    QStringList files = {out};
    if (choices.solutions == tool::BookletChoices::Solutions::File) files << solutionsOut;
    if (!SpoolFiles(files, printer.printerName(), printer.copyCount(), printer.docName())) Say(Shown(kSheetNoSpooler), true);
}

bool WorksheetDialog::SpoolFiles(const QStringList& files, const QString& printer, int copies, const QString& title) {
    for (const QString& file : files) {
        QStringList args = {"-n", QString::number(copies), "-t", title, file};
        if (!printer.isEmpty()) args = QStringList{"-d", printer} + args;
        if (QProcess::execute("lp", args) != 0) return false;
    }
    return true;
}

}  // namespace quivra
