// The check before a change is written: a track the recalculation reads
// may not be left one it refuses; a track it refused already is no reason
// to refuse the change.
#include "core/track_change.h"

#include "core/piece_fixture.h"
#include "core/recalculate.h"

namespace tnq::test {
namespace {

class TrackChangeTest : public PieceTest {
protected:
    void SetUp() override {
        SetUpPiece(4, 10);
        s.PieceOpen = 1;
    }
};

TEST_F(TrackChangeTest, AChangeThatWouldLeaveATrackUnreadIsRefusedBeforeAnythingIsWritten) {
    const TrackItemRecord bad = Item("H", "4", "q"); // no note name
    struct Row {
        const char* what;
        std::vector<TrackItemRecord> track;
        bool stored;
    } rows[] = {
        {"a track that reads", {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q")}, false},
        {"a track refused already", {Item("C", "4", "q"), Item("D", "4", "q"), bad}, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        WriteTrack(2, r.track);
        const std::string file = ReadFile(TrackPath(2));
        s.ItemCount(2) = 3;
        s.CurrentItem(2) = 2;
        s.CurrentTrack = 2;
        TrackFileOpen(c);
        if (!r.stored) p.msg.AnswerOk();
        {
            TrackChange change(c, "Revise Parameters");
            ShowRecord(p.screen, bad);
            WriteItem(c);
            s.ItemCount(2) = 7;
            EXPECT_EQ(change.Store(), r.stored);
        }
        if (r.stored) continue;
        EXPECT_EQ(ReadFile(TrackPath(2)), file);
        EXPECT_EQ(s.ItemCount(2), 3);
        EXPECT_EQ(s.CurrentItem(2), 2);
        EXPECT_EQ(p.msg.Last().Title, "Revise Parameters");
        EXPECT_EQ(p.msg.Last().Text, "After this change, Item 2 on Track 2 could not be read by "
                                     "Recalc or Make .MID; nothing has been changed.");
    }
}

// A change undone inside an outer one leaves the outer one open: what the
// command writes afterwards stays in it, and goes when it is not stored.
TEST_F(TrackChangeTest, AnInnerChangeUndoneLeavesTheOuterOneOpen) {
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "q")});
    const std::string file = ReadFile(TrackPath(2));
    s.ItemCount(2) = 2;
    s.CurrentItem(2) = 1;
    s.CurrentTrack = 2;
    TrackFileOpen(c);
    {
        TrackChange outer(c, "Punch In/Punch Out");
        TrackChange(c, "Accept Item").Undo();
        ShowRecord(p.screen, Item("E", "4", "q"));
        WriteItem(c);
        EXPECT_EQ(ReadFile(TrackPath(2)), file);
        EXPECT_FALSE(outer.Store());
    }
    EXPECT_EQ(ReadFile(TrackPath(2)), file);
}

} // namespace
} // namespace tnq::test
