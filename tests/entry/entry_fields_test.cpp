// The entry boxes' help lines, guards, loss-of-focus checks and keys over the
// fake screen, with real track files where a check reads or opens them.
#include "entry/entry_fields.h"

#include "core/piece_fixture.h"
#include "core/recalculate.h"
#include "entry/accept_item.h"
#include "core/nrpn_table.h"
#include "platform/key_codes.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace tnq::test {
namespace {

class EntryFields : public PieceTest {
protected:
    void SetUp() override {
        SetUpPiece(4, 10);
        s.PieceOpen = 1;
        s.MenuActive = 0;
        s.Tempo = "96";
        s.LastTempo = "96";
        for (int t = 1; t <= s.NumTracks; ++t) s.CurrentItem(t) = 1;
    }
    MainScreen& Screen() { return p.screen; }
    std::string Text(Box b) const { return p.screen.Text(b); }
    void Set(Box b, const std::string& text) { p.screen.SetText(b, text); }
    const std::string& Status() const { return p.screen.status1; }
    // The controls the last check switched on (true) and off (false).
    std::map<std::string, bool>& Switched() { return p.screen.controlEnabled; }
    // Track t chosen in the track box.
    void OnTrack(int t) {
        Set(Box::Track, std::to_string(t));
        ASSERT_TRUE(txtTrack_LostFocus(c));
        p.screen.focus.reset();
    }
};

// ---- Help lines ------------------------------------------------------------------

TEST_F(EntryFields, HelpLinesOfTheBoxes) {
    Set(Box::Tempo, "96");
    Set(Box::Track, "2");
    Set(Box::Item, "1");
    s.CurrentTrack = 2;
    struct Case {
        std::function<void(Context&)> got;
        const char* line;
    } cases[] = {
        {txtTempo_GotFocus, "Enter number of quarter notes per minute"},
        {[](Context& c) { txtTrack_GotFocus(c); }, "Enter track number (1-4)"},
        {[](Context& c) { txtItem_GotFocus(c); },
         "Press F9 to go to a Bar; Find Next: "
         "F2=PROGR;F3=CNTRL;F4=TEMPO;F5=METER;F6=LEGON;F8=Channel change;F10=PBEND"},
        {txtChannel_GotFocus, "Enter channel number (1-16)"},
        {[](Context& c) { txtBar_GotFocus(c); },
         "Press F11 to insert item(s); F10 to delete Item(s); F6=revise bar nos.; F8=copy items"},
        {txtNote_GotFocus,
         "Enter note names C Eb F# etc.; F2=Prog. Change, F3=Control Change,F4=Legato On, "
         "F5=Legato Off F6=TEMPO, F8=METER, or F7"},
        {txtOcta_GotFocus, "Enter octave (0-8)"},
        {txtDur_GotFocus, "w=whole note h=half note q, e, s, t for others, z=sixty fourth; "
                          "q.=dotted quarter, q3=quarter triplet etc.\""},
        {txtDyn_GotFocus, "Dynamics range from 1-127"},
        {txtPitchbend_GotFocus, "Range is -8192 to 8191 (0=no Pitchbend)"},
    };
    for (const Case& k : cases) {
        p.screen.status1 = "old";
        k.got(c);
        EXPECT_EQ(Status(), k.line);
        EXPECT_FALSE(p.screen.focus.has_value()) << k.line;
    }
    EXPECT_EQ(TrackHelpLine(96), "Enter track number (1-96)");
}

TEST_F(EntryFields, ValueAndDynamicsHelpLinesFollowTheNoteBox) {
    struct Case {
        const char* note;
        const char* adj;
        std::optional<std::string> adjLine; // nothing: the line stays
        std::string dynLine;
    } cases[] = {
        {"FILT2", "0", "Filter Cutoff is 0-127", "Filter Resonance is 0-127"},
        {"FILT1", "0", "Wa Wa speed is 0-127", "Wa Wa depth is -64 to 63"},
        {"LFO_2", "0", "Speed is 0-127", "Pitch Change from -127 to 127"},
        {"CNTRL", "7", "Controllers are 0 to 127", "Range from 0-127"},
        {"AFTER", "0", std::nullopt, "Range from 0-127"},
        {"PBEND", "0", std::nullopt, "Range from 0-127"},
        {"PORTS", "0", std::nullopt, "Ports are 0-9"},
        {"NRPN1", "30", "LSB is 0 to 26", "From 0 to 0"}, // no such parameter
        {"NRPN1", "-1", "LSB is 0 to 26", "From 0 to 0"}, // none either
        {"TEMPO", "0", std::nullopt, "Beats per Minute is 1-999"},
        {"LOCAT", "0", std::nullopt, "Location is 1-999"},
        {"METER", "3", "Top Number is 1-99", "Bottom Number is 2, 4, 8, 16, 32 or 64"},
        {"C", "0", std::nullopt, "Dynamics range from 1-127"},
        {"progr", "0", std::nullopt, "Dynamics range from 1-127"}, // exact texts only
    };
    for (const Case& k : cases) {
        Set(Box::Note, k.note);
        Set(Box::Adj, k.adj);
        p.screen.status1 = "";
        txtAdj_GotFocus(c);
        EXPECT_EQ(Status(), k.adjLine.value_or("")) << k.note;
        txtDyn_GotFocus(c);
        EXPECT_EQ(Status(), k.dynLine) << k.note;
        EXPECT_FALSE(p.screen.gmNamesVisible) << k.note;
    }
    // NRPN1: the parameter's range from the table, a value like 5.5 rounded.
    for (const char* adj : {"5", "5.4", " 5 "}) {
        Set(Box::Note, "NRPN1");
        Set(Box::Adj, adj);
        txtDyn_GotFocus(c);
        EXPECT_EQ(Status(), "From " + std::to_string(NRPNArray[5][0]) + " to " +
                                std::to_string(NRPNArray[5][1]))
            << adj;
    }
    // After a duration the value box's line stays empty for a note.
    Set(Box::Note, "C");
    p.screen.status1 = "w=whole";
    txtDur_LostFocus(c);
    txtAdj_GotFocus(c);
    EXPECT_EQ(Status(), "");
}

TEST_F(EntryFields, DynamicsOfAProgramChangeOpensTheInstrumentList) {
    Set(Box::Note, "PROGR");
    txtDyn_GotFocus(c);
    EXPECT_EQ(Status(), "Patch range from 1-128");
    EXPECT_TRUE(p.screen.gmNamesVisible);
    EXPECT_EQ(p.screen.focusOn, "cboGMNames");
    // The note box closes it again.
    txtNote_GotFocus(c);
    EXPECT_FALSE(p.screen.gmNamesVisible);
}

TEST_F(EntryFields, FocusHandlersClearSkipValidationExceptTempoAndPitchBend) {
    Set(Box::Tempo, "96");
    Set(Box::Track, "1");
    Set(Box::Item, "1");
    s.CurrentTrack = 1;
    struct Case {
        const char* box;
        std::function<void(Context&)> got;
        Integer after;
    } cases[] = {
        {"tempo", txtTempo_GotFocus, 1},
        {"track", [](Context& c) { txtTrack_GotFocus(c); }, 0},
        {"item", [](Context& c) { txtItem_GotFocus(c); }, 0},
        {"channel", txtChannel_GotFocus, 0},
        {"bar", [](Context& c) { txtBar_GotFocus(c); }, 0},
        {"note", txtNote_GotFocus, 0},
        {"octave", txtOcta_GotFocus, 0},
        {"duration", txtDur_GotFocus, 0},
        {"value", txtAdj_GotFocus, 0},
        {"dynamics", txtDyn_GotFocus, 0},
        {"pitch bend", txtPitchbend_GotFocus, 1},
    };
    for (const Case& k : cases) {
        s.SkipValidation = 1;
        k.got(c);
        EXPECT_EQ(s.SkipValidation, k.after) << k.box;
    }
}

TEST_F(EntryFields, TrackAndTempoBoxesShowAndHideTheDescriptionList) {
    Set(Box::Tempo, "96");
    Set(Box::Track, "2");
    s.RecalcDone = -1;
    ASSERT_TRUE(txtTrack_GotFocus(c));
    EXPECT_TRUE(p.screen.ControlVisible("cboTracks"));
    EXPECT_EQ(s.RecalcDone, 0);
    ASSERT_TRUE(txtItem_GotFocus(c));
    EXPECT_FALSE(p.screen.ControlVisible("cboTracks"));
    txtTrack_GotFocus(c);
    txtTempo_GotFocus(c);
    EXPECT_FALSE(p.screen.ControlVisible("cboTracks"));
}

// ---- Guards ------------------------------------------------------------------------

TEST_F(EntryFields, GuardsSendTheFocusBackToAnInvalidEarlierBox) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::function<bool(Context&)> got;
        Box back;
    } cases[] = {
        {"tempo empty", [this] { Set(Box::Tempo, ""); }, txtTrack_GotFocus, Box::Tempo},
        {"tempo 0", [this] { Set(Box::Tempo, "0"); }, txtTrack_GotFocus, Box::Tempo},
        {"tempo 1000", [this] { Set(Box::Tempo, "1000"); }, txtTrack_GotFocus, Box::Tempo},
        {"tempo 9x", [this] { Set(Box::Tempo, "9x"); }, txtTrack_GotFocus, Box::Tempo},
        {"track empty", [this] { Set(Box::Track, ""); }, txtItem_GotFocus, Box::Track},
        {"track 5 of 4", [this] { Set(Box::Track, "5"); }, txtItem_GotFocus, Box::Track},
        {"track 0.5", [this] { Set(Box::Track, "0.5"); }, txtItem_GotFocus, Box::Track},
        {"track 99999", [this] { Set(Box::Track, "99999"); }, txtItem_GotFocus, Box::Track},
        {"item not a number", [this] { Set(Box::Item, "one"); }, txtBar_GotFocus, Box::Item},
        {"pointer 0", [this] { s.CurrentItem(2) = 0; }, txtBar_GotFocus, Box::Item},
        {"pointer two behind the last item",
         [this] {
             s.ItemCount(2) = 3;
             s.CurrentItem(2) = 5;
         },
         txtBar_GotFocus, Box::Item},
        {"no track chosen", [this] { s.CurrentTrack = 0; }, txtBar_GotFocus, Box::Item},
    };
    for (const Case& k : cases) {
        Set(Box::Tempo, "96");
        Set(Box::Track, "2");
        Set(Box::Item, "1");
        s.CurrentTrack = 2;
        s.ItemCount(2) = 0;
        s.CurrentItem(2) = 1;
        s.SkipValidation = 1;
        s.FieldsDisabled = 1;
        p.screen.controlEnabled.clear();
        p.screen.focus.reset();
        p.screen.status1 = "old";
        k.arrange();
        EXPECT_FALSE(k.got(c)) << k.what;
        EXPECT_EQ(p.screen.focus, k.back) << k.what;
        // Nothing else happens.
        EXPECT_EQ(Status(), "old") << k.what;
        EXPECT_EQ(s.SkipValidation, 1) << k.what;
        EXPECT_TRUE(p.screen.controlEnabled.empty()) << k.what;
    }
    // Valid boxes pass; the bar box switches the value boxes on again.
    Set(Box::Tempo, " 96 ");
    Set(Box::Track, "4");
    s.CurrentTrack = 2;
    s.ItemCount(2) = 3;
    s.CurrentItem(2) = 4;
    EXPECT_TRUE(txtTrack_GotFocus(c));
    EXPECT_TRUE(txtItem_GotFocus(c));
    EXPECT_TRUE(txtBar_GotFocus(c));
    EXPECT_EQ(s.FieldsDisabled, 0);
    EXPECT_EQ(Switched().size(), 10u);
}

