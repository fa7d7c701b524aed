// The encoding of the work arrays: framing, start events, every item kind,
// legato, pitch bend, ports, the active-sense chunk and the value checks.
#include "midifile/mid_writer.h"

#include "mid_fixture.h"
#include "midifile/var_len.h"

#include <gtest/gtest.h>

#include <map>

namespace tnq {
namespace {

using test::B;
using test::Hex;
using test::MidTest;

// No note is left sounding at the end of any track, and every note-on of a
// sounding velocity is ended.
void ExpectNoStuckNotes(const test::CsvResult& csv) {
    std::map<std::pair<int, std::string>, int> open;
    for (const auto& r : csv.Records) {
        if (r.Type != "Note_on_c" && r.Type != "Note_off_c") continue;
        const auto key = std::make_pair(r.Track, r.Fields[0] + "/" + r.Fields[1]);
        const bool on = r.Type == "Note_on_c" && r.Fields[2] != "0";
        if (on) {
            EXPECT_EQ(open[key], 0) << "note started twice: track " << r.Track << " " << key.second;
            open[key] = 1;
        } else {
            open[key] = 0;
        }
    }
    for (const auto& [k, v] : open) EXPECT_EQ(v, 0) << "stuck note on track " << k.first;
}

// Times of the note-on events (velocity above 0) and note-offs of a track.
std::vector<long long> OnTimes(const test::CsvResult& csv, int track) {
    std::vector<long long> v;
    for (const auto& r : csv.Of(track, "Note_on_c"))
        if (r.Fields[2] != "0") v.push_back(r.Time);
    return v;
}
std::vector<long long> OffTimes(const test::CsvResult& csv, int track) {
    std::vector<long long> v;
    for (const auto& r : csv.Of(track, "Note_on_c"))
        if (r.Fields[2] == "0") v.push_back(r.Time);
    return v;
}

// An NRPN group as the writer sends it (status in full every time).
std::string Group(int ch, int param, int value) {
    const int s = 0xB0 + ch - 1, v = value + 8192;
    return B({s, 0x63, 0x7F, 0x00, s, 0x62, param, 0x00, s, 0x06, v / 128, 0x00, s, 0x26, v % 128});
}

class Writer : public MidTest {
protected:
    // The events of track 2's chunk, track 1 holding one rest so that it is
    // the first chunk.
    std::string Track2(const MidOptions& o = {}) {
        if (s.ItemCount(1) == 0) Rest(1, 480);
        const std::string file = Build(o);
        return Events(file, 2);
    }
    // The text of the MidEncodeError a build raises.
    std::string Refusal(const MidOptions& o = {}) {
        AllocateWorkArrays(s);
        CompactTracks(s);
        s.MidDivision = s.TicksPerQuarter;
        try {
            BuildMidFile(s, o, 0);
        } catch (const MidEncodeError& e) {
            return e.what();
        }
        return "(no refusal)";
    }
};

TEST_F(Writer, WorkedExampleByteForByte) {
    Rest(1, 1200);
    Rest(2, 240);
    Note(2, 60, 480);
    Note(2, 62, 480);
    const std::string file = Build();
    const std::string first = FirstChunkStart() + B({0x89, 0x30}) + EndOfTrack();
    const std::string second = B({0x81, 0x70, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3C, 0x00, 0x00, 0x3E,
                                  0x64, 0x83, 0x60, 0x3E, 0x00, 0x00}) +
                               EndOfTrack();
    const std::string want = "MThd" + B({0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0}) + "MTrk" +
                             ConvertToBytes(static_cast<std::int64_t>(first.size()), 4) + first +
                             "MTrk" + ConvertToBytes(static_cast<std::int64_t>(second.size()), 4) +
                             second + std::string(10, '\x1A');
    EXPECT_EQ(Hex(file), Hex(want));
    EXPECT_EQ(OnTimes(csv, 2), (std::vector<long long>{240, 720}));
    EXPECT_EQ(csv.Of(2, "End_track")[0].Time, 1200);
}

TEST_F(Writer, AWorkArrayShorterThanTheTrackIsASubscriptError) {
    // The rows are read in place only where every work array holds them;
    // else item by item, and the item beyond an array is error 9.
    Rest(1, 480);
    Note(2, 60, 480);
    Note(2, 62, 480);
    AllocateWorkArrays(s);
    CompactTracks(s);
    s.MidDivision = s.TicksPerQuarter;
    ASSERT_EQ(s.WorkCount(2), 3);
    const std::string whole = BuildMidFile(s, {}, 0);
    s.WorkBend.ReDimPreserve(1);
    try {
        BuildMidFile(s, {}, 0);
        ADD_FAILURE() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), err::SubscriptOutOfRange);
    }
    // Rows long enough again: the same bytes as before.
    s.WorkBend.ReDimPreserve(s.MaxItems);
    EXPECT_EQ(Hex(BuildMidFile(s, {}, 0)), Hex(whole));
}

