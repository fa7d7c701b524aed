// Accept Item over real track files in a temporary piece, with the fake
// screen as the entry boxes.
#include "entry/accept_item.h"

#include "core/piece_fixture.h"
#include "core/recalculate.h"
#include "entry/value_fields.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

namespace tnq::test {
namespace {

// What is typed into the eight record boxes.
struct Typed {
    std::string Bar = "3", Note = "C", Octa = "4", Dur = "q", Adj = "0", Dyn = "64", Channel = "2",
                PitchBend = "0";
};

class AcceptTest : public PieceTest {
protected:
    void SetUp() override {
        SetUpPiece(4, 10);
        s.PieceOpen = 1;
        s.InsertRemaining = 1;
        OnTrack(2);
    }

    // The track box took track t.
    void OnTrack(int t) {
        s.CurrentTrack = static_cast<Integer>(t);
        s.TickFraction = 0;
        s.BeatUnit = 8;
        TrackFileOpen(c);
        s.LastBar = s.LastNote = s.LastDuration = s.LastDynamics = s.LastChannel = s.LastPitchBend =
            "";
        s.LastOctave = "0";
    }

    void Fill(const Typed& k) {
        p.screen.SetText(Box::Bar, k.Bar);
        p.screen.SetText(Box::Note, k.Note);
        p.screen.SetText(Box::Octa, k.Octa);
        p.screen.SetText(Box::Dur, k.Dur);
        p.screen.SetText(Box::Adj, k.Adj);
        p.screen.SetText(Box::Dyn, k.Dyn);
        p.screen.SetText(Box::Channel, k.Channel);
        p.screen.SetText(Box::PitchBend, k.PitchBend);
    }
    void Accept(const Typed& k) {
        Fill(k);
        p.screen.focus.reset();
        btnAccept_Click(c);
    }
    // Accepts an item that must be stored.
    void Append(const Typed& k) {
        const int before = s.CurrentItem(s.CurrentTrack);
        Accept(k);
        ASSERT_EQ(s.CurrentItem(s.CurrentTrack), before + 1) << k.Note << " " << k.Dur;
    }

    // The records of a track file, trimmed, up to and with the END record.
    std::vector<TrackItemRecord> Records(int t) const {
        const std::string bytes = ReadFile(TrackPath(t));
        std::vector<TrackItemRecord> out;
        for (std::size_t at = 0; at + kRecordLength <= bytes.size(); at += kRecordLength) {
            out.push_back(Trimmed(DecodeRecord(bytes.substr(at, kRecordLength))));
            if (out.back().Note == "END") break;
        }
        return out;
    }
    std::string Box_(Box b) const { return p.screen.Text(b); }

