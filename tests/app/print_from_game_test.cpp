// SPDX-License-Identifier: GPL-3.0-or-later
// The game's Print (Ctrl+P): through the toolkit's print dialog to a PDF printer, the page
// quivra-tool prints for the same maze code, in the window's language, and the solution's page
// when the dialog's own tab asks for it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "app/desktop.h"
#include "app/qt_form.h"
#include "tests/support/shell.h"
#include "tools/tool_cli.h"

namespace quivra {
namespace {

using test::Shell;

// A page of a PDF as pdftoppm draws it at 72 dots an inch.
QImage PageImage(const std::string& pdf, int page) {
    const std::string p = std::to_string(page), png = pdf + "." + p;
    if (!Shell("pdftoppm -r 72 -png -singlefile -f " + p + " -l " + p + " " + pdf + " " + png)) return {};
    return QImage(QString::fromStdString(png + ".png")).convertToFormat(QImage::Format_RGB32);
}

TEST(GamePrint, CtrlPPrintsThePageTheToolPrintsForTheCode) {
    if (!Shell("command -v pdftoppm && command -v pdftotext")) GTEST_SKIP() << "needs poppler-utils";
    struct Case {
        const char* language;   // the window's
        const char* lang;       // the tool's --lang
        const char* title;
        bool solution;
        const char* solutionWords;   // on the second page
    };
    const Case cases[] = {
        {"zh_CN", "zh", "Quivra 迷宫", false, ""},
        {"en", "en", "Quivra maze", true, "Solutions: Quivra maze"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(UseLanguage(c.language));
        QtForm w;
        w.Timer1()->setInterval(5);
        w.resize(700, 500);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.Form().State().build.buildStage == kStageFinished; }, 10000));
        EXPECT_EQ(w.PrintAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        const std::string code = w.Form().MazeCodeText();
        const std::string game = testing::TempDir() + "quivra_game_print_" + c.lang + ".pdf";
        const std::string tool = testing::TempDir() + "quivra_tool_print_" + c.lang + ".pdf";
        std::filesystem::remove(game);
        w.Printer().setOutputFileName(QString::fromStdString(game));
        bool answered = false;
        QTimer::singleShot(100, [&] {
            QPrintDialog* dialog = w.OpenPrintDialog();
            if (dialog == nullptr) return;
            auto* solution = dialog->findChild<QCheckBox*>("printSolution");
            if (solution == nullptr) return;
            solution->setChecked(c.solution);
            answered = true;
            dialog->accept();
        });
        QTest::keyClick(w.windowHandle(), Qt::Key_P, Qt::ControlModifier);
        ASSERT_TRUE(answered) << c.language;
        ASSERT_TRUE(std::filesystem::exists(game)) << c.language;

        std::ostringstream out, err;
        ASSERT_EQ(tool::RunTool({"render", "--code", code, "--page", "a4", "--title", c.title, "--name-line", "--lang",
                                 c.lang, "--out", tool},
                                out, err),
                  0)
            << err.str();
        const QImage printed = PageImage(game, 1), expected = PageImage(tool, 1);
        ASSERT_FALSE(expected.isNull());
        ASSERT_EQ(printed.size(), expected.size()) << c.language;
        long same = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x) same += printed.pixel(x, y) == expected.pixel(x, y);
        EXPECT_GE(double(same) / (expected.width() * expected.height()), 0.999) << c.language;
        const std::string info = Shell("pdfinfo " + game).value_or("");
        EXPECT_NE(info.find(c.solution ? "Pages:           2" : "Pages:           1"), std::string::npos) << info;
        EXPECT_NE(info.find("Title:           " + std::string(c.title)), std::string::npos) << info;
        if (c.solution) {
            const std::string text = Shell("pdftotext -f 2 -l 2 " + game + " -").value_or("");
            EXPECT_NE(text.find(c.solutionWords), std::string::npos) << text;
            EXPECT_NE(text.find(code), std::string::npos) << text;
        }
    }
    UseLanguage(kSourceLanguage);
}

}  // namespace
}  // namespace quivra
