// The entry boxes of the main window driven headless with the keyboard and
// the mouse: help lines, guards, the form's keys, the edge cases of the
// boxes, and whole roads from a new piece to its files on disk.
#include "core/piece_paths.h"
#include "entry/ui/frm_kvs.h"
#include "midifile/mid_fixture.h"
#include "midifile/ui/frm_mid_file.h"
#include "support/fakes.h"
#include "support/ui/settle.h"
#include "entry/ui/entry_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tnq {
namespace {

namespace fs = std::filesystem;
using test::Settle;
using test::ShowActive;
using test::WhenShownModal;

class EntryWindow : public test::EntryWindowBase {
protected:
    // The piece both roads type, from File > New to the menus again.
    void TypeThePiece();
    // From the item box of a track other than 1: an A4 quarter in bar 1,
    // dynamics 64, accepted with F12.
    void AcceptQuarterAInBarOne() {
        ToNoteInBarOne();
        Field("A");
        Field("4");
        Field("q");
        Enter();
        Field("64");
        Type("0");
        Press(Qt::Key_F12);
    }
};

// ---- Help lines ------------------------------------------------------------------

TEST_F(EntryWindow, EachBoxShowsItsHelpLineWithItsTextSelected) {
    Load();
    NewPiece("SONG");
    EXPECT_EQ(Status(), "Enter number of quarter notes per minute");
    EXPECT_EQ(w.txtTempo->selectedText(), "60");

    Enter();
    EXPECT_EQ(Focus(), w.txtTrack);
    EXPECT_EQ(Status(), "Enter track number (1-32)");
    EXPECT_TRUE(w.cboTracks->isVisibleTo(&w));
    EXPECT_EQ(w.txtTrack->selectedText(), "1");
    Field("2");
    EXPECT_EQ(Focus(), w.txtItem);
    EXPECT_EQ(Status(), "Press F9 to go to a Bar; Find Next: "
                        "F2=PROGR;F3=CNTRL;F4=TEMPO;F5=METER;F6=LEGON;F8=Channel change;F10=PBEND");
    EXPECT_FALSE(w.cboTracks->isVisibleTo(&w));
    Enter();
    EXPECT_EQ(Focus(), w.txtChannel);
    EXPECT_EQ(Status(), "Enter channel number (1-16)");
    EXPECT_EQ(w.txtChannel->selectedText(), "2");
    Enter();
    EXPECT_EQ(Focus(), w.txtBar);
    EXPECT_EQ(Status(), "Press F11 to insert item(s); F10 to delete Item(s); F6=revise bar nos.; "
                        "F8=copy items");
    Enter();
    EXPECT_EQ(Focus(), w.txtNote);
    EXPECT_EQ(Status(),
              "Enter note names C Eb F# etc.; F2=Prog. Change, F3=Control Change,F4=Legato "
              "On, F5=Legato Off F6=TEMPO, F8=METER, or F7");
    Field("c");
    EXPECT_EQ(Focus(), w.txtOcta);
    EXPECT_EQ(Status(), "Enter octave (0-8)");
    Field("4");
    EXPECT_EQ(Focus(), w.txtDur);
    EXPECT_EQ(Status(), "w=whole note h=half note q, e, s, t for others, z=sixty fourth; "
                        "q.=dotted quarter, q3=quarter triplet etc.\"");
    Field("Q");
    EXPECT_EQ(Text(w.txtDur), "q");
    EXPECT_EQ(Focus(), w.txtAdj);
    EXPECT_EQ(Status(), ""); // the duration box cleared it
    EXPECT_EQ(w.txtAdj->selectedText(), "0");
    Enter();
    EXPECT_EQ(Focus(), w.txtDyn);
    EXPECT_EQ(Status(), "Dynamics range from 1-127");
    Enter();
    EXPECT_EQ(Focus(), w.txtPitchBend);
    EXPECT_EQ(Status(), "Range is -8192 to 8191 (0=no Pitchbend)");
    Press(Qt::Key_Up);
    EXPECT_EQ(Focus(), w.txtDyn);
    EXPECT_EQ(Status(), "Dynamics range from 1-127");
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(EntryWindow, AMetersHelpLinesNameTheBoxTheCursorIsIn) {
    Load();
    NewPiece("SONG");
    ToTrack("1");
    Enter(); // item; track 1 has no channel box
    Field("1");
    ASSERT_EQ(Focus(), w.txtNote);
    FKey(8);
    Enter();
    EXPECT_EQ(Focus(), w.txtAdj);
    EXPECT_EQ(Status(), "Top Number is 1-99");
}

TEST_F(EntryWindow, KeywordsRelabelTheValueBoxesAndTheirHelpLines) {
    Load();
    NewPiece("SONG");
    ToTrack("2");
    Enter();
    Enter();
    Enter();
    ASSERT_EQ(Focus(), w.txtNote);

    // CNTRL: the value box is the controller number.
    Field("cntrl");
    EXPECT_EQ(Text(w.txtNote), "CNTRL");
    EXPECT_EQ(Focus(), w.txtAdj); // octave and note value are switched off
    EXPECT_FALSE(w.txtOcta->isEnabled());
    EXPECT_FALSE(w.lblNoteValue->isEnabled());
    EXPECT_TRUE(w.lblAdjustment->isEnabled());
    EXPECT_EQ(w.lblAdjustment->text(), "Control #");
    EXPECT_EQ(w.lblDynamics->text(), "Control Value");
    EXPECT_EQ(Status(), "Controllers are 0 to 127");
    Field("7");
    EXPECT_EQ(Status(), "Range from 0-127");

    // NRPN1 with a parameter the table does not have.
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);
    ASSERT_EQ(Focus(), w.txtNote); // the note box switched everything on again
    EXPECT_TRUE(w.txtOcta->isEnabled());
    EXPECT_EQ(w.lblAdjustment->text(), "Spare");
    EXPECT_EQ(w.lblDynamics->text(), "Dynamics");
    Field("NRPN1");
    EXPECT_EQ(w.lblAdjustment->text(), "LSB Number (0 - 26)");
    EXPECT_EQ(w.lblDynamics->text(), "Value");
    EXPECT_EQ(Status(), "LSB is 0 to 26");
    Field("30");
    EXPECT_EQ(Status(), "From 0 to 0");

    // A rest switches off only the octave and dynamics boxes.
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);
    Field("r");
    EXPECT_EQ(Focus(), w.txtDur);
    EXPECT_FALSE(w.txtOcta->isEnabled());
    EXPECT_TRUE(w.lblOctave->isEnabled());
    EXPECT_FALSE(w.txtDyn->isEnabled());
    Enter();
    Enter();
    EXPECT_EQ(Focus(), w.txtPitchBend);

