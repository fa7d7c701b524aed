// The initialization grid's rules.
#include "misc/init_grid.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(InitGrid, ColumnsFollowThePortMode) {
    EXPECT_EQ(GridHeadings(false), (std::vector<std::string>{"Track #", "Channel #", "Primary Y/N",
                                                             "Instrument #", "Description"}));
    EXPECT_EQ(GridHeadings(true),
              (std::vector<std::string>{"Track #", "Port #", "Channel #", "Primary Y/N",
                                        "Instrument #", "Description"}));
    EXPECT_EQ(ColumnOf(GridColumn::Port, false), -1);
    EXPECT_EQ(ColumnOf(GridColumn::Instrument, true), 4);
    State s;
    s.NumTracks = 3;
    const GridCells g = EmptyGrid(s, false);
    ASSERT_EQ(g.size(), 4u);
    EXPECT_EQ(g[1],
              (std::vector<std::string>{"1", "--------", "--------", "--------", "--------"}));
    EXPECT_EQ(g[3][0], "3");
    EXPECT_EQ(g[3][1], "");
}

TEST(InitGrid, EntriesAreCheckedByColumnAndKeptInPlainDigits) {
    const struct {
        GridColumn kind;
        std::string typed;
        std::optional<std::string> kept;
    } cases[] = {
        {GridColumn::Port, "0", "0"},
        {GridColumn::Port, "10", std::nullopt},
        {GridColumn::Port, "3.5", std::nullopt},
        {GridColumn::Channel, " 05", "5"},
        {GridColumn::Channel, "16", "16"},
        {GridColumn::Channel, "17", std::nullopt},
        {GridColumn::Channel, "0", std::nullopt},
        {GridColumn::Channel, "1e1", std::nullopt},
        {GridColumn::Primary, "y", "Y"},
        {GridColumn::Primary, "n", "N"},
        {GridColumn::Primary, "Yes", std::nullopt},
        {GridColumn::Primary, "", std::nullopt},
        {GridColumn::Instrument, "127", "127"},
        {GridColumn::Instrument, "128", std::nullopt},
        {GridColumn::Description, "Oboe, 2nd", "Oboe, 2nd"},
    };
    for (const auto& k : cases) EXPECT_EQ(CheckGridEntry(k.kind, k.typed), k.kept) << k.typed;
    EXPECT_TRUE(WantsDrumKits("10"));
    EXPECT_TRUE(WantsDrumKits(" 10.0"));
    EXPECT_FALSE(WantsDrumKits("9"));
    EXPECT_FALSE(WantsDrumKits("ten"));
}

TEST(InitGrid, LookUpListsStartWithTheirHeadings) {
    const std::vector<std::string> instruments = InstrumentLookupRows();
    ASSERT_EQ(instruments.size(), 129u);
    EXPECT_EQ(instruments[0], "Instruments");
    EXPECT_EQ(instruments[82], "Lead 2 (Sawtooth #82");
    EXPECT_EQ(instruments[128], "Gunshot #128");
    const std::vector<std::string> drums = DrumKitRows();
    ASSERT_EQ(drums.size(), 11u);
    EXPECT_EQ(drums[0], "Drum Kits");
    EXPECT_EQ(drums[10], "CM-64/32L #128");
}

TEST(InitGrid, APrimaryTrackNeedsItsChannelInstrumentAndPort) {
    State s;
    s.NumTracks = 4;
    GridCells g = EmptyGrid(s, true);
    g[2] = {"2", "1", "3", "Y", "41", "Violin"};
    g[3] = {"3", "", "", "N", "", ""};
    g[4] = {"4", "", "5", "Y", "", "Horn"};
    std::optional<GridProblem> p = FindGridProblem(g, 4, true);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Row, 4);
    EXPECT_EQ(p->Col, 1);
    EXPECT_EQ(p->Message, "Track 4 is a primary track: enter its Port #");
    g[4][1] = "2";
    p = FindGridProblem(g, 4, true);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Col, 4);
    g[4][4] = "61";
    EXPECT_FALSE(FindGridProblem(g, 4, true));
    g[3][2] = "99";
    p = FindGridProblem(g, 4, true);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Row, 3);
    EXPECT_EQ(p->Message, "Track 3: \"99\" is not a valid Channel #");
    EXPECT_FALSE(FindGridProblem(g, 2, true)) << "rows beyond the piece are not read";
}

} // namespace
} // namespace tnq
