// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QGestureEvent>
#include <QNativeGestureEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleHints>
#include <QStyleOptionMenuItem>
#include <QTime>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "app/about.h"
#include "app/game_store.h"
#include "app/play_code_dialog.h"
#include "app/status_line.h"
#include "app/worksheet_dialog.h"
#include "game/key_codes.h"
#include "render/printed_page.h"
#include "tools/booklet_run.h"
#include "tools/tool_cli.h"

namespace quivra {

namespace {

int TwipsToPixels(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel)); }

ScreenCaps CapsOf(const QScreen* screen) {
    ScreenCaps caps;
    caps.planes = 1;
    caps.bitsPerPixel = screen ? screen->depth() : 32;
    caps.numColors = caps.bitsPerPixel > 8 ? -1 : (1 << caps.bitsPerPixel);
    return caps;
}

// The installed icon (data/icons), compiled in as a resource.
QIcon MazeIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QString(":/icons/hicolor/%1x%1/apps/dev.quivra.Quivra.png").arg(size), QSize(size, size));
    }
    return icon;
}

// One of the form's texts as the player reads it: in the chosen language when it has a translation.
// A text with the version is translated in its form with the placeholder, then filled in.
QString Shown(const std::string& text) {
    for (const std::string& placeholder : {kCaptionWithPlaceholder, kAboutTextWithPlaceholder}) {
        if (text == WithVersion(placeholder)) {
            return QCoreApplication::translate("Quivra", placeholder.c_str()).arg(QLatin1String(kVersion));
        }
    }
    return QCoreApplication::translate("Quivra", text.c_str());
}

}  // namespace

QString UnbrokenWords(const QString& text) {
    // A word joiner between two non-blank characters: the label may wrap only at the blanks, so
    // an address such as https://quivra.dev/ is never cut after its "//".
    QString joined;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i > 0 && !text[i].isSpace() && !text[i - 1].isSpace()) joined += QChar(0x2060);
        joined += text[i];
    }
    return joined;
}

namespace {

QString ShortcutNames(const QAction* action) {
    QStringList names;
    for (const QKeySequence& key : action->shortcuts()) names << key.toString(QKeySequence::NativeText);
    return names.join(", ");
}

}  // namespace

ShortcutMenu::ShortcutMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {
    connect(this, &QMenu::aboutToShow, this, &ShortcutMenu::FitShortcutColumn);
}

int ShortcutMenu::ShortcutColumnWidth() const {
    int width = 0;
    for (const QAction* action : actions()) width = std::max(width, fontMetrics().horizontalAdvance(ShortcutNames(action)));
    return width;
}

void ShortcutMenu::FitShortcutColumn() {
    if (actions().isEmpty()) return;
    setMinimumWidth(0);
    const int natural = sizeHint().width();   // also brings Qt's own column width up to date
    QStyleOptionMenuItem option;
    QMenu::initStyleOption(&option, actions().constFirst());
    const int missing = ShortcutColumnWidth() - option.reservedShortcutWidth;
    if (missing > 0) setMinimumWidth(natural + missing);
}

QString ShortcutMenu::ShownText(const QAction* action) const {
    QStyleOptionMenuItem option;
    initStyleOption(&option, action);
    return option.text;
}

void ShortcutMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenu::initStyleOption(option, action);
    option->reservedShortcutWidth = std::max(option->reservedShortcutWidth, ShortcutColumnWidth());
    if (action->shortcuts().size() > 1) option->text = action->text() + '\t' + ShortcutNames(action);
}

