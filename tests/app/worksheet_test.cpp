// SPDX-License-Identifier: GPL-3.0-or-later
// Worksheets… from the game menu: the dialog's choices make quivra-tool's booklet, once; a
// cancelled run leaves nothing; the choices come back next time. And Print refuses, with the
// tool's reason, a maze the tool would refuse on that paper, sending nothing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <ctime>
#include <functional>
#include <sstream>
#include <string>

#include "app/desktop.h"
#include "app/form_design.h"
#include "app/qt_form.h"
#include "app/worksheet_dialog.h"
#include "maze/maze_code.h"
#include "modal_guard.h"
#include "tests/app/window_wait.h"
#include "tests/support/shell.h"
#include "tools/tool_cli.h"

namespace quivra {
namespace {

using test::Shell;

QString Translated(const std::string& text) { return QCoreApplication::translate("Quivra", text.c_str()); }

// A file's bytes, or "" when it cannot be read; `text` written over it first when given.
QByteArray Bytes(const QString& path, const char* text = nullptr) {
    QFile file(path);
    if (text) return file.open(QIODevice::WriteOnly) && file.write(text) >= 0 ? QByteArray(text) : QByteArray();
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool ShowBuilt(QtForm& w) {
    w.Timer1()->setInterval(5);
    w.resize(640, 480);
    w.show();
    return QTest::qWaitForWindowExposed(&w) && test::WaitForBuild(w);
}

// Worksheets… from the game menu; `body` runs on the open dialog, which is then closed.
bool WithWorksheets(QtForm& w, const std::function<void(WorksheetDialog&)>& body) {
    const test::ModalGuard guard(60000);   // a dialog left open fails the test rather than holding it
    bool ran = false;
    QTimer::singleShot(0, [&] {
        WorksheetDialog* dialog = w.OpenWorksheetDialog();
        if (dialog == nullptr) return;
        body(*dialog);
        ran = true;
        dialog->reject();
    });
    w.WorksheetsAction()->trigger();
    return ran && !guard.Fired();
}

void Choose(QDialog& dialog, const char* name, int index) {
    auto* box = dialog.findChild<QComboBox*>(name);
    ASSERT_NE(box, nullptr) << name;
    box->setCurrentIndex(index);
}

std::string Info(const QString& pdf) { return Shell("pdfinfo '" + pdf.toStdString() + "'").value_or(""); }
std::string Text(const QString& pdf, int page) {
    const std::string p = std::to_string(page);
    return Shell("pdftotext -f " + p + " -l " + p + " '" + pdf.toStdString() + "' -").value_or("");
}
QStringList FilesIn(const QTemporaryDir& dir) { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

TEST(Worksheets, TheDialogsChoicesMakeThatBooklet) {
    if (!Shell("command -v pdfinfo && command -v pdftotext")) GTEST_SKIP() << "needs poppler-utils";
    ASSERT_TRUE(UseLanguage(kSourceLanguage));
    // Indexes as the dialog lists them: style square, hex; level 1..5, then by cells; 1 2 4 6 a
    // page; A4 A5 A3 Letter Legal; solutions at the end, in a file, none; Chinese, English.
    struct Case {
        int style, level, cellsX, cellsY, count, perPage, paper;
        const char* title;
        int solutions, language;
        // Worked by hand: pages of mazes (and of their solutions after them, or in their file).
        int pages, solutionFilePages;
        const char* paperLine;                  // pdfinfo's page size
        const char *lastMaze, *lastSolution;    // on the last page of mazes, and of solutions
    };
    const Case cases[] = {
        {0, 1, 0, 0, 30, 2, 0, "Class 2 Monday", 0, 0, 16, 0, "595 x 842 pts (A4)", "迷宫 30", "答案 30"},
        {1, 0, 0, 0, 5, 1, 1, "", 1, 1, 3, 3, "420 x 595 pts (A5)", "Maze 5", "Solution 5"},
        {0, 5, 12, 9, 3, 0, 3, "Homework", 2, 1, 3, 0, "612 x 792 pts (letter)", "Maze 3", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pages);
        QtForm w;
        ASSERT_TRUE(ShowBuilt(w));
        QTemporaryDir dir;
        const QString out = dir.filePath("booklet.pdf"), solutionsOut = dir.filePath("answers.pdf");
        std::vector<std::string> previewCodes;
        bool saved = false;
        QString said;
        ASSERT_TRUE(WithWorksheets(w, [&](WorksheetDialog& d) {
            Choose(d, "sheetStyle", c.style);
            Choose(d, "sheetLevel", c.level);
            if (c.cellsX) {
                d.findChildren<QSpinBox*>().at(0)->setValue(c.cellsX);
                d.findChildren<QSpinBox*>().at(1)->setValue(c.cellsY);
            }
            d.findChild<QSpinBox*>("sheetCount")->setValue(c.count);
            Choose(d, "sheetPerPage", c.perPage);
            Choose(d, "sheetPaper", c.paper);
            d.findChild<QLineEdit*>("sheetTitle")->setText(QString::fromUtf8(c.title));
            Choose(d, "sheetSolutions", c.solutions);
            Choose(d, "sheetLanguage", c.language);
            d.UpdatePreview();
            previewCodes = d.PreviewCodes();
            saved = d.SaveTo(out, solutionsOut);
            said = d.Message()->text();
        }));
        ASSERT_TRUE(saved) << said.toStdString();
        // One booklet, and its solutions' file when asked for: nothing else in the folder.
        QStringList expected = {"booklet.pdf"};
        if (c.solutionFilePages) expected.prepend("answers.pdf");
        EXPECT_EQ(FilesIn(dir), expected);
        const std::string info = Info(out);
        EXPECT_NE(info.find("Pages:           " + std::to_string(c.pages) + "\n"), std::string::npos) << info;
        // Dated the day it was made, though its mazes are pinned to a time of day.
        std::tm today{};
        const std::time_t now = std::time(nullptr);
        gmtime_r(&now, &today);
        const std::string dated = Shell("pdfinfo -isodates '" + out.toStdString() + "'").value_or("");
        EXPECT_NE(dated.find("CreationDate:    " + std::to_string(1900 + today.tm_year) + "-"), std::string::npos)
            << dated;
        EXPECT_NE(info.find(c.paperLine), std::string::npos) << info;
        EXPECT_NE(info.find("Title:           " + std::string(*c.title ? c.title : "Quivra maze")), std::string::npos) << info;
        EXPECT_TRUE(said.contains(QString::number(c.pages))) << said.toStdString();
        const int mazePages = c.solutions == 0 ? c.pages / 2 : c.pages;
        EXPECT_NE(Text(out, mazePages).find(c.lastMaze), std::string::npos);
        if (c.solutions == 0) {
            EXPECT_NE(Text(out, c.pages).find(c.lastSolution), std::string::npos);
        }
        if (c.solutionFilePages) {
            EXPECT_NE(Info(solutionsOut).find("Pages:           " + std::to_string(c.solutionFilePages) + "\n"),
                      std::string::npos);
            EXPECT_NE(Text(solutionsOut, c.solutionFilePages).find(c.lastSolution), std::string::npos);
        }
        // The preview showed the booklet's own first mazes.
        const int perPage = std::vector{1, 2, 4, 6}[static_cast<size_t>(c.perPage)];
        ASSERT_EQ(previewCodes.size(), static_cast<size_t>(std::min(perPage, c.count)));
        const std::string first = Text(out, 1);
        for (const std::string& code : previewCodes) EXPECT_NE(first.find(code), std::string::npos) << code << " in " << first;
        if (c.cellsX) {
            EXPECT_TRUE(previewCodes.front().starts_with("S12x9-")) << previewCodes.front();
        }
    }
}

TEST(Worksheets, ThePreviewFollowsTheChoices) {
    ASSERT_TRUE(UseLanguage(kSourceLanguage));
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    ASSERT_TRUE(WithWorksheets(w, [&](WorksheetDialog& d) {
        Choose(d, "sheetSolutions", 0);
        d.UpdatePreview();
        const QImage page = d.PagePreview()->pixmap().toImage(), solution = d.SolutionPreview()->pixmap().toImage();
        ASSERT_FALSE(page.isNull());
        ASSERT_FALSE(solution.isNull());
        EXPECT_NE(page, solution);   // the solution's red line
        // The size the level chose, said under the preview.
        const MazeShape shape = ParseMazeCode(d.PreviewCodes().at(0)).maze->shape;
        EXPECT_TRUE(d.Message()->text().contains(QStringLiteral("%1 × %2").arg(shape.cellsX).arg(shape.cellsY)))
            << d.Message()->text().toStdString();
        // The choices settle, then the preview is drawn again by itself.
        d.findChild<QLineEdit*>("sheetTitle")->setText("Week 3");
        Choose(d, "sheetPerPage", 3);
        Choose(d, "sheetSolutions", 2);
        EXPECT_TRUE(QTest::qWaitFor([&] { return d.PreviewCodes().size() == 6; }, 5000));
        EXPECT_NE(d.PagePreview()->pixmap().toImage(), page);
        EXPECT_TRUE(d.SolutionPreview()->pixmap().isNull());   // no solutions, no page of them
        // A title the tool refuses: its reason, and nothing to save or print.
        d.findChild<QLineEdit*>("sheetTitle")->setText(QString(300, 'M'));
        d.UpdatePreview();
        EXPECT_TRUE(d.Message()->text().contains("title")) << d.Message()->text().toStdString();
        EXPECT_TRUE(d.PreviewCodes().empty());
    }));
}

// The share of the ink of `a` that `b` has too, at most two pixels away: two drawings of the same
// lines by different painters, whose lines and letters differ in weight and by a pixel.
double InkAlike(const QImage& a, const QImage& b) {
    const auto ink = [](const QImage& image, int x, int y) { return image.valid(x, y) && qGray(image.pixel(x, y)) < 200; };
    long inked = 0, alike = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!ink(a, x, y)) continue;
            ++inked;
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy) {
                for (int dx = -2; dx <= 2 && !found; ++dx) found = ink(b, x + dx, y + dy);
            }
            alike += found;
        }
    }
    return inked ? double(alike) / inked : 0;
}

