// A piece whose title has letters beyond ASCII, as the file dialog sees it.
#include "core/memory.h"
#include "core/piece_commands.h"
#include "platform/ui/qt_file_dialogs.h"
#include "support/fakes.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <gtest/gtest.h>

#include <filesystem>

namespace tnq {
namespace {

TEST(PieceNames, ANewPieceWithAnAccentedTitleIsListedByTheFileDialog) {
    test::Program p;
    const std::string music = (p.dir.Path() / "music").string();
    std::filesystem::create_directories(music);
    p.s.FilePath = music;
    SystemDefaults(p.c);
    p.msg.AnswerInput("\xE9tude"); // typed "étude"
    p.msg.Answer(mb::No);
    ASSERT_TRUE(mnuFilNew_Click(p.c));
    ASSERT_TRUE(mnuFilSave_Click(p.c));

    QFileDialog dialog;
    QtFileDialogs::SetUpPieceFileDialog(dialog, music);
    const QDir listed = dialog.directory();
    EXPECT_TRUE(listed.entryList(QDir::Dirs | QDir::NoDotAndDotDot).contains("ÉTUDE.TNQ"));
    // What the dialog hands back for the piece's file is the piece's path.
    const QString chosen = listed.filePath("ÉTUDE.TNQ/ÉTUDE.TNQ");
    EXPECT_TRUE(QFile::exists(chosen));
    EXPECT_EQ(QFile::encodeName(chosen).toStdString(), p.s.PiecePath);
}

} // namespace
} // namespace tnq