    // The remembered texts a refusal puts back.
    void Remember() {
        s.LastBar = "2";
        s.LastChannel = "5";
        s.LastPitchBend = "7";
        s.LastNote = "D";
        s.LastOctave = "3";
        s.LastDuration = "h";
        s.LastDynamics = "80";
    }
};

// ---- Refusals ---------------------------------------------------------------

struct RefusalCase {
    const char* what;
    Typed typed;
    Box box;
    std::optional<std::string> text; // nothing: the box keeps the typed text
};

Typed With(void (*change)(Typed&)) {
    Typed k;
    change(k);
    return k;
}

// In the order the boxes are checked; texts longer than their record field
// and numbers beyond the 16-bit item values are refused at their step.
const RefusalCase kRefusals[] = {
    {"bar not a number", With([](Typed& k) { k.Bar = "x"; }), Box::Bar, "2"},
    {"bar 10000", With([](Typed& k) { k.Bar = "10000"; }), Box::Bar, "2"},
    {"bar -1", With([](Typed& k) { k.Bar = "-1"; }), Box::Bar, "2"},
    {"bar 1e9", With([](Typed& k) { k.Bar = "1e9"; }), Box::Bar, "2"},
    {"bar longer than its field", With([](Typed& k) { k.Bar = "00001"; }), Box::Bar, "2"},
    {"bar before channel", With([](Typed& k) { k.Bar = "x", k.Channel = "17"; }), Box::Bar, "2"},
    {"channel 17", With([](Typed& k) { k.Channel = "17"; }), Box::Channel, "5"},
    {"channel 0", With([](Typed& k) { k.Channel = "0"; }), Box::Channel, "5"},
    {"channel 40000", With([](Typed& k) { k.Channel = "40000"; }), Box::Channel, "5"},
    {"channel longer than its field", With([](Typed& k) { k.Channel = "016"; }), Box::Channel, "5"},
    {"pitch bend 8192", With([](Typed& k) { k.PitchBend = "8192"; }), Box::PitchBend, "7"},
    {"pitch bend -8193", With([](Typed& k) { k.PitchBend = "-8193"; }), Box::PitchBend, "7"},
    {"pitch bend 99999", With([](Typed& k) { k.PitchBend = "99999"; }), Box::PitchBend, "7"},
    {"pitch bend longer than its field", With([](Typed& k) { k.PitchBend = "-08191"; }),
     Box::PitchBend, "7"},
    {"pitch bend before note", With([](Typed& k) { k.PitchBend = "9000", k.Note = "H"; }),
     Box::PitchBend, "7"},
    {"five letters, no keyword", With([](Typed& k) { k.Note = "ABCDE"; }), Box::Note, "D"},
    {"R-POR", With([](Typed& k) { k.Note = "R-POR"; }), Box::Note, "D"},
    {"note longer than its field", With([](Typed& k) { k.Note = "CSHARP"; }), Box::Note, "D"},
    {"E#", With([](Typed& k) { k.Note = "E#"; }), Box::Note, "D"},
    {"lower-case c", With([](Typed& k) { k.Note = "c"; }), Box::Note, "D"},
    {"empty note", With([](Typed& k) { k.Note = ""; }), Box::Note, "D"},
    {"octave 9", With([](Typed& k) { k.Octa = "9"; }), Box::Octa, "3"},
    {"octave 10", With([](Typed& k) { k.Octa = "10"; }), Box::Octa, "3"},
    {"octave empty", With([](Typed& k) { k.Octa = ""; }), Box::Octa, "3"},
    {"duration of 11 characters", With([](Typed& k) { k.Dur = "qqqqqqqqqqq"; }), Box::Dur, "h"},
    {"duration Q", With([](Typed& k) { k.Dur = "Q"; }), Box::Dur, "h"},
    {"duration q0", With([](Typed& k) { k.Dur = "q0"; }), Box::Dur, "h"},
    {"TEMPO unit qq", With([](Typed& k) { k.Note = "TEMPO", k.Dur = "qq", k.Dyn = "90"; }),
     Box::Dur, "h"},
    {"TEMPO without unit", With([](Typed& k) { k.Note = "TEMPO", k.Dur = "", k.Dyn = "90"; }),
     Box::Dur, "h"},
    {"adjustment 10000", With([](Typed& k) { k.Adj = "10000"; }), Box::Adj, "0"},
    {"adjustment -1000", With([](Typed& k) { k.Adj = "-1000"; }), Box::Adj, "0"},
    {"adjustment -x", With([](Typed& k) { k.Adj = "-x"; }), Box::Adj, "0"},
    {"adjustment --5", With([](Typed& k) { k.Adj = "--5"; }), Box::Adj, "0"},
    {"dashes reaching before item 1", With([](Typed& k) { k.Adj = "---"; }), Box::Adj, "0"},
    {"dashes longer than the field", With([](Typed& k) { k.Adj = "-----"; }), Box::Adj, "0"},
    {"dash leaving no length", With([](Typed& k) { k.Adj = "-"; }), Box::Adj, "0"},
    {"CNTRL 128", With([](Typed& k) { k.Note = "CNTRL", k.Adj = "128"; }), Box::Adj, "0"},
    {"CNTRL value field too long", With([](Typed& k) { k.Note = "CNTRL", k.Adj = "00007"; }),
     Box::Adj, "0"},
    {"METER top 0", With([](Typed& k) { k.Note = "METER", k.Adj = "0", k.Dyn = "4"; }), Box::Adj,
     "0"},
    {"METER top 100", With([](Typed& k) { k.Note = "METER", k.Adj = "100", k.Dyn = "4"; }),
     Box::Adj, "0"},
    {"LFO_2 speed 128", With([](Typed& k) { k.Note = "LFO_2", k.Adj = "128"; }), Box::Adj, "0"},
    {"NRPN1 parameter 27", With([](Typed& k) { k.Note = "NRPN1", k.Adj = "27"; }), Box::Adj, "0"},
    {"NRPN1 parameter 5x", With([](Typed& k) { k.Note = "NRPN1", k.Adj = "5x"; }), Box::Adj, "0"},
    {"dynamics 12a", With([](Typed& k) { k.Dyn = "12a"; }), Box::Dyn, std::nullopt},
    {"dynamics empty", With([](Typed& k) { k.Dyn = ""; }), Box::Dyn, std::nullopt},
    {"dynamics 64.5", With([](Typed& k) { k.Dyn = "64.5"; }), Box::Dyn, std::nullopt},
    {"dynamics +64", With([](Typed& k) { k.Dyn = "+64"; }), Box::Dyn, std::nullopt},
    {"dynamics 1e2", With([](Typed& k) { k.Dyn = "1e2"; }), Box::Dyn, std::nullopt},
    {"note dynamics -5", With([](Typed& k) { k.Dyn = "-5"; }), Box::Dyn, std::nullopt},
    {"FILT2 resonance -5", With([](Typed& k) { k.Note = "FILT2", k.Adj = "9", k.Dyn = "-5"; }),
     Box::Dyn, std::nullopt},
    {"METER bottom 3", With([](Typed& k) { k.Note = "METER", k.Adj = "3", k.Dyn = "3"; }), Box::Dyn,
     "4"},
    {"METER bottom 6", With([](Typed& k) { k.Note = "METER", k.Adj = "3", k.Dyn = "6"; }), Box::Dyn,
     "4"},
    {"METER bottom 24", With([](Typed& k) { k.Note = "METER", k.Adj = "3", k.Dyn = "24"; }),
     Box::Dyn, "4"},
    {"METER bottom 0004", With([](Typed& k) { k.Note = "METER", k.Adj = "3", k.Dyn = "0004"; }),
     Box::Dyn, "4"},
    {"velocity 128", With([](Typed& k) { k.Dyn = "128"; }), Box::Dyn, "80"},
    {"velocity 0", With([](Typed& k) { k.Dyn = "0"; }), Box::Dyn, "80"},
    {"velocity 0064", With([](Typed& k) { k.Dyn = "0064"; }), Box::Dyn, "80"},
    {"PROGR 129", With([](Typed& k) { k.Note = "PROGR", k.Dyn = "129"; }), Box::Dyn, "80"},
    {"PORTS 10", With([](Typed& k) { k.Note = "PORTS", k.Dyn = "10"; }), Box::Dyn, "80"},
    {"LFO_2 -127 longer than the field",
     With([](Typed& k) { k.Note = "LFO_2", k.Adj = "9", k.Dyn = "-127"; }), Box::Dyn, "80"},
    {"FILT1 depth -65", With([](Typed& k) { k.Note = "FILT1", k.Adj = "9", k.Dyn = "-65"; }),
     Box::Dyn, "80"},
    {"NRPN1 5 value 1000", With([](Typed& k) { k.Note = "NRPN1", k.Adj = "5", k.Dyn = "1000"; }),
     Box::Dyn, "80"},
    {"NRPN1 5 value -1", With([](Typed& k) { k.Note = "NRPN1", k.Adj = "5", k.Dyn = "-1"; }),
     Box::Dyn, std::nullopt},
};

TEST_F(AcceptTest, RefusalsInTheirOrderStoreNothing) {
    // Two items before the cursor, so that only the faults below refuse.
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "q")});
    s.ItemCount(2) = 2;
    s.ItemTime(2, 1) = s.ItemTime(2, 2) = 480;
    for (const RefusalCase& k : kRefusals) {
        SCOPED_TRACE(k.what);
        s.CurrentItem(2) = 3;
        Remember();
        const std::string before = ReadFile(TrackPath(2));
        Accept(k.typed);
        EXPECT_EQ(p.screen.focus, k.box);
        const std::string typed = [&] {
            Typed t = k.typed;
            switch (k.box) {
            case Box::Bar:
                return t.Bar;
            case Box::Channel:
                return t.Channel;
            case Box::PitchBend:
                return t.PitchBend;
            case Box::Note:
                return t.Note;
            case Box::Octa:
                return t.Octa;
            case Box::Dur:
                return t.Dur;
            case Box::Adj:
                return t.Adj;
            default:
                return t.Dyn;
            }
        }();
        EXPECT_EQ(Box_(k.box), k.text.value_or(typed));
        EXPECT_EQ(ReadFile(TrackPath(2)), before);
        EXPECT_EQ(s.ItemCount(2), 2);
        EXPECT_EQ(s.CurrentItem(2), 3);
    }
}

