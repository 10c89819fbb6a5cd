// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/status_line.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace quivra {

namespace {

// QLineEdit's own room around its text, inside the contents rectangle.
constexpr int kHorizontalMargin = 2;
constexpr int kVerticalMargin = 1;

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &StatusLine::Fit);
}

QRect StatusLine::TextRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    return contents.marginsRemoved(textMargins())
        .adjusted(kHorizontalMargin, kVerticalMargin, -kHorizontalMargin, -kVerticalMargin);
}

QString StatusLine::ShownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, TextRect().width()));
}

void StatusLine::Fit() {
    const QString tip = ShownText() == text() ? QString() : text();
    if (toolTip() != tip) setToolTip(tip);
}

void StatusLine::paintEvent(QPaintEvent* event) {
    const QString shown = ShownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);   // it fits: drawn as ever
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(TextRect(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

void StatusLine::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    Fit();
}

}  // namespace quivra
