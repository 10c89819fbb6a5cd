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
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

#include "app/game_store.h"
#include "app/marks_overlay.h"
#include "app/qt_form.h"
#include "app/size_dialog.h"

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
    counters_->setStyleSheet("QLabel { background: white; padding: 0 4px; }");
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
}

void QtForm::UpdateLastingItems() {
    if (!form_ || ending_) return;
    UpdateMarks();
    resume_->setEnabled(store_ && store_->HasKeptGame());
    hideSolution_->setEnabled(form_->CanHideCorrectPath());
    const auto counters = form_->CurrentCounters();
    if (!counters) {
        if (form_->ShowFinishText("")) client_->update();
        counters_->hide();
        text1_->setTextMargins(0, 0, 0, 0);
        return;
    }
    QString text = Tr(counters->win ? kWalkSummary : kStepsAndTime).arg(counters->steps);
    if (counters->win) text = text.arg(counters->win->shortest);
    text = text.arg(QString::fromStdString(ClockText(counters->seconds)));
    if (counters->win && counters->win->perfect) text += " " + Tr(kPerfectWalk);
    if (counters->win && (counters->win->fastest || counters->win->fewest)) text += " " + Tr(kNewRecord);
    counters_->setText(text);
    // Walking out, the view from inside shows the summary over itself.
    if (form_->ShowFinishText(counters->win ? (Tr(kCongratulation) + "\n" + text).toStdString() : "")) client_->update();
    const int width = counters_->sizeHint().width();
    counters_->setGeometry(text1_->width() - width, 1, width, text1_->height() - 1);
    text1_->setTextMargins(0, 0, width, 0);
    counters_->show();
}

void QtForm::SayProblem(const std::string& line) const {
    if (!line.empty()) std::fprintf(stderr, "quivra: %s\n", line.c_str());
}

void QtForm::UseStore() {
    store_ = std::make_unique<GameStore>();
    // Qt keeps a restored window within the screens there are now.
    const QByteArray geometry = store_->Bytes("window/geometry");
    if (!geometry.isEmpty()) restoreGeometry(geometry);
    if (const auto size = SizeChoiceFromKey(store_->Setting("maze/size"))) form_->StartWithSize(*size);
    markPlayer_->setChecked(store_->Setting("options/markPlayer") == "true");
    markExit_->setChecked(store_->Setting("options/markExit") == "true");
    form_->walkedOut = [this](const std::string& key, int steps, int shortest, double seconds) {
        Records records = store_->LoadRecords();
        const WinReport report = records.Add(key, steps, shortest, seconds);
        if (!store_->SaveRecords(records)) SayProblem(store_->Problem());
        return std::optional<WinReport>(report);
    };
    // A session that ends without closing the window first still keeps the game.
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { KeepOnClosing(); });
#endif
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { KeepOnClosing(); });
    ShowSizeChoice();
    UpdateLastingItems();
}

void QtForm::KeepOnClosing() {
    if (!store_ || keptOnClosing_) return;
    keptOnClosing_ = true;
    if (const auto kept = form_->GameToKeep()) {
        if (!store_->Keep(*kept)) SayProblem(store_->Problem());
    }
    if (!store_->SetBytes("window/geometry", saveGeometry())) SayProblem(store_->Problem());
}

void QtForm::ResumeAtStart() {
    if (!store_) return;
    const auto kept = store_->TakeKept();
    if (kept) {
        form_->StartWithKeptGame(*kept);
        return;
    }
    const bool broken = !store_->Problem().empty();
    SayProblem(broken ? store_->Problem() : "there is no kept game to resume");
    form_->NoticeAfterBuild(broken ? kKeptGameBroken : kNoKeptGame);
}

void QtForm::ResumeFromMenu() {
    if (ending_ || !store_) return;
    const auto kept = store_->TakeKept();
    if (kept) {
        form_->ResumeGame(*kept);
    } else {
        SayProblem(store_->Problem());
        SetText1Text(store_->Problem().empty() ? kNoKeptGame : kKeptGameBroken);
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
    if (store_ && !store_->SetSetting("maze/size", SizeChoiceKey(choice))) SayProblem(store_->Problem());
    ShowSizeChoice();
    client_->update();
}

}  // namespace quivra
