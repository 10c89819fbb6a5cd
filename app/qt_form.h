// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real window: a Qt main window that implements FormHost and turns Qt events into the
// form's handlers. Everything is drawn into a backing image that paintEvent only copies, so an
// expose never restarts a build.
#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <QMenu>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/desktop.h"
#include "app/form_host.h"
#include "app/frm_main.h"
#include "maze/maze_code.h"

class QAction;
class QLabel;
class QLineEdit;
class QPrintDialog;
class QPrinter;
class QScrollBar;
class QTimer;

namespace quivra {
class ClientWidget;
class GameStore;
class MarksOverlay;
class PlayCodeDialog;
class WorksheetDialog;
class SizeDialog;
}

namespace quivra {

// A message's text as shown: lines break only at its blanks.
QString UnbrokenWords(const QString& text);
// The steps and the time on the status line, and once walked out, how the walk went.
QString CountersText(const FrmMain::Counters& counters);

// A menu that shows all of an item's shortcuts ("F2, Ctrl+N"), where Qt's shows only the first.
class ShortcutMenu : public QMenu {
public:
    ShortcutMenu(const QString& title, QWidget* parent);
    // An item's text as the menu draws it, its shortcuts after the tab.
    QString ShownText(const QAction* action) const;

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    // Qt sizes the shortcut column for first shortcuts only: widen it, and the menu, for all of them.
    int ShortcutColumnWidth() const;
    void FitShortcutColumn();
};

class QtForm : public QMainWindow, public FormHost {
    Q_OBJECT
public:
    QtForm();
    ~QtForm() override;

    FrmMain& Form() { return *form_; }
    QLineEdit* Text1() const { return text1_; }
    QScrollBar* VScroll1() const { return vscroll1_; }
    QTimer* Timer1() const { return timer1_; }
    QAction* Action(Menu menu, int index) const;
    QWidget* ClientArea() const { return client_; }
    const QImage& BackingImage() const { return image_; }
    int Beeps() const { return beeps_; }
    double PixelRatio() const { return dpr_; }
    // The game menu's maze-code items, outside the written items' indexes.
    QAction* CopyCodeAction() const { return copyCode_; }
    QAction* PlayCodeAction() const { return playCode_; }
    QAction* PrintAction() const { return print_; }
    // The printer Print uses, kept between prints as the dialog left it (tests name a PDF file).
    QPrinter& Printer();
    // The maze on screen printed as quivra-tool prints its code on paper, in the window's
    // language, with its solution on a second page when asked: what Print does after its dialog.
    bool PrintTo(QPrinter& printer, bool solution);
    // Why quivra-tool would refuse to print the maze on screen on this printer's paper (walls too
    // thin to print, with the largest size that prints), or empty: Print then sends nothing.
    std::string PrintRefusal(const QPrinter& printer) const;
    // The game menu's Worksheets…: booklets of new mazes, as the tool makes them.
    QAction* WorksheetsAction() const { return worksheets_; }
    WorksheetDialog* OpenWorksheetDialog() const { return worksheetDialog_; }
    // Help's How to Play (F1), above the written About: a modal box, like About's.
    QAction* HowToPlayAction() const { return howToPlay_; }
    virtual void ShowHowToPlay();

    // The size submenu: 适应窗口, the named sizes, then 自定义… (index kNamedSizes + 1).
    QMenu* SizeMenu() const { return sizeMenu_; }
    QAction* SizeAction(int index) const { return sizeItems_.at(index); }
    // The custom size dialog, while it is open (tests answer it).
    SizeDialog* OpenSizeDialog() const { return sizeDialog_; }
    QAction* ResumeAction() const { return resume_; }
    QAction* HideSolutionAction() const { return hideSolution_; }
    QAction* RecordsAction() const { return records_; }
    QAction* PauseAction() const { return pause_; }
    QAction* HintAction() const { return hint_; }
    QAction* BackToLastMazeAction() const { return backToLast_; }
    // The options: a mark on the player's cell and on the exit's (off at first, remembered).
    QAction* MarkPlayerAction() const { return markPlayer_; }
    QAction* MarkExitAction() const { return markExit_; }
    const MarksOverlay* Marks() const { return marks_; }
    // Steps and time, at the right end of the status line.
    QLabel* CountersLabel() const { return counters_; }

