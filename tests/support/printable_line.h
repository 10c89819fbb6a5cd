// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tool's one-line messages must be: valid UTF-8 (Qt's decoder as the judge) without a
// control character before the one line break at the end.
#include <QByteArray>
#include <QString>

#include <string>

namespace quivra::test {

inline bool OnePrintableLine(const std::string& line) {
    const QString text = QString::fromUtf8(line);
    if (text.toUtf8() != QByteArray::fromStdString(line) || !text.endsWith('\n')) return false;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i].category() == QChar::Other_Control) return false;
    }
    return true;
}

}  // namespace quivra::test