// ---- Tempo -------------------------------------------------------------------------

TEST_F(EntryFields, TempoRefusalsBeepOrKeepTheFocus) {
    struct Case {
        const char* typed;
        bool beep;
        const char* shown;
    } cases[] = {
        {"", false, ""},    {"fast", false, "fast"}, {"1000", true, "90"},     {"0", true, "90"},
        {"-5", true, "90"}, {"1e6", true, "90"},     {"99999999", true, "90"},
    };
    for (const Case& k : cases) {
        s.LastTempo = "90";
        Set(Box::Track, "3");
        Set(Box::Tempo, k.typed);
        p.screen.beeps = 0;
        p.screen.focus.reset();
        EXPECT_FALSE(txtTempo_LostFocus(c)) << k.typed;
        EXPECT_EQ(p.screen.beeps, k.beep ? 1 : 0) << k.typed;
        EXPECT_EQ(Text(Box::Tempo), k.shown) << k.typed;
        EXPECT_EQ(p.screen.focus, Box::Tempo) << k.typed;
        EXPECT_EQ(Text(Box::Track), "3") << k.typed;
    }
}

TEST_F(EntryFields, TempoEqualInValueAsksNothingAndSetsTrackOne) {
    for (const char* typed : {"96", "96.0", " 96"}) {
        Set(Box::Tempo, typed);
        Set(Box::Track, "3");
        s.BeatUnit = 4;
        EXPECT_TRUE(txtTempo_LostFocus(c)) << typed;
        EXPECT_EQ(Text(Box::Track), "1");
        EXPECT_EQ(s.LastTempo, typed);
        EXPECT_EQ(s.BeatUnit, 8);
        EXPECT_EQ(s.Tempo, "96");
    }
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(EntryFields, TempoChangeAnsweredNoShowsThePieceTempoAgain) {
    Set(Box::Tempo, "120");
    p.msg.Answer(mb::No);
    EXPECT_TRUE(txtTempo_LostFocus(c));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Are you sure you want to change Tempo from 96 to 120 ?");
    EXPECT_EQ(p.msg.Last().Code, 36);
    EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("Tempo Change ?"));
    EXPECT_EQ(Text(Box::Tempo), "96");
    EXPECT_EQ(s.Tempo, "96");
    EXPECT_EQ(s.LastTempo, "120");
    EXPECT_EQ(Text(Box::Track), "1");
}

