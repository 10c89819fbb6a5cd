// SPDX-License-Identifier: GPL-3.0-or-later
// The real window's items for a game that lasts: the maze size, resuming, the peek at the correct
// path, steps and time, records, and what is remembered between runs.
#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <charconv>
#include <cstdio>
#include <string_view>

#include "app/game_store.h"
#include "app/marks_overlay.h"
#include "app/qt_form.h"
#include "app/size_dialog.h"
#include "app/status_line.h"

namespace quivra {

namespace {

QString Tr(const std::string& text) { return QCoreApplication::translate("Quivra", text.c_str()); }

constexpr int kCustomSizeIndex = kNamedSizes + 1;

}  // namespace

void QtForm::BuildLastingItems(QMenu* gameMenu) {
    // Each beside the written item it belongs with: resuming after 新游戏, hiding the correct path
    // after showing it, the size and the records after 清除, before the written separator.
    resume_ = new QAction(Tr(kResumeCaption), gameMenu);
    gameMenu->insertAction(actionItems_[kShowSolution], resume_);
    hideSolution_ = new QAction(Tr(kHideSolutionCaption), gameMenu);
    hideSolution_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    gameMenu->insertAction(actionItems_[kClear], hideSolution_);
    BuildPlayItems(gameMenu);
    records_ = new QAction(Tr(kRecordsCaption), gameMenu);
    markPlayer_ = new QAction(Tr(kMarkPlayerCaption), gameMenu);
    markExit_ = new QAction(Tr(kMarkExitCaption), gameMenu);
    QAction* separator = actionItems_[kClear + 1];
    sizeMenu_ = new QMenu(Tr(kSizeMenuCaption), gameMenu);
    gameMenu->insertMenu(separator, sizeMenu_);
    auto* group = new QActionGroup(sizeMenu_);
    for (int i = 0; i <= kCustomSizeIndex; ++i) {
        QAction* item = sizeMenu_->addAction(QString());
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] { ChooseSize(i); });
        sizeItems_.push_back(item);
        if (i == 0 || i == kNamedSizes) sizeMenu_->addSeparator();
    }
    connect(sizeMenu_, &QMenu::aboutToShow, this, &QtForm::ShowSizeChoice);
    gameMenu->insertAction(separator, records_);
    gameMenu->insertSeparator(separator);
    for (auto [item, key] : {std::pair{markPlayer_, "options/markPlayer"}, std::pair{markExit_, "options/markExit"}}) {
        item->setCheckable(true);
        gameMenu->insertAction(separator, item);
        connect(item, &QAction::toggled, this, [this, key = std::string(key)](bool on) {
            UpdateMarks();
            if (store_ && !store_->SetSetting(key, on ? "true" : "false")) SayProblem(store_->Problem());
        });
    }
    // Under the controls: they stay on top, whatever the layout a too small window leaves.
    marks_ = new MarksOverlay(client_);
    marks_->stackUnder(vscroll1_);
    marks_->stackUnder(text1_);
    connect(resume_, &QAction::triggered, this, &QtForm::ResumeFromMenu);
    connect(hideSolution_, &QAction::triggered, this, [this] {
        if (ending_) return;
        form_->HideCorrectPath();
        UpdateLastingItems();
        client_->update();
    });
    connect(records_, &QAction::triggered, this, &QtForm::ShowRecords);
    connect(gameMenu, &QMenu::aboutToShow, this, &QtForm::UpdateLastingItems);
    // Whether a shortcut may fire follows the game, so the items' states follow it often.
    countersTimer_ = new QTimer(this);
    countersTimer_->setInterval(250);
    connect(countersTimer_, &QTimer::timeout, this, &QtForm::UpdateLastingItems);
    countersTimer_->start();
    counters_ = new QLabel(text1_);
    // A field of its own at the right end of the status line, which draws its text short of it.
    counters_->setStyleSheet("QLabel { background: white; padding: 0 4px; border-left: 1px solid #a0a0a0; }");
    counters_->hide();
    ShowSizeChoice();
    UpdateLastingItems();
}

void QtForm::UpdateMarks() {
    if (!form_ || !marks_) return;
    // Over the drawing area only: the scroll bar and the status line stay uncovered.
    const QRect area(0, 0, vscroll1_->x(), text1_->y());
    if (marks_->geometry() != area) marks_->setGeometry(area);
    // The marks follow the tilted scene; the plan draws its own arrow for the player and marks the
    // exit, and in first person the player stands in the cell.
    const bool overview = form_->CurrentView() == FrmMain::View::Overview;
    const MarkOptions options{overview && markPlayer_->isChecked(), overview && markExit_->isChecked()};
    const ViewParams shown = form_->ShownSceneView();
    marks_->Follow(form_->State(), options, DrawAreaHeightPixels(*this), dpr_, &shown);
    // The hint's line while its words show, until the player moves on.
    const Cell at{form_->State().walk().playerX, form_->State().walk().playerY};
    if (!(at == hintFrom_) || !hintTimer_ || !hintTimer_->isActive()) hintCells_.clear();
    marks_->ShowHint(form_->Paused() ? std::vector<PicturePoint>{} : form_->HintLine(hintCells_), dpr_);
}

