// The Miscellaneous menu driven headless as a new user would: choosing the
// output, testing a patch and an NRPN preset on the sound-test panel,
// changing the pieces directory, choosing a player and the port mode.
#include "core/piece_commands.h"
#include "entry/ui/entry_window.h"
#include "misc/sound_test.h"
#include "misc/ui/frm_midi_output.h"

#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tnq {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::string>;
using test::Settle;

using test::WhenShown;

// The main window with the recording MIDI output and the scripted dialogs.
class MiscMenu : public test::EntryWindowBase {
protected:
    void SetUp() override {
        c.files = &p.files;
        c.midi = &p.midi;
        EntryWindowBase::SetUp();
        Load();
    }
    void Choose(const char* item) { EntryWindowBase::Choose(w, item); }
    // Keys and text to the control that has the focus in the active window.
    static void TypeIn(const QString& text) {
        QTest::keyClicks(QApplication::focusWidget(), text);
        Settle();
    }
    static void PressKey(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        Settle();
    }
    // A click on an option's round box, at its left.
    static void ClickOption(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
        Settle();
    }
    static QString Focused() {
        QWidget* f = QApplication::focusWidget();
        return f ? f->objectName() : QString("(none)");
    }
    void ChooseOutput(const char* port) {
        WhenShown<FrmMidiOutput>([this, port](FrmMidiOutput* f) {
            const auto found = f->lstPorts->findItems(port, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1);
            f->lstPorts->setCurrentItem(found.front());
            Click(f->btnOK);
        });
        Choose("mnuMiscMidiMapper");
    }
};

TEST_F(MiscMenu, TestAPatchAndAnNrpnPresetOnTheChosenOutput) {
    p.midi.ports = {"Midi Through", "Synth"};
    ChooseOutput("Synth");
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, kMidiOutputSetting), "Synth");

    WhenShown<FrmFilter>([&](FrmFilter* f) {
        EXPECT_EQ(f->windowTitle(), "Test Sounds");
        // Opened with the Vibrato preset.
        EXPECT_TRUE(f->optVibrato->isChecked());
        EXPECT_EQ(f->txtParameter[1]->text(), "3");
        EXPECT_EQ(f->lblSliderValue[1]->text(), "72");
        EXPECT_EQ(Focused(), "txtPatch");

        // A patch alone: Reset, then patch 1, note c (typed small), octave 4.
        ClickOption(f->optReset);
        EXPECT_EQ(f->txtParameter[1]->text(), "");
        f->txtPatch->setFocus();
        Settle();
        TypeIn("1");
        PressKey(Qt::Key_Return);
        EXPECT_EQ(Focused(), "txtNote");
        TypeIn("c");
        EXPECT_EQ(f->txtNote->text(), "C");
        PressKey(Qt::Key_Return);
        TypeIn("4");
        PressKey(Qt::Key_Return);
        EXPECT_EQ(Focused(), "btnStart");
        PressKey(Qt::Key_Space);
        EXPECT_EQ(p.midi.Take(), (Bytes{"C0 00", "B0 79 00", "90 3C 40"}));
        Click(f->btnStop);
        EXPECT_EQ(p.midi.Take(), (Bytes{"90 3C 00"}));

        // The Wa Wa preset, a flat typed as "EB", and the depth slider moved
        // by a key while the note sounds.
        ClickOption(f->optWaWa);
        EXPECT_EQ(f->lblSlider[2]->text(), "Depth");
        f->txtNote->setFocus();
        Settle();
        f->txtNote->selectAll();
        TypeIn("eb");
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(f->txtNote->text(), "Eb");
        Click(f->btnStart);
        EXPECT_EQ(p.midi.Take(),
                  (Bytes{"C0 00", "B0 79 00", "B0 63 7F", "B0 62 01", "B0 06 40", "B0 26 0D",
                         "B0 63 7F", "B0 62 17", "B0 06 40", "B0 26 3F", "90 3F 40"}));
        f->sliders[2]->setFocus();
        Settle();
        PressKey(Qt::Key_Left);
        EXPECT_EQ(f->lblSliderValue[2]->text(), "62");
        EXPECT_EQ(p.midi.Take(), (Bytes{"B0 63 7F", "B0 62 17", "B0 06 40", "B0 26 3E"}));

        // The close box stops the note and unloads the panel.
        f->close();
        Settle();
        EXPECT_EQ(p.midi.Take(), (Bytes{"90 3F 00"}));
    });
    Choose("mnuMiscSounds");
    EXPECT_FALSE(w.frmFilter.Loaded());
    EXPECT_FALSE(p.midi.PortOpen("Synth"));
}