    // END switches off all ten and goes to the Accept button.
    w.SetFocus(Box::Note);
    Settle();
    Field("end");
    EXPECT_EQ(Focus(), w.btnAccept);
    for (QWidget* v : {(QWidget*)w.lblOctave, (QWidget*)w.txtDur, (QWidget*)w.lblDynamics,
                       (QWidget*)w.txtPitchBend})
        EXPECT_FALSE(v->isEnabled()) << v->objectName().toStdString();
    EXPECT_EQ(Boxes(), 0u);
}

// ---- Guards -----------------------------------------------------------------------

TEST_F(EntryWindow, GuardsSendAClickBackToTheEarlierBox) {
    Load();
    NewPiece("SONG");
    ToTrack("2");

    // An item number left by Up arrow is not checked; a click from the
    // tempo box into the bar box then meets the bar box's guard.
    Type("x");
    Press(Qt::Key_Up);
    ASSERT_EQ(Focus(), w.txtTrack);
    Press(Qt::Key_Up);
    ASSERT_EQ(Focus(), w.txtTempo);
    EXPECT_EQ(Text(w.txtItem), "x");
    Click(w.txtBar);
    EXPECT_EQ(Focus(), w.txtItem);
    EXPECT_EQ(Status().rfind("Press F9 to go to a Bar", 0), 0u);
    EXPECT_EQ(w.Forms().Focus().Owner(), w.txtItem);

    // The item box with an empty track box: back to the track box.
    Field("1");
    ASSERT_EQ(Focus(), w.txtChannel);
    w.txtTrack->clear();
    Click(w.txtItem);
    EXPECT_EQ(Focus(), w.txtTrack);
    EXPECT_EQ(Status(), "Enter track number (1-32)");

    // The track box with a tempo of 1000: back to the tempo box.
    Field("2");
    ASSERT_EQ(Focus(), w.txtItem);
    w.txtTempo->setText("1000");
    Click(w.txtTrack);
    EXPECT_EQ(Focus(), w.txtTempo);
    EXPECT_EQ(Status(), "Enter number of quarter notes per minute");
    EXPECT_EQ(Text(w.txtTempo), "1000");
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(EntryWindow, ARefusedBoxKeepsTheFocusAndTheNextBoxIsNotEntered) {
    Load();
    NewPiece("SONG");
    Enter();
    ASSERT_EQ(Focus(), w.txtTrack);

    // An empty track with no valid track before: it stays empty, the focus
    // stays, and the item box's guard never sends it round again.
    Press(Qt::Key_Delete);
    Enter();
    EXPECT_EQ(Focus(), w.txtTrack);
    EXPECT_EQ(Text(w.txtTrack), "");
    EXPECT_EQ(Status(), "Enter track number (1-32)");

    // Track 1: a bar that is no number, then a note that track 1 does not
    // take. Enter in the bar box keeps the focus there; the note box is not
    // entered and not checked, so its message does not come.
    Field("1");
    Enter();
    ASSERT_EQ(Focus(), w.txtBar);
    Type("x");
    Enter();
    EXPECT_EQ(Focus(), w.txtBar);
    EXPECT_EQ(Text(w.txtBar), "x");
    EXPECT_EQ(Status().rfind("Press F11", 0), 0u);
    Enter();
    EXPECT_EQ(Focus(), w.txtBar);
    EXPECT_EQ(Boxes(), 0u);

    // The message comes once the bar is a number and the note is left empty.
    Field("1");
    ASSERT_EQ(Focus(), w.txtNote);
    p.msg.AnswerOk();
    Enter();
    ASSERT_EQ(Boxes(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Only Tempo and Meter changes allowed on Track 1");
    EXPECT_EQ(Focus(), w.txtNote);
    EXPECT_EQ(Status().rfind("Enter note names", 0), 0u);
}

// ---- Enter, Up, Shift+Tab, F12 ----------------------------------------------------------

TEST_F(EntryWindow, UpAndShiftTabGoBackWithoutChecks) {
    Load();
    NewPiece("SONG");
    ToTrack("2");
    Press(Qt::Key_Up);
    ASSERT_EQ(Focus(), w.txtTrack);
    Type("99");
    Press(Qt::Key_Up); // no beep, no restore
    EXPECT_EQ(Focus(), w.txtTempo);
    EXPECT_EQ(Text(w.txtTrack), "99");
    EXPECT_EQ(p.s.SkipValidation, 1); // the tempo box does not clear it
    Enter();                          // the tempo box always sets track 1
    EXPECT_EQ(Focus(), w.txtTrack);
    EXPECT_EQ(Text(w.txtTrack), "1");
    EXPECT_EQ(p.s.SkipValidation, 0);

    Field("2");
    Type("7");
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Focus(), w.txtTrack);
    EXPECT_EQ(Text(w.txtItem), "7"); // not checked on the way back
    EXPECT_EQ(p.s.CurrentItem(2), 1);
    Enter(); // the track box puts the track's cursor back into the item box
    EXPECT_EQ(Focus(), w.txtItem);
    EXPECT_EQ(Text(w.txtItem), "1");
    Field("7"); // now it is checked: 7 is beyond the track
    EXPECT_EQ(Focus(), w.txtItem);
    EXPECT_EQ(Text(w.txtItem), "1");
}

TEST_F(EntryWindow, F12AcceptsExceptWhileTheListIsOpenOrForLegatoAtTheEnd) {
    Load();
    NewPiece("SONG");
    ToTrack("2");
    Enter();
    Enter();
    Enter();
    Type("d");
    Press(Qt::Key_F12); // from the note box, with the rest prefilled
    Settle();
    EXPECT_EQ(Count(2), 0); // no octave yet: refused there
    EXPECT_EQ(Focus(), w.txtOcta);
    Type("5");
    Press(Qt::Key_F12);
    EXPECT_EQ(Count(2), 1);
    EXPECT_EQ(w.lblTrkDat(1)->text(), "1");
    EXPECT_EQ(Focus(), w.txtBar);
    EXPECT_EQ(Text(w.txtItem), "2");

    // LEGON behind the last item: F12 does nothing.
    Enter();
    Press(Qt::Key_F4);
    EXPECT_EQ(Text(w.txtNote), "LEGON");
    EXPECT_EQ(Focus(), w.txtNote);
    Press(Qt::Key_F12);
    EXPECT_EQ(Count(2), 0 + 1);

    // PROGR opens the instrument list on the dynamics box; F12 does nothing
    // while it is open, Alt+I takes the chosen program.
    Press(Qt::Key_F2);
    EXPECT_EQ(Text(w.txtNote), "PROGR");
    Enter();
    EXPECT_TRUE(w.cboGMNames->isVisibleTo(&w));
    EXPECT_EQ(Focus(), w.cboGMNames);
    EXPECT_EQ(Status(), "Patch range from 1-128");
    EXPECT_EQ(w.lblDynamics->text(), "Patch");
    Type("Viol");
    EXPECT_EQ(w.cboGMNames->currentText(), "Violin #41");
    Press(Qt::Key_F12);
    EXPECT_EQ(Count(2), 1);
    AltI();
    EXPECT_EQ(Count(2), 2);
    EXPECT_EQ(p.s.NoteCode(2, 2), 128);
    EXPECT_EQ(p.s.ItemDyn(2, 2), 41);
    EXPECT_FALSE(w.cboGMNames->isVisibleTo(&w));
    EXPECT_EQ(Focus(), w.txtBar);
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(EntryWindow, ProgramNumberTypedIntoTheInstrumentListIsStored) {
    Load();
    // The list starts with no row chosen.
    EXPECT_EQ(w.cboGMNames->currentIndex(), -1);
    EXPECT_EQ(w.cboGMNames->currentText(), "");
    NewPiece("SONG");
    ToTrack("2");
    ToNoteInBarOne();
    Field("progr");
    ASSERT_EQ(Focus(), w.cboGMNames);
    EXPECT_EQ(w.cboGMNames->currentIndex(), -1);
    Type("41");
    AltI();
    ASSERT_EQ(Count(2), 1);
    EXPECT_EQ(p.s.ItemDyn(2, 1), 41);
    EXPECT_EQ(w.cboGMNames->count(), 128); // nothing added to the list

    // The next PROGR: the list is empty again and takes "41" again; Enter
    // ends the choice and moves on (the pitch bend box is off: to Accept),
    // on the same track.
    ASSERT_EQ(Focus(), w.txtBar);
    Enter();
    ASSERT_EQ(Text(w.txtNote), "PROGR");
    Enter();
    ASSERT_EQ(Focus(), w.cboGMNames);
    EXPECT_EQ(w.cboGMNames->currentIndex(), -1);
    EXPECT_EQ(w.cboGMNames->currentText(), "");
    Type("41");
    Enter();
    EXPECT_EQ(Focus(), w.btnAccept);
    EXPECT_FALSE(w.cboGMNames->isVisibleTo(&w));
    EXPECT_EQ(Text(w.txtDyn), "41");
    EXPECT_EQ(Text(w.txtTrack), "2");
    EXPECT_EQ(Text(w.txtTempo), "60");
    EXPECT_EQ(p.s.CurrentTrack, 2);
    Press(Qt::Key_F12);
    ASSERT_EQ(Count(2), 2);
    EXPECT_EQ(p.s.ItemDyn(2, 2), 41);

    // A row chosen by name, then Enter; then a note on the same track.
    Enter();
    Enter();
    ASSERT_EQ(Focus(), w.cboGMNames);
    Type("Viol");
    Enter();
    EXPECT_EQ(Text(w.txtDyn), "41");
    Press(Qt::Key_F12);
    ASSERT_EQ(Count(2), 3);
    EXPECT_EQ(p.s.ItemDyn(2, 3), 41);
    Enter();
    Field("c");
    Field("4");
    Field("q");
    Enter();
    Field("80");
    Press(Qt::Key_F12);
    EXPECT_EQ(Count(2), 4);
    EXPECT_EQ(p.s.NoteCode(2, 4), 60);
    EXPECT_EQ(Boxes(), 0u); // no "Only Tempo and Meter changes" on the way
}

TEST_F(EntryWindow, F12AfterANewItemNumberChecksTheItemBoxAndStoresNothing) {
    Load();
    NewPiece("SONG");
    ToTrack("2");
    ToNoteInBarOne();
    for (const char* note : {"c", "d", "e"}) {
        Field(note);
        Field("4");
        Field("q");
        Enter();
        Field("80");
        Press(Qt::Key_F12);
        Enter(); // from the bar box to the note box
    }
    ASSERT_EQ(Count(2), 3);
    // To item 2, then "3" typed over it and F12.
    w.SetFocus(Box::Item);
    Settle();
    Field("2");
    ASSERT_EQ(Text(w.txtNote), "D");
    Press(Qt::Key_Up);
    ASSERT_EQ(Focus(), w.txtItem);
    Type("3");
    Press(Qt::Key_F12);
    EXPECT_EQ(Count(2), 3);
    EXPECT_EQ(p.s.NoteCode(2, 2), 62); // item 2 is still D
    EXPECT_EQ(p.s.CurrentItem(2), 3);
    EXPECT_EQ(Text(w.txtNote), "E"); // item 3 is shown
    EXPECT_EQ(Focus(), w.txtChannel);
    // Now F12 stores at item 3, as the box says.
    w.txtNote->setText("F");
    Press(Qt::Key_F12);
    EXPECT_EQ(p.s.NoteCode(2, 3), 65);
    EXPECT_EQ(p.s.NoteCode(2, 2), 62);

    // A number beyond the track, left by Up: F12 refuses it like Tab.
    w.SetFocus(Box::Item);
    Settle();
    Type("9");
    Press(Qt::Key_Up);
    ASSERT_EQ(Focus(), w.txtTrack);
    Press(Qt::Key_F12);
    EXPECT_EQ(Count(2), 3);
    // The box and the pointer go back to the last item number it took.
    EXPECT_EQ(Text(w.txtItem), "3");
    EXPECT_EQ(p.s.CurrentItem(2), 3);
    EXPECT_EQ(Focus(), w.txtItem);
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(EntryWindow, NoteBoxUpperCasesPastedText) {
    Load();
    NewPiece("SONG");
    ToTrack("2");
    ToNoteInBarOne();
    w.txtNote->selectAll();
    w.txtNote->insert(" r "); // as a paste puts it
    Enter();
    EXPECT_EQ(Text(w.txtNote), "R");
    EXPECT_EQ(Focus(), w.txtDur); // a rest: the octave box is off
    EXPECT_FALSE(w.txtOcta->isEnabled());
    Press(Qt::Key_Up);
    w.txtNote->selectAll();
    w.txtNote->insert("eb");
    Enter();
    EXPECT_EQ(Text(w.txtNote), "Eb");
    EXPECT_EQ(Focus(), w.txtOcta);
}

// ---- Edge cases ----------------------------------------------------------------------

TEST_F(EntryWindow, FlatSignTypedAndTempoRefusals) {
    Load();
    NewPiece("SONG");
    // A tempo of 1000 puts the last valid tempo back and keeps the focus.
    Type("1000");
    Enter();
    EXPECT_EQ(Focus(), w.txtTempo);
    EXPECT_EQ(Text(w.txtTempo), "60");
    // 60.0 is the piece tempo: no question; the track box gets 1.
    Type("60.0");
    Enter();
    EXPECT_EQ(Focus(), w.txtTrack);
    EXPECT_EQ(Boxes(), 0u);

    Field("3");
    Enter();
    Enter();
    Enter();
    ASSERT_EQ(Focus(), w.txtNote);
    Type("e");
    Type("b");
    EXPECT_EQ(Text(w.txtNote), "Eb"); // at once, while typing
    // Typed later, the second capital B is turned by the check.
    Type("\b\b");
    Type("xeb");
    Press(Qt::Key_Home);
    Press(Qt::Key_Delete);
    EXPECT_EQ(Text(w.txtNote), "EB");
    Enter();
    EXPECT_EQ(Text(w.txtNote), "Eb");
    EXPECT_EQ(Focus(), w.txtOcta);
}

TEST_F(EntryWindow, TrackRowsChannelAndItemNumbersOfTheTrackBox) {
    p.ini.SetIniSetting(IniSettings, "Tracks", "64");
    Load();
    NewPiece("SONG");
    EXPECT_TRUE(w.btnFlip->isVisibleTo(&w));
    ToTrack("33");
    EXPECT_EQ(p.s.TrackPage, 1);
    EXPECT_TRUE(w.lblTrkNum(32)->isVisibleTo(&w));
    EXPECT_FALSE(w.lblTrkNum(0)->isVisibleTo(&w));
    Enter();
    EXPECT_EQ(Text(w.txtChannel), "16"); // behind the last item of track 33
    ToTrack("32");
    EXPECT_EQ(p.s.TrackPage, 0);
    EXPECT_TRUE(w.lblTrkNum(31)->isVisibleTo(&w));
    Enter();
    EXPECT_EQ(Text(w.txtChannel), "16");
    ToTrack("5");
    EXPECT_TRUE(w.txtChannel->isVisibleTo(&w));
    Enter();
    EXPECT_EQ(Text(w.txtChannel), "5");
    ToTrack("1");
    EXPECT_FALSE(w.txtChannel->isVisibleTo(&w));
    Enter();
    EXPECT_EQ(Focus(), w.txtBar); // the hidden channel box is passed
    // Channel 10 shows the drum list.
    ToTrack("10");
    Enter();
    Field("10");
    EXPECT_TRUE(w.cboDrumLookup->isVisibleTo(&w));
    Press(Qt::Key_Up);
    Field("3");
    EXPECT_FALSE(w.cboDrumLookup->isVisibleTo(&w));
}

TEST_F(EntryWindow, LoadedNrpnItemShowsItsOwnCaptionsAndARefusedItemNumberKeepsThePointer) {
    Load();
    NewPiece("SONG");
    ToTrack("2");
    Enter();
    Enter();
    Enter();
    Field("NRPN1");
    Field("5");
    Type("0");
    Press(Qt::Key_F12);
    ASSERT_EQ(Count(2), 1);
    // Back to the item box; item 1 is read with its captions.
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);
    ASSERT_EQ(Focus(), w.txtItem);
    Field("1");
    EXPECT_EQ(Text(w.txtNote), "NRPN1");
    EXPECT_EQ(w.lblAdjustment->text(), "LSB Number");
    EXPECT_EQ(w.lblDynamics->text(), "Value");
    EXPECT_EQ(p.s.CurrentItem(2), 1);

    // A number too large for the pointer: refused like any other, and the
    // pointer stays on the last valid item.
    Press(Qt::Key_Up);
    ASSERT_EQ(Focus(), w.txtItem);
    Field("70000");
    EXPECT_EQ(Focus(), w.txtItem);
    EXPECT_EQ(Text(w.txtItem), "1");
    EXPECT_EQ(p.s.CurrentItem(2), 1);
    EXPECT_EQ(Boxes(), 0u); // no overflow error
}

TEST_F(EntryWindow, TempoChangeQuestionAndTrackFileFailure) {
    Load();
    NewPiece("SONG");
    Type("72");
    p.msg.Answer(mb::Yes);
    Enter();
    ASSERT_EQ(Boxes(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Are you sure you want to change Tempo from 60 to 72 ?");
    EXPECT_EQ(p.s.Tempo, "72");
    EXPECT_EQ(Focus(), w.txtTrack);
    EXPECT_EQ(p.s.SelectedTracks, std::string(32, '1'));

    // The piece directory has gone: the track box reports it and keeps the
    // focus.
    fs::remove_all(fs::path(p.s.FilePath) / "SONG.TNQ");
    p.msg.AnswerOk();
    Field("2");
    ASSERT_EQ(Boxes(), 2u);
    EXPECT_EQ(p.msg.Last().Text, "Error 76 Path not found (Track 2, " + p.s.FilePath +
                                     "/SONG.TNQ/SONG02) has occured");
    EXPECT_EQ(Focus(), w.txtTrack);
}

// ---- Roads -------------------------------------------------------------------------

// A track record as the files hold it: 34 bytes.
std::string Records(std::initializer_list<const char*> records) {
    std::string bytes;
    for (const char* r : records) {
        EXPECT_EQ(std::string(r).size(), 34u) << r;
        bytes += r;
    }
    return bytes;
}

// The piece both roads type: File > New, then on track 1 a TEMPO and a
// rest, on track 2 a program from the list, notes, a rest, a tie, a dotted
// note and a triplet, with Enter between the boxes and F12, Alt+I or the
// Accept button to store each item.
void EntryWindow::TypeThePiece() {
    NewPiece("SONG");

    // Track 1: a TEMPO item and a rest as long as track 2.
    Enter();    // tempo 60 kept
    Enter();    // track 1
    Enter();    // item 1
    Field("1"); // bar
    Field("tempo");
    ASSERT_EQ(Focus(), w.txtDyn);
    EXPECT_EQ(Text(w.txtDur), "q");
    Type("100");
    Press(Qt::Key_F12);
    ASSERT_EQ(Count(1), 1);
    EXPECT_EQ(w.lblTrkDat(0)->text(), "1");
    Enter();
    Field("r");
    ASSERT_EQ(Focus(), w.txtDur);
    Field("whe.");
    Press(Qt::Key_F12);
    ASSERT_EQ(Count(1), 2);

    // Track 2: a program change from the list, then notes and a rest.
    Press(Qt::Key_Up); // bar -> item (the channel box is hidden on track 1)
    Press(Qt::Key_Up);
    ASSERT_EQ(Focus(), w.txtTrack);
    Field("2");
    ToNoteInBarOne();
    Field("progr");
    ASSERT_EQ(Focus(), w.cboGMNames);
    Type("Viol");
    AltI();
    ASSERT_EQ(Count(2), 1);

    Enter(); // bar 1
    Field("c");
    Field("4");
    Field("q");
    Enter(); // value 0
    Field("80");
    Press(Qt::Key_F12);
    ASSERT_EQ(Count(2), 2);

    Enter();
    Field("eb"); // the flat sign as it is typed
    Enter();     // octave 4 prefilled
    Field("e.");
    Enter();
    Enter(); // dynamics 80 prefilled
    AltI();  // the button's access key, from the pitch bend box
    ASSERT_EQ(Count(2), 3);

    Enter();
    Field("r");
    EXPECT_EQ(Focus(), w.txtDur);
    Field("q");
    Enter(); // value, then the pitch bend box (dynamics is off)
    ASSERT_EQ(Focus(), w.txtPitchBend);
    Enter();
    ASSERT_EQ(Focus(), w.btnAccept);
    QTest::mouseClick(w.btnAccept, Qt::LeftButton);
    Settle();
    ASSERT_EQ(Count(2), 4);

    // A tie in bar 2 (Home moves to the next bar and on to the note).
    Press(Qt::Key_Home);
    EXPECT_EQ(Text(w.txtBar), "2");
    ASSERT_EQ(Focus(), w.txtNote);
    Field("g");
    Enter();
    Field("hq");
    Press(Qt::Key_F12);
    ASSERT_EQ(Count(2), 5);

    // A quarter-note triplet in bar 3: typed once, then accepted twice as
    // prefilled.
    Press(Qt::Key_Home);
    Field("f");
    Enter();
    Field("q3");
    Press(Qt::Key_F12);
    Press(Qt::Key_F12);
    Press(Qt::Key_F12);
    ASSERT_EQ(Count(2), 8);
    EXPECT_EQ(w.lblTrkDat(1)->text(), "8");
    EXPECT_EQ(Boxes(), 0u);

    // Back to the menus.
    Press(Qt::Key_Escape);
}

TEST_F(EntryWindow, NewPieceTypedSavedAndOpenedAgain) {
    Load();
    TypeThePiece();
    if (HasFatalFailure()) return;
    const std::string filePath = p.s.FilePath;
    const fs::path dir = fs::path(filePath) / "SONG.TNQ";

    // File > Save, File > Exit.
    OpenMenu(w, "mnuFile");
    Choose(w, "mnuFilSave");
    EXPECT_EQ(p.s.PieceChanged, 0);
    OpenMenu(w, "mnuFile");
    Choose(w, "mnuFilExit");
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(p.msg.AllAnswersUsed());

    // The piece directory, byte for byte.
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"SONG.TNQ", "SONG01", "SONG02"}));
    EXPECT_EQ(test::ReadFile(dir / "SONG01"),
              Records({"TEMPO0q         0   1001   1 0    ", "R    0whe.      0   0  1   1 0    ",
                       "END                               "}));
    EXPECT_EQ(test::ReadFile(dir / "SONG02"),
              Records({"PROGR0          0   41 1   2 0    ", "C    4q         0   80 1   2 0    ",
                       "Eb   4e.        0   80 1   2 0    ", "R    0q         0   0  1   2 0    ",
                       "G    4hq        0   80 2   2 0    ", "F    4q3        0   80 3   2 0    ",
                       "F    4q3        0   80 3   2 0    ", "F    4q3        0   80 3   2 0    ",
                       "END                               "}));
    const std::string header =
        "\"60\",480,\"" + filePath + "\",\"\",0,\"4\",\"4\",32,2000,#FALSE#,3,2\r\n";
    EXPECT_EQ(test::ReadFile(dir / "SONG.TNQ"), header + "011300000000010000010100000" +
                                                    "010000000324000000010100000\r\n" +
                                                    "021280000000004100010200000"
                                                    "020600000048008000010200000"
                                                    "020630000036008000010200000"
                                                    "020000000048000000010200000"
                                                    "020670000144008000020200000"
                                                    "020650000016008000030200000"
                                                    "020650000016008000030200000"
                                                    "020650000016008000030200000\r\n");

    // A fresh start on the same settings, the first run ended: the piece is
    // in the File menu and opens from there with its counts.
    p.s.PieceLock.Release();
    State s2;
    FrmKVS w2;
    Context c2{s2, p.msg, p.ini, w2, p.sys};
    w2.Attach(&c2);
    w2.Form_Load();
    ASSERT_TRUE(ShowActive(&w2));
    EXPECT_EQ(s2.RecentCount, 1);
    const std::string path = (dir / "SONG.TNQ").string();
    EXPECT_EQ(w2.Caption("mnuFileArray(1)"), path);
    OpenMenu(w2, "mnuFile");
    Choose(w2, "mnuFileArray(1)");
    EXPECT_EQ(s2.PieceTitle, "SONG");
    EXPECT_EQ(w2.lblTitle->text(), "SONG");
    EXPECT_EQ(w2.lblTrkDat(0)->text(), "2");
    EXPECT_EQ(w2.lblTrkDat(1)->text(), "8");
    EXPECT_EQ(w2.lblTrkDat(2)->text(), "0");
    EXPECT_EQ(s2.ItemTime(2, 5), 1440);
    EXPECT_EQ(w2.focusWidget(), w2.txtTempo);
    EXPECT_EQ(w2.txtTempo->text(), "60");
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(EntryWindow, PieceWhoseTrackFileMovedOnReopensFromTheRecentListWithEveryItem) {
    Load();
    NewPiece("SONG");
    if (HasFatalFailure()) return;
    auto q = [](const char* n) { return TrackItemRecord{n, "4", "q", "0", "64", "1", "2", "0"}; };
    std::vector<TrackItemRecord> items{q("C"), q("D"), q("E")};
    // Saved with three items on track 2; then two more written to its file
    // and the piece left unsaved.
    Press(Qt::Key_Escape);
    WriteTrackFile(2, items);
    OpenMenu(w, "mnuFile");
    ChooseTracks({2});
    Choose(w, "mnuFilRecalc");
    OpenMenu(w, "mnuFile");
    Choose(w, "mnuFilSave");
    items.insert(items.end(), {q("F"), q("G")});
    WriteTrackFile(2, items);

    // Reopened, a note typed at the suggested item goes behind the five.
    OpenMenu(w, "mnuFile");
    Choose(w, "mnuFileArray(1)");
    ToTrack("2");
    EXPECT_EQ(Text(w.txtItem), "6");
    AcceptQuarterAInBarOne();
    items.push_back(q("A"));
    EXPECT_EQ(TrackRecords(2), items);
}

TEST_F(EntryWindow, TrackFileCutInsideARecordOpensWithAMessageAndTakesTheNextItemWhole) {
    Load();
    NewPiece("SONG");
    if (HasFatalFailure()) return;
    auto q = [](const char* n) { return TrackItemRecord{n, "4", "q", "0", "64", "1", "2", "0"}; };
    Press(Qt::Key_Escape);
    WriteTrackFile(2, {q("C"), q("D"), q("E")});
    OpenMenu(w, "mnuFile");
    ChooseTracks({2});
    Choose(w, "mnuFilRecalc");
    OpenMenu(w, "mnuFile");
    Choose(w, "mnuFilSave");
    // The file cut off inside its third item.
    const std::string path = TrackFilePath(p.s, "SONG", 2);
    test::WriteFile(path, test::ReadFile(path).substr(0, 2 * kRecordLength + 20));

    // Reopened: Yes to giving up the item cut off, then one message names
    // the track and its last whole item.
    OpenMenu(w, "mnuFile");
    p.msg.Answer(mb::Yes);
    p.msg.AnswerOk();
    const std::size_t before = p.msg.shown.size();
    Choose(w, "mnuFileArray(1)");
    ASSERT_EQ(p.msg.shown.size(), before + 2);
    EXPECT_EQ(p.msg.shown[before].Text.substr(0, 80),
              "The file SONG02 of Track 2 holds 2 items; the last Save of the piece recorded 3.");
    EXPECT_EQ(p.msg.Last().Title, "Open File");
    EXPECT_EQ(p.msg.Last().Text.substr(0, 79),
              "The file SONG02 of Track 2 ends inside a record: its last whole item is Item 2.");
    EXPECT_EQ(w.lblTrkDat(1)->text(), "2");

    // A note typed at the suggested item takes the cut bytes' place, with
    // the END record behind it.
    ToTrack("2");
    EXPECT_EQ(Text(w.txtItem), "3");
    AcceptQuarterAInBarOne();
    EXPECT_EQ(test::ReadFile(path), EncodeRecord(q("C")) + EncodeRecord(q("D")) +
                                        EncodeRecord(q("A")) + EncodeRecord(kEndRecord));
}

TEST_F(EntryWindow, NewEntersItemEntryInItsOwnMode) {
    Load();
    p.s.MenuMode = "mnuEdtCC"; // as the last bulk command left it
    NewPiece("SONG");
    EXPECT_EQ(p.s.MenuMode, "mnuEdtNotes");
}

TEST_F(EntryWindow, NewPieceTypedAndWrittenAsAMidFile) {
    Load();
    TypeThePiece();
    if (HasFatalFailure()) return;
    const fs::path mid = fs::path(p.s.FilePath) / "SONG.TNQ" / "SONG.MID";

    // File > Make .MID file: the options dialog answered with the keys.
    OpenMenu(w, "mnuFile");
    bool answered = false;
    WhenShownModal([&](QWidget* d) {
        auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
        auto* f = qobject_cast<FrmMidFile*>(d);
        EXPECT_NE(f, nullptr);
        key(Qt::Key_Tab); // Abort -> OK
        key(Qt::Key_Tab); // the title box
        QTest::keyClicks(QApplication::focusWidget(), "Song of Three Bars");
        key(Qt::Key_Up); // back to OK
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "btnOK");
        key(Qt::Key_Return);
        answered = !d->isVisible();
        if (d->isVisible()) static_cast<QDialog*>(d)->reject();
    });
    Choose(w, "mnuFilMid");
    EXPECT_TRUE(answered);
    EXPECT_EQ(Boxes(), 0u);
    ASSERT_TRUE(fs::exists(mid));

    const test::CsvResult r = test::ExpectReadable(mid);
    const auto header = r.Of(0, "Header");
    ASSERT_EQ(header.size(), 1u);
    EXPECT_EQ(header[0].Fields, (std::vector<std::string>{"1", "2", "480"}));
    const auto titles = r.Of(1, "Text_t");
    ASSERT_GE(titles.size(), 1u);
    EXPECT_EQ(titles[0].Fields.at(0), "\"Song of Three Bars\"");
    const auto programs = r.Of(2, "Program_c");
    ASSERT_EQ(programs.size(), 1u);
    EXPECT_EQ(programs[0].Fields, (std::vector<std::string>{"1", "40"})); // channel 2, Violin
    // The notes as typed: key and time of each note-on with a velocity.
    std::vector<std::pair<long long, std::string>> notes;
    for (const auto& x : r.Of(2, "Note_on_c"))
        if (x.Fields.at(2) != "0") notes.push_back({x.Time, x.Fields.at(1)});
    const std::vector<std::pair<long long, std::string>> expected = {
        {0, "60"}, {480, "63"}, {1320, "67"}, {2760, "65"}, {2920, "65"}, {3080, "65"}};
    EXPECT_EQ(notes, expected);
    for (int t : {1, 2}) {
        const auto end = r.Of(t, "End_track");
        ASSERT_EQ(end.size(), 1u);
        EXPECT_EQ(end[0].Time, 3240) << t;
    }
}

} // namespace
} // namespace tnq