// ---- Storing ----------------------------------------------------------------

TEST_F(AcceptTest, AppendsWritesEndAndPrefills) {
    Accept({});
    EXPECT_EQ(p.msg.shown.size(), 0u);
    ASSERT_EQ(Records(2).size(), 2u);
    EXPECT_EQ(Records(2)[0], (TrackItemRecord{"C", "4", "q", "0", "64", "3", "2", "0"}));
    EXPECT_EQ(Records(2)[1].Note, "END");
    EXPECT_EQ(s.ItemCount(2), 1);
    EXPECT_EQ(s.CurrentItem(2), 2);
    EXPECT_EQ(s.NoteCode(2, 1), 60);
    EXPECT_EQ(s.ItemTime(2, 1), 480);
    EXPECT_EQ(s.ItemDyn(2, 1), 64);
    EXPECT_EQ(s.BarNo(2, 1), 3);
    EXPECT_EQ(s.ItemChan(2, 1), 2);
    EXPECT_EQ(Box_(Box::Item), "2");
    EXPECT_EQ(p.screen.figures[1], "1");
    EXPECT_EQ(p.screen.focus, Box::Bar);
    EXPECT_EQ(p.screen.backColor[Box::Bar], kNormalBoxColour);
    EXPECT_TRUE(s.PieceChanged == 1);
    // The boxes hold the next item: the same note, the bar kept.
    EXPECT_EQ(Box_(Box::Note), "C");
    EXPECT_EQ(Box_(Box::Dur), "q");
    EXPECT_EQ(Box_(Box::Dyn), "64");
    EXPECT_EQ(Box_(Box::Bar), "3");

    // Blanks around the texts are dropped before anything is stored.
    Accept({" 4 ", " Eb ", " 5 ", " h. ", " 0 ", " 100 ", " 3 ", " -100 "});
    EXPECT_EQ(Records(2)[1], (TrackItemRecord{"Eb", "5", "h.", "0", "100", "4", "3", "-100"}));
    EXPECT_EQ(s.ItemBend(2, 2), -100);
    EXPECT_EQ(s.ItemTime(2, 2), 1440);
}