TEST_F(EntryFields, TempoChangeAnsweredYesRecalculatesEveryTrack) {
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "h")});
    WriteTrack(3, {Item("E", "4", "w")});
    Set(Box::Tempo, "72");
    s.SelectedTracks = "0000";
    s.FieldsDisabled = 1;
    p.msg.Answer(mb::Yes);
    EXPECT_TRUE(txtTempo_LostFocus(c));
    EXPECT_EQ(s.Tempo, "72");
    EXPECT_EQ(s.SelectedTracks, "1111");
    EXPECT_EQ(s.ItemCount(2), 2);
    EXPECT_EQ(s.ItemTime(2, 2), 960);
    EXPECT_EQ(s.ItemCount(3), 1);
    EXPECT_FALSE(p.screen.hourglass);
    EXPECT_EQ(s.FieldsDisabled, 0);
    EXPECT_EQ(Text(Box::Track), "1");
}

TEST_F(EntryFields, ChecksDoNothingInMenuMode) {
    s.MenuActive = 1;
    s.FieldsDisabled = 1;
    for (Box b : {Box::Tempo, Box::Track, Box::Item, Box::Bar, Box::Note, Box::Dur}) Set(b, "Xx ");
    EXPECT_TRUE(txtTempo_LostFocus(c));
    EXPECT_TRUE(txtTrack_LostFocus(c));
    EXPECT_TRUE(txtItem_LostFocus(c));
    EXPECT_TRUE(txtBar_LostFocus(c));
    EXPECT_TRUE(txtNote_LostFocus(c));
    p.screen.status1 = "kept";
    txtDur_LostFocus(c);
    EXPECT_EQ(Status(), "kept");
    EXPECT_EQ(Text(Box::Dur), "Xx ");
    EXPECT_EQ(s.FieldsDisabled, 1);
    EXPECT_FALSE(p.screen.focus.has_value());
    EXPECT_EQ(p.screen.beeps, 0);
}

// ---- Track -------------------------------------------------------------------------

TEST_F(EntryFields, InvalidTrackNumbersBeepAndPutTheLastTrackBack) {
    s.LastTrack = "2";
    s.CurrentTrack = 2;
    for (const char* typed : {"", "0", "5", "0.4", "-1", "40000", "1e9", "two"}) {
        Set(Box::Track, typed);
        p.screen.beeps = 0;
        p.screen.focus.reset();
        EXPECT_FALSE(txtTrack_LostFocus(c)) << typed;
        EXPECT_EQ(p.screen.beeps, 1) << typed;
        EXPECT_EQ(Text(Box::Track), "2") << typed;
        EXPECT_EQ(p.screen.focus, Box::Track) << typed;
        EXPECT_EQ(s.CurrentTrack, 2) << typed;
    }
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(EntryFields, ValidTrackOpensItsFileAndResetsTheItemBoxes) {
    WriteTrack(3, {Item("C", "4", "q"), Item("D", "4", "q")});
    s.ItemCount(3) = 2;
    s.CurrentItem(3) = 3;
    s.TrackDescription.ReDim(s.NumTracks);
    s.TrackDescription(3) = "Cello";
    for (Box b : {Box::Bar, Box::Note, Box::Octa, Box::Dur}) Set(b, "x");
    Set(Box::Adj, "5");
    Set(Box::Dyn, "99");
    Set(Box::Channel, "7");
    Set(Box::PitchBend, "100");
    s.LastBar = s.LastNote = s.LastDuration = s.LastDynamics = s.LastChannel = s.LastPitchBend =
        "x";
    s.LastOctave = "5";
    s.TickFraction = 0.5f;
    s.BeatUnit = 6;
    s.FieldsDisabled = 1;

    Set(Box::Track, "3");
    ASSERT_TRUE(txtTrack_LostFocus(c));
    EXPECT_EQ(s.CurrentTrack, 3);
    EXPECT_EQ(s.File2Open, 1);
    EXPECT_EQ(s.FieldsDisabled, 0);
    EXPECT_TRUE(p.screen.controlVisible.at("txtChannel"));
    EXPECT_EQ(p.screen.Caption("lblTrackDesc"), "Cello");
    EXPECT_EQ(s.LastTrack, "3");
    EXPECT_EQ(s.TickFraction, 0);
    EXPECT_EQ(s.BeatUnit, 8);
    EXPECT_EQ(Text(Box::Item), "3");
    EXPECT_EQ(s.LastItem, "3");
    for (Box b : {Box::Bar, Box::Note, Box::Octa, Box::Dur}) EXPECT_EQ(Text(b), "");
    EXPECT_EQ(Text(Box::Adj), "0");
    EXPECT_EQ(Text(Box::Dyn), "64");
    EXPECT_EQ(Text(Box::Channel), "7");
    EXPECT_EQ(Text(Box::PitchBend), "100");
    for (const std::string* last : {&s.LastBar, &s.LastNote, &s.LastDuration, &s.LastDynamics,
                                    &s.LastChannel, &s.LastPitchBend})
        EXPECT_EQ(*last, "");
    EXPECT_EQ(s.LastOctave, "0");
    EXPECT_FALSE(p.screen.focus.has_value());

    // Track 1 hides the channel box; no description shows an empty caption.
    OnTrack(1);
    EXPECT_FALSE(p.screen.controlVisible.at("txtChannel"));
    EXPECT_EQ(p.screen.Caption("lblTrackDesc"), "");
    // 1.5 rounds to the even track 2.
    Set(Box::Track, "1.5");
    ASSERT_TRUE(txtTrack_LostFocus(c));
    EXPECT_EQ(s.CurrentTrack, 2);
    EXPECT_EQ(s.LastTrack, "1.5");
}

TEST_F(EntryFields, ATempoUnitHoldsOnlyOnItsOwnTrack) {
    const auto accept = [this](const std::string& note, const std::string& dur,
                               const std::string& dyn) {
        const std::pair<Box, std::string> typed[] = {
            {Box::Bar, "1"},  {Box::Note, note}, {Box::Octa, "5"},    {Box::Dur, dur},
            {Box::Adj, "0"},  {Box::Dyn, dyn},   {Box::Channel, "1"}, {Box::PitchBend, "0"}};
        for (const auto& [box, text] : typed) Set(box, text);
        btnAccept_Click(c);
    };
    OnTrack(1);
    accept("TEMPO", "h.", "90");
    OnTrack(2);
    accept("C", "s", "64");
    ASSERT_EQ(s.ItemCount(2), 1);
    EXPECT_EQ(s.ItemTime(2, 1), 120);
    Select({1, 2});
    ASSERT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemTime(2, 1), 120);
}