TEST_F(Writer, FirstChunkCarriesThePieceWideEvents) {
    s.AWESelectChecked = true;
    s.Reverb = 4;
    s.Chorus = 2;
    s.TrackDescription(1) = "Conductor"; // never on the first chunk
    Rest(1, 480);
    MidOptions o;
    o.Copyright = "Copyright \xA9 2024";
    o.Title = "Sonata";
    const std::string e = Events(Build(o), 1);
    const std::string credit = kCreditText;
    const std::string want =
        B({0x00, 0xFF, 0x02, 16}) + "Copyright \xA9 2024" + B({0x00, 0xFF, 0x01, 6}) + "Sonata" +
        B({0x00, 0xFF, 0x01, static_cast<int>(credit.size())}) + credit +
        B({0x00, 0xF0, 0x0A, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x30, 0x04, 0x00, 0xF7}) +
        B({0x00, 0xF0, 0x0A, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x38, 0x02, 0x00, 0xF7}) +
        B({0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08}) +
        B({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}) + B({0x83, 0x60}) + EndOfTrack();
    EXPECT_EQ(Hex(e), Hex(want));
    EXPECT_EQ(credit, "This file was created using the program 'Tonquill' by Velbrandt");
    ASSERT_EQ(csv.Of(1, "Copyright_t").size(), 1u);
    EXPECT_EQ(csv.Of(1, "Tempo")[0].Fields[0], "500000");
}

TEST_F(Writer, LongTextsTakeTwoLengthBytes) {
    Rest(1, 480);
    MidOptions o;
    o.Title = std::string(200, 'T');
    const std::string e = Events(Build(o), 1);
    EXPECT_EQ(Hex(e.substr(0, 5)), "00 FF 01 81 48");
}

TEST_F(Writer, TrackNamesAndPortsAtTheStartOfLaterChunks) {
    s.MultiplePorts = -1;
    s.TrackDescription(2) = "Strings";
    s.TrackDescription(3) = "Horn";
    Add(1, code::PORTS, 0, 5); // first on track 1: written, not remembered
    Rest(1, 480);
    Rest(2, 480);
    Add(3, code::PORTS, 0, 2, 1); // first on track 3: remembered
    Rest(3, 480);
    Rest(4, 480);
    const std::string file = Build();
    EXPECT_EQ(Hex(Events(file, 1)), Hex(FirstChunkStart() + B({0x00, 0xFF, 0x21, 0x01, 0x05}) +
                                        B({0x83, 0x60}) + EndOfTrack()));
    EXPECT_EQ(Hex(Events(file, 2)),
              Hex(B({0x00, 0xFF, 0x03, 7}) + "Strings" +
                  B({0x00, 0xFF, 0x21, 0x01, 0x00, 0x83, 0x60}) + EndOfTrack()));
    EXPECT_EQ(Hex(Events(file, 3)),
              Hex(B({0x00, 0xFF, 0x03, 4}) + "Horn" +
                  B({0x00, 0xFF, 0x21, 0x01, 0x02, 0x83, 0x60}) + EndOfTrack()));
    EXPECT_EQ(Hex(Events(file, 4)),
              Hex(B({0x00, 0xFF, 0x21, 0x01, 0x02, 0x83, 0x60}) + EndOfTrack()));
    // One port: no port events at the starts.
    s.MultiplePorts = 0;
    EXPECT_EQ(Hex(Events(Build(), 4)), Hex(B({0x83, 0x60}) + EndOfTrack()));
}