// The client area below the menu bar: shows the backing image, reports its size, and hands clicks
// and one-finger taps to the window.
class ClientWidget : public QWidget {
public:
    explicit ClientWidget(QtForm* form) : QWidget(form), form_(form) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_AcceptTouchEvents);
        setFocusPolicy(Qt::StrongFocus);
        grabGesture(Qt::PinchGesture);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        // The painter is clipped to the part to update, so only that much of the image is copied.
        QPainter p(this);
        p.drawImage(QPointF(0, 0), form_->image_);   // device pixels one to one: the image carries the ratio
    }
    void resizeEvent(QResizeEvent*) override { form_->ClientResized(); }
    void wheelEvent(QWheelEvent* event) override {
        if (!(event->modifiers() & Qt::ControlModifier)) return QWidget::wheelEvent(event);
        form_->ZoomAt(event->angleDelta().y(), 1, event->position());
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
        form_->PointerDown(event->position());
    }
    bool event(QEvent* event) override {
        switch (event->type()) {
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd: Touch(static_cast<QTouchEvent*>(event)); return true;
            case QEvent::TouchCancel: tapping_ = false; return true;
            case QEvent::NativeGesture: {
                // A touchpad's pinch: its value is the scaling less one.
                const auto* gesture = static_cast<QNativeGestureEvent*>(event);
                if (gesture->gestureType() != Qt::ZoomNativeGesture) return QWidget::event(event);
                form_->ZoomAt(0, 1 + gesture->value(), gesture->position());
                return true;
            }
            case QEvent::Gesture: {
                auto* gestures = static_cast<QGestureEvent*>(event);
                if (auto* pinch = static_cast<QPinchGesture*>(gestures->gesture(Qt::PinchGesture))) {
                    form_->ZoomAt(0, pinch->scaleFactor(), mapFromGlobal(pinch->centerPoint()));
                    gestures->accept(pinch);
                }
                return true;
            }
            default: return QWidget::event(event);
        }
    }

private:
    // A tap: one finger down and up again without moving away; a second finger or a drag is no tap.
    void Touch(QTouchEvent* event) {
        if (event->points().size() != 1) {
            tapping_ = false;
            return;
        }
        const QPointF at = event->points().first().position();
        if (event->type() == QEvent::TouchBegin) {
            tapping_ = true;
            tapStart_ = at;
        } else if ((at - tapStart_).manhattanLength() > QGuiApplication::styleHints()->startDragDistance()) {
            tapping_ = false;
        } else if (event->type() == QEvent::TouchEnd && tapping_) {
            tapping_ = false;
            form_->PointerDown(tapStart_);
        }
    }

    QtForm* form_;
    bool tapping_ = false;
    QPointF tapStart_;
};

QtForm::QtForm() {
    uptime_.start();
    setWindowTitle(Shown(kCaption));
    setWindowIcon(MazeIcon());

    client_ = new ClientWidget(this);
    setCentralWidget(client_);
    QPalette pal = client_->palette();
    pal.setColor(QPalette::Window, Qt::white);
    client_->setPalette(pal);

    text1_ = new StatusLine(client_);
    text1_->setReadOnly(true);
    text1_->setFrame(false);
    text1_->setFocusPolicy(Qt::NoFocus);
    text1_->setStyleSheet("QLineEdit { background: white; border-top: 1px solid #a0a0a0; }");
    text1_->setGeometry(0, TwipsToPixels(4200), TwipsToPixels(6012), TwipsToPixels(kText1HeightTwips));

    vscroll1_ = new QScrollBar(Qt::Vertical, client_);
    vscroll1_->setRange(kVScroll1Min, kVScroll1Max);
    vscroll1_->setSingleStep(1);
    vscroll1_->setPageStep(5);
    vscroll1_->setValue(kVScroll1Start);
    vscroll1_->setGeometry(TwipsToPixels(5760), 0, TwipsToPixels(kVScroll1WidthTwips), TwipsToPixels(4212));
    // A too-small window moves only the status line; the scroll bar keeps the last layout's place
    // and must not hide the message, so the status line is stacked above it.
    text1_->raise();
    // Change on clicks and on release of the thumb; Scroll while the thumb is dragged.
    connect(vscroll1_, &QScrollBar::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderMove) return;
        QTimer::singleShot(0, this, [this] {
            if (!ending_) form_->VScroll1_Change();
        });
    });
    // sliderMoved comes before the value follows the thumb: the value's own change is the Scroll.
    connect(vscroll1_, &QScrollBar::valueChanged, this, [this](int) {
        if (vscroll1_->isSliderDown() && !ending_) form_->VScroll1_Scroll();
    });
    connect(vscroll1_, &QScrollBar::sliderReleased, this, [this] {
        if (!ending_) form_->VScroll1_Change();
    });

    timer1_ = new QTimer(this);
    timer1_->setInterval(kTimer1Interval);
    connect(timer1_, &QTimer::timeout, this, [this] {
        if (ending_) return;
        form_->Timer1_Timer();
        UpdateTouched();
    });

    // About 60 pictures a second while a move is drawn in motion; keys are handled between them.
    frames_ = new QTimer(this);
    frames_->setInterval(16);
    connect(frames_, &QTimer::timeout, this, [this] {
        if (ending_) return;
        form_->Frame_Timer();
        UpdateTouched();
    });

    BuildMenus();

    image_ = QImage(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips), QImage::Format_RGB32);
    image_.fill(Qt::white);
    dc_.SetTarget(&image_);
    dc_.SetScreenCaps(CapsOf(QGuiApplication::primaryScreen()));

    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);

    form_ = std::make_unique<FrmMain>(*this);
    form_->Form_Load();
    mazeCode_ = [this] { return form_->MazeCodeText(); };
    playMaze_ = [this](const NamedMaze& maze) { form_->PlayMazeCode(maze); };
    pointer_ = [this](double x, double y) { form_->Form_PointerDown(x, y); };
    form_->beforeClosing = [this] { KeepOnClosing(); };
    resize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips) + menuBar()->sizeHint().height());
}