// Only a change repaints: the items are brought up to date four times a second.
void QtForm::SetText1Margin(int right) {
    if (text1_->textMargins() != QMargins(0, 0, right, 0)) text1_->setTextMargins(0, 0, right, 0);
}

void QtForm::UpdateLastingItems() {
    if (!form_ || ending_) return;
    UpdateMarks();
    resume_->setEnabled(store_ && store_->HasKeptGame());
    backToLast_->setEnabled(form_->HasLastMaze());
    pause_->setChecked(form_->Paused());
    hideSolution_->setEnabled(form_->CanHideCorrectPath());
    const auto counters = form_->CurrentCounters();
    auto* statusLine = static_cast<StatusLine*>(text1_);
    if (!counters) {
        if (form_->ShowFinishText("")) client_->update();
        counters_->hide();
        SetText1Margin(0);
        statusLine->Fit();
        return;
    }
    counters_->setText(CountersText(*counters));
    // Walking out, the view from inside shows the summary over itself.
    if (form_->ShowFinishText(counters->win ? (Tr(kCongratulation) + "\n" + counters_->text()).toStdString() : "")) {
        client_->update();
    }
    const int width = counters_->sizeHint().width();
    counters_->setGeometry(text1_->width() - width, 1, width, text1_->height() - 1);
    SetText1Margin(width);
    statusLine->Fit();
    counters_->show();
}

QString CountersText(const FrmMain::Counters& counters) {
    QString text = Tr(counters.win ? kWalkSummary : kStepsAndTime).arg(counters.steps);
    if (counters.win) text = text.arg(counters.win->shortest);
    text = text.arg(QString::fromStdString(ClockText(counters.seconds)));
    if (counters.win && counters.win->helped) return text + " " + Tr(kWithHelp);
    if (counters.win && counters.win->perfect) text += " " + Tr(kPerfectWalk);
    if (counters.win && (counters.win->fastest || counters.win->fewest)) text += " " + Tr(kNewRecord);
    return text;
}

void QtForm::BuildPlayItems(QMenu* gameMenu) {
    hint_ = new QAction(Tr(kHintCaption), gameMenu);
    hint_->setShortcut(QKeySequence(Qt::Key_F3));
    gameMenu->insertAction(actionItems_[kClear], hint_);
    pause_ = new QAction(Tr(kPauseCaption), gameMenu);
    pause_->setCheckable(true);
    pause_->setShortcuts({QKeySequence(Qt::Key_Pause), QKeySequence(Qt::Key_P)});
    gameMenu->insertAction(actionItems_[kClear], pause_);
    backToLast_ = new QAction(Tr(kBackToLastMazeCaption), gameMenu);
    backToLast_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    gameMenu->insertAction(actionItems_[kShowSolution], backToLast_);
    hintTimer_ = new QTimer(this);
    hintTimer_->setSingleShot(true);
    hintTimer_->setInterval(2000);
    connect(hintTimer_, &QTimer::timeout, this, [this] {
        if (!ending_ && text1_->text() == hintShown_) text1_->setText(hintUnder_);
        UpdateMarks();
    });
    connect(hint_, &QAction::triggered, this, &QtForm::ShowHint);
    connect(pause_, &QAction::triggered, this, [this](bool on) {
        if (ending_) return;
        form_->SetPaused(on);
        UpdateLastingItems();
        client_->update();
    });
    connect(backToLast_, &QAction::triggered, this, [this] {
        if (ending_ || !form_->HasLastMaze()) return;
        form_->BackToLastMaze();
        UpdateLastingItems();
        client_->update();
    });
}

void QtForm::ShowHint() {
    if (ending_) return;
    const GameLife::HintPath hint = form_->TakeHint();
    if (hint.directions.empty()) {
        Beep();
        return;
    }
    const bool honeycomb = form_->CheckedStyle() == MazeStyle::Honeycomb;
    QStringList ways;
    for (const int d : hint.directions) ways << Tr(honeycomb ? kHoneycombWays[d] : kSquareWays[d]);
    if (!hintTimer_->isActive()) hintUnder_ = text1_->text();
    hintShown_ = Tr(kHintText).arg(ways.join(Tr(kHintWaysApart)));
    text1_->setText(hintShown_);
    hintTimer_->start();
    hintCells_ = hint.cells;
    hintFrom_ = {form_->State().walk().playerX, form_->State().walk().playerY};
    UpdateLastingItems();
}

