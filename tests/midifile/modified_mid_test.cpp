// "&Make (Modified) .mid File": suppressed tracks written as silent chunks
// of their own length and left out of a tighter balance test.
#include "midifile/make_mid.h"

#include "mid_fixture.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

using test::MidTest;
using test::ReadFile;
using test::ScriptedMidDialog;
using test::WriteFile;

class ModifiedMid : public MidTest {
protected:
    bool Run() {
        const bool written = MakeModifiedMidFile(c, dialog, [this](Context&) {
            ++recalcs;
            return recalcOk;
        });
        if (written) csv = test::ExpectReadable(MidPath());
        return written;
    }
    void Suppress(int t) { s.ActiveTracks[static_cast<std::size_t>(t) - 1] = '0'; }
    // Events of a type on a track, as midicsv reads them.
    std::size_t Count(int t, const char* type) const { return csv.Of(t, type).size(); }

    ScriptedMidDialog dialog;
    int recalcs = 0;
    bool recalcOk = true;
};

TEST_F(ModifiedMid, ASuppressedTrackIsSilentAndLastsItsOwnLength) {
    Note(1, 60, 1920);
    Add(2, code::PROGR, 0, 41);
    Add(2, code::CNTRL, 7, 100);  // controller 7: no 7 ticks of silence
    Add(2, code::METER, 3, 4);    // numerator 3: nor 3 here
    Note(2, 62, 480, 100, 1, 200); // bent: no pitch-bend event
    Add(2, code::LOCAT, 0, 1);
    Rest(2, 240);
    Note(2, 64, 240, 90, 1, -300);
    Suppress(2);
    dialog.Ok();
    ASSERT_TRUE(Run());
    EXPECT_EQ(recalcs, 1);
    EXPECT_EQ(s.MenuMode, "mnuModPlayMid");
    EXPECT_EQ(dialog.caption, "Create (Modified) .Mid File");
    EXPECT_EQ(p.screen.figures[1], "0");
    for (const char* type : {"Note_on_c", "Note_off_c", "Pitch_bend_c", "Program_c", "Control_c",
                             "Time_signature"})
        EXPECT_EQ(Count(2, type), 0u) << type;
    EXPECT_EQ(csv.Of(2, "End_track")[0].Time, 960);
    EXPECT_EQ(csv.Of(1, "End_track")[0].Time, 1920);
    EXPECT_EQ(Count(1, "Note_on_c"), 2u); // on, and off as velocity 0
    // The score itself is untouched.
    EXPECT_EQ(s.NoteCode(2, 1), code::PROGR);
    EXPECT_EQ(s.ItemBend(2, 4), 200);
}

TEST_F(ModifiedMid, ASuppressedPortItemIsARestAndItsPortIsNotRemembered) {
    s.MultiplePorts = -1;
    Note(1, 60, 480);
    Add(2, code::PORTS, 0, 1);
    Note(2, 62, 480);
    Add(3, code::PORTS, 0, 2);
    Note(3, 64, 480);
    Note(4, 65, 480);
    Suppress(3);
    dialog.Ok();
    ASSERT_TRUE(Run());
    const auto chunks = test::Chunks(ReadFile(MidPath()));
    ASSERT_EQ(chunks.size(), 5u);
    const struct {
        int chunk;
        std::string start;
    } cases[] = {
        {2, test::B({0x00, 0xFF, 0x21, 0x01, 0x01, 0x00, 0x90, 0x3E})}, // its own port
        {3, test::B({0x00, 0xFF, 0x21, 0x01, 0x01, 0x83, 0x60, 0xFF, 0x2F, 0x00})}, // silent
        {4, test::B({0x00, 0xFF, 0x21, 0x01, 0x01, 0x00, 0x90, 0x41})}, // port 2 not kept
    };
    for (const auto& k : cases)
        EXPECT_EQ(test::Hex(chunks[static_cast<std::size_t>(k.chunk)].substr(0, k.start.size())),
                  test::Hex(k.start))
            << "chunk " << k.chunk;
}

