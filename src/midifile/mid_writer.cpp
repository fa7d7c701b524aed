// Encoding the work arrays as a Standard MIDI File.
#include "midifile/mid_writer.h"

#include "core/vocabulary.h"
#include "midifile/byte_buffer.h"
#include "midifile/var_len.h"
#include "midifile/work_arrays.h"
#include "platform/vb.h"

#include <algorithm>
#include <cstdint>

namespace tnq {

namespace {

// A value that does not fit its place in the file; the caller adds where.
struct ValueError {
    std::string What;
};

constexpr std::int64_t kLargestTempo = 0xFFFFFF; // microseconds a tempo event holds
constexpr std::int64_t kLargestChunk = 0x7FFFFFFF;

[[noreturn]] void OutOfRange(std::int64_t v, std::int64_t lo, std::int64_t hi, const char* what) {
    throw ValueError{std::string(what) + " " + std::to_string(v) +
                     " (allowed: " + std::to_string(lo) + " to " + std::to_string(hi) + ")"};
}

// Every value is checked before it is written: the check stays inline and
// the message is built only for a value that fails.
inline std::int64_t Check(std::int64_t v, std::int64_t lo, std::int64_t hi, const char* what) {
    if (v < lo || v > hi) [[unlikely]]
        OutOfRange(v, lo, hi, what);
    return v;
}

// A delta time or a length as a variable-length quantity.
inline void PutVarLen(ByteCursor& o, std::int64_t v, const char* what) {
    o.PutVarLen(Check(v, 0, kVarLenMax, what));
}

// Microseconds a quarter note of a tempo in beats per minute (above 0)
// lasts, as a tempo event holds them: a tempo slower than the event holds
// is the slowest it holds. 0 for a tempo too fast for any event.
std::int64_t TempoMicroseconds(double bpm) {
    const double mu = RoundHalfEven(60.0 / bpm * 1000000.0);
    return mu > static_cast<double>(kLargestTempo) ? kLargestTempo : static_cast<std::int64_t>(mu);
}

// The three bytes of a tempo event of m microseconds a quarter note.
void PutTempo(ByteCursor& o, std::int64_t m) {
    o.Put({static_cast<int>(m >> 16), static_cast<int>((m >> 8) & 0xFF), static_cast<int>(m & 0xFF)});
}

// A meta event with a text at delta 0.
void PutTextEvent(ByteBuffer& o, int kind, const std::string& text, const char* what) {
    ByteCursor c = o.Open(8);
    c.Put({0x00, 0xFF, kind});
    PutVarLen(c, static_cast<std::int64_t>(text.size()), what);
    o.Close(c);
    o.Append(text);
}

// The denominator code of a METER item: the position of the denominator's
// decimal text in "248", else 4, 5, 6 for 16, 32, 64, else 0.
int MeterDenominatorCode(int denominator) {
    const long long pos = InStr("248", std::to_string(denominator));
    if (pos != 0) return static_cast<int>(pos);
    switch (denominator) {
    case 16:
        return 4;
    case 32:
        return 5;
    case 64:
        return 6;
    default:
        return 0;
    }
}

// Room enough for every event one item writes: a note ending the sounding
// one, then its delta, bend, note-on and length (22 bytes), or a keyword's
// delta and events (LEGO1, the longest, 191 bytes).
constexpr std::size_t kItemRoom = 256;

// The encoder state of one track (the state's LastStatus, NoteSounding,
// LegatoOn, BendActive and SoundingKey of the track).
struct TrackState {
    Integer LastStatus = 0, NoteSounding = 0, LegatoOn = 0, BendActive = 0, SoundingKey = 0;
};

// The numbers of a work item.
struct WorkItem {
    int Code, Chan;
    std::int64_t Time;
    int Dyn, Bend;
};

// The events of the items of one track. It holds the track's state itself
// and is a local of the writer, so that the compiler keeps that state in
// registers across the bytes written through the cursor.
class TrackEncoder {
public:
    TrackEncoder(const TrackState& state, int& port) : ts(state), port_(&port) {}

    ByteCursor c{nullptr}; // room for kItemRoom bytes while an item is written
    TrackState ts;
    std::int64_t pending = 0; // ticks of rests not yet written
    int sounding = 0;         // channel of the sounding note