TEST_F(EntryFields, TrackFileThatCannotBeOpenedKeepsTheFocusInTheTrackBox) {
    std::filesystem::remove_all(PieceDir());
    Set(Box::Track, "2");
    Set(Box::Item, "9");
    p.msg.AnswerOk();
    EXPECT_FALSE(txtTrack_LostFocus(c));
    ASSERT_EQ(p.msg.shown.size(), 1u);
    EXPECT_EQ(p.msg.Last().Text, "Error 76 Path not found (Track 2, " + TrackPath(2).string() +
                                     ") has occured");
    EXPECT_EQ(p.screen.focus, Box::Track);
    EXPECT_EQ(s.File2Open, 0);
    EXPECT_EQ(Text(Box::Item), "9"); // the item boxes are left alone
}

TEST_F(EntryFields, TrackRowsPageToTheChosenTrack) {
    struct Case {
        int tracks, pageBefore, track;
        int flips;
        int pageBeforeFlip; // TrackPage when Flip is clicked
    } cases[] = {
        {32, 0, 32, 0, 0}, {64, 0, 33, 1, 0}, {64, 1, 33, 0, 1}, {64, 0, 32, 0, 0},
        {64, 1, 32, 1, 1}, {64, 1, 1, 1, 1},  {96, 0, 65, 1, 1}, {96, 0, 40, 1, 0},
        {96, 2, 1, 1, 2},  {96, 1, 96, 1, 1}, {96, 2, 70, 0, 2}, {96, 1, 2, 1, 2},
    };
    for (const Case& k : cases) {
        s.NumTracks = static_cast<Integer>(k.tracks);
        ASSERT_TRUE(MemorySetUp(c));
        s.TrackPage = static_cast<Integer>(k.pageBefore);
        p.screen.flipCalls = 0;
        Set(Box::Track, std::to_string(k.track));
        ASSERT_TRUE(txtTrack_LostFocus(c)) << k.tracks << " " << k.track;
        EXPECT_EQ(p.screen.flipCalls, k.flips) << k.tracks << " " << k.track;
        EXPECT_EQ(s.TrackPage, k.pageBeforeFlip) << k.tracks << " " << k.track;
    }
}

// ---- Item --------------------------------------------------------------------------

TEST_F(EntryFields, ItemNumbersPastTheLastItemSetTheChannel) {
    s.NumTracks = 20;
    ASSERT_TRUE(MemorySetUp(c));
    struct Case {
        int track;
        const char* channel;
    } cases[] = {{5, "5"}, {16, "16"}, {17, "16"}, {20, "16"}};
    for (const Case& k : cases) {
        OnTrack(k.track);
        s.ItemCount(k.track) = 0;
        Set(Box::Item, "1");
        Set(Box::Channel, "3");
        ASSERT_TRUE(txtItem_LostFocus(c)) << k.track;
        EXPECT_EQ(Text(Box::Channel), k.channel) << k.track;
        EXPECT_EQ(Text(Box::Bar), "1");
        EXPECT_EQ(Text(Box::Dyn), "64");
        EXPECT_EQ(Text(Box::PitchBend), "0");
        EXPECT_EQ(s.ItemDynamics, 64);
        EXPECT_EQ(s.CurrentItem(k.track), 1);
    }
    // Behind the last item of a longer track: the prefill stays.
    WriteTrack(5, {Item("C", "4", "q"), Item("D", "4", "q")});
    OnTrack(5);
    s.ItemCount(5) = 2;
    Set(Box::Note, "F#");
    Set(Box::Item, "3");
    ASSERT_TRUE(txtItem_LostFocus(c));
    EXPECT_EQ(Text(Box::Note), "F#");
    EXPECT_EQ(s.CurrentItem(5), 3);
    EXPECT_EQ(s.LastItem, "3");
}