QtForm::~QtForm() { qApp->removeEventFilter(this); }

void QtForm::BuildMenus() {
    auto addMenu = [this](const std::string& caption, const auto& items, std::vector<QAction*>& actions, auto click) {
        auto* menu = new ShortcutMenu(Shown(caption), this);
        menuBar()->addMenu(menu);
        int index = 0;
        for (const std::string& item : items) {
            QAction* action = item == "-" ? menu->addSeparator() : menu->addAction(Shown(item));
            connect(action, &QAction::triggered, this, [this, click, index] {
                if (ending_) return;
                (form_.get()->*click)(index);
                client_->update();   // the commands draw into the backing image
            });
            actions.push_back(action);
            ++index;
        }
        return menu;
    };
    QMenu* gameMenu = addMenu(kActionMenuCaption, kActionCaptions, actionItems_, &FrmMain::mnuActionItem_Click);
    addMenu(kStyleMenuCaption, kStyleCaptions, styleItems_, &FrmMain::mnuStyleItem_Click);
    QMenu* viewMenu = addMenu(kViewMenuCaption, kViewCaptions, viewItems_, &FrmMain::mnuViewItem_Click);
    QMenu* helpMenu = addMenu(kHelpMenuCaption, kHelpCaptions, helpItems_, &FrmMain::mnuHelpItem_Click);
    // A style item's tick changes only in code. Qt flips a checkable action's own check before
    // `triggered`; undo that at once, so the handler sees the menu as the player saw it.
    std::vector<QAction*> ticked = styleItems_;
    for (QAction* a : viewItems_) {
        if (!a->isSeparator()) ticked.push_back(a);
    }
    for (QAction* a : ticked) {
        a->setCheckable(true);
        connect(a, &QAction::toggled, this, [this, a](bool on) {
            if (checkingInCode_) return;
            checkingInCode_ = true;
            a->setChecked(!on);
            checkingInCode_ = false;
        });
    }
    actionItems_[kShowSolution]->setEnabled(false);
    actionItems_[kClear]->setEnabled(false);

    // The maze codes' items go after the written ones, before 退出, in a group of their own.
    copyCode_ = new QAction(Shown(kCopyCodeCaption), gameMenu);
    playCode_ = new QAction(Shown(kPlayCodeCaption), gameMenu);
    print_ = new QAction(Shown(kPrintCaption), gameMenu);
    worksheets_ = new QAction(Shown(kWorksheetsCaption), gameMenu);
    gameMenu->insertActions(actionItems_[kExit], {copyCode_, playCode_, print_, worksheets_});
    gameMenu->insertSeparator(actionItems_[kExit]);
    BuildLastingItems(gameMenu);
    connect(copyCode_, &QAction::triggered, this, &QtForm::CopyMazeCode);
    connect(playCode_, &QAction::triggered, this, &QtForm::PlayMazeCode);
    connect(print_, &QAction::triggered, this, &QtForm::PrintMaze);
    connect(worksheets_, &QAction::triggered, this, &QtForm::OpenWorksheets);
    // How to play goes above the written About, which keeps its menu.
    howToPlay_ = new QAction(Shown(kHowToPlayCaption), helpMenu);
    helpMenu->insertAction(helpItems_[0], howToPlay_);
    helpMenu->insertSeparator(helpItems_[0]);
    connect(howToPlay_, &QAction::triggered, this, &QtForm::ShowHowToPlay);

    // The keyboard route of other desktop programs, shown beside the items. No walking key uses
    // these: Ctrl+Q is not Q, which walks the honeycomb. F1 is where players look for help.
    actionItems_[kNewGame]->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_N)});
    actionItems_[kExit]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    copyCode_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    playCode_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    print_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    howToPlay_->setShortcut(QKeySequence(Qt::Key_F1));
    // Zoom for the scene and the plan, after the view menu's written items.
    viewMenu->addSeparator();
    const auto zoomItem = [this, viewMenu](const std::string& caption, const QList<QKeySequence>& keys, int step) {
        QAction* action = viewMenu->addAction(Shown(caption));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, [this, step] {
            if (ending_) return;
            form_->ZoomKey(step);
            client_->update();
        });
    };
    zoomItem(kZoomInCaption, {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)}, 1);
    zoomItem(kZoomOutCaption, {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, -1);
    zoomItem(kWholeMazeCaption, {QKeySequence(Qt::CTRL | Qt::Key_0)}, 0);
    // F10 opens the menu bar; it is no item of its own.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
}