    // The events of item i of track t.
    [[gnu::always_inline]] void Item(int t, int i, const WorkItem& w) {
        const int code = w.Code;
        const int ch = w.Chan;
        const std::int64_t time = w.Time;
        const int dyn = w.Dyn;
        const int bend = w.Bend;
        const bool rest = code == 0 && dyn == 0 && bend == 0 && ts.BendActive == 0;

        // The note still sounding ends here, unless a legato passage goes on.
        if (ts.NoteSounding == -1) {
            const bool legato = ts.LegatoOn == -1;
            const bool ends =
                legato ? (rest || (code >= 128 && code != code::LEGON)) : code != code::LEGON;
            if (ends) NoteOff();
        }

        if (rest) {
            pending += time;
            ts.NoteSounding = 0;
            return;
        }

        if (code < 128) {
            // Under legato the previous note's length is the delta before
            // this note-on; without a sounding note the pending rest is.
            if (ts.LegatoOn == 0 || ts.NoteSounding == 0) {
                PutVarLen(c, pending, "delta time");
                pending = 0;
            }
            if (bend != 0 || ts.BendActive == -1) {
                const std::int64_t v = Check(bend, -8192, 8191, "pitch bend") + 8192;
                Status(0xE0, ch);
                c.Put({static_cast<int>(v % 128), static_cast<int>(v / 128), 0x00});
                ts.BendActive = bend != 0 ? -1 : 0;
            }
            Status(0x90, ch);
            c.Put(Check(code, 0, 127, "note"));
            c.Put(Check(dyn, 0, 127, "velocity"));
            if (ts.NoteSounding == -1 && ts.LegatoOn == -1) {
                c.Put(0x00);
                NoteOff();
            }
            PutVarLen(c, time, "note length");
            sounding = ch;
            ts.NoteSounding = -1;
            ts.SoundingKey = static_cast<Integer>(code);
            return;
        }

        // The keyword's events are written by a copy, taken back after:
        // the address of this encoder is never taken, so that the state and
        // the cursor stay in registers while notes are written.
        *this = Keyword(*this, t, i, w);
    }

    // The end of the track: the sounding note ends, the pending rest is
    // the delta of the end-of-track event.
    void End() {
        if (ts.NoteSounding == -1) NoteOff();
        PutVarLen(c, pending, "delta time");
        c.Put({0xFF, 0x2F, 0x00});
    }

private:
    // The events of a keyword item (kept out of line: notes and rests are
    // nearly every item).
    [[gnu::noinline]] static TrackEncoder Keyword(TrackEncoder e, int t, int i, const WorkItem& w) {
        e.KeywordEvents(t, i, w);
        return e;
    }
    void KeywordEvents(int t, int i, const WorkItem& w) {
        const int code = w.Code;
        const int ch = w.Chan;
        const std::int64_t time = w.Time;
        const int dyn = w.Dyn;
        // Keyword items. LEGON and LEGOF write nothing and leave the
        // pending rest pending; so does a code no item has.
        const bool writes = code <= code::NRPN1 && code != code::LOCAT && code != code::LEGON &&
                            code != code::LEGOF;
        if (writes) {
            PutVarLen(c, pending, "delta time");
            pending = 0;
        }
        switch (code) {
        case code::PROGR:
            Status(0xC0, ch);
            c.Put(Check(dyn, 1, 128, "program number") - 1);
            break;
        case code::CNTRL:
            Status(0xB0, ch);
            c.Put(Check(time, 0, 127, "controller number"));
            c.Put(Check(dyn, 0, 127, "controller value"));
            break;
        case code::TEMPO:
            Check(dyn, 1, 32767, "tempo");
            c.Put({0xFF, 0x51, 0x03});
            PutTempo(c, TempoMicroseconds(dyn));
            break;
        case code::AFTER:
            Status(0xD0, ch);
            c.Put(Check(dyn, 0, 127, "aftertouch value"));
            break;
        case code::PBEND:
            ts.LastStatus = 0;
            Check(ch, 1, 16, "channel");
            Controller(ch, 0x65, 0x00);
            c.Put(0x00);
            Controller(ch, 0x64, 0x00);
            c.Put(0x00);
            Controller(ch, 0x06, Check(dyn, 0, 127, "pitch-bend range"));
            break;
        case code::LEGON:
            ts.LegatoOn = -1;
            break;
        case code::LEGOF:
            ts.LegatoOn = 0;
            break;
        case code::LFO_2:
        case code::FILT1:
        case code::FILT2: {
            ts.LastStatus = 0;
            Check(ch, 1, 16, "channel");
            const int p1 = code == code::LFO_2 ? 3 : code == code::FILT1 ? 1 : 21;
            const int p2 = code == code::LFO_2 ? 18 : code == code::FILT1 ? 23 : 22;
            Nrpn(ch, p1, time, "first value");
            c.Put(0x00);
            Nrpn(ch, p2, dyn, "second value");
            break;
        }
        case code::LEGO1:
            ts.LastStatus = 0;
            Check(ch, 1, 16, "channel");
            for (int p = 4; p <= 15; ++p) {
                if (p > 4) c.Put(0x00);
                Nrpn(ch, p, (p == 8 || p == 14) ? 127 : 0, "value");
            }
            break;
        case code::METER:
            c.Put({0xFF, 0x58, 0x04});
            c.Put(Check(time, 0, 127, "meter numerator"));
            c.Put({MeterDenominatorCode(dyn), 0x18, 0x08});
            break;
        case code::PORTS:
            c.Put({0xFF, 0x21, 0x01});
            c.Put(Check(dyn, 0, 127, "port"));
            if (t > 1 && i == 1) *port_ = dyn;
            break;
        case code::NRPN1:
            ts.LastStatus = 0;
            Check(ch, 1, 16, "channel");
            Nrpn(ch, time, dyn, "NRPN value");
            break;
        default:
            break;
        }
    }