TEST_F(AcceptTest, OnAFullDiskNothingIsStoredAndF12AgainStoresTheItemOnce) {
    Append({});
    const std::string file = ReadFile(TrackPath(2));
    s.TrackImages.Hooks = {[](CommitStep, const std::string&) { return ENOSPC; }};
    p.msg.AnswerOk();
    Accept({.Note = "E"});
    EXPECT_EQ(ReadFile(TrackPath(2)), file);
    EXPECT_EQ(s.ItemCount(2), 1);
    EXPECT_EQ(s.CurrentItem(2), 2);
    EXPECT_EQ(s.NoteCode(2, 2), 0);
    EXPECT_EQ(Box_(Box::Note), "E");
    EXPECT_EQ(Box_(Box::Item), "2");
    EXPECT_EQ(p.msg.Last().Title, "Accept Item");
    EXPECT_EQ(p.msg.Last().Text, "Error 61 Disk full (Track 2, " + TrackPath(2).string() +
                                     ") has occured; nothing has been changed.");

    s.TrackImages.Hooks = {};
    Accept({.Note = "E"});
    ASSERT_EQ(Records(2).size(), 3u);
    EXPECT_EQ(Records(2)[1].Note, "E");
    EXPECT_EQ(Records(2)[2].Note, "END");
    EXPECT_EQ(s.ItemCount(2), 2);
    EXPECT_EQ(s.CurrentItem(2), 3);
}

TEST_F(AcceptTest, MenuModeDoesNothing) {
    s.MenuActive = 1;
    Accept({});
    EXPECT_EQ(s.File2.Length(), 0);
    EXPECT_FALSE(p.screen.focus.has_value());
}

TEST_F(AcceptTest, BarsChannelsAndBends) {
    Append({.Bar = "0"});
    EXPECT_EQ(s.BarNo(2, 1), 0);
    Append({.PitchBend = "8191"});
    Append({.PitchBend = "-8192"});
    EXPECT_EQ(s.ItemBend(2, 3), -8192);
    // A keyword is stored with bend 0, a rest keeps its bend.
    Append({.Note = "PROGR", .Dyn = "5", .PitchBend = "100"});
    EXPECT_EQ(Records(2)[3].PitchBend, "0");
    EXPECT_EQ(s.ItemBend(2, 4), 0);
    Append({.Note = "R", .PitchBend = "100"});
    EXPECT_EQ(Records(2)[4].PitchBend, "100");
    EXPECT_EQ(Records(2)[4].Octave, "0");
    EXPECT_EQ(Records(2)[4].Dynamics, "0");
    EXPECT_EQ(s.ItemDyn(2, 5), 0);

    // Track 1 takes channel 1 whatever the box holds.
    OnTrack(1);
    Append({.Note = "METER", .Adj = "3", .Dyn = "4", .Channel = "99"});
    EXPECT_EQ(Records(1)[0].Channel, "1");
    EXPECT_EQ(s.ItemChan(1, 1), 1);
}

TEST_F(AcceptTest, NoteSpellingsAndOctaves) {
    Append({.Note = "EB"});
    EXPECT_EQ(Records(2)[0].Note, "Eb");
    EXPECT_EQ(s.NoteCode(2, 1), 63);
    Append({.Note = "bb"});
    EXPECT_EQ(Records(2)[1].Note, "Bb");
    EXPECT_EQ(s.NoteCode(2, 2), 70);
    Append({.Note = "bB"});
    EXPECT_EQ(Records(2)[2].Note, "Bb");
    Append({.Note = "C", .Octa = "0"});
    EXPECT_EQ(s.NoteCode(2, 4), 12);
    Append({.Note = "B", .Octa = "8"});
    EXPECT_EQ(s.NoteCode(2, 5), 119);
    EXPECT_EQ(s.LastNote, "B");
    EXPECT_EQ(s.LastOctave, "8");
}