TEST_F(Writer, TheFirstTrackWithItemsMakesTheFirstChunk) {
    s.MultiplePorts = -1;
    s.TrackDescription(2) = "Strings";
    Note(2, 60, 480);
    const std::string file = Build();
    EXPECT_EQ(Hex(file.substr(10, 2)), "00 01");
    const std::string e = Events(file, 1);
    // No track name (the first chunk), then the port, then the piece events.
    EXPECT_EQ(Hex(e),
              Hex(B({0x00, 0xFF, 0x21, 0x01, 0x00}) + FirstChunkStart() +
                  B({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3C, 0x00, 0x00}) + EndOfTrack()));
}

TEST_F(Writer, NoTrackWithItems) {
    std::string file = Build();
    EXPECT_EQ(Hex(file),
              Hex("MThd" + B({0, 0, 0, 6, 0, 1, 0, 0, 0x01, 0xE0}) + std::string(10, '\x1A')));
    MidOptions o;
    o.ActiveSense = true;
    o.ActiveSenseStep = 480;
    file = Build(o);
    EXPECT_EQ(Hex(file.substr(10, 2)), "00 01");
    EXPECT_EQ(Hex(Events(file, 1)), Hex(B({0x00, 0xF0, 0x02, 0xFE, 0xF7, 0x00}) + EndOfTrack()));
}

TEST_F(Writer, PieceTempoAndTempoItems) {
    // Track 1 starting with TEMPO: its own event replaces the piece tempo.
    Add(1, code::TEMPO, 0, 60);
    Rest(1, 480);
    std::string e = Events(Build(), 1);
    std::string tail = B({0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08, 0x00, 0xFF, 0x51, 0x03,
                          0x0F, 0x42, 0x40, 0x83, 0x60}) +
                       EndOfTrack();
    EXPECT_EQ(Hex(e.substr(e.size() - tail.size())), Hex(tail));
    // The modified writer's rule writes both.
    e = Events(Build({}, MidWriterRules{true}), 1);
    tail = B({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,
              0x83, 0x60}) +
           EndOfTrack();
    EXPECT_EQ(Hex(e.substr(e.size() - tail.size())), Hex(tail));
    // METER first, then TEMPO: the piece tempo, the meter, the item tempo.
    SetUpPiece(2, 10);
    Add(1, code::METER, 3, 4);
    Add(1, code::TEMPO, 0, 90);
    Rest(1, 480);
    e = Events(Build(), 1);
    tail = B({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x58, 0x04, 0x03,
              0x02, 0x18, 0x08, 0x00, 0xFF, 0x51, 0x03, 0x0A, 0x2C, 0x2B, 0x83, 0x60}) +
           EndOfTrack();
    EXPECT_EQ(Hex(e.substr(e.size() - tail.size())), Hex(tail));
}

TEST_F(Writer, SlowTemposTakeTheLargestValueTheEventHolds) {
    struct Case {
        int bpm;
        std::string bytes;
    } cases[] = {{4, B({0xE4, 0xE1, 0xC0})},
                 {3, B({0xFF, 0xFF, 0xFF})},
                 {1, B({0xFF, 0xFF, 0xFF})},
                 {999, B({0x00, 0xEA, 0x9C})}};
    for (const auto& k : cases) {
        SetUpPiece(2, 10);
        Rest(1, 480);
        Add(2, code::TEMPO, 0, k.bpm);
        Rest(2, 480);
        EXPECT_EQ(Hex(Track2()),
                  Hex(B({0x00, 0xFF, 0x51, 0x03}) + k.bytes + B({0x83, 0x60}) + EndOfTrack()))
            << k.bpm;
    }
    SetUpPiece(2, 10);
    s.Tempo = "2";
    Rest(1, 480);
    const std::string e = Events(Build(), 1);
    EXPECT_NE(e.find(B({0x00, 0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF})), std::string::npos);
}

