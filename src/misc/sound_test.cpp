// The sound-test panel's presets, Start, Stop and sliders.
#include "misc/sound_test.h"

#include "core/edit_fields.h"
#include "core/nrpn_table.h"
#include "core/vocabulary.h"
#include "platform/vb.h"

#include <cstdint>

namespace tnq {

namespace {

struct SliderPreset {
    const char* Caption;
    const char* Parameter;
    int Min, Max, Value;
};

// One short message on the open output; its result goes to MidiResult.
void Send(Context& c, std::uint32_t message) {
    State& s = c.s;
    s.MidiResult = c.midi ? c.midi->ShortMsg(s.MidiOutHandle, message) : midierr::InvalidHandle;
}

const char* const kEnvelopeCaptions[kSliders] = {"Delay Time", "Attack Time",   "Hold Time",
                                                 "Decay Time", "Sustain Level", "Release Time"};

} // namespace

void SendNRPN(Context& c, int n, int v) {
    const int w = v + 8192;
    const std::uint32_t messages[] = {ShortMessage(0xB0, 99, 127), ShortMessage(0xB0, 98, n),
                                      ShortMessage(0xB0, 6, w / 128),
                                      ShortMessage(0xB0, 38, w % 128)};
    for (std::uint32_t m : messages) Send(c, m);
}

std::optional<std::string> NoteBoxOnLeave(const std::string& text) {
    const std::string trimmed = Trim(text);
    std::string spelled = FlatSpelling(trimmed);
    if (spelled == trimmed && trimmed != "bb") return std::nullopt;
    return spelled;
}

void SoundTest::Initialize() {
    for (int k = 1; k <= kSliders; ++k) {
        view_.SetBoxText(ParameterBox(k), "");
        view_.SetSliderCaption(k, "");
        view_.SetSliderValue(k, 0);
        view_.SetSliderValueLabel(k, "0");
    }
}

void SoundTest::ApplyPreset(Preset preset) {
    Initialize();
    auto two = [&](const SliderPreset& a, const SliderPreset& b, bool labels) {
        int k = 1;
        for (const SliderPreset* p : {&a, &b}) {
            view_.SetSliderCaption(k, p->Caption);
            view_.SetSliderRange(k, p->Min, p->Max);
            view_.SetSliderValue(k, p->Value);
            ++k;
        }
        view_.SetBoxText(ParameterBox(1), a.Parameter);
        view_.SetBoxText(ParameterBox(2), b.Parameter);
        if (labels) {
            view_.SetSliderValueLabel(1, std::to_string(a.Value));
            view_.SetSliderValueLabel(2, std::to_string(b.Value));
        }
    };
    auto envelope = [&](int firstParameter) {
        for (int k = 1; k <= kSliders; ++k) view_.SetSliderCaption(k, kEnvelopeCaptions[k - 1]);
        for (int k = 1; k <= kSliders; ++k)
            view_.SetBoxText(ParameterBox(k), std::to_string(firstParameter + k - 1));
        for (int k = 1; k <= kSliders; ++k) {
            const NrpnRange r = *NrpnRangeOf(firstParameter + k - 1);
            view_.SetSliderRange(k, r.Min, r.Max);
            view_.SetSliderValue(k, 0);
        }
    };
    switch (preset) {
    case Preset::Vibrato:
        two({"Speed", "3", 0, 127, 72}, {"Pitch Change", "18", -127, 127, 6}, true);
        break;
    case Preset::WaWa:
        two({"Speed", "1", 0, 127, 13}, {"Depth", "23", -64, 63, 63}, true);
        break;
    case Preset::Filter:
        two({"Cutoff", "21", 0, 127, 0}, {"Resonance", "22", 0, 127, 0}, false);
        break;
    case Preset::VolEnvelope:
        envelope(4);
        break;
    case Preset::PandFEnvelope:
        envelope(10);
        break;
    case Preset::Experiment:
    case Preset::Reset:
        break;
    }
}

std::optional<int> SoundTest::ParameterOf(int k, std::optional<int> emptyAs) const {
    const std::string text = view_.BoxText(ParameterBox(k));
    if (text.empty()) return emptyAs;
    const auto v = NumericIn(text, 0, kNrpnParameterCount - 1);
    if (!v) return std::nullopt;
    return CInt(*v);
}

bool SoundTest::btnStart_Click() {
    State& s = c_.s;
    // 1. The parameter boxes, each slider taking its parameter's range.
    for (int k = 1; k <= kSliders; ++k) {
        if (view_.BoxText(ParameterBox(k)).empty()) continue;
        const std::optional<int> p = ParameterOf(k, std::nullopt);
        if (!p) {
            view_.FocusBox(ParameterBox(k));
            return false;
        }
        const NrpnRange r = *NrpnRangeOf(*p);
        view_.SetSliderRange(k, r.Min, r.Max);
        view_.SetSliderLargeChange(k, static_cast<int>(RoundHalfEven(r.Max * 0.1)));
        view_.SetSliderValueLabel(k, std::to_string(view_.Slider(k).Value));
    }
    // 2-4. Patch, note name and octave; a bad one is emptied and focused.
    auto refuse = [&](SoundBox box) {
        view_.SetBoxText(box, "");
        view_.FocusBox(box);
        return false;
    };
    const auto patch = NumericIn(view_.BoxText(SoundBox::Patch), 1, 127);
    if (!patch) return refuse(SoundBox::Patch);
    const int noteIndex = NoteIndexOf(s, Trim(view_.BoxText(SoundBox::Note)));
    if (noteIndex == 0) return refuse(SoundBox::Note);
    s.NoteIndex = static_cast<Integer>(noteIndex);
    const auto octave = NumericIn(view_.BoxText(SoundBox::Octave), 0, 8);
    if (!octave) return refuse(SoundBox::Octave);
    // 5. The key, 12..119.
    const int key = CInt((*octave + 1) * 12 + noteIndex - 1);

    // A note still sounding is released before the output opens again.
    if (sounding_) btnStop_Click();
    // 6-7. Open, then patch, reset, parameters and the note.
    if (!OpenOutput()) return false;
    c_.SetIniSetting("Handle", Str(s.MidiOutHandle));
    Send(c_, ShortMessage(0xC0, CInt(*patch) - 1));
    Send(c_, ShortMessage(0xB0, 121, 0));
    for (int k = 1; k <= kSliders; ++k) {
        if (view_.BoxText(ParameterBox(k)).empty()) continue;
        SendNRPN(c_, *ParameterOf(k, std::nullopt), view_.Slider(k).Value);
    }
    Send(c_, ShortMessage(0x90, key, 64));
    sounding_ = key;
    return true;
}

bool SoundTest::OpenOutput() {
    State& s = c_.s;
    const std::string port = c_.GetIniSetting(kMidiOutputSetting);
    auto open = [&] {
        Long handle = 0;
        s.MidiResult = c_.midi ? c_.midi->Open(handle, port) : midierr::BadDeviceId;
        if (s.MidiResult == midierr::NoError) s.MidiOutHandle = handle;
        return s.MidiResult == midierr::NoError;
    };
    if (open()) return true;
    // A device left open by an earlier Start is closed, and the open tried
    // once more.
    if (c_.midi) {
        const double stored = Val(c_.GetIniSetting("Handle"));
        const Long handle = stored >= INT32_MIN && stored <= INT32_MAX ? CLng(stored) : 0;
        s.MidiResult = c_.midi->Close(handle);
    }
    if (open()) return true;
    c_.msg.MsgBox("Can't open the MIDI interface - error" + Str(s.MidiResult), mb::OKOnly);
    return false;
}

void SoundTest::btnStop_Click() {
    State& s = c_.s;
    if (sounding_) {
        Send(c_, ShortMessage(0x90, *sounding_, 0));
        sounding_.reset();
    }
    s.MidiResult = c_.midi ? c_.midi->Close(s.MidiOutHandle) : midierr::InvalidHandle;
}

void SoundTest::Release() {
    if (sounding_) btnStop_Click();
}

void SoundTest::SliderChanged(int k) {
    const int value = view_.Slider(k).Value;
    view_.SetSliderValueLabel(k, std::to_string(value));
    const std::optional<int> p = ParameterOf(k, 0);
    if (!p) return;
    const NrpnRange r = *NrpnRangeOf(*p);
    if (value < r.Min || value > r.Max) return;
    SendNRPN(c_, *p, value);
}

} // namespace tnq