TEST_F(EntryFields, ExistingItemIsReadWithItsCaptions) {
    WriteTrack(2, {Item("C", "4", "q"), Item("NRPN1", "0", "", "5", "40", "2", "3")});
    OnTrack(2);
    s.ItemCount(2) = 2;
    Set(Box::Item, "2");
    ASSERT_TRUE(txtItem_LostFocus(c));
    EXPECT_EQ(Text(Box::Note), "NRPN1");
    EXPECT_EQ(Text(Box::Adj), "5");
    EXPECT_EQ(Text(Box::Bar), "2");
    EXPECT_EQ(Text(Box::Channel), "3");
    EXPECT_EQ(p.screen.Caption("lblAdjustment"), "LSB Number");
    EXPECT_EQ(p.screen.Caption("lblDynamics"), "Value");
    EXPECT_EQ(s.CurrentItem(2), 2);
    EXPECT_EQ(s.LastItem, "2");
    // Item 1 of the track is read over the emptied boxes.
    Set(Box::Item, "1");
    ASSERT_TRUE(txtItem_LostFocus(c));
    EXPECT_EQ(Text(Box::Note), "C");
    EXPECT_EQ(Text(Box::Dur), "q");
}

TEST_F(EntryFields, RefusedItemNumberRestoresTheBoxAndThePointer) {
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q")});
    OnTrack(2);
    s.ItemCount(2) = 3;
    Set(Box::Item, "2");
    ASSERT_TRUE(txtItem_LostFocus(c));
    for (const char* typed : {"0", "5", "-1", "x", "", "40000", "1e12"}) {
        Set(Box::Item, typed);
        p.screen.focus.reset();
        EXPECT_FALSE(txtItem_LostFocus(c)) << typed;
        EXPECT_EQ(Text(Box::Item), "2") << typed;
        EXPECT_EQ(s.CurrentItem(2), 2) << typed;
        EXPECT_EQ(p.screen.focus, Box::Item) << typed;
    }
    // A remembered number the track no longer reaches: the pointer it had.
    s.LastItem = "9";
    s.CurrentItem(2) = 3;
    Set(Box::Item, "7");
    EXPECT_FALSE(txtItem_LostFocus(c));
    EXPECT_EQ(s.CurrentItem(2), 3);
    EXPECT_EQ(Text(Box::Item), "3");
    EXPECT_EQ(s.LastItem, "3");
    EXPECT_TRUE(p.msg.shown.empty());
    // With no track chosen the focus goes to the track box.
    s.CurrentTrack = 0;
    Set(Box::Item, "1");
    EXPECT_FALSE(txtItem_LostFocus(c));
    EXPECT_EQ(p.screen.focus, Box::Track);
}

TEST_F(EntryFields, SkipValidationStopsTheTrackItemBarAndNoteChecks) {
    s.SkipValidation = 1;
    s.FieldsDisabled = 1;
    Set(Box::Track, "x");
    Set(Box::Item, "x");
    Set(Box::Bar, "x");
    Set(Box::Note, "x");
    Set(Box::Dur, " Q ");
    EXPECT_TRUE(txtTrack_LostFocus(c));
    EXPECT_EQ(s.FieldsDisabled, 0); // switched on before the skip test
    s.FieldsDisabled = 1;
    EXPECT_TRUE(txtItem_LostFocus(c));
    EXPECT_EQ(s.FieldsDisabled, 0);
    EXPECT_TRUE(txtBar_LostFocus(c));
    EXPECT_TRUE(txtNote_LostFocus(c));
    p.screen.status1 = "help";
    txtDur_LostFocus(c);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(Text(Box::Dur), " Q ");
    EXPECT_FALSE(p.screen.focus.has_value());
    EXPECT_TRUE(p.msg.shown.empty());
    // The tempo check does not look at it.
    Set(Box::Tempo, "x");
    EXPECT_FALSE(txtTempo_LostFocus(c));
}

// ---- Channel, bar, duration ----------------------------------------------------------

TEST_F(EntryFields, DrumListShownForChannelTen) {
    for (const auto& [typed, shown] : std::map<std::string, bool>{
             {"10", true}, {"10.0", true}, {" 10", true}, {"1", false}, {"", false}}) {
        Set(Box::Channel, typed);
        txtChannel_LostFocus(c);
        EXPECT_EQ(p.screen.ControlVisible("cboDrumLookup"), shown) << typed;
    }
}

TEST_F(EntryFields, BarAndDurationChecks) {
    Set(Box::Bar, "x");
    EXPECT_FALSE(txtBar_LostFocus(c));
    EXPECT_EQ(p.screen.focus, Box::Bar);
    EXPECT_EQ(Text(Box::Bar), "x");
    p.screen.focus.reset();
    Set(Box::Bar, "12000"); // the range is Accept Item's
    EXPECT_TRUE(txtBar_LostFocus(c));
    EXPECT_FALSE(p.screen.focus.has_value());

    Set(Box::Dur, "  Q.E3 ");
    p.screen.status1 = "help";
    txtDur_LostFocus(c);
    EXPECT_EQ(Text(Box::Dur), "q.e3");
    EXPECT_EQ(Status(), "");
}

// ---- Note ----------------------------------------------------------------------------

TEST_F(EntryFields, TrackOneTakesOnlyTempoMeterRestAndEnd) {
    Set(Box::Track, "1");
    for (const char* typed : {"", "C", "PROGR", "tempi"}) {
        Set(Box::Note, typed);
        p.msg.AnswerOk();
        p.screen.focus.reset();
        EXPECT_FALSE(txtNote_LostFocus(c)) << typed;
        EXPECT_EQ(p.msg.Last().Text, "Only Tempo and Meter changes allowed on Track 1");
        EXPECT_EQ(p.msg.Last().Code, 0);
        EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("Tonquill"));
        EXPECT_EQ(p.screen.focus, Box::Note) << typed;
    }
    for (const char* typed : {"tempo", " METER", "r", "END"}) {
        Set(Box::Note, typed);
        txtNote_LostFocus(c);
    }
    EXPECT_EQ(p.msg.shown.size(), 4u);
}

TEST_F(EntryFields, FlatSignAsTheSecondCharacter) {
    Set(Box::Track, "2");
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {{"EB", "Eb"}, {"eb", "Eb"}, {"BB", "Bb"},  {" Ab ", "Ab"},
                 {"C#", "C#"}, {"b", "B"},   {"CBB", "CBB"}};
    for (const Case& k : cases) {
        Set(Box::Note, k.typed);
        EXPECT_TRUE(txtNote_LostFocus(c)) << k.typed;
        EXPECT_EQ(Text(Box::Note), k.shown) << k.typed;
    }
    EXPECT_EQ(s.Scratch, "CBB");
}