    // A channel message's status byte, written only when it differs from
    // the track's last one.
    void Status(int kind, int channel) {
        const int st = kind + static_cast<int>(Check(channel, 1, 16, "channel")) - 1;
        if (st != ts.LastStatus) {
            c.Put(st);
            ts.LastStatus = static_cast<Integer>(st);
        }
    }
    // A full controller message (no running status).
    void Controller(int channel, int number, std::int64_t value) {
        c.Put({0xB0 + channel - 1, number, static_cast<int>(value)});
    }
    // One non-registered parameter: number, then the 14-bit value + 8192.
    void Nrpn(int channel, std::int64_t parameter, std::int64_t value, const char* what) {
        const std::int64_t p = Check(parameter, 0, 127, "NRPN parameter number");
        const std::int64_t v = Check(value, -8192, 8191, what) + 8192;
        Controller(channel, 0x63, 0x7F);
        c.Put(0x00);
        Controller(channel, 0x62, p);
        c.Put(0x00);
        Controller(channel, 0x06, v / 128);
        c.Put(0x00);
        Controller(channel, 0x26, v % 128);
    }
    void NoteOff() {
        Status(0x90, sounding);
        c.Put({ts.SoundingKey, 0x00});
        ts.NoteSounding = 0;
    }

    int* port_; // the remembered port
};

class Encoder {
public:
    Encoder(State& s, const MidOptions& o, const MidWriterRules& rules, const ByteSink& put)
        : s_(s), o_(o), rules_(rules), put_(put), out_(0) {}

    void Build(Long reference) {
        const std::int64_t division = s_.MidDivision;
        if (division < 1) {
            throw MidEncodeError("The ticks per quarter note " + std::to_string(division) +
                                 " cannot be written into a .MID file (allowed: 1 to 32767)");
        }
        const bool activeSense = o_.ActiveSense && o_.ActiveSenseStep >= 1;
        out_.Append("MThd");
        out_.Append(ConvertToBytes(6, 4));
        out_.Append(ConvertToBytes(1, 2));
        out_.Append(ConvertToBytes(ChunkCount(activeSense), 2));
        out_.Append(ConvertToBytes(division, 2));
        for (int t = 1; t <= s_.NumTracks; ++t) Track(t);
        if (activeSense) ActiveSense(reference);
        out_.Append(std::string(10, '\x1A'));
        PutOut();
    }

private:
    // The chunks the file will hold: one per track with items, and the
    // active-sense chunk.
    int ChunkCount(bool activeSense) const {
        int n = activeSense ? 1 : 0;
        for (int t = 1; t <= s_.NumTracks; ++t)
            if (s_.ItemCount(t) != 0) ++n;
        return n;
    }

    // Room for the chunk of track t, made at once: a note takes about seven
    // bytes; a chunk that needs more simply grows.
    std::size_t EstimatedSize(int t) const {
        std::size_t n = 64 + 8 * static_cast<std::size_t>(std::max<Integer>(s_.WorkCount(t), 0));
        if (t <= s_.TrackDescription.Upper()) n += s_.TrackDescription(t).size();
        if (chunks_ == 1) n += o_.Title.size() + o_.Copyright.size();
        return n;
    }

    // Hands on the bytes built so far; the buffer starts again in the same
    // room, which stays in the cache from chunk to chunk.
    void PutOut() {
        if (out_.Size() != 0) put_(out_.Bytes());
        out_.Clear();
    }