void QtForm::SayProblem(const std::string& line) const {
    if (!line.empty()) std::fprintf(stderr, "quivra: %s\n", line.c_str());
}

void QtForm::UseStore() {
    store_ = std::make_unique<GameStore>();
    RestoreGeometry(store_->Setting("window/geometry"));
    SayProblem(store_->Problem());   // settings not of ours, or set aside: said once
    if (const auto size = SizeChoiceFromKey(store_->Setting("maze/size"))) form_->StartWithSize(*size);
    markPlayer_->setChecked(store_->Setting("options/markPlayer") == "true");
    markExit_->setChecked(store_->Setting("options/markExit") == "true");
    // A win the records could not take is said in one line; the game plays on.
    struct SaidRecords : RecordsStore {
        const QtForm& form;
        GameStore& store;
        SaidRecords(const QtForm& f, GameStore& s) : form(f), store(s) {}
        std::optional<WinReport> RecordWin(const std::string& key, int steps, int shortest, double seconds) override {
            auto report = store.RecordWin(key, steps, shortest, seconds);
            form.SayProblem(store.Problem());
            return report;
        }
    };
    saidRecords_ = std::make_unique<SaidRecords>(*this, *store_);
    form_->UseRecords(saidRecords_.get());
    // The kept file goes once the game resumed from it stands; until then it is what is kept.
    form_->resumedGameStands = [this] {
        if (store_ && !store_->RemoveKept()) SayProblem(store_->Problem());
    };
    // A session that ends without closing the window first still keeps the game.
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { KeepOnClosing(); });
#endif
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { KeepOnClosing(); });
    ShowSizeChoice();
    UpdateLastingItems();
}

// Remembered as the normal geometry, "x y width height", with " max" when maximised.
void QtForm::RestoreGeometry(const std::string& text) {
    int v[4] = {};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (int& value : v) {
        while (at < end && *at == ' ') ++at;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc()) return;   // none, or not ours: the written default size
        at = next;
    }
    const QRect rect(v[0], v[1], v[2], v[3]);
    if (rect.width() < minimumWidth() || rect.height() < minimumHeight() || rect.width() < 1 || rect.height() < 1) {
        return;
    }
    // On a screen there is now, and no larger than it; else the default size on the primary screen.
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        if (!area.intersects(rect) || rect.width() > area.width() || rect.height() > area.height()) continue;
        setGeometry(rect);
        if (std::string_view(at, static_cast<size_t>(end - at)) == " max") setWindowState(Qt::WindowMaximized);
        return;
    }
}

std::string QtForm::GeometryText() const {
    const QRect rect = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    return std::to_string(rect.x()) + " " + std::to_string(rect.y()) + " " + std::to_string(rect.width()) + " " +
           std::to_string(rect.height()) + (isMaximized() ? " max" : "");
}

void QtForm::KeepOnClosing() {
    if (!store_ || keptOnClosing_) return;
    keptOnClosing_ = true;
    // One line for all that could not be kept (a full disk fails them all).
    std::string problems;
    if (const auto kept = form_->GameToKeep()) {
        if (!store_->Keep(*kept)) {
            problems = store_->Problem();
            if (!ending_ && isVisible()) SetText1Text(kGameNotKept);
        }
    }
    if (!store_->SetSetting("window/geometry", GeometryText()) && !store_->Problem().empty()) {
        problems += (problems.empty() ? "" : "; ") + store_->Problem();
    }
    SayProblem(problems);
}

void QtForm::ResumeAtStart() {
    if (!store_) return;
    const auto kept = store_->ReadKept();
    if (kept) {
        const bool another = store_->OtherKeptGames() > 0;
        form_->StartWithKeptGame(*kept);
        if (another) form_->NoticeAfterBuild(kAnotherGameKept);
        return;
    }
    // A stranger in a kept game's place was left as it is: no game to resume, and stderr says why.
    const bool broken = store_->KeptGameBroken();
    SayProblem(store_->Problem().empty() ? "there is no kept game to resume" : store_->Problem());
    form_->NoticeAfterBuild(broken ? kKeptGameBroken : kNoKeptGame);
}

void QtForm::ResumeFromMenu() {
    if (ending_ || !store_) return;
    const auto kept = store_->ReadKept();
    if (kept) {
        const bool another = store_->OtherKeptGames() > 0;
        form_->ResumeGame(*kept);
        if (another) form_->NoticeAfterBuild(kAnotherGameKept);
    } else {
        SayProblem(store_->Problem());
        SetText1Text(store_->KeptGameBroken() ? kKeptGameBroken : kNoKeptGame);
    }
    UpdateLastingItems();
    client_->update();
}

