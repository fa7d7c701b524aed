// What the track figures show while Recalculate reads the track files: the
// count read so far whenever a message is up, the full count at the end.
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

class RecalculateFigures : public test::PieceTest {
protected:
    bool Run(FigureAtMessage& boxes) {
        Context rc{s, boxes, p.ini, p.screen, p.sys, &p.files};
        return Recalculate(rc);
    }
};

TEST_F(RecalculateFigures, CountsSoFarWhileAMessageIsUp) {
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

} // namespace
} // namespace tnq