TEST_F(MiscMenu, ExitHidesThePanelSilencedAndKeepsItsBoxes) {
    p.ini.SetIniSetting(IniSettings, kMidiOutputSetting, "Synth");
    WhenShown<FrmFilter>([&](FrmFilter* f) {
        f->txtPatch->setText("5");
        f->txtNote->setText("A");
        f->txtOctave->setText("3");
        Click(f->btnStart);
        EXPECT_EQ(p.midi.Take().back(), "90 39 40");
        Click(f->btnExit);
    });
    Choose("mnuMiscSounds");
    EXPECT_EQ(p.midi.Take(), (Bytes{"90 39 00"}));
    EXPECT_FALSE(p.midi.PortOpen("Synth"));
    ASSERT_TRUE(w.frmFilter.Loaded());
    EXPECT_EQ(w.frmFilter->txtPatch->text(), "5");
    EXPECT_FALSE(w.frmFilter->isVisible());

    // Without an output: the failure message, nothing sent.
    p.ini.SetIniSetting(IniSettings, kMidiOutputSetting, "");
    p.msg.AnswerOk();
    WhenShown<FrmFilter>([&](FrmFilter* f) {
        Click(f->btnStart);
        Click(f->btnExit);
    });
    Choose("mnuMiscSounds");
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Can't open the MIDI interface - error 2");
    EXPECT_TRUE(p.midi.Take().empty());
}

TEST_F(MiscMenu, ChangeThePiecesDirectoryAndMakeItTheDefault) {
    const fs::path next = fs::path(p.s.FilePath) / "Suites";
    fs::create_directories(next);
    WhenShown<FrmDirectory>([&](FrmDirectory* f) {
        EXPECT_EQ(f->lblCurDir->text().toStdString(), "The current directory is " + p.s.FilePath);
        const auto rows = f->Dir1->findItems("Suites", Qt::MatchEndsWith);
        ASSERT_EQ(rows.size(), 1);
        // A double click: the press, then the second click.
        const QPoint at = f->Dir1->visualItemRect(rows.front()).center();
        QTest::mouseClick(f->Dir1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(f->Dir1->viewport(), Qt::LeftButton, {}, at);
        Settle();
        EXPECT_EQ(f->lblNewDir->text().toStdString(), "The new directory is " + next.string());
        Click(f->chkDefault);
        Click(f->btnOK);
    });
    Choose("mnuMisDirectory");
    EXPECT_EQ(p.s.FilePath, next.string());
    EXPECT_EQ(w.windowTitle().toStdString(), kCaptionPrefix + next.string());
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "FilePath"), next.string());

    // OK kept the dialog with its labels; Cancel unloads it, and the next
    // showing starts from the current directory.
    WhenShown<FrmDirectory>([&](FrmDirectory* f) {
        EXPECT_EQ(f->lblNewDir->text().toStdString(), "The new directory is " + next.string());
        EXPECT_TRUE(f->chkDefault->isChecked());
        Click(f->btnCancel);
    });
    Choose("mnuMisDirectory");
    EXPECT_FALSE(w.frmDirectory.Loaded());
    WhenShown<FrmDirectory>([&](FrmDirectory* f) {
        EXPECT_EQ(f->lblCurDir->text().toStdString(), "The current directory is " + next.string());
        EXPECT_FALSE(f->chkDefault->isChecked());
        EXPECT_GE(f->Drive1->count(), 2); // the root and the home directory at least
        PressKey(Qt::Key_Escape);
    });
    Choose("mnuMisDirectory");
    EXPECT_FALSE(w.frmDirectory.Loaded());
}