TEST_F(AcceptTest, ResetBecomesController121AndRestoresTheNoteBoxes) {
    Append({.Note = "G", .Octa = "3", .Dur = "e", .Dyn = "90"});
    Append({.Note = "RESET", .Octa = "", .Dur = "", .Adj = "5", .Dyn = "5"});
    EXPECT_EQ(Records(2)[1], (TrackItemRecord{"CNTRL", "0", "", "121", "0", "3", "2", "0"}));
    EXPECT_EQ(s.NoteCode(2, 2), code::CNTRL);
    EXPECT_EQ(s.ItemTime(2, 2), 121);
    EXPECT_EQ(Box_(Box::Note), "CNTRL");
    EXPECT_EQ(Box_(Box::Octa), "3");
    EXPECT_EQ(Box_(Box::Dur), "e");
    EXPECT_EQ(Box_(Box::Dyn), "90");
    // A plain keyword leaves the value boxes of its own.
    Append({.Note = "AFTER", .Dur = "", .Adj = "9", .Dyn = "40"});
    EXPECT_EQ(Records(2)[2].Adjustment, "0");
    EXPECT_EQ(Box_(Box::Dyn), "40");
    EXPECT_EQ(Box_(Box::Note), "AFTER");
}

TEST_F(AcceptTest, DurationsTempoUnitsAndTheRemembered) {
    Append({.Dur = ""});
    EXPECT_EQ(s.ItemTime(2, 1), 0);
    Append({.Dur = "hqhqhqhqhq"}); // ten characters
    EXPECT_EQ(s.ItemTime(2, 2), 7200);
    Append({.Dur = "e3"});
    EXPECT_EQ(s.ItemTime(2, 3), 80);
    EXPECT_EQ(s.LastDuration, "e3");

    OnTrack(1);
    Append({.Note = "TEMPO", .Dur = "h", .Dyn = "120"});
    EXPECT_EQ(s.NoteCode(1, 1), code::TEMPO);
    EXPECT_EQ(s.ItemTime(1, 1), 0);
    EXPECT_EQ(s.ItemDyn(1, 1), 120);
    EXPECT_EQ(s.LastDuration, ""); // a TEMPO unit is not remembered
    Append({.Note = "R", .Dur = "q"});
    EXPECT_EQ(s.ItemTime(1, 2), 240); // a quarter is half a beat now
    // A refused unit leaves the beat unit as it was.
    Accept({.Note = "TEMPO", .Dur = "qq", .Dyn = "90"});
    EXPECT_EQ(p.screen.focus, Box::Dur);
    EXPECT_EQ(s.BeatUnit, 4);
    Append({.Note = "TEMPO", .Dur = "q.", .Dyn = "90"});
    EXPECT_EQ(s.BeatUnit, 12);
    // LOCAT's empty duration becomes the remembered one.
    s.LastDuration = "h";
    Append({.Note = "LOCAT", .Dur = "w", .Dyn = "1"});
    EXPECT_EQ(Records(1)[3].Duration, "");
    EXPECT_EQ(s.LastDuration, "");
}

TEST_F(AcceptTest, RefusedItemsCarryNothingOverAndRecalculationAgrees) {
    s.TicksPerQuarter = 192;
    Append({.Note = "C", .Dur = "q5"}); // 38.4 ticks
    const Single fraction = s.TickFraction;
    // Refused at each later check, after the duration was measured.
    const Typed refused[] = {{.Note = "D", .Dur = "q5", .Dyn = ""},
                             {.Note = "D", .Dur = "q5", .Adj = "x"},
                             {.Note = "D", .Dur = "q5", .Dyn = "200"},
                             {.Note = "TEMPO", .Dur = "h", .Dyn = "9999"},
                             {.Note = "TEMPO", .Dur = "hx", .Dyn = "90"}};
    for (const Typed& k : refused) {
        Accept(k);
        EXPECT_EQ(s.CurrentItem(2), 2) << k.Note << k.Dyn;
        EXPECT_EQ(s.TickFraction, fraction) << k.Note << k.Dyn;
        EXPECT_EQ(s.BeatUnit, 8) << k.Note << k.Dyn;
    }
    // So the dash leaves no length, as the recalculation finds.
    Accept({.Note = "E", .Dur = "q5", .Adj = "-"});
    EXPECT_EQ(p.screen.focus, Box::Adj);
    EXPECT_EQ(s.CurrentItem(2), 2);
    Append({.Note = "E", .Dur = "q5"});
    Append({.Note = "TEMPO", .Dur = "h.", .Dyn = "90"});
    Append({.Note = "F", .Dur = "e", .Adj = "-"});
    Append({.Note = "G", .Dur = "q5"});

    std::vector<long> accepted;
    for (int i = 1; i <= s.ItemCount(2); ++i) accepted.push_back(s.ItemTime(2, i));
    ASSERT_EQ(accepted.size(), 5u);
    EXPECT_EQ(accepted[1], 38); // 38.8: the refused items added no fraction
    Select({2});
    ASSERT_TRUE(Recalculate(c));
    std::vector<long> recalculated;
    for (int i = 1; i <= s.ItemCount(2); ++i) recalculated.push_back(s.ItemTime(2, i));
    EXPECT_EQ(recalculated, accepted);
}