TEST_F(Writer, NoLegatoNotesShareTheirStatus) {
    Note(2, 60, 480, 100, 3);
    Note(2, 62, 480, 90, 3);
    EXPECT_EQ(Hex(Track2()), Hex(B({0x00, 0x92, 0x3C, 0x64, 0x83, 0x60, 0x3C, 0x00, 0x00, 0x3E,
                                    0x5A, 0x83, 0x60, 0x3E, 0x00, 0x00}) +
                                 EndOfTrack()));
}

TEST_F(Writer, LegatoPassageKeepsItsBytes) {
    Note(2, 60, 480); // X
    Add(2, code::LEGON, 0, 0);
    Note(2, 62, 480); // A
    Note(2, 64, 480); // B
    Add(2, code::LEGOF, 0, 0);
    Note(2, 65, 480);
    EXPECT_EQ(Hex(Track2()),
              Hex(B({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60,              // X
                     0x3E, 0x64, 0x00, 0x3C, 0x00, 0x83, 0x60,        // A, X off
                     0x40, 0x64, 0x00, 0x3E, 0x00, 0x83, 0x60,        // B, A off
                     0x40, 0x00,                                      // B off at LEGOF
                     0x00, 0x41, 0x64, 0x83, 0x60, 0x41, 0x00, 0x00}) // the next note
                  + EndOfTrack()));
    ExpectNoStuckNotes(csv);
    EXPECT_EQ(OnTimes(csv, 2), (std::vector<long long>{0, 480, 960, 1440}));
    EXPECT_EQ(OffTimes(csv, 2), (std::vector<long long>{480, 960, 1440, 1920}));
}

TEST_F(Writer, LegatoWithoutASoundingNoteWritesItsDelta) {
    Rest(2, 240);
    Add(2, code::LEGON, 0, 0); // LEGON after a rest
    Note(2, 62, 480);
    Note(2, 64, 480);
    Add(2, code::LEGOF, 0, 0);
    EXPECT_EQ(Hex(Track2()), Hex(B({0x81, 0x70, 0x90, 0x3E, 0x64, 0x83, 0x60, 0x40, 0x64, 0x00,
                                    0x3E, 0x00, 0x83, 0x60, 0x40, 0x00, 0x00}) +
                                 EndOfTrack()));
    EXPECT_EQ(OnTimes(csv, 2), (std::vector<long long>{240, 720}));
    ExpectNoStuckNotes(csv);

    // LEGON first on a track.
    SetUpPiece(2, 10);
    Add(2, code::LEGON, 0, 0);
    Note(2, 62, 480);
    Note(2, 64, 480);
    EXPECT_EQ(Hex(Track2()), Hex(B({0x00, 0x90, 0x3E, 0x64, 0x83, 0x60, 0x40, 0x64, 0x00, 0x3E,
                                    0x00, 0x83, 0x60, 0x40, 0x00, 0x00}) +
                                 EndOfTrack()));
    ExpectNoStuckNotes(csv);
}