TEST_F(EntryFields, NoteBoxUpperCasesAndTrimsItsText) {
    // Text that did not come through the keystroke handler (pasted).
    Set(Box::Track, "2");
    struct Case {
        const char* pasted;
        const char* shown;
        bool restSwitch; // the octave and dynamics boxes switched off
    } cases[] = {{" r ", "R", true}, {"c#", "C#", false}, {"  f", "F", false},
                 {"progr", "PROGR", false}, {"R", "R", true}};
    for (const Case& k : cases) {
        Set(Box::Note, k.pasted);
        p.screen.controlEnabled.clear();
        EXPECT_TRUE(txtNote_LostFocus(c)) << k.pasted;
        EXPECT_EQ(Text(Box::Note), k.shown) << k.pasted;
        EXPECT_EQ(Switched().count("txtDyn") == 1, k.restSwitch) << k.pasted;
    }
    // Moving back leaves the text alone.
    Set(Box::Note, " r ");
    s.SkipValidation = 1;
    txtNote_LostFocus(c);
    EXPECT_EQ(Text(Box::Note), " r ");
}

struct NoteCase {
    const char* note;
    const char* track;
    std::map<std::string, bool> switched; // control -> on
    const char* adjustment;               // expected caption; nullptr: unchanged ("old")
    const char* dynamics;
    bool checkPasses;
    std::optional<std::string> focusOn;
    std::optional<std::string> message;
};

std::map<std::string, bool> Off(std::initializer_list<const char*> controls) {
    std::map<std::string, bool> m;
    for (const char* c : controls) m[c] = false;
    return m;
}

const std::map<std::string, bool> kFourOff =
    Off({"lblOctave", "txtOcta", "lblNoteValue", "txtDur", "lblAdjustment", "txtAdj",
         "lblPitchBend", "txtPitchBend"});
std::map<std::string, bool> ThreeOffValueOn() {
    auto m =
        Off({"lblOctave", "txtOcta", "lblNoteValue", "txtDur", "lblPitchBend", "txtPitchBend"});
    m["txtAdj"] = true;
    return m;
}
const std::map<std::string, bool> kAllTen =
    Off({"lblOctave", "txtOcta", "lblNoteValue", "txtDur", "lblAdjustment", "txtAdj", "lblDynamics",
         "txtDyn", "lblPitchBend", "txtPitchBend"});

const NoteCase kNoteCases[] = {
    {"C", "2", {}, nullptr, "Dynamics", true, std::nullopt, std::nullopt},
    {"R", "2", Off({"txtOcta", "txtDyn"}), nullptr, "Dynamics", true, std::nullopt, std::nullopt},
    {"END", "2", kAllTen, nullptr, "Dynamics", false, "btnAccept", std::nullopt},
    {"LEGON", "2", kAllTen, nullptr, "Dynamics", false, "btnAccept", std::nullopt},
    {"LEGOF", "2", kAllTen, nullptr, "Dynamics", false, "btnAccept", std::nullopt},
    {"LEGO1", "2", kAllTen, nullptr, "Dynamics", false, "btnAccept", std::nullopt},
    {"RESET", "2", kAllTen, nullptr, "Dynamics", false, "btnAccept", std::nullopt},
    {"TEMPO", "1", kFourOff, nullptr, "Beats per Minute", true, std::nullopt, std::nullopt},
    {"LOCAT", "2", kFourOff, nullptr, "Location", true, std::nullopt, std::nullopt},
    {"PROGR", "2", kFourOff, nullptr, "Patch", true, std::nullopt, std::nullopt},
    {"AFTER", "2", kFourOff, nullptr, "Ch. Aftertouch", true, std::nullopt, std::nullopt},
    {"PBEND", "2", kFourOff, nullptr, "PB Sensitivity", true, std::nullopt, std::nullopt},
    {"PORTS", "2", kFourOff, nullptr, "Port Number", true, std::nullopt, std::nullopt},
    {"CNTRL", "2", ThreeOffValueOn(), "Control #", "Control Value", true, std::nullopt,
     std::nullopt},
    {"LFO_2", "2", ThreeOffValueOn(), "Speed", "Pitch Change", true, std::nullopt, std::nullopt},
    {"FILT1", "2", ThreeOffValueOn(), "Speed", "Depth", true, std::nullopt, std::nullopt},
    {"METER", "1", ThreeOffValueOn(), "Top Number", "Bottom Number", true, std::nullopt,
     std::nullopt},
    {"FILT2", "2", ThreeOffValueOn(), "Filter Cutoff", "Filter Resonance", true, std::nullopt,
     std::nullopt},
    {"NRPN1", "2", ThreeOffValueOn(), "LSB Number (0 - 26)", "Value", true, std::nullopt,
     std::nullopt},
    {"ABCDE", "2", {}, nullptr, "Dynamics", true, std::nullopt, std::nullopt},
    // TEMPO and METER off track 1.
    {"TEMPO",
     "3",
     {},
     nullptr,
     nullptr,
     false,
     std::nullopt,
     "Tempo changes should only be placed on Track 1"},
    {"METER", "3", ThreeOffValueOn(), nullptr, nullptr, false, std::nullopt,
     "Meter changes should only be placed on Track 1"},
};

