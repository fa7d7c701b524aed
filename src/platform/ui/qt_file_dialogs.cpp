// QFileDialog and QPrintDialog behind the file dialog service.
#include "platform/ui/qt_file_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QPrintDialog>

#include <algorithm>

namespace tnq {

void QtFileDialogs::SetUpPieceFileDialog(QFileDialog& dialog, const std::string& startDir) {
    dialog.setObjectName("Dlog");
    dialog.setWindowTitle("Open");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The file must exist (and so must its directory).
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({"Midi Files (*.TNQ)", "All Files (*)"});
    dialog.selectNameFilter("Midi Files (*.TNQ)");
    // Piece files copied from elsewhere may be spelled in small letters.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setDirectory(QFile::decodeName(QByteArray::fromStdString(startDir)));
    dialog.selectFile(QString());
}

std::optional<std::string> QtFileDialogs::OpenPieceFile(const std::string& startDir) {
    QFileDialog dialog(parent_);
    SetUpPieceFileDialog(dialog, startDir);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return QFile::encodeName(files.first()).toStdString();
}

void QtFileDialogs::SetUpPrintDialog(QPrintDialog& dialog, int pages) {
    dialog.setObjectName("Dlog");
    // Page numbers, no selection.
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange);
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