TEST_F(ModifiedMid, TheBalanceRuleLeavesSuppressedTracksOut) {
    struct Case {
        const char* name;
        std::vector<long> totals; // per track, 0 = empty
        std::string active;
        int ticks;
        bool written;
        std::vector<std::string> figures;
    } cases[] = {
        {"difference at the tolerance", {1920, 1935, 0, 0}, "1111", 480, true,
         {"1920", "1935", "0", "0"}},
        {"one tick beyond", {1920, 1936, 0, 0}, "1111", 480, false, {"1920", "1936", "0", "0"}},
        {"suppressed half as long", {1920, 960, 0, 0}, "1011", 480, true, {"1920", "0", "0", "0"}},
        {"first track suppressed", {500, 960, 963, 0}, "0111", 96, true, {"0", "960", "963", "0"}},
        {"96 ticks: tolerance 3", {500, 960, 964, 0}, "0111", 96, false, {"0", "960", "964", "0"}},
        {"every track suppressed", {1920, 100, 7, 0}, "0000", 480, true, {"0", "0", "0", "0"}},
    };
    for (const auto& k : cases) {
        SetUpPiece(4, 20);
        s.TicksPerQuarter = static_cast<Integer>(k.ticks);
        for (int t = 1; t <= 4; ++t)
            if (const long v = k.totals[static_cast<std::size_t>(t) - 1]) Rest(t, v);
        s.ActiveTracks = k.active;
        if (k.written)
            dialog.Ok();
        else
            p.msg.AnswerOk();
        EXPECT_EQ(Run(), k.written) << k.name;
        for (int t = 1; t <= 4; ++t)
            EXPECT_EQ(p.screen.figures[t - 1], k.figures[static_cast<std::size_t>(t) - 1]) << k.name;
        if (!k.written) {
            EXPECT_EQ(p.msg.Last().Text, "Tracks out of balance") << k.name;
            EXPECT_EQ(p.msg.Last().Code, 0);
            EXPECT_EQ(p.msg.Last().Title, std::optional<std::string>("Tonquill"));
            EXPECT_FALSE(std::filesystem::exists(MidPath())) << k.name;
            continue;
        }
        // Every track with items has its chunk, each of its own length,
        // but for the active ones spread to the reference.
        for (int t = 1; t <= 4; ++t) {
            const long v = k.totals[static_cast<std::size_t>(t) - 1];
            if (v == 0) continue;
            const auto end = csv.Of(t, "End_track");
            ASSERT_EQ(end.size(), 1u) << k.name;
            const bool active = k.active[static_cast<std::size_t>(t) - 1] == '1';
            const long ref = k.active == "0000" ? 0 : k.totals[k.active.find('1')];
            EXPECT_EQ(end[0].Time, active ? ref : v) << k.name << " track " << t;
        }
        std::filesystem::remove(MidPath());
    }
}

TEST_F(ModifiedMid, ThePlainWriterIgnoresSuppression) {
    Rest(1, 1920);
    Note(2, 60, 1936);
    Suppress(2);
    dialog.Ok();
    ASSERT_TRUE(MakeMidFile(c, dialog, [](Context&) { return true; }));
    csv = test::ExpectReadable(MidPath());
    EXPECT_EQ(Count(2, "Note_on_c"), 2u);
    EXPECT_EQ(csv.Of(2, "End_track")[0].Time, 1920); // spread within 65 ticks
    EXPECT_EQ(p.screen.figures[1], "1936");
}

TEST_F(ModifiedMid, ThePieceTempoIsWrittenEvenBeforeATempoItem) {
    Add(1, code::TEMPO, 8, 90);
    Rest(1, 960);
    Rest(2, 960);
    dialog.Ok();
    ASSERT_TRUE(Run());
    const auto tempos = csv.Of(1, "Tempo");
    ASSERT_EQ(tempos.size(), 2u) << csv.Out;
    EXPECT_EQ(tempos[0].Time, 0);
    EXPECT_EQ(tempos[0].Fields[0], "500000"); // piece tempo 120
    EXPECT_EQ(tempos[1].Time, 0);
    EXPECT_EQ(tempos[1].Fields[0], "666667");
}

TEST_F(ModifiedMid, ActiveSenseRunsToTheFirstActiveTotal) {
    Rest(1, 500);
    Note(2, 60, 1000);
    Suppress(1);
    MidOptions o;
    o.ActiveSense = true;
    o.ActiveSenseStep = 480;
    dialog.Ok(o);
    ASSERT_TRUE(Run());
    EXPECT_EQ(csv.Of(3, "End_track")[0].Time, 1000);
    EXPECT_EQ(csv.Of(1, "End_track")[0].Time, 500);
}

TEST_F(ModifiedMid, StopsWithoutAPieceOrARecalculation) {
    Rest(1, 960);
    s.PieceOpen = 0;
    p.msg.AnswerOk();
    EXPECT_FALSE(Run());
    EXPECT_EQ(p.msg.Last().Text, "No file has yet been opened");
    EXPECT_EQ(recalcs, 0);
    EXPECT_NE(s.MenuMode, "mnuModPlayMid");

    s.PieceOpen = 1;
    s.RecalcDone = -1; // a balance check just recalculated: used once
    dialog.Ok();
    ASSERT_TRUE(Run());
    EXPECT_EQ(recalcs, 0);
    EXPECT_EQ(s.RecalcDone, 0);

    recalcOk = false;
    WriteFile(MidPath(), "old");
    EXPECT_FALSE(Run());
    EXPECT_EQ(recalcs, 1);
    EXPECT_EQ(ReadFile(MidPath()), "old");
    EXPECT_EQ(dialog.shown, 1);
}

} // namespace
} // namespace tnq