    // The place of an item in a message: "Track 3, Item 17 (PROGR)".
    std::string ItemPlace(int t, int i) const {
        std::string place = "Track" + Str(t) + ", Item" + Str(WorkPositionItem(s_, t, i));
        const std::string kw = KeywordText(s_.WorkCode(t, i));
        if (!kw.empty()) place += " (" + kw + ")";
        return place;
    }

    [[noreturn]] static void Refuse(const std::string& place, const ValueError& e) {
        throw MidEncodeError(place + ": the " + e.What + " cannot be written into a .MID file");
    }

    void StartEvents(int t) {
        const std::string desc =
            t <= s_.TrackDescription.Upper() ? s_.TrackDescription(t) : std::string();
        if (!desc.empty() && t > 1 && chunks_ > 1) PutTextEvent(out_, 0x03, desc, "track name length");
        if (s_.MultiplePorts == -1 && t > 1 && s_.WorkCode(t, 1) != code::PORTS) {
            ByteCursor c = out_.Open(8);
            c.Put({0x00, 0xFF, 0x21, 0x01});
            c.Put(Check(port_, 0, 127, "port"));
            out_.Close(c);
        }
        if (chunks_ != 1) return;
        if (!o_.Copyright.empty()) PutTextEvent(out_, 0x02, o_.Copyright, "copyright length");
        if (!o_.Title.empty()) PutTextEvent(out_, 0x01, o_.Title, "title length");
        PutTextEvent(out_, 0x01, kCreditText, "credit length");
        ByteCursor c = out_.Open(64);
        if (s_.AWESelectChecked) {
            c.Put({0x00, 0xF0, 0x0A, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x30});
            c.Put(Check(s_.Reverb, 0, 127, "reverb type"));
            c.Put({0x00, 0xF7});
            c.Put({0x00, 0xF0, 0x0A, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x38});
            c.Put(Check(s_.Chorus, 0, 127, "chorus type"));
            c.Put({0x00, 0xF7});
        }
        c.Put({0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08});
        if (rules_.PieceTempoAlways || s_.WorkCode(1, 1) != code::TEMPO) {
            const double bpm = Val(s_.Tempo);
            // A tempo so fast that a quarter note lasts no microsecond has
            // no event.
            const std::int64_t m = bpm > 0 ? TempoMicroseconds(bpm) : 0;
            if (m < 1)
                throw ValueError{"piece tempo \"" + s_.Tempo +
                                 "\" (allowed: above 0 and below 120000000)"};
            c.Put({0x00, 0xFF, 0x51, 0x03});
            PutTempo(c, m);
        }
        out_.Close(c);
    }

    WorkItem WorkItemAt(int t, int i) const {
        return {s_.WorkCode(t, i), s_.WorkChan(t, i), s_.WorkTime(t, i), s_.WorkDyn(t, i),
                s_.WorkBend(t, i)};
    }
    // Whether all five work arrays hold items 1..last of track t.
    bool RowsHold(int t, int last) const {
        return s_.WorkCode.HoldsRow(t, last) && s_.WorkChan.HoldsRow(t, last) &&
               s_.WorkTime.HoldsRow(t, last) && s_.WorkDyn.HoldsRow(t, last) &&
               s_.WorkBend.HoldsRow(t, last);
    }

    // The encoder state of track t is kept in the state's arrays between
    // tracks (BendActive and SoundingKey are not reset for a track).
    TrackState StateOf(int t) const {
        return {s_.LastStatus(t), s_.NoteSounding(t), s_.LegatoOn(t), s_.BendActive(t),
                s_.SoundingKey(t)};
    }
    void PutBack(int t, const TrackState& ts) {
        s_.LastStatus(t) = ts.LastStatus;
        s_.NoteSounding(t) = ts.NoteSounding;
        s_.LegatoOn(t) = ts.LegatoOn;
        s_.BendActive(t) = ts.BendActive;
        s_.SoundingKey(t) = ts.SoundingKey;
    }

    // Items i..count-1 of track t, item k read by at(k); i is the item
    // being written.
    template <class At> void Items(TrackEncoder& e, int t, int count, int& i, At at) {
        TrackEncoder local = e; // held in registers: nothing takes its address
        try {
            for (; i < count; ++i) {
                const WorkItem w = at(i);
                local.c = out_.Open(kItemRoom);
                local.Item(t, i, w);
                out_.Close(local.c);
            }
        } catch (...) {
            e = local;
            throw;
        }
        e = local;
    }