    // Keeps settings, the game and records in the user's folders (QStandardPaths), and starts with
    // the remembered window and maze size. Without it the window remembers nothing.
    void UseStore();
    GameStore* Store() const { return store_.get(); }
    // Before the first showing: the kept game is the first one (--resume). A broken one is said in
    // one line on standard error and in the status line, and the game starts as it always does.
    void ResumeAtStart();

    // What the game connects to the window's own commands; none set does nothing.
    // The code of the maze on screen, copied to the clipboard (empty: nothing to copy).
    void SetMazeCodeSource(std::function<std::string()> source) { mazeCode_ = std::move(source); }
    // A maze the player named by its code in the play dialog.
    void SetPlayMazeHandler(std::function<void(const NamedMaze&)> play) { playMaze_ = std::move(play); }
    // A left click or a one-finger tap on the drawing area, in its logical pixels (PixelRatio()
    // device pixels each).
    void SetPointerHandler(std::function<void(double x, double y)> pointer) { pointer_ = std::move(pointer); }
    // The dialog, while it is open (tests answer it).
    PlayCodeDialog* OpenPlayCodeDialog() const { return playDialog_; }
    QPrintDialog* OpenPrintDialog() const { return printDialog_; }

    // A maze chosen by the player (a size, a code) whose cells the overview would draw too small
    // to read: the window grows, within its screen's available area, until they are readable. Only
    // when chosen: a window sized by hand since stays as it is. The next maze is the game's code,
    // or its chosen size; a window-sized game never grows the window.
    void GrowForMaze(const MazeShape& shape);
    void GrowForNextMaze();

    // Windows virtual-key code of a Qt key event, or -1 for keys the game never looks at.
    static int VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

    // --- FormHost ----------------------------------------------------------------------------
    void Attach(FrmMain*) override {}
    double TwipsPerPixel() const override { return kTwipsPerPixel / dpr_; }
    int ScaleMode() const override { return scaleMode_; }
    void SetScaleMode(int mode) override { scaleMode_ = mode; }
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    int WindowState() const override;
    void Cls() override;
    void Refresh() override;
    DeviceContext& hDC() override { return dc_; }

    std::string Text1Text() const override;
    void SetText1Text(const std::string& text) override;
    double Text1Top() const override;
    void SetText1Top(double top) override;
    double Text1Width() const override;
    void SetText1Width(double width) override;
    double Text1Height() const override;

    int VScroll1Value() const override;
    void SetVScroll1Value(int value) override;
    double Uptime() const override;
    double VScroll1Left() const override;
    void SetVScroll1Left(double left) override;
    double VScroll1Width() const override;
    double VScroll1Height() const override;
    void SetVScroll1Height(double height) override;
    void SetVScroll1Enabled(bool enabled) override;

    bool Timer1Enabled() const override;
    void SetTimer1Enabled(bool enabled) override;
    void SetFrameTimer(bool enabled) override;
    bool FrameTimerActive() const;

    bool MenuChecked(Menu menu, int index) const override;
    void SetMenuChecked(Menu menu, int index, bool checked) override;
    bool MenuEnabled(Menu menu, int index) const override;
    void SetMenuEnabled(Menu menu, int index, bool enabled) override;