TEST_F(AcceptTest, KeywordValueFields) {
    SetUpPiece(4, 40);
    OnTrack(2);
    Append({.Note = "CNTRL", .Adj = "7", .Dyn = "100"});
    EXPECT_EQ(s.ItemTime(2, 1), 7);
    EXPECT_EQ(s.ItemDyn(2, 1), 100);
    Append({.Note = "CNTRL", .Adj = "2", .Dyn = "0"});
    // With the restricted controller list only its numbers pass.
    s.AWESelectChecked = true;
    Accept({.Note = "CNTRL", .Adj = "2", .Dyn = "0"});
    EXPECT_EQ(p.screen.focus, Box::Adj);
    Append({.Note = "CNTRL", .Adj = "91", .Dyn = "40"});
    s.AWESelectChecked = false;

    Append({.Note = "METER", .Adj = "3", .Dyn = "4"});
    EXPECT_EQ(s.ItemTime(2, 4), 3);
    EXPECT_EQ(s.ItemDyn(2, 4), 4);
    for (const char* bottom : {"2", "8", "16", "32", "64"})
        Append({.Note = "METER", .Adj = "6", .Dyn = bottom});

    Append({.Note = "LFO_2", .Adj = "60", .Dyn = "-99"});
    EXPECT_EQ(s.ItemTime(2, 10), 60);
    EXPECT_EQ(s.ItemDyn(2, 10), -99);
    Append({.Note = "FILT1", .Adj = "20", .Dyn = "-64"});
    Append({.Note = "FILT2", .Adj = "100", .Dyn = "20"});
    EXPECT_EQ(Records(2)[11], (TrackItemRecord{"FILT2", "0", "", "100", "20", "3", "2", "0"}));
}

// A METER's bottom number is one a time signature can carry, typed or
// stored alike.
TEST_F(AcceptTest, MeterBottomIsAPowerOfTwoTypedOrStored) {
    const struct {
        const char* bottom;
        bool ok;
    } cases[] = {{"1", true},   {"2", true},    {"3", false}, {"4", true},  {"6", false},
                 {"8", true},   {"12", false},  {"16", true}, {"32", true}, {"64", true},
                 {"96", false}, {"128", false}, {"0", false}, {"-4", false}};
    SetUpPiece(4, 40);
    for (const auto& k : cases) {
        SCOPED_TRACE(k.bottom);
        OnTrack(2);
        const int before = s.CurrentItem(2);
        Accept({.Note = "METER", .Adj = "3", .Dyn = k.bottom});
        EXPECT_EQ(s.CurrentItem(2), k.ok ? before + 1 : before);

        // Stored in a track file: the recalculation stops at it with its
        // message, or stores it.
        WriteTrack(3, {Item("METER", "0", "", "3", k.bottom)});
        Select({3});
        p.msg.shown.clear();
        if (!k.ok) p.msg.AnswerOk();
        EXPECT_EQ(Recalculate(c), k.ok);
        EXPECT_EQ(p.msg.shown.size(), k.ok ? 0u : 1u);
        EXPECT_EQ(s.ItemDyn(3, 1), k.ok ? Val(k.bottom) : 0);
    }
}

TEST_F(AcceptTest, NrpnValuesWithinTheParameterRangeAndTheField) {
    Append({.Note = "NRPN1", .Adj = "5", .Dyn = "999"});
    EXPECT_EQ(s.ItemTime(2, 1), 5);
    EXPECT_EQ(s.ItemDyn(2, 1), 999);
    // Parameter 16 reaches below 0: a minus sign is allowed there.
    Append({.Note = "NRPN1", .Adj = "16", .Dyn = "-99"});
    EXPECT_EQ(s.ItemDyn(2, 2), -99);
    Accept({.Note = "NRPN1", .Adj = "16", .Dyn = "-100"});
    EXPECT_EQ(p.screen.focus, Box::Dyn);
    Append({.Note = "NRPN1", .Adj = "1", .Dyn = "127"});
    Accept({.Note = "NRPN1", .Adj = "1", .Dyn = "128"});
    EXPECT_EQ(p.screen.focus, Box::Dyn);
    EXPECT_EQ(s.ItemCount(2), 3);
}