    void Track(int t) {
        s_.LastStatus(t) = 0;
        s_.NoteSounding(t) = 0;
        s_.LegatoOn(t) = 0;
        if (s_.ItemCount(t) == 0) return;
        ++chunks_;
        out_.Room(EstimatedSize(t));
        const std::size_t start = out_.Size();
        out_.Append(std::string_view("MTrk\0\0\0\0", 8)); // the length, filled in at the end
        try {
            StartEvents(t);
        } catch (const ValueError& e) {
            Refuse("Track" + Str(t) + ", start of the track", e);
        }
        // The rows of the track are read in place when the arrays hold all
        // its items (as they do after compaction), else item by item.
        const int count = s_.WorkCount(t);
        const bool inPlace = count > 1 && RowsHold(t, count - 1);
        const Integer* code = inPlace ? &s_.WorkCode(t, 0) : nullptr;
        const Integer* chan = inPlace ? &s_.WorkChan(t, 0) : nullptr;
        const Long* time = inPlace ? &s_.WorkTime(t, 0) : nullptr;
        const Integer* dyn = inPlace ? &s_.WorkDyn(t, 0) : nullptr;
        const Integer* bend = inPlace ? &s_.WorkBend(t, 0) : nullptr;
        TrackEncoder e(StateOf(t), port_);
        int i = 1;
        try {
            if (inPlace) {
                // The row pointers are copied in, to stay in registers.
                Items(e, t, count, i, [code, chan, time, dyn, bend](int k) {
                    return WorkItem{code[k], chan[k], time[k], dyn[k], bend[k]};
                });
            } else {
                Items(e, t, count, i, [&](int k) { return WorkItemAt(t, k); });
            }
            e.c = out_.Open(16);
            e.End();
            out_.Close(e.c);
        } catch (const ValueError& err) {
            PutBack(t, e.ts);
            Refuse(i < count ? ItemPlace(t, i) : "Track" + Str(t) + ", end of the track", err);
        } catch (...) {
            PutBack(t, e.ts);
            throw;
        }
        PutBack(t, e.ts);
        Close(start, "Track" + Str(t));
        PutOut();
    }

    // Fills in the length of the chunk starting at start.
    void Close(std::size_t start, const std::string& place) {
        const std::int64_t length = static_cast<std::int64_t>(out_.Size() - start) - 8;
        if (length > kLargestChunk)
            throw MidEncodeError(place + ": the chunk is too long for a .MID file");
        out_.Patch(start + 4, ConvertToBytes(length, 4));
    }

    void ActiveSense(Long reference) {
        const std::int64_t step = o_.ActiveSenseStep;
        const std::int64_t end = reference > 0 ? reference : 0;
        // Each message takes at most 8 bytes with its delta.
        const std::int64_t messages = ActiveSenseMessages(step, end);
        if (messages > (kLargestChunk - 16) / 8 || messages > kMaxActiveSenseMessages)
            throw MidEncodeError("Active sense: a step of" + Str(step) + " ticks over" + Str(end) +
                                 " ticks is too long for a .MID file");
        ++chunks_;
        const std::size_t start = out_.Size();
        out_.Append(std::string_view("MTrk\0\0\0\0", 8));
        ByteCursor c = out_.Open(static_cast<std::size_t>(messages) * 8 + 16);
        c.Put(0x00);
        std::int64_t position = 0;
        try {
            do {
                std::int64_t next = step;
                if (position + next > end) next = end - position;
                c.Put({0xF0, 0x02, 0xFE, 0xF7});
                PutVarLen(c, next, "active sense step");
                position += next;
            } while (position != end);
        } catch (const ValueError& e) {
            Refuse("Active sense", e);
        }
        c.Put({0xFF, 0x2F, 0x00});
        out_.Close(c);
        Close(start, "Active sense");
    }

    State& s_;
    const MidOptions& o_;
    const MidWriterRules& rules_;
    const ByteSink& put_;
    ByteBuffer out_; // the chunk being built
    int chunks_ = 0;
    int port_ = 0; // the remembered port
};

} // namespace

void EncodeMidFile(State& s, const MidOptions& o, Long reference, const ByteSink& put,
                   const MidWriterRules& rules) {
    Encoder(s, o, rules, put).Build(reference);
}

std::string BuildMidFile(State& s, const MidOptions& o, Long reference,
                         const MidWriterRules& rules) {
    std::string bytes;
    EncodeMidFile(s, o, reference, [&bytes](std::string_view piece) { bytes += piece; }, rules);
    return bytes;
}

} // namespace tnq
