// Recalculate's reading of the fields: numbers written in any way Val
// reads them, and what the track figures show while the track files are
// read (the count so far whenever a message is up, the full count at the
// end).
#include "core/recalculate.h"
#include "piece_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tnq {
namespace {

using test::Item;

// Answers OK and notes the figure of one track row at every message.
class FigureAtMessage : public MessageBoxes {
public:
    FigureAtMessage(const test::FakeScreen& screen, int row) : screen_(screen), row_(row) {}
    int MsgBox(const std::string& text, int, const std::optional<std::string>&) override {
        seen.push_back(text + " | " + screen_.figures[row_]);
        return mb::OK;
    }
    std::string InputBox(const std::string&, const std::optional<std::string>&,
                         const std::string&) override {
        return "";
    }
    std::vector<std::string> seen;

private:
    const test::FakeScreen& screen_;
    int row_;
};

class RecalculateFields : public test::PieceTest {
protected:
    bool Run(FigureAtMessage& boxes) {
        Context rc{s, boxes, p.ini, p.screen, p.sys, &p.files};
        return Recalculate(rc);
    }
};

TEST_F(RecalculateFields, CountsSoFarWhileAMessageIsUp) {
    SetUpPiece(4, 4); // a track holds 3 items
    WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "q")});
    WriteTrack(3, {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q"),
                   Item("F", "4", "q"), Item("G", "4", "q")});
    Select({2, 3});
    p.screen.figures[2] = "old";
    FigureAtMessage boxes(p.screen, 2);
    EXPECT_FALSE(Run(boxes));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].substr(0, 26), "MAXIMUM CAPACITY FOR TRACK");
    EXPECT_EQ(boxes.seen[0].substr(boxes.seen[0].size() - 4), " | 3");
    EXPECT_EQ(p.screen.figures[1], "2");
    EXPECT_EQ(p.screen.figures[2], "3");

    // A record that cannot be converted: the count of the whole track.
    WriteTrack(3, {Item("C", "4", "q"), Item("X", "4", "q"), Item("E", "4", "q")});
    FigureAtMessage errors(p.screen, 2);
    EXPECT_FALSE(Run(errors));
    ASSERT_EQ(errors.seen.size(), 1u);
    EXPECT_EQ(errors.seen[0], "Error in data on Track 3, Item 2 | 3");

    // A whole piece: every selected track shows its count, an empty one 0.
    WriteTrack(3, {Item("C", "4", "q"), Item("D", "4", "q"), Item("E", "4", "q")});
    WriteTrack(4, {});
    Select({2, 3, 4});
    FigureAtMessage none(p.screen, 2);
    EXPECT_TRUE(Run(none));
    EXPECT_TRUE(none.seen.empty());
    EXPECT_EQ(p.screen.figures[1], "2");
    EXPECT_EQ(p.screen.figures[2], "3");
    EXPECT_EQ(p.screen.figures[3], "0");
}

TEST_F(RecalculateFields, NumbersInTheFieldsReadAsValReadsThem) {
    const char* texts[] = {"12",
                           " 1 2",
                           "+3",
                           "-0",
                           "007",
                           "12.5",
                           "13.5",
                           "1e2",
                           "&H10",
                           "&O17",
                           "",
                           "-",
                           "+",
                           "3-",
                           "1.5e1",
                           "32767",
                           "32768",
                           "-32768.4",
                           "1\t2",
                           "1\n6",
                           "--4",
                           "0012345678901234567",
                           "99999999999999999"};
    s.CurrentTrack = 2;
    s.CurrentItem(2) = 1;
    for (const char* text : texts) {
        SCOPED_TRACE(std::string("\"") + text + "\"");
        const double v = Val(text);
        const double r = RoundHalfEven(v);
        // As the bar: one the data file's bar field holds.
        const bool barFits = r >= 0 && r <= 9999;
        EXPECT_EQ(ConvertRecord(c, Item("C", "4", "q", "0", "64", text)), barFits);
        if (barFits) {
            EXPECT_EQ(s.ItemBar, CInt(v));
        }
        // As the channel and as the octave.
        const bool channel = v >= 1 && v <= 16;
        EXPECT_EQ(ConvertRecord(c, Item("C", "4", "q", "0", "64", "1", text)), channel);
        if (channel) {
            EXPECT_EQ(s.ItemChannel, CInt(v));
        }
        const bool octave = v >= 0 && v <= 8;
        EXPECT_EQ(ConvertRecord(c, Item("C", text, "q")), octave);
        if (octave) {
            EXPECT_EQ(s.ItemCode, 12 * (CInt(v) + 1));
        }
    }
}

TEST_F(RecalculateFields, ABarOutsideTheDataFilesFieldIsADataError) {
    struct Case {
        const char* bar;
        bool fits;
    } cases[] = {{"1E4", false}, {"9999", true}, {"1e3", true}, {"-1", false},
                 {"", true},     {"0", true},    {"-0.4", true}, {"&H7F", true}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.bar);
        WriteTrack(2, {Item("C", "4", "q"), Item("D", "4", "q", "0", "64", k.bar)});
        Select({2});
        FigureAtMessage boxes(p.screen, 1);
        EXPECT_EQ(Run(boxes), k.fits);
        if (k.fits) {
            EXPECT_EQ(s.BarNo(2, 2), CInt(Val(k.bar)));
        } else {
            ASSERT_EQ(boxes.seen.size(), 1u);
            EXPECT_EQ(boxes.seen[0], "Error in data on Track 2, Item 2 | 2");
        }
    }
}

} // namespace
} // namespace tnq