void QtForm::ShowRecords() {
    if (ending_) return;
    QDialog dialog(this);
    dialog.setWindowTitle(Tr(kRecordsCaption));
    auto* layout = new QVBoxLayout(&dialog);
    const Records records = store_ ? store_->LoadRecords() : Records();
    if (store_) SayProblem(store_->Problem());
    if (records.Entries().empty()) {
        layout->addWidget(new QLabel(Tr(kNoRecords), &dialog));
    } else {
        auto* table = new QTableWidget(static_cast<int>(records.Entries().size()), 6, &dialog);
        QStringList headers;
        for (const std::string& column : kRecordColumns) headers << Tr(column);
        table->setHorizontalHeaderLabels(headers);
        table->verticalHeader()->hide();
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        int row = 0;
        for (const auto& [key, entry] : records.Entries()) {
            const size_t blank = key.find(' ');
            const std::string styleName = key.substr(0, blank), size = key.substr(blank + 1);
            const auto* rules = RulesNamed(styleName);
            const auto choice = SizeChoiceFromKey(size);
            QString sizeText = QString::fromStdString(size).replace('x', QChar(0xd7));
            if (choice && choice->kind == SizeChoice::Kind::Named) sizeText = Tr(kSizeNames[choice->named]);
            const QString cells[6] = {
                rules ? Tr(kStyleCaptions[rules->style == MazeStyle::Honeycomb ? kHoneycomb : kSquare])
                      : QString::fromStdString(styleName),
                sizeText,
                QString::number(entry.wins),
                QString::fromStdString(ClockText(entry.bestSeconds)),
                QString::number(entry.fewestSteps),
                QString::number(entry.perfectWalks)};
            for (int column = 0; column < 6; ++column) table->setItem(row, column, new QTableWidgetItem(cells[column]));
            ++row;
        }
        table->resizeColumnsToContents();
        table->setMinimumWidth(table->horizontalHeader()->length() + 4);
        layout->addWidget(table);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
}

void QtForm::ShowSizeChoice() {
    const MazeStyle style = form_ ? form_->CheckedStyle() : MazeStyle::Square;
    sizeItems_[0]->setText(Tr(kFitWindowCaption));
    for (int i = 0; i < kNamedSizes; ++i) {
        const MazeShape shape = NamedSizeShape(style, i);
        sizeItems_[i + 1]->setText(QString("%1\t%2×%3").arg(Tr(kSizeNames[i])).arg(shape.cellsX).arg(shape.cellsY));
    }
    const SizeChoice choice = form_ ? form_->State().Size() : SizeChoice::Fit();
    QString custom = Tr(kCustomSizeCaption);
    if (choice.kind == SizeChoice::Kind::Custom) {
        const MazeShape shape = *ChosenShape(style, choice);
        custom += QString("\t%1×%2").arg(shape.cellsX).arg(shape.cellsY);
    }
    sizeItems_[kCustomSizeIndex]->setText(custom);
    const int ticked = choice.kind == SizeChoice::Kind::FitWindow ? 0
                       : choice.kind == SizeChoice::Kind::Named  ? choice.named + 1
                                                                 : kCustomSizeIndex;
    sizeItems_[ticked]->setChecked(true);
}

void QtForm::ChooseSize(int index) {
    if (ending_) return;
    SizeChoice choice = SizeChoice::Fit();
    if (index > 0 && index <= kNamedSizes) {
        choice = SizeChoice::Named(index - 1);
    } else if (index == kCustomSizeIndex) {
        if (sizeDialog_ != nullptr) return;
        const MazeShape now = form_->State().HasMaze()
                                  ? MazeShape::Of(form_->CheckedStyle(), form_->State().maze().cellsX,
                                                  form_->State().maze().cellsY)
                                  : NamedSizeShape(form_->CheckedStyle(), 0);
        SizeDialog dialog(form_->CheckedStyle(), now.cellsX, now.cellsY, this);
        sizeDialog_ = &dialog;
        const bool accepted = dialog.exec() == QDialog::Accepted && dialog.Choice();
        sizeDialog_ = nullptr;
        if (!accepted || ending_) {
            ShowSizeChoice();   // the tick goes back where it was
            return;
        }
        choice = *dialog.Choice();
    }
    form_->ChooseSize(choice);
    GrowForNextMaze();
    if (store_ && !store_->SetSetting("maze/size", SizeChoiceKey(choice))) SayProblem(store_->Problem());
    ShowSizeChoice();
    client_->update();
}

}  // namespace quivra
