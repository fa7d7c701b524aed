// The Standard MIDI File writer: the encoding of the work arrays as a
// format 1 file.
#pragma once

#include "core/state.h"
#include "midifile/mid_options.h"
#include "platform/whole_file.h"

#include <stdexcept>
#include <string>

namespace tnq {

// The credit text of the first chunk.
inline constexpr const char* kCreditText =
    "This file was created using the program 'Tonquill' by Velbrandt";

// What the two writers do differently when they encode.
struct MidWriterRules {
    // Write the piece tempo into the first chunk even when track 1 starts
    // with a TEMPO item.
    bool PieceTempoAlways = false;
};

// A value of the piece that a .MID file cannot hold. The text names the
// track and the item.
class MidEncodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file, handed to put in order a chunk at a time: the header, one
// chunk per track that has items, the active-sense chunk when asked for (it
// runs to reference), and the ten bytes 1A after the last chunk. Reads the
// work arrays and MidDivision, Tempo, TrackDescription, MultiplePorts,
// Reverb, Chorus and AWESelectChecked; uses the per-track encoder state.
// Every value is checked before it is written: one that does not fit
// raises MidEncodeError.
void EncodeMidFile(State& s, const MidOptions& o, Long reference, const ByteSink& put,
                   const MidWriterRules& rules = {});
// The same file whole, in memory.
std::string BuildMidFile(State& s, const MidOptions& o, Long reference,
                         const MidWriterRules& rules = {});

} // namespace tnq