TEST_F(Writer, ARestUnderLegatoEndsTheSoundingNote) {
    Note(2, 60, 480);
    Add(2, code::LEGON, 0, 0);
    Note(2, 62, 480);
    Rest(2, 240);
    Note(2, 64, 480);
    Add(2, code::LEGOF, 0, 0);
    EXPECT_EQ(Hex(Track2()), Hex(B({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3E, 0x64, 0x00,
                                    0x3C, 0x00, 0x83, 0x60, 0x3E, 0x00, // the rest ends A
                                    0x81, 0x70, 0x40, 0x64, 0x83, 0x60, 0x40, 0x00, 0x00}) +
                                 EndOfTrack()));
    EXPECT_EQ(OnTimes(csv, 2), (std::vector<long long>{0, 480, 1200}));
    EXPECT_EQ(OffTimes(csv, 2), (std::vector<long long>{480, 960, 1680}));
    ExpectNoStuckNotes(csv);
}

TEST_F(Writer, AKeywordUnderLegatoEndsTheSoundingNote) {
    Note(2, 60, 480);
    Add(2, code::LEGON, 0, 0);
    Note(2, 62, 480);
    Add(2, code::CNTRL, 64, 127);
    Note(2, 64, 480);
    Add(2, code::LEGOF, 0, 0);
    EXPECT_EQ(Hex(Track2()), Hex(B({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3E, 0x64, 0x00,
                                    0x3C, 0x00, 0x83, 0x60, 0x3E, 0x00, // the keyword ends A
                                    0x00, 0xB0, 0x40, 0x7F,             // its event at A's end
                                    0x00, 0x90, 0x40, 0x64, 0x83, 0x60, 0x40, 0x00, 0x00}) +
                                 EndOfTrack()));
    EXPECT_EQ(OnTimes(csv, 2), (std::vector<long long>{0, 480, 960}));
    ExpectNoStuckNotes(csv);
}

TEST_F(Writer, TrackEndUnderLegatoEndsTheNote) {
    Note(2, 60, 480);
    Add(2, code::LEGON, 0, 0);
    Note(2, 62, 480);
    EXPECT_EQ(Hex(Track2()), Hex(B({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3E, 0x64, 0x00, 0x3C,
                                    0x00, 0x83, 0x60, 0x3E, 0x00, 0x00}) +
                                 EndOfTrack()));
    ExpectNoStuckNotes(csv);
}

TEST_F(Writer, PitchBendAndItsReset) {
    Note(2, 60, 480, 100, 1, 100);
    Note(2, 62, 480, 100, 1, 0);
    EXPECT_EQ(Hex(Track2()),
              Hex(B({0x00, 0xE0, 0x64, 0x40, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3C, 0x00, 0x00,
                     0xE0, 0x00, 0x40, 0x00, 0x90, 0x3E, 0x64, 0x83, 0x60, 0x3E, 0x00, 0x00}) +
                  EndOfTrack()));
    // A rest after a bent note: bend reset, key 0 velocity 0 for its length,
    // then a note-off of key 0; after that rests are plain.
    SetUpPiece(2, 10);
    Note(2, 60, 480, 100, 1, -8192);
    Rest(2, 240);
    Rest(2, 120);
    EXPECT_EQ(Hex(Track2()),
              Hex(B({0x00, 0xE0, 0x00, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3C, 0x00, 0x00,
                     0xE0, 0x00, 0x40, 0x00, 0x90, 0x00, 0x00, 0x81, 0x70, 0x00, 0x00, 0x78}) +
                  EndOfTrack()));
    EXPECT_EQ(csv.Of(2, "Pitch_bend_c").size(), 2u);
    SetUpPiece(2, 10);
    Note(2, 60, 480, 100, 16, 8191);
    EXPECT_EQ(Hex(Track2().substr(0, 4)), "00 EF 7F 7F");
}

