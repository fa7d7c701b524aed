// The instrument and drum reference lists.
#include "core/instrument_lists.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(InstrumentLists, ProgramRowsAreNameHashNumberInProgramOrder) {
    const std::vector<std::string> rows = ProgramListRows();
    ASSERT_EQ(rows.size(), 128u);
    EXPECT_EQ(rows[0], "Acoustic Grand Piano #1");
    EXPECT_EQ(rows[40], "Violin #41");
    EXPECT_EQ(rows[81], "Lead 2 (Sawtooth #82");
    EXPECT_EQ(rows[127], "Gunshot #128");
    EXPECT_EQ(ProgramName(0), "");
    EXPECT_EQ(ProgramName(129), "");
}

TEST(InstrumentLists, DrumRowsHeaderThenKeys27To87) {
    const std::vector<std::string> rows = DrumLookupRows();
    ASSERT_EQ(rows.size(), 62u);
    EXPECT_EQ(rows[0], "  Drum Kit Lookup");
    EXPECT_EQ(rows[1], "High Q Eb1");          // key 27
    EXPECT_EQ(rows[60 - 26], "Bongo High C4"); // key 60 is C4
    EXPECT_EQ(rows[61], "Surdo Open Eb6");     // key 87
}

} // namespace
} // namespace tnq