TEST_F(EntryFields, NoteTextSwitchesTheValueBoxes) {
    for (const NoteCase& k : kNoteCases) {
        Set(Box::Track, k.track);
        Set(Box::Note, k.note);
        Set(Box::Dur, "h");
        p.screen.controlEnabled.clear();
        p.screen.captions["lblAdjustment"] = "old";
        p.screen.captions["lblDynamics"] = "old";
        p.screen.focus.reset();
        p.screen.focusOn.clear();
        s.FieldsDisabled = 0;
        if (k.message) p.msg.AnswerOk();
        const std::size_t shown = p.msg.shown.size();

        EXPECT_EQ(txtNote_LostFocus(c), k.checkPasses) << k.note << " " << k.track;
        EXPECT_EQ(Switched(), k.switched) << k.note << " " << k.track;
        EXPECT_EQ(p.screen.Caption("lblAdjustment"), k.adjustment ? k.adjustment : "old") << k.note;
        EXPECT_EQ(p.screen.Caption("lblDynamics"), k.dynamics ? k.dynamics : "old") << k.note;
        EXPECT_EQ(p.screen.focusOn, k.focusOn.value_or("")) << k.note;
        EXPECT_EQ(s.FieldsDisabled, std::string(k.note) == "C" ? 0 : 1) << k.note;
        if (k.message) {
            ASSERT_EQ(p.msg.shown.size(), shown + 1) << k.note;
            EXPECT_EQ(p.msg.Last().Text, *k.message);
            EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("Enter/Edit/Scan Items"));
            EXPECT_EQ(p.screen.focus, Box::Note);
        } else {
            EXPECT_EQ(p.msg.shown.size(), shown) << k.note;
            EXPECT_FALSE(p.screen.focus.has_value()) << k.note;
        }
        // Only TEMPO on track 1 puts its unit into the duration box.
        EXPECT_EQ(Text(Box::Dur), std::string(k.note) == "TEMPO" && k.track[0] == '1' ? "q" : "h")
            << k.note;
    }
    // A rest leaves FieldsDisabled at 1 too; the note box switches all back on.
    Set(Box::Track, "2");
    Set(Box::Note, "R");
    txtNote_LostFocus(c);
    EXPECT_EQ(s.FieldsDisabled, 1);
    p.screen.captions["lblAdjustment"] = "Control #";
    txtNote_GotFocus(c);
    EXPECT_EQ(s.FieldsDisabled, 0);
    EXPECT_EQ(p.screen.Caption("lblAdjustment"), "Spare");
    EXPECT_EQ(p.screen.Caption("lblDynamics"), "Dynamics");
}

// ---- Keys --------------------------------------------------------------------------------

TEST_F(EntryFields, FormKeys) {
    OnTrack(2);
    s.ItemCount(2) = 3;
    struct Case {
        const char* what;
        int key, shift;
        const char* note;
        int pointer, insertRemaining;
        bool listOpen;
        FormKeyAction action;
        Integer skip;
        const char* item = nullptr; // the item box; nullptr: the pointer
    } cases[] = {
        {"Enter", vbkey::Return, 0, "C", 4, 1, false, FormKeyAction::NextBox, 0},
        {"Shift+Enter", vbkey::Return, vbshift::Shift, "C", 4, 1, false, FormKeyAction::None, 0},
        {"Up", vbkey::Up, 0, "C", 4, 1, false, FormKeyAction::PreviousBox, 1},
        {"Ctrl+Up", vbkey::Up, vbshift::Ctrl, "C", 4, 1, false, FormKeyAction::None, 0},
        {"Shift+Tab", vbkey::Tab, vbshift::Shift, "C", 4, 1, false, FormKeyAction::None, 1},
        {"Tab", vbkey::Tab, 0, "C", 4, 1, false, FormKeyAction::None, 0},
        {"F12", vbkey::F12, 0, "C", 4, 1, false, FormKeyAction::Accept, 0},
        {"Shift+F12", vbkey::F12, vbshift::Shift, "C", 4, 1, false, FormKeyAction::None, 0},
        {"F12, list open", vbkey::F12, 0, "C", 4, 1, true, FormKeyAction::None, 0},
        {"F12 LEGON at the end", vbkey::F12, 0, "LEGON", 4, 1, false, FormKeyAction::None, 0},
        {"F12 END at the end", vbkey::F12, 0, "END", 4, 1, false, FormKeyAction::None, 0},
        {"F12 LEGON at an item", vbkey::F12, 0, "LEGON", 2, 1, false, FormKeyAction::Accept, 0},
        {"F12 LEGOF in an insert run", vbkey::F12, 0, "LEGOF", 2, 2, false, FormKeyAction::None, 0},
        {"F12 LEGO1 on the run's last blank", vbkey::F12, 0, "LEGO1", 2, 1, false,
         FormKeyAction::Accept, 0},
        {"F12 END with a blank", vbkey::F12, 0, " END", 4, 1, false, FormKeyAction::Accept, 0},
        {"F12 R at the end", vbkey::F12, 0, "R", 4, 3, false, FormKeyAction::Accept, 0},
        // The item box names another item than the pointer: its check
        // first, nothing stored.
        {"F12, item box 4 at 2", vbkey::F12, 0, "C", 2, 1, false, FormKeyAction::CheckItemBox, 0,
         "4"},
        {"F12, item box x", vbkey::F12, 0, "C", 2, 1, false, FormKeyAction::CheckItemBox, 0, "x"},
        {"F12, item box empty", vbkey::F12, 0, "C", 2, 1, false, FormKeyAction::CheckItemBox, 0,
         ""},
        {"F12, item box 2.0 at 2", vbkey::F12, 0, "C", 2, 1, false, FormKeyAction::Accept, 0,
         " 2.0"},
        {"F12 LEGON at the end, item box 2", vbkey::F12, 0, "LEGON", 4, 1, false,
         FormKeyAction::CheckItemBox, 0, "2"},
        {"F12, list open, item box 3", vbkey::F12, 0, "C", 4, 1, true, FormKeyAction::None, 0,
         "3"},
    };
    for (const Case& k : cases) {
        Set(Box::Note, k.note);
        Set(Box::Item, k.item ? k.item : std::to_string(k.pointer));
        s.CurrentItem(2) = static_cast<Integer>(k.pointer);
        s.InsertRemaining = static_cast<Integer>(k.insertRemaining);
        p.screen.gmNamesVisible = k.listOpen;
        s.SkipValidation = 0;
        EXPECT_EQ(Form_KeyDown(c, k.key, k.shift), k.action) << k.what;
        EXPECT_EQ(s.SkipValidation, k.skip) << k.what;
    }
    int enter = vbkey::Return, letter = 'a';
    Form_KeyPress(enter);
    Form_KeyPress(letter);
    EXPECT_EQ(enter, 0);
    EXPECT_EQ(letter, 'a');
}