TEST_F(Writer, KeywordItemsOnChannelThree) {
    Add(2, code::PROGR, 0, 1, 3);
    Add(2, code::CNTRL, 7, 100, 3);
    Add(2, code::CNTRL, 10, 64, 3); // running status
    Add(2, code::AFTER, 0, 50, 3);
    Add(2, code::PBEND, 0, 12, 3);
    Add(2, code::CNTRL, 11, 90, 3); // status written again after PBEND
    Add(2, code::LFO_2, 10, 20, 3);
    Add(2, code::FILT1, 5, -64, 3);
    Add(2, code::FILT2, 127, 0, 3);
    Add(2, code::NRPN1, 8, 100, 3);
    Add(2, code::NRPN1, 26, -50, 3);
    Add(2, code::CNTRL, 11, 91, 3); // and after NRPN items
    Add(2, code::METER, 6, 8, 3);
    Add(2, code::PORTS, 0, 3, 3);
    Rest(2, 480);
    const std::string want =
        B({0x00, 0xC2, 0x00, 0x00, 0xB2, 0x07, 0x64, 0x00, 0x0A, 0x40, 0x00, 0xD2, 0x32}) +
        B({0x00, 0xB2, 0x65, 0x00, 0x00, 0xB2, 0x64, 0x00, 0x00, 0xB2, 0x06, 0x0C}) +
        B({0x00, 0xB2, 0x0B, 0x5A}) + B({0x00}) + Group(3, 3, 10) + B({0x00}) + Group(3, 18, 20) +
        B({0x00}) + Group(3, 1, 5) + B({0x00}) + Group(3, 23, -64) + B({0x00}) + Group(3, 21, 127) +
        B({0x00}) + Group(3, 22, 0) + B({0x00}) + Group(3, 8, 100) + B({0x00}) + Group(3, 26, -50) +
        B({0x00, 0xB2, 0x0B, 0x5B}) + B({0x00, 0xFF, 0x58, 0x04, 0x06, 0x03, 0x18, 0x08}) +
        B({0x00, 0xFF, 0x21, 0x01, 0x03}) + B({0x83, 0x60}) + EndOfTrack();
    EXPECT_EQ(Hex(Track2()), Hex(want));
    // The data-entry bytes of the groups for values 0..127 are 40 and the value.
    EXPECT_EQ(Hex(Group(1, 3, 10).substr(8)), "B0 06 40 00 B0 26 0A");
    EXPECT_EQ(Hex(Group(1, 23, -64).substr(8)), "B0 06 3F 00 B0 26 40");
    EXPECT_EQ(csv.Of(2, "Program_c")[0].Fields[1], "0");
    EXPECT_EQ(csv.Of(2, "Time_signature")[0].Fields[0], "6");
}

TEST_F(Writer, LegatoOneSendsTwelveGroups) {
    Add(2, code::LEGO1, 0, 0, 2);
    Rest(2, 480);
    std::string want = B({0x00});
    for (int p = 4; p <= 15; ++p) {
        if (p > 4) want += B({0x00});
        want += Group(2, p, (p == 8 || p == 14) ? 127 : 0);
    }
    want += B({0x83, 0x60}) + EndOfTrack();
    EXPECT_EQ(Hex(Track2()), Hex(want));
}

TEST_F(Writer, LongItemsAndTextsBeyondTheRoomFirstMade) {
    // The file's room is made for about eight bytes an item; a LEGO1 takes
    // 191 and a track name as long as it is, so the file grows while a
    // chunk is written, many times over.
    for (int n : {1, 2, 7, 40, 300}) {
        SetUpPiece(2, n + 4);
        s.TrackDescription.ReDim(2);
        s.TrackDescription(2) = std::string(static_cast<std::size_t>(n) * 50, 'N');
        for (int k = 0; k < n; ++k) Add(2, code::LEGO1, 0, 0, 2);
        Rest(2, 480);
        std::string want = B({0x00, 0xFF, 0x03}) +
                           VarLenEncode(static_cast<std::int64_t>(n) * 50) +
                           s.TrackDescription(2);
        for (int k = 0; k < n; ++k) {
            want += B({0x00});
            for (int p = 4; p <= 15; ++p) {
                if (p > 4) want += B({0x00});
                want += Group(2, p, (p == 8 || p == 14) ? 127 : 0);
            }
        }
        want += B({0x83, 0x60}) + EndOfTrack();
        EXPECT_EQ(Hex(Track2()), Hex(want)) << n;
    }
}