TEST_F(AcceptTest, Adjustments) {
    Append({.Note = "C", .Dur = "q"});
    Append({.Note = "D", .Dur = "e"});
    Append({.Note = "E", .Dur = "h", .Adj = "250"});
    EXPECT_EQ(s.ItemTime(2, 3), 960);
    EXPECT_EQ(Records(2)[2].Adjustment, "250");
    Append({.Note = "E", .Dur = "h", .Adj = "-5"});
    EXPECT_EQ(s.ItemTime(2, 4), 960);
    // Each dash removes the length of one item before.
    Append({.Note = "F", .Dur = "w.", .Adj = "--"});
    EXPECT_EQ(s.ItemTime(2, 5), 2880 - 960 - 960);
    // After a keyword the dash looks one item further back.
    Append({.Note = "PROGR", .Dyn = "1"});
    Append({.Note = "R", .Dur = "w", .Adj = "-"});
    EXPECT_EQ(s.ItemTime(2, 7), 1920 - 960);
}

TEST_F(AcceptTest, InstrumentListGivesTheProgram) {
    p.screen.gmNamesVisible = true;
    p.screen.gmNamesText = "Electric Grand Piano #3";
    p.screen.gmNamesIndex = 2;
    Append({.Note = "PROGR", .Dyn = "99"});
    EXPECT_EQ(s.ItemDyn(2, 1), 3);
    EXPECT_FALSE(p.screen.gmNamesVisible);
    EXPECT_EQ(p.screen.gmNamesIndex, -1);
    // A number typed into the list.
    p.screen.gmNamesVisible = true;
    p.screen.gmNamesText = "41";
    Append({.Note = "PROGR", .Dyn = "99"});
    EXPECT_EQ(s.ItemDyn(2, 2), 41);
}

TEST_F(AcceptTest, SwitchesTheValueBoxesBackOn) {
    s.FieldsDisabled = 1;
    s.NoteKeyCount = 3;
    Accept({});
    EXPECT_EQ(s.FieldsDisabled, 0);
    EXPECT_EQ(s.NoteKeyCount, 0);
    for (const char* control : kValueControls) EXPECT_TRUE(p.screen.controlEnabled[control]);
    // Captions of the value labels after keyword items.
    p.screen.SetCaption("lblAdjustment", "Speed");
    p.screen.SetCaption("lblDynamics", "Pitch Change");
    Append({.Note = "LFO_2", .Adj = "1", .Dyn = "1"});
    EXPECT_EQ(p.screen.Caption("lblAdjustment"), "Spare");
    EXPECT_EQ(p.screen.Caption("lblDynamics"), "Dynamics");
}

// ---- Rewriting, insert runs and END ----------------------------------------

TEST_F(AcceptTest, RewriteInPlaceKeepsTheCount) {
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q")});
    s.ItemCount(2) = 3;
    s.CurrentItem(2) = 2;
    Accept({.Note = "G", .Dur = "h"});
    EXPECT_EQ(s.ItemCount(2), 3);
    EXPECT_EQ(s.CurrentItem(2), 3);
    EXPECT_EQ(Records(2).size(), 4u);
    EXPECT_EQ(Records(2)[1].Note, "G");
    EXPECT_EQ(Records(2)[2].Note, "E");
    EXPECT_EQ(Records(2)[3].Note, "END");
    // Outside an insert run the boxes are prefilled, not loaded.
    EXPECT_EQ(Box_(Box::Note), "G");
    EXPECT_EQ(Box_(Box::Item), "3");
}

TEST_F(AcceptTest, InsertRunCountsDownAndShowsTheItemWhenLeft) {
    // Three blank items inserted at 2 before D.
    WriteTrack(2, {Item("C", "4", "q"), kBlankItem, kBlankItem, kBlankItem,
                   Item("CNTRL", "0", "", "7", "90")});
    s.ItemCount(2) = 5;
    s.CurrentItem(2) = 2;
    s.InsertRemaining = 3;
    s.InsertLastItem = 2;
    Append({.Note = "D"});
    EXPECT_EQ(s.InsertRemaining, 2);
    EXPECT_EQ(s.InsertLastItem, 3);
    EXPECT_EQ(p.screen.backColor[Box::Bar], kInsertRunColour);
    EXPECT_EQ(Box_(Box::Note), "D"); // prefilled
    Append({.Note = "E"});
    EXPECT_EQ(s.InsertRemaining, 1);
    EXPECT_EQ(p.screen.backColor[Box::Bar], kInsertRunColour);
    // The last blank ends the run.
    Append({.Note = "F"});
    EXPECT_EQ(s.InsertRemaining, 1);
    EXPECT_EQ(p.screen.backColor[Box::Bar], kNormalBoxColour);
    EXPECT_EQ(s.ItemCount(2), 5);

    // A run left by moving elsewhere: the item at the cursor is shown.
    s.InsertRemaining = 3;
    s.InsertLastItem = 1;
    s.CurrentItem(2) = 4;
    Append({.Note = "A"});
    EXPECT_EQ(p.screen.backColor[Box::Bar], kNormalBoxColour);
    EXPECT_EQ(Box_(Box::Note), "CNTRL");
    EXPECT_EQ(Box_(Box::Adj), "7");
    EXPECT_EQ(p.screen.Caption("lblAdjustment"), "Control #");
    EXPECT_EQ(p.screen.Caption("lblDynamics"), "Control Value");
    EXPECT_EQ(p.screen.focus, Box::Bar);
    EXPECT_EQ(s.InsertRemaining, 3);
}

