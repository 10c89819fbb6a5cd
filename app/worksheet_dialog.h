// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Worksheets: a booklet of mazes for a class, made by quivra-tool's own booklet code from the
// window. The choices are the tool's options; the preview draws the booklet's first page and a
// page of its solutions as they change; a long run shows its progress and can be cancelled,
// leaving nothing behind. The choices are remembered in the game's settings.
#include <QDialog>
#include <QTimer>

#include <memory>
#include <string>

#include "tools/booklet_run.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QProgressDialog;
class QPushButton;
class QSpinBox;
class QTemporaryDir;

namespace quivra {

class GameStore;

class WorksheetDialog : public QDialog {
    Q_OBJECT
public:
    // `store` (may be null) keeps the choices; `english`: the window's language.
    WorksheetDialog(GameStore* store, bool english, QWidget* parent = nullptr);
    ~WorksheetDialog() override;

    tool::BookletChoices Choices() const;
    void SetChoices(const tool::BookletChoices& choices);

    // The booklet to a PDF (and its solutions to `solutionsOut` when they go to a file of their
    // own), with progress and Cancel. False when refused or cancelled; the reason is shown.
    bool SaveTo(const QString& out, const QString& solutionsOut);
    // Save as PDF… and Print… as the buttons do: through the file dialog or the print dialog.
    void SaveWithFileDialog();
    void PrintWithDialog();

    // Hands finished PDF files to a printer through the spooler's lp command; false when it
    // cannot be run or refuses them.
    static bool SpoolFiles(const QStringList& files, const QString& printer, int copies, const QString& title);

    // Draws the preview now rather than after the choices settle.
    void UpdatePreview();
    QLabel* PagePreview() const { return pagePreview_; }
    QLabel* SolutionPreview() const { return solutionPreview_; }
    QLabel* Message() const { return message_; }
    QProgressDialog* Progress() const { return progress_; }
    // The codes the preview shows: the booklet's first mazes.
    const std::vector<std::string>& PreviewCodes() const { return previewCodes_; }

private:
    void ChoicesChanged();
    void Remember() const;
    void Recall();
    bool Run(const tool::BookletChoices& choices, const QString& out, const QString& solutionsOut);
    void Say(const QString& text, bool problem);

    GameStore* store_;
    QComboBox* style_;
    QComboBox* level_;
    QSpinBox* cellsX_;
    QSpinBox* cellsY_;
    QSpinBox* count_;
    QComboBox* perPage_;
    QComboBox* paper_;
    QLineEdit* title_;
    QCheckBox* nameLine_;
    QComboBox* solutions_;
    QComboBox* language_;
    QLabel* pagePreview_;
    QLabel* solutionPreview_;
    QLabel* message_;
    QPushButton* save_;
    QPushButton* print_;
    QProgressDialog* progress_ = nullptr;
    QTimer previewTimer_;
    std::vector<std::string> previewCodes_;
    int time_;   // the booklet's mazes, pinned so that the preview shows them; new after each booklet
    bool busy_ = false;
};

}  // namespace quivra