void QtForm::CopyMazeCode() {
    if (ending_ || !mazeCode_) return;
    const std::string code = mazeCode_();
    if (code.empty()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(code));
    // A note for a few seconds over the status line, whose written text stays.
    QToolTip::showText(text1_->mapToGlobal(QPoint(0, 0)), Shown(kCodeCopiedNote).arg(QString::fromStdString(code)),
                       text1_, QRect(), 3000);
}

namespace {

QString HowToPlayText() {
    return Shown(kHowToPlayText)
        .arg(Shown(kActionMenuCaption), Shown(kActionCaptions[kNewGame]), Shown(kActionCaptions[kShowSolution]),
             Shown(kActionCaptions[kClear]), Shown(kCopyCodeCaption), Shown(kPlayCodeCaption),
             Shown(kActionCaptions[kExit]), Shown(kStyleMenuCaption), Shown(kStyleCaptions[kHoneycomb]),
             Shown(kStyleCaptions[kSquare]), Shown(kPrintCaption), Shown(kViewMenuCaption), Shown(kViewCaptions[kOverview]),
             Shown(kViewCaptions[kFirstPerson]), Shown(kViewCaptions[kPlan]), Shown(kViewCaptions[kCornerMap]),
             Shown(kResumeCaption), Shown(kHideSolutionCaption), Shown(kSizeMenuCaption), Shown(kRecordsCaption),
             Shown(kMarkPlayerCaption), Shown(kMarkExitCaption), Shown(kBackToLastMazeCaption), Shown(kHintCaption),
             Shown(kPauseCaption), Shown(kWorksheetsCaption), Shown(kZoomInCaption),
             Shown(kZoomOutCaption), Shown(kWholeMazeCaption));
}

}  // namespace