TEST_F(EntryFields, LeavingTheInstrumentListEndsTheChoice) {
    struct Case {
        const char* what;
        const char* text;
        int row;
        const char* dyn; // the dynamics box afterwards
    } cases[] = {
        {"a number typed", "41", -1, "41"},
        {"a number with blanks", " 7 ", -1, " 7 "},
        {"a row chosen", "Violin #41", 40, "41"},
        {"a name typed that is no row", "Viol", -1, "0"},
        {"a number beyond the programs", "129", -1, "0"},
        {"nothing chosen", "", -1, "12"}, // the box keeps its program
    };
    for (const Case& k : cases) {
        Set(Box::Dyn, "12");
        p.screen.gmNamesVisible = true;
        p.screen.gmNamesText = k.text;
        p.screen.gmNamesIndex = k.row;
        s.SkipValidation = 0;
        cboGMNames_LostFocus(c);
        EXPECT_EQ(Text(Box::Dyn), k.dyn) << k.what;
        EXPECT_FALSE(p.screen.gmNamesVisible) << k.what;
        EXPECT_EQ(p.screen.gmNamesText, "") << k.what;
        EXPECT_EQ(p.screen.gmNamesIndex, -1) << k.what;
    }
    // Moving back keeps the list open with what was typed; so does menu mode.
    for (int menu : {0, 1}) {
        Set(Box::Dyn, "12");
        p.screen.gmNamesVisible = true;
        p.screen.gmNamesText = "41";
        s.SkipValidation = static_cast<Integer>(1 - menu);
        s.MenuActive = static_cast<Integer>(menu);
        cboGMNames_LostFocus(c);
        EXPECT_TRUE(p.screen.gmNamesVisible) << menu;
        EXPECT_EQ(p.screen.gmNamesText, "41") << menu;
        EXPECT_EQ(Text(Box::Dyn), "12") << menu;
    }
}

TEST_F(EntryFields, NoteKeystrokesUpperCaseAndTheFlatSign) {
    auto type = [&](const std::string& keys) {
        std::string out;
        for (char ch : keys) {
            int a = static_cast<unsigned char>(ch);
            txtNote_KeyPress(s, a);
            out += static_cast<char>(a);
        }
        return out;
    };
    struct Case {
        Integer countBefore;
        const char* typed;
        const char* result;
    } cases[] = {
        {0, "eb", "Eb"},   {0, "bb", "Bb"}, {0, "b", "B"},   {0, "c#", "C#"},
        {0, "ebb", "EbB"}, {1, "b", "b"},   {2, "eb", "EB"}, {0, "tempo", "TEMPO"},
        {0, "\bb", "\bb"}, // the editing key counts as the first keystroke
    };
    for (const Case& k : cases) {
        s.NoteKeyCount = k.countBefore;
        EXPECT_EQ(type(k.typed), k.result) << k.typed;
        EXPECT_EQ(s.NoteKeyCount, k.countBefore + static_cast<int>(std::string(k.typed).size()));
    }
    // The count stops at its limit instead of overflowing.
    s.NoteKeyCount = 32767;
    EXPECT_EQ(type("c"), "C");
    EXPECT_EQ(s.NoteKeyCount, 32767);

    int a = 'Q';
    txtDur_KeyPress(a);
    EXPECT_EQ(a, 'q');
    a = '.';
    txtDur_KeyPress(a);
    EXPECT_EQ(a, '.');
}

TEST_F(EntryFields, NoteFunctionKeysSetTheKeyword) {
    const std::pair<int, const char*> keys[] = {
        {vbkey::F1 + 1, "PROGR"}, {vbkey::F1 + 2, "CNTRL"}, {vbkey::F1 + 3, "LEGON"},
        {vbkey::F1 + 4, "LEGOF"}, {vbkey::F1 + 5, "TEMPO"}, {vbkey::F1 + 7, "METER"},
    };
    for (const auto& [key, keyword] : keys) {
        Set(Box::Note, "C");
        s.DialogResult = "okay";
        int code = key;
        txtNote_KeyDown(c, code, 0);
        EXPECT_EQ(Text(Box::Note), keyword);
        EXPECT_EQ(s.DialogResult, "");
        EXPECT_FALSE(p.screen.focus.has_value());
        // With a modifier held nothing changes.
        Set(Box::Note, "C");
        txtNote_KeyDown(c, code, vbshift::Shift);
        EXPECT_EQ(Text(Box::Note), "C");
    }
    // F7 (the picker) and other keys leave the box alone.
    for (int key : {vbkey::F1 + 6, vbkey::F1, vbkey::A}) {
        int code = key;
        txtNote_KeyDown(c, code, 0);
        EXPECT_EQ(Text(Box::Note), "C");
    }
}

TEST_F(EntryFields, HomeInTheBarBoxGoesToTheNextBar) {
    struct Case {
        const char* bar;
        const char* next;
        Integer itemBar;
    } cases[] = {{"7", "8", 8},
                 {"", "1", 1},
                 {"x", "1", 1},
                 {"2.5", "3.5", 4},
                 {"9999", "10000", 10000},
                 {"99999", "100000", 10000}}; // beyond 16 bits ItemBar keeps its value
    for (const Case& k : cases) {
        Set(Box::Bar, k.bar);
        s.DialogResult = "okay";
        p.screen.focus.reset();
        int code = vbkey::Home;
        txtBar_KeyDown(c, code, 0);
        EXPECT_EQ(Text(Box::Bar), k.next) << k.bar;
        EXPECT_EQ(s.ItemBar, k.itemBar) << k.bar;
        EXPECT_EQ(p.screen.focus, Box::Note) << k.bar;
        EXPECT_EQ(s.DialogResult, "");
    }
    // Keys of commands not offered here change nothing.
    Set(Box::Bar, "4");
    for (int key : {vbkey::F1 + 10, vbkey::F1 + 9, vbkey::F1 + 7, vbkey::F1 + 5}) {
        p.screen.focus.reset();
        int code = key;
        txtBar_KeyDown(c, code, 0);
        int itemCode = key;
        txtItem_KeyDown(c, itemCode, 0);
        EXPECT_EQ(Text(Box::Bar), "4");
        EXPECT_FALSE(p.screen.focus.has_value());
    }
    int home = vbkey::Home;
    txtBar_KeyDown(c, home, vbshift::Ctrl);
    EXPECT_EQ(Text(Box::Bar), "4");
    EXPECT_TRUE(p.msg.shown.empty());
}

} // namespace
} // namespace tnq::test