TEST_F(MiscMenu, ChoosingAPlaceMovesTheDirectoryListThere) {
    const fs::path stick = p.dir.Path() / "media" / "STICK";
    fs::create_directories(stick);
    WhenShown<FrmDirectory>([&](FrmDirectory* f) {
        // A medium mounted as the last place, chosen with the keyboard.
        f->Drive1->addItem(QString::fromStdString(stick.string()),
                           QByteArray::fromStdString(stick.string()));
        f->Drive1->setFocus();
        PressKey(Qt::Key_End);
        EXPECT_EQ(f->Dir1->Path(), stick.string());
        EXPECT_EQ(f->Selected(), stick.string());
        EXPECT_EQ(f->lblNewDir->text().toStdString(), "The new directory is " + stick.string());
        Click(f->btnOK);
    });
    Choose("mnuMisDirectory");
    EXPECT_EQ(p.s.FilePath, stick.string());
}

TEST_F(MiscMenu, PlacesAndDirectoriesThatCannotBeReadLeaveTheListsAlone) {
    const fs::path doomed = fs::path(p.s.FilePath) / "Doomed";
    fs::create_directories(doomed);
    p.msg.AnswerOk();
    p.msg.AnswerOk();
    WhenShown<FrmDirectory>([&](FrmDirectory* f) {
        const std::string shown = f->Dir1->Path();
        const int place = f->Drive1->currentIndex();
        // A medium taken out after the list of places was made.
        const std::string gone = (p.dir.Path() / "media" / "STICK").string();
        f->Drive1->addItem(QString::fromStdString(gone), QByteArray::fromStdString(gone));
        f->Drive1->setCurrentIndex(f->Drive1->count() - 1);
        emit f->Drive1->activated(f->Drive1->count() - 1);
        Settle();
        ASSERT_EQ(p.msg.shown.size(), 1u);
        EXPECT_EQ(p.msg.Last().Text, "Error  76 Path not found");
        EXPECT_EQ(p.msg.Last().Title, "Drive Error");
        EXPECT_EQ(f->Dir1->Path(), shown);
        EXPECT_EQ(f->Drive1->currentIndex(), place);

        // A directory removed after it was listed.
        fs::remove(doomed);
        const auto rows = f->Dir1->findItems("Doomed", Qt::MatchEndsWith);
        ASSERT_EQ(rows.size(), 1);
        emit f->Dir1->itemActivated(rows.front());
        Settle();
        ASSERT_EQ(p.msg.shown.size(), 2u);
        EXPECT_EQ(p.msg.Last().Title, "Directory Error");
        EXPECT_EQ(f->Dir1->Path(), shown);
        EXPECT_EQ(f->Selected(), p.s.FilePath);
        Click(f->btnCancel);
    });
    Choose("mnuMisDirectory");
}

TEST_F(MiscMenu, ChooseAPlayerAndTogglePorts) {
    p.files.Choose("/usr/bin/timidity");
    Choose("mnuMiscSelectPlayer");
    EXPECT_EQ(p.s.DefaultPlayer, "/usr/bin/timidity");
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "DefaultPlayer"), "/usr/bin/timidity");
    p.files.CancelOpen();
    Choose("mnuMiscAuxiliary");
    EXPECT_EQ(p.s.AuxiliaryProgram, "");

    Choose("mnuMiscPorts");
    EXPECT_TRUE(w.Menus().Checked("mnuMiscPorts"));
    EXPECT_FALSE(w.Menus().Enabled("mnuMiscMidiMapper"));
    EXPECT_EQ(p.s.MultiplePorts, -1);
    Choose("mnuMiscPorts");
    EXPECT_FALSE(w.Menus().Checked("mnuMiscPorts"));
    EXPECT_TRUE(w.Menus().Enabled("mnuMiscMidiMapper"));
    EXPECT_EQ(p.s.MultiplePorts, 0);
}

} // namespace
} // namespace tnq