    void DoEvents() override;
    void Beep() override;
    void MsgBox(const std::string& text, const std::string& title) override;
    void OpenUrl(const std::string& url) override;
    void EndProgram() override;
    double Timer() const override;

protected:
    // The desktop's bell sound, and the toolkit's beep where that cannot play.
    virtual bool RingDesktopBell();
    virtual void ToolkitBeep();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class ClientWidget;
    void ClientResized();
    void ScreenChanged();
    // Follows the screen's device pixel ratio; true when it changed.
    bool UpdatePixelRatio();
    // Widgets are placed in logical pixels, which hold 15 twips at every ratio.
    double ToUnit(int logicalPixels) const {
        return scaleMode_ == kScaleTwips ? logicalPixels * kTwipsPerPixel : logicalPixels * dpr_;
    }
    int FromUnit(double value) const;
    void BuildMenus();
    // The game menu's items for a game that lasts, placed among its written ones.
    void BuildLastingItems(QMenu* gameMenu);
    // The size submenu's captions for the style in force, and the tick on the game's choice.
    void ShowSizeChoice();
    void ChooseSize(int index);
    void ResumeFromMenu();
    void ShowRecords();
    // Pause, the hint and the way back to the last maze, among the game menu's items.
    void BuildPlayItems(QMenu* gameMenu);
    void ShowHint();
    // The lasting items' states and the counters, as the game is now.
    void UpdateLastingItems();
    void SetText1Margin(int right);   // room kept for the counters at the status line's end
    // The marks follow the player and the drawing area.
    void UpdateMarks();
    // The game kept, the window's place and the settings written (once, at the end).
    void KeepOnClosing();
    // The window's remembered place, when it is on a screen there is now and fits it.
    void RestoreGeometry(const std::string& text);
    std::string GeometryText() const;
    // A problem with the store: one line on standard error.
    void SayProblem(const std::string& line) const;
    void CopyMazeCode();
    void PlayMazeCode();
    void PrintMaze();
    void OpenWorksheets();
    // A click or tap at a point of the client area, in logical pixels.
    void PointerDown(QPointF point);
    // Ctrl with the wheel (eighths of a degree), or a pinch's scaling, about a point of the client area.
    void ZoomAt(double wheel, double pinch, QPointF point);
    // Repaints the part of the window drawn into since the last time: a build or walking step.
    void UpdateTouched();

    QWidget* client_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QScrollBar* vscroll1_ = nullptr;
    QTimer* timer1_ = nullptr;
    std::vector<QAction*> actionItems_, styleItems_, helpItems_, viewItems_;
    QTimer* frames_ = nullptr;   // a move drawn in motion
    QAction* copyCode_ = nullptr;
    QAction* playCode_ = nullptr;
    QAction* howToPlay_ = nullptr;
    PlayCodeDialog* playDialog_ = nullptr;
    QAction* print_ = nullptr;
    QPrintDialog* printDialog_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    QAction* worksheets_ = nullptr;
    WorksheetDialog* worksheetDialog_ = nullptr;
    QMenu* sizeMenu_ = nullptr;
    std::vector<QAction*> sizeItems_;
    SizeDialog* sizeDialog_ = nullptr;
    QAction* resume_ = nullptr;
    QAction* hideSolution_ = nullptr;
    QAction* records_ = nullptr;
    QAction* pause_ = nullptr;
    QAction* hint_ = nullptr;
    QAction* backToLast_ = nullptr;
    QTimer* hintTimer_ = nullptr;
    QString hintShown_, hintUnder_;   // the hint on the status line, and what it showed before
    std::vector<Cell> hintCells_;     // the hint's cells drawn over the maze, from `hintFrom_`
    Cell hintFrom_;
    QLabel* counters_ = nullptr;
    QAction* markPlayer_ = nullptr;
    QAction* markExit_ = nullptr;
    MarksOverlay* marks_ = nullptr;
    QTimer* countersTimer_ = nullptr;
    std::unique_ptr<GameStore> store_;
    std::unique_ptr<RecordsStore> saidRecords_;   // the store's records, a failure said on stderr
    bool keptOnClosing_ = false;
    std::function<std::string()> mazeCode_;
    std::function<void(const NamedMaze&)> playMaze_;
    std::function<void(double, double)> pointer_;
    QImage image_;
    DeviceContext dc_;
    int scaleMode_ = kScaleTwips;
    double dpr_ = 1.0;
    bool shown_ = false;
    bool ending_ = false;   // closed, or Exit chosen: no handler runs any more
    bool wasMinimized_ = false;
    bool checkingInCode_ = false;
    DesktopBell bell_;
    QElapsedTimer uptime_;
    int beeps_ = 0;
    std::unique_ptr<FrmMain> form_;
};

}  // namespace quivra
