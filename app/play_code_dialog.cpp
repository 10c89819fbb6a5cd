// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/play_code_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/form_design.h"
#include "game/code_check.h"

namespace quivra {

namespace {

QString Shown(const std::string& text) { return QCoreApplication::translate("Quivra", text.c_str()); }

}  // namespace

PlayCodeDialog::PlayCodeDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Shown(kPlayCodeTitle));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(Shown(kPlayCodePrompt), this);
    edit_ = new QLineEdit(this);
    edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QString(24, 'M')));
    prompt->setBuddy(edit_);
    reason_ = new QLabel(this);
    reason_->setWordWrap(true);
    reason_->setStyleSheet("QLabel { color: #b00000; }");
    reason_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PlayCodeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PlayCodeDialog::reject);
    // Typing again takes the refusal away: it spoke of the text before.
    connect(edit_, &QLineEdit::textEdited, reason_, &QLabel::hide);
    layout->addWidget(prompt);
    layout->addWidget(edit_);
    layout->addWidget(reason_);
    layout->addWidget(buttons);
}

void PlayCodeDialog::accept() {
    // A code copied from a page or a message often comes with blanks or a line break around it.
    const MazeCodeResult parsed = CheckPlayableCode(edit_->text().trimmed().toStdString());
    if (!parsed.maze) {
        QString reason = Shown(kCodeRefusals[static_cast<int>(parsed.refusal)]);
        if (parsed.refusal == CodeRefusal::kLimits) reason = reason.arg(MazeShape::kMaxSide).arg(MazeShape::kMaxGridPositions);
        reason_->setText(reason);
        reason_->show();
        adjustSize();   // room for the reason's lines
        edit_->setFocus();
        edit_->selectAll();
        return;
    }
    maze_ = parsed.maze;
    QDialog::accept();
}

}  // namespace quivra
