// The .MID file of the piece under edit, written by the program's writer
// and read back by midicsv: the keys of its note-ons, chunk by chunk.
#pragma once

#include "midifile/make_mid.h"
#include "midifile/mid_fixture.h"

#include <map>
#include <vector>

namespace tnq::test {

// Writes NAME.MID with the default options (every track selected, the
// score recalculated) and returns what midicsv reads of it. Fails the test
// when the file is not written or not readable.
inline CsvResult WriteMidCsv(Context& c) {
    c.s.TrackDescription.ReDim(c.s.NumTracks);
    ScriptedMidDialog mid;
    mid.Ok({"", kDefaultCopyright, false, 0});
    EXPECT_TRUE(MakeMidFile(c, mid));
    return ExpectReadable(MidFilePath(c.s));
}

// Writes NAME.MID with the default options (every track selected, the
// score recalculated) and returns the keys of the sounding note-ons of
// every chunk that has any, in chunk order. Fails the test when the file
// is not written or not readable, or holds a note-on of key 0 (sounding or
// not), the mark of an item written without its note.
inline std::vector<std::vector<int>> MidNoteOnKeys(Context& c) {
    const CsvResult csv = WriteMidCsv(c);
    std::map<int, std::vector<int>> keys;
    for (const auto& r : csv.Records) {
        if (r.Type != "Note_on_c" || r.Fields.size() < 3) continue;
        EXPECT_NE(r.Fields[1], "0") << "note-on of key 0 in chunk " << r.Track << " at " << r.Time;
        if (r.Fields[2] != "0") keys[r.Track].push_back(std::stoi(r.Fields[1]));
    }
    std::vector<std::vector<int>> out;
    for (const auto& [track, k] : keys) out.push_back(k);
    return out;
}

// The keys the notes of a list of records sound, in order.
inline std::vector<int> RecordKeys(const State& s, const std::vector<TrackItemRecord>& records) {
    std::vector<int> keys;
    for (const auto& r : records)
        if (const int pos = NoteIndexOf(s, r.Note); pos != 0)
            keys.push_back(NoteNumber(pos, std::stoi(r.Octave)));
    return keys;
}

} // namespace tnq::test
