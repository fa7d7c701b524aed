// QFileDialog and QPrintDialog behind the file dialog service.
#include "platform/ui/qt_file_dialogs.h"

#include "platform/ui/qt_paths.h"

#include <QFileDialog>
#include <QPrintDialog>

#include <algorithm>

namespace tnq {

void QtFileDialogs::SetUpFileDialog(QFileDialog& dialog, const std::string& startDir,
                                    const std::string& filter) {
    dialog.setObjectName("Dlog");
    dialog.setWindowTitle("Open");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The file must exist (and so must its directory).
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QString f = QString::fromStdString(filter);
    dialog.setNameFilters({f, "All Files (*)"});
    dialog.selectNameFilter(f);
    // Files copied from elsewhere may be spelled in small letters.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setDirectory(PathToQt(startDir));
}

void QtFileDialogs::SetUpPieceFileDialog(QFileDialog& dialog, const std::string& startDir) {
    SetUpFileDialog(dialog, startDir, "Midi Files (*.TNQ)");
    dialog.selectFile(QString());
}

namespace {

// The file chosen in a set-up dialog, nothing after Cancel.
std::optional<std::string> ChosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return PathFromQt(files.first());
}

constexpr const char* kProgramsFilter = "Programs (*)";

} // namespace

std::optional<std::string> QtFileDialogs::OpenPieceFile(const std::string& startDir) {
    QFileDialog dialog(parent_);
    SetUpPieceFileDialog(dialog, startDir);
    return ChosenFile(dialog);
}

std::optional<std::string> QtFileDialogs::OpenFile(const std::string& startDir,
                                                   const std::string& filter) {
    QFileDialog dialog(parent_);
    SetUpFileDialog(dialog, startDir, filter);
    return ChosenFile(dialog);
}

void QtFileDialogs::SetUpProgramDialog(QFileDialog& dialog) {
    dialog.setObjectName("Dlog");
    dialog.setWindowTitle("Open");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The widget dialog, whose entry filter can keep to programs.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({kProgramsFilter, "All Files (*)"});
    dialog.selectNameFilter(kProgramsFilter);
    const QDir::Filters all = QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot;
    dialog.setFilter(all | QDir::Executable);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, all](const QString& filter) {
                         dialog.setFilter(filter == kProgramsFilter ? all | QDir::Executable : all);
                     });
}

std::optional<std::string> QtFileDialogs::OpenProgramFile() {
    QFileDialog dialog(parent_);
    SetUpProgramDialog(dialog);
    return ChosenFile(dialog);
}

void QtFileDialogs::SetUpPrintDialog(QPrintDialog& dialog, int pages) {
    dialog.setObjectName("Dlog");
    // Page numbers, no selection; printing to a PDF file stays on offer for
    // a user without a printer.
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile);
    const int last = std::max(1, pages);
    dialog.setMinMax(1, last);
    dialog.setFromTo(1, last);
    dialog.printer()->setPrintRange(QPrinter::AllPages);
}

PrintChoice QtFileDialogs::ChoiceOf(const QPrinter& printer) {
    PrintChoice choice;
    choice.PageRange = printer.printRange() == QPrinter::PageRange;
    choice.FromPage = printer.fromPage();
    choice.ToPage = printer.toPage();
    choice.Copies = std::max(1, printer.copyCount());
    return choice;
}

std::optional<PrintChoice> QtFileDialogs::Print(int pages) {
    QPrintDialog dialog(&printer_, parent_);
    SetUpPrintDialog(dialog, pages);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ChoiceOf(printer_);
}

} // namespace tnq