TEST_F(Writer, MeterDenominatorCodes) {
    const std::pair<int, int> cases[] = {{2, 1},  {4, 2}, {8, 3}, {16, 4}, {32, 5},
                                         {64, 6}, {1, 0}, {6, 0}, {24, 1}, {48, 2}};
    for (const auto& [den, d] : cases) {
        SetUpPiece(2, 10);
        Add(2, code::METER, 3, den);
        EXPECT_EQ(Hex(Track2().substr(0, 8)), Hex(B({0x00, 0xFF, 0x58, 0x04, 0x03, d, 0x18, 0x08})))
            << den;
    }
}

TEST_F(Writer, RunningStatusCarriesOverMetaEvents) {
    Note(2, 60, 480);
    Add(2, code::TEMPO, 0, 60);
    Note(2, 62, 480);
    EXPECT_EQ(Hex(Track2()),
              Hex(B({0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3C, 0x00, 0x00, 0xFF, 0x51, 0x03,
                     0x0F, 0x42, 0x40, 0x00, 0x3E, 0x64, 0x83, 0x60, 0x3E, 0x00, 0x00}) +
                  EndOfTrack()));
    EXPECT_EQ(OnTimes(csv, 2), (std::vector<long long>{0, 480}));
}

TEST_F(Writer, ActiveSenseChunk) {
    struct Case {
        Long total;
        std::int32_t step;
        std::string events; // empty: no chunk
    } cases[] = {
        {1000, 480,
         B({0x00, 0xF0, 0x02, 0xFE, 0xF7, 0x83, 0x60, 0xF0, 0x02, 0xFE, 0xF7, 0x83, 0x60, 0xF0,
            0x02, 0xFE, 0xF7, 0x28})},
        {960, 480,
         B({0x00, 0xF0, 0x02, 0xFE, 0xF7, 0x83, 0x60, 0xF0, 0x02, 0xFE, 0xF7, 0x83, 0x60})},
        {1000, 40000, B({0x00, 0xF0, 0x02, 0xFE, 0xF7, 0x87, 0x68})},
        {1000, 0, ""},
        {1000, -5, ""},
    };
    for (const auto& k : cases) {
        SetUpPiece(1, 10);
        Rest(1, k.total);
        MidOptions o;
        o.ActiveSense = true;
        o.ActiveSenseStep = k.step;
        const std::string file = Build(o);
        const auto chunks = test::Chunks(file);
        if (k.events.empty()) {
            EXPECT_EQ(chunks.size(), 2u) << k.step;
            EXPECT_EQ(Hex(file.substr(10, 2)), "00 01");
            continue;
        }
        ASSERT_EQ(chunks.size(), 3u) << k.step;
        EXPECT_EQ(Hex(file.substr(10, 2)), "00 02");
        EXPECT_EQ(Hex(chunks[2]), Hex(k.events + EndOfTrack())) << k.step;
        EXPECT_EQ(csv.Of(2, "End_track")[0].Time, k.total);
    }
    // Step 1 over a long piece stays in bounds.
    SetUpPiece(1, 10);
    Rest(1, 100000);
    MidOptions o;
    o.ActiveSense = true;
    o.ActiveSenseStep = 1;
    Build(o);
    EXPECT_EQ(csv.Of(2, "System_exclusive").size(), 100000u);
}

TEST_F(Writer, ActiveSenseOfMoreThanTenMillionMessagesIsRefused) {
    SetUpPiece(1, 10);
    Rest(1, 480);
    AllocateWorkArrays(s);
    CompactTracks(s);
    s.MidDivision = s.TicksPerQuarter;
    MidOptions o;
    o.ActiveSense = true;
    o.ActiveSenseStep = 2;
    EXPECT_THROW(BuildMidFile(s, o, 20'000'001), MidEncodeError);
}

