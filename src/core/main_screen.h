// What the logic sees of the main window: the entry boxes (the record
// buffer of every track-file procedure), the two status lines, the track
// figures and the hourglass pointer. The window implements it; tests use a
// plain fake.
#pragma once

#include <string>

namespace tnq {

// The entry boxes, in tab order.
enum class Box { Tempo, Track, Item, Channel, Bar, Note, Octa, Dur, Adj, Dyn, PitchBend };

class MainScreen {
public:
    virtual ~MainScreen() = default;

    // Texts are in the program's one-byte encoding.
    virtual std::string Text(Box box) const = 0;
    virtual void SetText(Box box, const std::string& text) = 0;

    virtual void SetStatus1(const std::string& text) = 0;
    virtual void SetStatus2(const std::string& text) = 0;

    // Figure of track row r (0..95): an item count or a duration total.
    virtual void SetTrackFigure(int row, const std::string& text) = 0;

    // Hourglass pointer on or off.
    virtual void SetHourglass(bool on) = 0;

    // Moves the focus to an entry box (after the running handler returns).
    virtual void SetFocus(Box box) = 0;
};

} // namespace tnq
