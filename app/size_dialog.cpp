// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/size_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/form_design.h"

namespace quivra {

namespace {

QString Shown(const std::string& text) { return QCoreApplication::translate("Quivra", text.c_str()); }

}  // namespace

SizeDialog::SizeDialog(MazeStyle style, int cellsX, int cellsY, QWidget* parent) : QDialog(parent), style_(style) {
    setWindowTitle(Shown(kCustomSizeTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    // Wider than any style allows, so that a number beyond the limits is refused with its reason
    // rather than silently held at the end of the box.
    across_ = new QSpinBox(this);
    down_ = new QSpinBox(this);
    for (QSpinBox* box : {across_, down_}) box->setRange(0, 99999);
    across_->setValue(cellsX);
    down_->setValue(cellsY);
    form->addRow(Shown(kCellsAcrossPrompt), across_);
    form->addRow(Shown(kCellsDownPrompt), down_);
    reason_ = new QLabel(this);
    reason_->setWordWrap(true);
    reason_->setStyleSheet("QLabel { color: #b00000; }");
    reason_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SizeDialog::reject);
    for (QSpinBox* box : {across_, down_}) connect(box, &QSpinBox::valueChanged, reason_, &QLabel::hide);
    layout->addLayout(form);
    layout->addWidget(reason_);
    layout->addWidget(buttons);
}

void SizeDialog::accept() {
    const auto refusal = CheckCells(style_, across_->value(), down_->value());
    if (refusal) {
        QString reason = Shown(*refusal->text);
        if (reason.contains("%2")) reason = reason.arg(refusal->lo).arg(refusal->hi);
        reason_->setText(reason);
        reason_->show();
        adjustSize();
        return;
    }
    choice_ = SizeChoice::Custom(across_->value(), down_->value());
    QDialog::accept();
}

}  // namespace quivra