// The preview's pages are the booklet's: drawn at 144 dots an inch, they match what pdftoppm
// draws from the PDF but for the lines' weight and the letters' hinting.
TEST(Worksheets, ThePreviewIsTheBookletsPage) {
    if (!Shell("command -v pdftoppm")) GTEST_SKIP() << "needs poppler-utils";
    struct Case {
        bool honeycomb;
        int level, perPage, count;
        const char* page;
        int solutionPage;   // by hand: the first page of solutions after the mazes
    };
    const Case cases[] = {{false, 2, 4, 5, "a4", 3}, {true, 4, 6, 6, "a5", 2}, {false, 0, 2, 3, "letter", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        tool::BookletChoices choices;
        choices.honeycomb = c.honeycomb;
        choices.level = c.level;
        choices.cellsX = 30;
        choices.cellsY = 12;
        choices.perPage = c.perPage;
        choices.count = c.count;
        choices.page = c.page;
        choices.title = "Preview";
        choices.time = 4321;
        QTemporaryDir dir;
        const std::string pdf = dir.filePath("b.pdf").toStdString();
        const tool::BookletRun run = tool::RunBooklet(choices, pdf, "", nullptr);
        ASSERT_EQ(run.status, 0) << run.error;
        std::vector<std::string> codes = tool::ReportedCodes(run.report);
        codes.resize(static_cast<size_t>(std::min(c.perPage, c.count)));
        for (const auto& [solutions, page] : {std::pair{false, 1}, std::pair{true, c.solutionPage}}) {
            const std::string p = std::to_string(page), png = pdf + p;
            ASSERT_TRUE(Shell("pdftoppm -r 144 -png -singlefile -f " + p + " -l " + p + " " + pdf + " " + png));
            const QImage printed = QImage(QString::fromStdString(png + ".png")).convertToFormat(QImage::Format_RGB32);
            const QImage preview = tool::BookletPagePicture(choices, codes, solutions, 2.0);
            ASSERT_EQ(preview.size(), printed.size()) << page;
            EXPECT_GE(InkAlike(preview, printed), 0.998) << page;
            EXPECT_GE(InkAlike(printed, preview), 0.998) << page;
        }
    }
}

// Cancel at each step of a long run: the folder as it was, an older file of that name untouched.
TEST(Worksheets, CancelLeavesNothingBehind) {
    ASSERT_TRUE(UseLanguage(kSourceLanguage));
    const std::string steps[] = {kSheetChoosing, kSheetDrawing, kSheetWritingSolutions};
    for (const std::string& step : steps) {
        SCOPED_TRACE(step);
        QtForm w;
        ASSERT_TRUE(ShowBuilt(w));
        QTemporaryDir dir;
        const QString out = dir.filePath("booklet.pdf");
        ASSERT_EQ(Bytes(out, "older booklet"), "older booklet");
        bool saved = true, cancelled = false;
        QTimer canceller;
        QObject::connect(&canceller, &QTimer::timeout, [&] {
            WorksheetDialog* d = w.OpenWorksheetDialog();
            if (d && d->Progress() && d->Progress()->labelText() == Translated(step) && !cancelled) {
                d->Progress()->cancel();
                cancelled = true;
            }
        });
        canceller.start(5);
        ASSERT_TRUE(WithWorksheets(w, [&](WorksheetDialog& d) {
            Choose(d, "sheetLevel", 4);
            Choose(d, "sheetPerPage", 3);
            Choose(d, "sheetSolutions", 0);
            d.findChild<QSpinBox*>("sheetCount")->setValue(120);
            saved = d.SaveTo(out, "");
        }));
        EXPECT_TRUE(cancelled);
        EXPECT_FALSE(saved);
        EXPECT_EQ(FilesIn(dir), QStringList{"booklet.pdf"});
        EXPECT_EQ(Bytes(out), "older booklet");
    }
}

// Solutions asked into the booklet's own file, however it is spelled: refused in the dialog's own
// words (no option names), the older file untouched.
TEST(Worksheets, SolutionsNeverGoIntoTheBookletsOwnFile) {
    ASSERT_TRUE(UseLanguage(kSourceLanguage));
    QtForm w;
    ASSERT_TRUE(ShowBuilt(w));
    QTemporaryDir dir;
    const QString out = dir.filePath("booklet.pdf");
    ASSERT_EQ(Bytes(out, "older booklet"), "older booklet");
    for (const QString& solutions : {out, dir.filePath("./booklet.pdf"), dir.filePath("gone/../booklet.pdf")}) {
        SCOPED_TRACE(solutions.toStdString());
        bool saved = true;
        QString said;
        ASSERT_TRUE(WithWorksheets(w, [&](WorksheetDialog& d) {
            Choose(d, "sheetSolutions", 1);
            d.findChild<QSpinBox*>("sheetCount")->setValue(2);
            saved = d.SaveTo(out, solutions);
            said = d.Message()->text();
        }));
        EXPECT_FALSE(saved);
        EXPECT_EQ(said.toStdString(), Translated(kSheetSolutionsSameFile).toStdString());
        EXPECT_EQ(FilesIn(dir), QStringList{"booklet.pdf"});
        EXPECT_EQ(Bytes(out), "older booklet");
    }
}

// A printer gets the finished PDF files through lp: each file, the printer, the copies and the
// title; a spooler that refuses or is missing is a failure.
TEST(Worksheets, APrinterGetsTheFilesThroughLp) {
    struct Case {
        const char* script;   // the lp found on the PATH, or none
        bool sent;
    };
    const Case cases[] = {
        {"#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"${0%/*}/args\"\n", true},
        {"#!/bin/sh\nexit 1\n", false},
        {nullptr, false},
    };
    const QByteArray path = qgetenv("PATH");
    for (const Case& c : cases) {
        QTemporaryDir dir;
        if (c.script) {
            QFile lp(dir.filePath("lp"));
            ASSERT_TRUE(lp.open(QIODevice::WriteOnly));
            lp.write(c.script);
            lp.close();
            lp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", dir.path().toLocal8Bit());
        const bool sent = WorksheetDialog::SpoolFiles({"/tmp/a.pdf", "/tmp/b.pdf"}, "class-room", 3, "Week 3");
        qputenv("PATH", path);
        EXPECT_EQ(sent, c.sent) << (c.script ? c.script : "no lp");
        if (!c.sent) continue;
        QFile args(dir.filePath("args"));
        ASSERT_TRUE(args.open(QIODevice::ReadOnly));
        EXPECT_EQ(args.readAll().toStdString(), "-d\nclass-room\n-n\n3\n-t\nWeek 3\n/tmp/a.pdf\n"
                                                 "-d\nclass-room\n-n\n3\n-t\nWeek 3\n/tmp/b.pdf\n");
    }
}

class StoredWorksheets : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
    }
    void TearDown() override {
        QStandardPaths::setTestModeEnabled(false);
        qputenv("HOME", home_);
    }
    QTemporaryDir home;
    QByteArray home_;
};

TEST_F(StoredWorksheets, TheChoicesComeBackNextTime) {
    ASSERT_TRUE(UseLanguage(kSourceLanguage));
    QTemporaryDir dir;
    {
        QtForm w;
        w.UseStore();
        ASSERT_TRUE(ShowBuilt(w));
        ASSERT_TRUE(WithWorksheets(w, [&](WorksheetDialog& d) {
            Choose(d, "sheetStyle", 1);
            Choose(d, "sheetLevel", 0);
            d.findChild<QSpinBox*>("sheetCount")->setValue(7);
            Choose(d, "sheetPerPage", 2);
            Choose(d, "sheetPaper", 4);
            d.findChild<QLineEdit*>("sheetTitle")->setText("迷宫 星期五");
            d.findChild<QCheckBox*>()->setChecked(false);
            Choose(d, "sheetSolutions", 2);
            Choose(d, "sheetLanguage", 1);
            ASSERT_TRUE(d.SaveTo(dir.filePath("b.pdf"), ""));
        }));
    }
    QtForm w;
    w.UseStore();
    ASSERT_TRUE(ShowBuilt(w));
    ASSERT_TRUE(WithWorksheets(w, [&](WorksheetDialog& d) {
        const tool::BookletChoices back = d.Choices();
        EXPECT_TRUE(back.honeycomb);
        EXPECT_EQ(back.level, 1);
        EXPECT_EQ(back.count, 7);
        EXPECT_EQ(back.perPage, 4);
        EXPECT_EQ(back.page, "legal");
        EXPECT_EQ(back.title, "迷宫 星期五");
        EXPECT_FALSE(back.nameLine);
        EXPECT_EQ(back.solutions, tool::BookletChoices::Solutions::None);
        EXPECT_TRUE(back.english);
    }));
}

// Print on paper the tool refuses for the maze: the tool's reason over the print dialog, which
// stays open; nothing is written. A maze the tool prints goes to the printer.
TEST(GamePrint, AMazeTheToolRefusesOnThePaperIsNotPrinted) {
    ASSERT_TRUE(UseLanguage(kSourceLanguage));
    struct Case {
        int cellsX, cellsY;
        QPageSize::PageSizeId paper;
        const char* page;   // as the tool names it
        bool prints;
    };
    const Case cases[] = {
        {400, 400, QPageSize::A4, "a4", false},
        {400, 400, QPageSize::A3, "a3", false},
        {120, 120, QPageSize::A4, "a4", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cellsX) + " " + c.page);
        QtForm w;
        w.Form().StartWithSize(SizeChoice::Custom(c.cellsX, c.cellsY));
        ASSERT_TRUE(ShowBuilt(w));
        const std::string code = w.Form().MazeCodeText();
        ASSERT_TRUE(QString::fromStdString(code).startsWith(QStringLiteral("S%1x").arg(c.cellsX))) << code;
        QTemporaryDir dir;
        const QString pdf = dir.filePath("print.pdf");
        w.Printer().setOutputFileName(pdf);
        w.Printer().setPageSize(QPageSize(c.paper));
        QString refusal;
        bool stayedOpen = false;
        test::ModalGuard guard(20000);
        QTimer::singleShot(50, [&] {
            QPrintDialog* dialog = w.OpenPrintDialog();
            if (dialog == nullptr) return;
            QTimer::singleShot(50, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    box && box->objectName() == "printRefusal") {
                    refusal = box->text();
                    box->accept();
                }
            });
            dialog->accept();
            stayedOpen = w.OpenPrintDialog() == dialog && dialog->isVisible();
            if (stayedOpen) dialog->reject();
        });
        QTest::keyClick(w.windowHandle(), Qt::Key_P, Qt::ControlModifier);
        EXPECT_FALSE(guard.Fired());
        EXPECT_EQ(QFile::exists(pdf), c.prints);
        EXPECT_EQ(stayedOpen, !c.prints);
        std::ostringstream out, err;
        const int status = tool::RunTool({"render", "--code", code, "--page", c.page, "--quiet", "--out",
                                          dir.filePath("tool.pdf").toStdString()},
                                         out, err);
        ASSERT_EQ(status, c.prints ? 0 : 2) << err.str();
        if (c.prints) continue;
        // The tool's own words, the largest size that prints included.
        const std::string line = err.str(), name = "quivra-tool: ";
        ASSERT_TRUE(line.starts_with(name) && line.ends_with("\n")) << line;
        const std::string reason = line.substr(name.size(), line.size() - name.size() - 1);
        EXPECT_NE(reason.find("cells at most on this page"), std::string::npos) << reason;
        EXPECT_TRUE(refusal.endsWith(QString::fromStdString(reason))) << refusal.toStdString();
        EXPECT_EQ(w.PrintRefusal(w.Printer()), reason);
        EXPECT_FALSE(w.PrintTo(w.Printer(), false));
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

}  // namespace
}  // namespace quivra
