// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tool's one-line messages must be: valid UTF-8 (Qt's decoder as the judge) without a
// control character, a format character (they reorder or hide text) or a line or paragraph
// separator before the one line break at the end.
#include <QByteArray>
#include <QList>
#include <QString>

#include <algorithm>
#include <string>

namespace quivra::test {

inline bool OnePrintableLine(const std::string& line) {
    const QString text = QString::fromUtf8(line);
    if (text.toUtf8() != QByteArray::fromStdString(line) || !text.endsWith('\n')) return false;
    const QList<uint> characters = text.chopped(1).toUcs4();
    return std::none_of(characters.begin(), characters.end(), [](uint c) {
        const QChar::Category category = QChar::category(static_cast<char32_t>(c));
        return category == QChar::Other_Control || category == QChar::Other_Format ||
               category == QChar::Separator_Line || category == QChar::Separator_Paragraph;
    });
}

}  // namespace quivra::test
