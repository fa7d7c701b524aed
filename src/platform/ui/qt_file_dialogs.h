// The file and print dialogs on Qt.
#pragma once

#include "platform/file_dialogs.h"

#include <QPrinter>

class QFileDialog;
class QPrintDialog;
class QWidget;

namespace tnq {

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> OpenPieceFile(const std::string& startDir) override;
    std::optional<std::string> OpenFile(const std::string& startDir,
                                        const std::string& filter) override;
    std::optional<PrintChoice> Print(int pages) override;
    std::optional<std::string> OpenProgramFile() override;

    // The printer the last print dialog set up; the printout goes to it.
    QPrinter& Printer() { return printer_; }

    // The dialogs as they are shown (for tests: set up, not shown).
    static void SetUpPieceFileDialog(QFileDialog& dialog, const std::string& startDir);
    static void SetUpFileDialog(QFileDialog& dialog, const std::string& startDir,
                                const std::string& filter);
    static void SetUpPrintDialog(QPrintDialog& dialog, int pages);
    static void SetUpProgramDialog(QFileDialog& dialog);
    // The choice a print dialog's printer holds after OK.
    static PrintChoice ChoiceOf(const QPrinter& printer);

private:
    QWidget* parent_;
    QPrinter printer_;
};

} // namespace tnq