void QtForm::ShowHowToPlay() {
    if (ending_) return;
    QMessageBox box(QMessageBox::NoIcon, Shown(kHowToPlayCaption), HowToPlayText(), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtForm::PlayMazeCode() {
    if (ending_ || playDialog_ != nullptr) return;
    PlayCodeDialog dialog(this);
    playDialog_ = &dialog;
    const bool accepted = dialog.exec() == QDialog::Accepted;
    playDialog_ = nullptr;
    if (accepted && dialog.Maze() && playMaze_ && !ending_) {
        playMaze_(*dialog.Maze());
        GrowForMaze(dialog.Maze()->shape);
        client_->update();
    }
}

QPrinter& QtForm::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

namespace {

// The print dialog holds on to a paper the maze does not print on: it says why and stays open.
class CheckedPrintDialog : public QPrintDialog {
public:
    CheckedPrintDialog(QPrinter* printer, QWidget* parent, std::function<bool()> check)
        : QPrintDialog(printer, parent), check_(std::move(check)) {}
    void done(int result) override {
        if (result == QDialog::Accepted && !check_()) return;
        QPrintDialog::done(result);
    }

private:
    std::function<bool()> check_;
};

constexpr std::pair<PageSize, const char*> kPaperNames[] = {
    {PageSize::A5, "a5"}, {PageSize::A4, "a4"}, {PageSize::A3, "a3"}, {PageSize::Letter, "letter"}, {PageSize::Legal, "legal"}};

// The paper the printer was given, as the tool names it; A4 for any other.
std::pair<PageSize, const char*> PrinterPaper(const QPrinter& printer) {
    const QPageSize::PageSizeId asked = printer.pageLayout().pageSize().id();
    for (const auto& known : kPaperNames) {
        if (PaperId(known.first) == asked) return known;
    }
    return kPaperNames[1];
}

}  // namespace

void QtForm::PrintMaze() {
    if (ending_ || printDialog_ != nullptr || !form_->State().HasMaze()) return;
    CheckedPrintDialog dialog(&Printer(), this, [this] {
        const std::string refusal = PrintRefusal(Printer());
        if (refusal.empty()) return true;
        QMessageBox box(QMessageBox::Warning, Shown(kCaption), Shown(kPrintRefused).arg(QString::fromStdString(refusal)),
                        QMessageBox::Ok, printDialog_);
        box.setObjectName(QStringLiteral("printRefusal"));
        box.exec();
        return false;
    });
    // The solution's page is asked for on a tab of the dialog's own.
    auto* options = new QWidget;
    options->setWindowTitle(Shown(kPrintTabTitle));
    auto* solution = new QCheckBox(Shown(kPrintSolutionCaption), options);
    solution->setObjectName(QStringLiteral("printSolution"));
    auto* layout = new QVBoxLayout(options);
    layout->addWidget(solution);
    layout->addStretch();
    dialog.setOptionTabs({options});
    printDialog_ = &dialog;
    const bool accepted = dialog.exec() == QDialog::Accepted;
    printDialog_ = nullptr;
    if (accepted && !ending_ && !PrintTo(Printer(), solution->isChecked())) {
        QMessageBox::warning(this, Shown(kCaption), Shown(kPrintFailed));
    }
}

std::string QtForm::PrintRefusal(const QPrinter& printer) const {
    // The tool itself decides, on the page it would print for the maze's code: its rules and
    // its words, whatever they become.
    const std::string title = Shown(kPrintTitle).toStdString();
    QTemporaryDir dir;
    std::ostringstream out, err;
    const int status = tool::RunTool({"render", "--code", form_->MazeCodeText(), "--page", PrinterPaper(printer).second,
                                      "--title", title, "--name-line", "--lang", title == kPrintTitle ? "zh" : "en",
                                      "--quiet", "--out", dir.filePath("check.pdf").toStdString()},
                                     out, err);
    return status == 2 ? tool::ErrorReason(err.str()) : std::string();
}

void QtForm::OpenWorksheets() {
    if (ending_ || worksheetDialog_ != nullptr) return;
    WorksheetDialog dialog(store_.get(), Shown(kPrintTitle) != QString::fromStdString(kPrintTitle), this);
    worksheetDialog_ = &dialog;
    dialog.exec();
    worksheetDialog_ = nullptr;
}

bool QtForm::PrintTo(QPrinter& printer, bool solution) {
    // Nothing goes to the printer that the tool would refuse on this paper.
    if (!PrintRefusal(printer).empty()) return false;
    // One unit a point, as the tool's PDF pages: the page's fonts and lines at their sizes.
    printer.setResolution(72);
    printer.setFullPage(true);
    const PageSize page = PrinterPaper(printer).first;
    PageDress dress;
    dress.title = Shown(kPrintTitle).toStdString();
    printer.setDocName(Shown(kPrintTitle));   // the PDF's Title, as the tool's
    dress.nameLine = true;
    // The page's words in the window's language: English where the texts are translated.
    dress.language = dress.title == kPrintTitle ? PageLanguage::Chinese : PageLanguage::English;
    return quivra::PrintMaze(printer, form_->State(), page, dress, solution);
}

void QtForm::PointerDown(QPointF point) {
    if (ending_ || !pointer_) return;
    // Only the drawing area: not the strip below the scroll bar, nor under the status line.
    if (point.x() >= vscroll1_->x() || point.y() >= text1_->y()) return;
    pointer_(point.x(), point.y());
    UpdateTouched();
}

void QtForm::ZoomAt(double wheel, double pinch, QPointF point) {
    if (ending_) return;
    if (wheel != 0) form_->ZoomWheel(wheel, point.x(), point.y());
    if (pinch != 1) form_->ZoomPinch(pinch, point.x(), point.y());
    client_->update();
}

QAction* QtForm::Action(Menu menu, int index) const {
    switch (menu) {
        case Menu::Action: return actionItems_.at(index);
        case Menu::Style: return styleItems_.at(index);
        case Menu::View: return viewItems_.at(index);
        case Menu::Help: break;
    }
    return helpItems_.at(index);
}

int QtForm::FromUnit(double value) const {
    const double logical = scaleMode_ == kScaleTwips ? value / kTwipsPerPixel : value / dpr_;
    return static_cast<int>(std::lround(logical));
}

double QtForm::ScaleWidth() const { return ToUnit(client_->width()); }
double QtForm::ScaleHeight() const { return ToUnit(client_->height()); }
int QtForm::WindowState() const { return isMinimized() ? kWindowMinimized : 0; }

void QtForm::Cls() {
    image_.fill(Qt::white);
    client_->update();
}

void QtForm::Refresh() {
    form_->Form_Paint();
    client_->update();
}

std::string QtForm::Text1Text() const { return text1_->text().toStdString(); }
void QtForm::SetText1Text(const std::string& text) {
    text1_->setText(Shown(text));
    text1_->setCursorPosition(0);   // a hint longer than the window shows its beginning
}
double QtForm::Text1Top() const { return ToUnit(text1_->y()); }
void QtForm::SetText1Top(double top) { text1_->move(text1_->x(), FromUnit(top)); }
double QtForm::Text1Width() const { return ToUnit(text1_->width()); }
void QtForm::SetText1Width(double width) { text1_->resize(FromUnit(width), text1_->height()); }
double QtForm::Text1Height() const { return ToUnit(text1_->height()); }

int QtForm::VScroll1Value() const { return vscroll1_->value(); }
void QtForm::SetVScroll1Value(int value) { vscroll1_->setValue(value); }
double QtForm::VScroll1Left() const { return ToUnit(vscroll1_->x()); }
void QtForm::SetVScroll1Left(double left) { vscroll1_->move(FromUnit(left), vscroll1_->y()); }
double QtForm::VScroll1Width() const { return ToUnit(vscroll1_->width()); }
double QtForm::VScroll1Height() const { return ToUnit(vscroll1_->height()); }
void QtForm::SetVScroll1Height(double height) { vscroll1_->resize(vscroll1_->width(), FromUnit(height)); }

bool QtForm::Timer1Enabled() const { return timer1_->isActive(); }
void QtForm::SetVScroll1Enabled(bool enabled) { vscroll1_->setEnabled(enabled); }
bool QtForm::FrameTimerActive() const { return frames_->isActive(); }
void QtForm::SetFrameTimer(bool enabled) {
    if (!enabled) {
        frames_->stop();
    } else if (!frames_->isActive()) {
        frames_->start();
    }
}
void QtForm::SetTimer1Enabled(bool enabled) {
    if (enabled && !ending_) {
        if (!timer1_->isActive()) timer1_->start();
    } else {
        timer1_->stop();
    }
}

bool QtForm::MenuChecked(Menu menu, int index) const { return Action(menu, index)->isChecked(); }
void QtForm::SetMenuChecked(Menu menu, int index, bool checked) {
    checkingInCode_ = true;
    Action(menu, index)->setChecked(checked);
    checkingInCode_ = false;
}
bool QtForm::MenuEnabled(Menu menu, int index) const { return Action(menu, index)->isEnabled(); }
void QtForm::SetMenuEnabled(Menu menu, int index, bool enabled) { Action(menu, index)->setEnabled(enabled); }

void QtForm::DoEvents() {
    UpdateTouched();
    QCoreApplication::processEvents();
}

void QtForm::UpdateTouched() {
    UpdateMarks();
    const QRect touched = dc_.TakeTouched();
    if (touched.isEmpty()) return;
    // Device pixels to logical ones, rounded outwards so a fractional ratio loses no edge.
    const QRectF device = QRectF(touched).adjusted(-1, -1, 1, 1);
    client_->update(QRectF(device.topLeft() / dpr_, device.size() / dpr_).toAlignedRect());
}

void QtForm::Beep() {
    ++beeps_;
    if (!RingDesktopBell()) ToolkitBeep();
}

bool QtForm::RingDesktopBell() { return bell_.Ring(); }
void QtForm::ToolkitBeep() { QApplication::beep(); }

void QtForm::MsgBox(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, Shown(title), UnbrokenWords(Shown(text)),
                    QMessageBox::Ok, this);
    box.exec();
}

void QtForm::OpenUrl(const std::string& url) { QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); }

