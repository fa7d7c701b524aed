// The sound-test panel's logic: presets for its six sliders, Start (patch,
// controller reset, up to six NRPN parameters and one test note on channel 1
// of the chosen MIDI output), the sliders' live NRPN updates, and Stop. The
// panel keeps the key it sounds itself, so Stop, Exit and closing the panel
// always release the note Start began.
#pragma once

#include "core/context.h"

#include <optional>
#include <string>

namespace tnq {

// The setting that names the MIDI output port the program plays on.
inline constexpr const char* kMidiOutputSetting = "MidiOutput";

// The panel's text boxes; the parameter boxes follow one another.
enum class SoundBox { Patch, Note, Octave, Parameter1, Parameter2, Parameter3, Parameter4,
                      Parameter5, Parameter6 };
inline SoundBox ParameterBox(int k) {
    return static_cast<SoundBox>(static_cast<int>(SoundBox::Parameter1) + k - 1);
}
inline constexpr int kSliders = 6;

enum class Preset { Vibrato, WaWa, Filter, Experiment, VolEnvelope, PandFEnvelope, Reset };

struct SliderSetting {
    int Min = 0;
    int Max = 0;
    int Value = 0;
};

// What the logic sees of the panel. Values set here are set by the program:
// they never count as a slider moved by the user.
class SoundTestView {
public:
    virtual ~SoundTestView() = default;
    // Texts are in the program's one-byte encoding.
    virtual std::string BoxText(SoundBox box) const = 0;
    virtual void SetBoxText(SoundBox box, const std::string& text) = 0;
    // Moves the focus to a box after the running handler returns.
    virtual void FocusBox(SoundBox box) = 0;
    // Slider k (1..6). A new range moves a value outside it to its nearer end.
    virtual SliderSetting Slider(int k) const = 0;
    virtual void SetSliderRange(int k, int min, int max) = 0;
    virtual void SetSliderLargeChange(int k, int step) = 0;
    virtual void SetSliderValue(int k, int value) = 0;
    virtual void SetSliderCaption(int k, const std::string& text) = 0;
    virtual void SetSliderValueLabel(int k, const std::string& text) = 0;
};

// Sends NRPN parameter n (under NRPN MSB 127) with value v on channel 1 of
// the open output: controllers 99, 98, 6 and 38, the value as v + 8192 in
// 14 bits. Every call's result goes to MidiResult.
void SendNRPN(Context& c, int n, int v);

// The note box's rule on leaving it: the trimmed text with the flat sign
// spelled "b"; nothing when no rule applied (the box stays as typed).
std::optional<std::string> NoteBoxOnLeave(const std::string& text);

class SoundTest {
public:
    SoundTest(Context& c, SoundTestView& view) : c_(c), view_(view) {}

    // Parameter boxes and slider captions emptied, values 0, labels "0".
    void Initialize();
    void ApplyPreset(Preset preset);

    // Checks the boxes (the first bad one gets the focus and nothing is
    // sent), opens the output, sends patch, controller reset, parameters and
    // the note on. A note still sounding from an earlier Start is released
    // first. Returns true when the note sounds.
    bool btnStart_Click();
    // Releases the note Start began, when one sounds, and closes the output.
    void btnStop_Click();
    // The panel goes away (Exit or its close box): a sounding note stops.
    void Release();

    // The user moved slider k: its value label, then its NRPN, when its box
    // names a parameter (empty = parameter 0) whose range holds the value.
    void SliderChanged(int k);

    // The key of the note sounding, if any.
    std::optional<int> SoundingKey() const { return sounding_; }

private:
    // The parameter a box names: empty gives emptyAs, a number 0..26 its
    // value; anything else nothing.
    std::optional<int> ParameterOf(int k, std::optional<int> emptyAs) const;
    bool OpenOutput();

    Context& c_;
    SoundTestView& view_;
    std::optional<int> sounding_;
};

} // namespace tnq