TEST_F(AcceptTest, EndCutsTheTrackAtTheCursor) {
    std::vector<TrackItemRecord> items;
    for (int i = 0; i < 9; ++i) items.push_back(Item("C", "4", "q"));
    WriteTrack(2, items);
    Select({2});
    ASSERT_TRUE(Recalculate(c));
    s.CurrentItem(2) = 5;
    s.SelectedTracks = "1111";
    Accept({.Note = "END"});
    EXPECT_EQ(s.ItemCount(2), 4);
    EXPECT_EQ(s.CurrentItem(2), 5);
    EXPECT_EQ(Records(2).size(), 5u);
    EXPECT_EQ(Records(2)[4].Note, "END");
    EXPECT_EQ(s.SelectedTracks, "0100");
    EXPECT_EQ(p.screen.figures[1], "4");
    EXPECT_EQ(p.screen.focus, Box::Bar);
    EXPECT_FALSE(p.screen.hourglass);
}

// ---- Capacity, cursor and file faults --------------------------------------

TEST_F(AcceptTest, TrackHoldsAtMostOneItemLessThanItsSlots) {
    SetUpPiece(4, 5);
    OnTrack(2);
    for (int i = 0; i < 4; ++i) Append({});
    EXPECT_EQ(s.ItemCount(2), 4);
    EXPECT_EQ(s.CurrentItem(2), 5);
    const std::string before = ReadFile(TrackPath(2));
    p.msg.AnswerOk();
    Accept({.Note = "G"});
    EXPECT_EQ(p.msg.Last().Text,
              "MAXIMUM CAPACITY FOR TRACK 2 HAS BEEN REACHED. Use Miscellaneous,Set Parameters to "
              "try to increase capacity.");
    EXPECT_EQ(p.msg.Last().Code, mb::Critical);
    EXPECT_EQ(p.msg.Last().Title, "Space Limitation");
    EXPECT_EQ(ReadFile(TrackPath(2)), before);
    EXPECT_EQ(Records(2)[4].Note, "END");
    EXPECT_EQ(s.ItemCount(2), 4);
    EXPECT_EQ(s.CurrentItem(2), 5);
    EXPECT_EQ(s.CapacityReached, 0);
    // The full track reads back whole.
    Select({2});
    EXPECT_TRUE(Recalculate(c));
    EXPECT_EQ(s.ItemCount(2), 4);
}

TEST_F(AcceptTest, NothingStoredWithTheCursorOutsideTheTrack) {
    WriteTrack(2, {Item("C", "4", "q")});
    s.ItemCount(2) = 1;
    for (int cursor : {0, 3, -2}) {
        s.CurrentItem(2) = static_cast<Integer>(cursor);
        Accept({});
        EXPECT_EQ(p.screen.focus, Box::Item) << cursor;
        EXPECT_EQ(Records(2).size(), 2u);
        EXPECT_EQ(s.CurrentItem(2), cursor);
    }
}

TEST_F(AcceptTest, FileErrorsAreReportedAndStopTheRun) {
    // The track file is not open.
    s.File2.Close();
    p.msg.AnswerOk();
    Accept({});
    EXPECT_EQ(p.msg.Last().Text, "Error 52 Bad file name or number has occured");
    EXPECT_EQ(p.msg.Last().Title, "Accept Item");
    EXPECT_EQ(s.ItemCount(2), 0);
    EXPECT_EQ(s.CurrentItem(2), 1);

    // A record that cannot be read back when an insert run is left: its
    // message, and nothing more is written.
    TrackFileOpen(c);
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "q")}, false);
    s.ItemCount(2) = 4;
    s.CurrentItem(2) = 2;
    s.InsertRemaining = 3;
    s.InsertLastItem = 7;
    p.msg.AnswerOk();
    Accept({.Note = "E"});
    EXPECT_EQ(p.msg.Last().Text.rfind("ReadDisk-Error 62", 0), 0u) << p.msg.Last().Text;
    EXPECT_EQ(ReadFile(TrackPath(2)).size(), 2 * kRecordLength);
    EXPECT_EQ(Records(2)[1].Note, "E");
    EXPECT_EQ(s.ItemCount(2), 4);
}

} // namespace
} // namespace tnq::test