void QtForm::EndProgram() {
    ending_ = true;
    timer1_->stop();
    frames_->stop();
    QCoreApplication::exit(0);
}

double QtForm::Timer() const { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }
double QtForm::Uptime() const { return static_cast<double>(uptime_.elapsed()) / 1000.0; }

int QtForm::VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    if ((modifiers & Qt::KeypadModifier) && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return vk::kPad0 + (qtKey - Qt::Key_0);
    }
    switch (qtKey) {
        case Qt::Key_PageUp: return vk::kPageUp;
        case Qt::Key_PageDown: return vk::kPageDown;
        case Qt::Key_End: return vk::kEnd;
        case Qt::Key_Home: return vk::kHome;
        case Qt::Key_Left: return vk::kLeft;
        case Qt::Key_Up: return vk::kUp;
        case Qt::Key_Right: return vk::kRight;
        case Qt::Key_Down: return vk::kDown;
        case Qt::Key_Clear: return vk::kClear;   // keypad 5 without NumLock
        default: break;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vk::k0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return vk::kA + (qtKey - Qt::Key_A);
    return -1;
}

bool QtForm::eventFilter(QObject* watched, QEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    // A window's ratio may change without a change of screen; Qt tells the window, not changeEvent.
    if (event->type() == QEvent::DevicePixelRatioChange && watched == this) {
        ScreenChanged();
        return false;
    }
#endif
    if (event->type() != QEvent::KeyPress) return false;
    // A key goes first to the focus widget and may then propagate to its parents: look at it once.
    QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (watched != first || first->window() != this) return false;
    if (ending_) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    int code = VirtualKeyCode(key->key(), key->modifiers());
    if (code < 0) return false;
    int shift = 0;
    if (key->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (key->modifiers() & Qt::ControlModifier) shift |= 2;
    if (key->modifiers() & Qt::AltModifier) shift |= 4;
    form_->Form_KeyDown(code, shift);
    UpdateTouched();
    return code == 0;
}

bool QtForm::UpdatePixelRatio() {
    const double dpr = client_->devicePixelRatioF();
    const QSize device = (QSizeF(client_->size()) * dpr).toSize().expandedTo(QSize(1, 1));
    const bool changed = dpr != dpr_;
    if (changed || image_.size() != device) {
        dpr_ = dpr;
        image_ = QImage(device, QImage::Format_RGB32);
        image_.setDevicePixelRatio(dpr);
        image_.fill(Qt::white);
        dc_.SetTarget(&image_);
    }
    return changed;
}

void QtForm::ClientResized() {
    UpdatePixelRatio();
    if (shown_ && !isMinimized() && !ending_) form_->Form_Resize();
}

void QtForm::ScreenChanged() {
    // Same logical size on a screen of another ratio: the same maze, drawn again at its pixels.
    if (UpdatePixelRatio() && shown_ && !isMinimized() && !ending_) Refresh();
}

void QtForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, &QtForm::ScreenChanged);
        UpdatePixelRatio();
        ShowSizeChoice();
        form_->Form_Resize();
    }
}

void QtForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !shown_ || ending_) return;
    const bool minimized = isMinimized();
    if (minimized != wasMinimized_) {
        wasMinimized_ = minimized;
        form_->Form_Resize();
    }
}

void QtForm::closeEvent(QCloseEvent* event) {
    int cancel = 0;
    if (!ending_) form_->Form_Unload(cancel);
    ending_ = true;
    timer1_->stop();
    frames_->stop();
    event->accept();
}

}  // namespace quivra
