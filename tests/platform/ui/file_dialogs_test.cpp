// The Qt file and print dialogs as they are set up (not shown).
#include "platform/ui/qt_file_dialogs.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QPrintDialog>

namespace tnq {
namespace {

TEST(QtFileDialogs, PieceFileDialogAsksForAnExistingPieceFile) {
    QFileDialog dialog;
    QtFileDialogs::SetUpPieceFileDialog(dialog, "/tmp");
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"Midi Files (*.TNQ)", "All Files (*)"}));
    EXPECT_EQ(dialog.selectedNameFilter(), "Midi Files (*.TNQ)");
    EXPECT_EQ(dialog.directory().absolutePath(), "/tmp");
    EXPECT_FALSE(dialog.filter() & QDir::CaseSensitive);
}

TEST(QtFileDialogs, PrintDialogOffersPagesButNoSelection) {
    QPrinter printer;
    QPrintDialog dialog(&printer);
    QtFileDialogs::SetUpPrintDialog(dialog, 3);
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintSelection));
    EXPECT_EQ(dialog.minPage(), 1);
    EXPECT_EQ(dialog.maxPage(), 3);

    printer.setPrintRange(QPrinter::AllPages);
    EXPECT_FALSE(QtFileDialogs::ChoiceOf(printer).PageRange);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    printer.setCopyCount(2);
    const PrintChoice choice = QtFileDialogs::ChoiceOf(printer);
    EXPECT_TRUE(choice.PageRange);
    EXPECT_EQ(choice.FromPage, 2);
    EXPECT_EQ(choice.ToPage, 3);
    EXPECT_EQ(choice.Copies, 2);
}

} // namespace
} // namespace tnq