TEST_F(Writer, ValuesThatDoNotFitAreRefusedWithTheirPlace) {
    struct Case {
        const char* name;
        int code;
        long time;
        int dyn;
        int chan;
        int bend;
        const char* message;
    } cases[] = {
        {"velocity", 60, 480, 128, 1, 0, "Track 2, Item 2: the velocity 128 (allowed: 0 to 127)"},
        {"channel 0", 60, 480, 100, 0, 0, "Track 2, Item 2: the channel 0 (allowed: 1 to 16)"},
        {"bend", 60, 480, 100, 1, 8192, "Track 2, Item 2: the pitch bend 8192"},
        {"length", 60, 268435456, 100, 1, 0, "the note length 268435456"},
        {"program 0", code::PROGR, 0, 0, 1, 0,
         "Track 2, Item 2 (PROGR): the program number 0 (allowed: 1 to 128)"},
        {"program 129", code::PROGR, 0, 129, 1, 0, "the program number 129"},
        {"channel 17", code::PROGR, 0, 5, 17, 0, "Item 2 (PROGR): the channel 17"},
        {"controller", code::CNTRL, 128, 5, 1, 0, "(CNTRL): the controller number 128"},
        {"controller value", code::CNTRL, 7, 200, 1, 0, "the controller value 200"},
        {"aftertouch", code::AFTER, 0, 128, 1, 0, "the aftertouch value 128"},
        {"range", code::PBEND, 0, 128, 1, 0, "the pitch-bend range 128"},
        {"lfo", code::LFO_2, 10, 9000, 1, 0,
         "(LFO_2): the second value 9000 (allowed: -8192 to 8191)"},
        {"nrpn parameter", code::NRPN1, 200, 0, 1, 0, "the NRPN parameter number 200"},
        {"nrpn value", code::NRPN1, 3, 8192, 1, 0, "the NRPN value 8192"},
        {"meter", code::METER, 200, 4, 1, 0, "(METER): the meter numerator 200"},
        {"port", code::PORTS, 0, 128, 1, 0, "(PORTS): the port 128"},
        {"tempo 0", code::TEMPO, 0, 0, 1, 0,
         "Track 2, Item 2 (TEMPO): the tempo 0 (allowed: 1 to 32767)"},
        {"tempo negative", code::TEMPO, 0, -60, 1, 0, "the tempo -60"},
    };
    for (const auto& k : cases) {
        SetUpPiece(2, 10);
        Rest(1, 480);
        Add(2, code::LOCAT, 0, 1); // item numbers count every item
        Add(2, k.code, k.time, k.dyn, k.chan, k.bend);
        const std::string text = Refusal();
        EXPECT_NE(text.find(k.message), std::string::npos) << k.name << ": " << text;
        EXPECT_NE(text.find("cannot be written into a .MID file"), std::string::npos) << k.name;
    }
}

TEST_F(Writer, PieceValuesThatDoNotFitAreRefused) {
    Rest(1, 480);
    // No tempo of no microseconds a quarter note.
    for (const char* tempo : {"0", "-5", "1e9", "120000000"}) {
        s.Tempo = tempo;
        EXPECT_EQ(Refusal(), "Track 1, start of the track: the piece tempo \"" + std::string(tempo) +
                                 "\" (allowed: above 0 and below 120000000) "
                                 "cannot be written into a .MID file");
    }
    s.Tempo = "120";
    s.AWESelectChecked = true;
    s.Reverb = 200;
    EXPECT_NE(Refusal().find("the reverb type 200"), std::string::npos);
    s.Reverb = 3;
    s.TicksPerQuarter = 0;
    EXPECT_NE(Refusal().find("ticks per quarter note 0"), std::string::npos);
    // A rest run longer than a delta time holds, at the end of a track.
    SetUpPiece(2, 10);
    Rest(1, 480);
    Rest(2, 200000000);
    Rest(2, 100000000);
    EXPECT_NE(Refusal().find("Track 2, end of the track: the delta time 300000000"),
              std::string::npos);
}

} // namespace
} // namespace tnq
