// The rules the options dialog fills and checks its boxes by.
#include "midifile/mid_options.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(MidDialogBoxes, FilledFromTheProgramState) {
    State s;
    s.MidDivision = 480;
    s.PieceDescription = "A\r\nB\rC\nD\r\n";
    EXPECT_EQ(MidDialogTitle(s), "A B\rC\nD ");
    EXPECT_EQ(MidDialogPpqn(s), "480");
    EXPECT_EQ(MidDialogCopyright(s), "Copyright \xA9 ");
    s.MidCopyright = "(c) Ann";
    EXPECT_EQ(MidDialogCopyright(s), "(c) Ann");
    EXPECT_EQ(MidDialogCaption(s), "Create .Mid File");
    s.MenuMode = "mnuModPlayMid";
    EXPECT_EQ(MidDialogCaption(s), "Create (Modified) .Mid File");
}

TEST(MidDialogBoxes, ChecksOfThePpqnAndActiveSenseBoxes) {
    const std::pair<const char*, bool> ppqn[] = {{"480", true},   {"abc", true},    {"0", true},
                                                 {"32767", true}, {"40000", false}, {"-1", false}};
    for (const auto& [text, ok] : ppqn) EXPECT_EQ(MidPpqnAcceptable(text), ok) << text;
    const std::pair<const char*, std::optional<std::int32_t>> steps[] = {
        {"480", 480},         {"1", 1},
        {"32767", 32767},     {"2.5", 2},
        {"", std::nullopt},   {"0", std::nullopt},
        {"-5", std::nullopt}, {"40000", std::nullopt},
        {"x", std::nullopt}};
    for (const auto& [text, step] : steps) EXPECT_EQ(ActiveSenseStepFromText(text), step) << text;
}

TEST(MidDialogBoxes, ActiveSenseStepsOfMoreThanTenMillionMessagesAreRefused) {
    struct Case {
        std::int64_t step, reference, messages;
        bool refused;
    } cases[] = {
        {480, 0, 1, false},          {480, 960, 2, false},
        {480, 961, 3, false},        {5, 50'000'000, 10'000'000, false},
        {4, 50'000'000, 12'500'000, true}, {1, 10'000'001, 10'000'001, true},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(ActiveSenseMessages(k.step, k.reference), k.messages) << k.step;
        EXPECT_EQ(ActiveSenseStepRefusal(k.step, k.reference).empty(), !k.refused) << k.step;
    }
    EXPECT_EQ(ActiveSenseStepRefusal(4, 50'000'000),
              "An active sense step of 4 ticks would write 12500000 messages over this piece; "
              "at most 10000000 can be written. Use a step of 5 ticks or more, or leave Adjust "
              "Active Sense unticked.");
}

} // namespace
} // namespace tnq
