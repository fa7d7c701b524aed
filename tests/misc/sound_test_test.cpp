// The sound-test panel's logic on a plain view: presets, the checks of
// Start, the bytes on the output, Stop, the sliders and the reclaimed
// device.
#include "misc/sound_test.h"

#include "core/vocabulary.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace tnq {
namespace {

using Bytes = std::vector<std::string>;

class FakeSoundView : public SoundTestView {
public:
    FakeSoundView() {
        for (int k = 1; k <= kSliders; ++k) sliders[k] = {0, k <= 2 ? 127 : 10, 0};
    }
    std::string BoxText(SoundBox box) const override {
        const auto it = boxes.find(box);
        return it == boxes.end() ? "" : it->second;
    }
    void SetBoxText(SoundBox box, const std::string& text) override { boxes[box] = text; }
    void FocusBox(SoundBox box) override { focus = box; }
    SliderSetting Slider(int k) const override { return sliders.at(k); }
    void SetSliderRange(int k, int min, int max) override {
        SliderSetting& s = sliders[k];
        s.Min = min;
        s.Max = max;
        s.Value = std::clamp(s.Value, min, max);
    }
    void SetSliderLargeChange(int k, int step) override { largeChange[k] = step; }
    void SetSliderValue(int k, int value) override {
        sliders[k].Value = std::clamp(value, sliders[k].Min, sliders[k].Max);
    }
    void SetSliderCaption(int k, const std::string& text) override { captions[k] = text; }
    void SetSliderValueLabel(int k, const std::string& text) override { valueLabels[k] = text; }

    // The user moves slider k to value.
    void Move(SoundTest& panel, int k, int value) {
        SetSliderValue(k, value);
        panel.SliderChanged(k);
    }

    std::map<SoundBox, std::string> boxes;
    std::optional<SoundBox> focus;
    std::map<int, SliderSetting> sliders;
    std::map<int, int> largeChange;
    std::map<int, std::string> captions, valueLabels;
};

class SoundTestTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillNoteTables(p.s);
        p.ini.SetIniSetting(IniSettings, kMidiOutputSetting, "Synth");
    }
    void Boxes(const std::string& patch, const std::string& note, const std::string& octave) {
        view.boxes[SoundBox::Patch] = patch;
        view.boxes[SoundBox::Note] = note;
        view.boxes[SoundBox::Octave] = octave;
    }
    void Parameter(int k, const std::string& text) { view.boxes[ParameterBox(k)] = text; }

    test::Program p;
    FakeSoundView view;
    SoundTest panel{p.c, view};
};

TEST_F(SoundTestTest, PatchNoteAndOctaveAloneSoundTheNoteAndStopReleasesIt) {
    panel.ApplyPreset(Preset::Reset);
    Boxes("1", "C", "4");
    ASSERT_TRUE(panel.btnStart_Click());
    EXPECT_EQ(p.midi.Take(), (Bytes{"C0 00", "B0 79 00", "90 3C 40"}));
    EXPECT_EQ(panel.SoundingKey(), 60);
    // Written with the number's leading blank.
    EXPECT_NE(test::ReadFile(p.ini.File()).find("Handle= " + std::to_string(p.s.MidiOutHandle)),
              std::string::npos);
    EXPECT_TRUE(p.midi.PortOpen("Synth"));

    panel.btnStop_Click();
    EXPECT_EQ(p.midi.Take(), (Bytes{"90 3C 00"}));
    EXPECT_FALSE(p.midi.PortOpen("Synth"));
    EXPECT_EQ(p.s.MidiResult, 0);
    EXPECT_FALSE(panel.SoundingKey());
}

TEST_F(SoundTestTest, VibratoPresetSendsItsTwoParametersBeforeTheNote) {
    panel.ApplyPreset(Preset::Vibrato);
    EXPECT_EQ(view.captions[1], "Speed");
    EXPECT_EQ(view.captions[2], "Pitch Change");
    EXPECT_EQ(view.valueLabels[1], "72");
    EXPECT_EQ(view.valueLabels[2], "6");
    Boxes("20", "Eb", "3");
    ASSERT_TRUE(panel.btnStart_Click());
    EXPECT_EQ(p.midi.Take(), (Bytes{"C0 13", "B0 79 00", "B0 63 7F", "B0 62 03", "B0 06 40",
                                    "B0 26 48", "B0 63 7F", "B0 62 12", "B0 06 40", "B0 26 06",
                                    "90 33 40"}));
    // Start gives the sliders their parameters' ranges and steps.
    EXPECT_EQ(view.largeChange[1], 13);
    EXPECT_EQ(view.largeChange[2], 13);
    EXPECT_EQ(view.Slider(2).Min, -127);
}

TEST_F(SoundTestTest, PresetsSetCaptionsBoxesAndRanges) {
    struct Case {
        Preset preset;
        std::vector<std::string> parameters; // boxes 1..6
        int min1, max1, value1, min2, max2, value2;
        const char* caption1;
    };
    const Case cases[] = {
        {Preset::Vibrato, {"3", "18", "", "", "", ""}, 0, 127, 72, -127, 127, 6, "Speed"},
        {Preset::WaWa, {"1", "23", "", "", "", ""}, 0, 127, 13, -64, 63, 63, "Speed"},
        {Preset::Filter, {"21", "22", "", "", "", ""}, 0, 127, 0, 0, 127, 0, "Cutoff"},
        {Preset::VolEnvelope, {"4", "5", "6", "7", "8", "9"}, 0, 5900, 0, 0, 5940, 0,
         "Delay Time"},
        {Preset::PandFEnvelope, {"10", "11", "12", "13", "14", "15"}, 0, 5900, 0, 0, 5940, 0,
         "Delay Time"},
    };
    for (const Case& c : cases) {
        panel.ApplyPreset(c.preset);
        for (int k = 1; k <= kSliders; ++k)
            EXPECT_EQ(view.BoxText(ParameterBox(k)), c.parameters[k - 1]) << k;
        const SliderSetting s1 = view.Slider(1), s2 = view.Slider(2);
        EXPECT_EQ((std::vector<int>{s1.Min, s1.Max, s1.Value, s2.Min, s2.Max, s2.Value}),
                  (std::vector<int>{c.min1, c.max1, c.value1, c.min2, c.max2, c.value2}));
        EXPECT_EQ(view.captions[1], c.caption1);
    }
    // The envelopes' third slider holds the 14-bit hold time.
    EXPECT_EQ(view.Slider(3).Max, 8191);
    // Experiment and Reset clear the boxes and captions; ranges stay.
    panel.ApplyPreset(Preset::Experiment);
    EXPECT_EQ(view.BoxText(ParameterBox(1)), "");
    EXPECT_EQ(view.captions[6], "");
    EXPECT_EQ(view.valueLabels[6], "0");
    EXPECT_EQ(view.Slider(3).Max, 8191);
    EXPECT_TRUE(p.midi.Take().empty()); // presets send nothing
}

TEST_F(SoundTestTest, BadBoxesTakeTheFocusAndNothingIsOpened) {
    struct Case {
        const char* patch;
        const char* note;
        const char* octave;
        const char* parameter3;
        SoundBox focus;
        bool emptied;
    };
    const Case cases[] = {
        {"1", "C", "4", "27", SoundBox::Parameter3, false},
        {"1", "C", "4", "-1", SoundBox::Parameter3, false},
        {"1", "C", "4", "x", SoundBox::Parameter3, false},
        {"128", "C", "4", "", SoundBox::Patch, true},
        {"0", "C", "4", "", SoundBox::Patch, true},
        {"", "C", "4", "", SoundBox::Patch, true},
        {"1", "H", "4", "", SoundBox::Note, true},
        {"1", "", "4", "", SoundBox::Note, true},
        {"1", "c", "4", "", SoundBox::Note, true}, // names are matched exactly
        {"1", "C", "9", "", SoundBox::Octave, true},
        {"1", "C", "-1", "", SoundBox::Octave, true},
        {"1", "C", "four", "", SoundBox::Octave, true},
    };
    for (const Case& c : cases) {
        panel.ApplyPreset(Preset::Experiment);
        Boxes(c.patch, c.note, c.octave);
        Parameter(3, c.parameter3);
        view.focus.reset();
        EXPECT_FALSE(panel.btnStart_Click()) << c.patch << c.note << c.octave << c.parameter3;
        EXPECT_EQ(view.focus, c.focus);
        EXPECT_EQ(view.BoxText(c.focus).empty(), c.emptied);
        EXPECT_FALSE(p.midi.PortOpen("Synth"));
        EXPECT_TRUE(p.midi.Take().empty());
    }
}

TEST_F(SoundTestTest, ExtremeValuesMapOntoTheFourteenBits) {
    p.s.MidiOutHandle = 0;
    Long handle = 0;
    ASSERT_EQ(p.midi.Open(handle, "Synth"), 0);
    p.s.MidiOutHandle = handle;
    SendNRPN(p.c, 16, -8192);
    SendNRPN(p.c, 16, 8191);
    SendNRPN(p.c, 0, 0);
    EXPECT_EQ(p.midi.Take(),
              (Bytes{"B0 63 7F", "B0 62 10", "B0 06 00", "B0 26 00", "B0 63 7F", "B0 62 10",
                     "B0 06 7F", "B0 26 7F", "B0 63 7F", "B0 62 00", "B0 06 40", "B0 26 00"}));
}

TEST_F(SoundTestTest, SlidersSendOnlyParametersTheirBoxesNameInRange) {
    panel.ApplyPreset(Preset::Experiment);
    Boxes("1", "A", "4");
    Parameter(3, "6");
    ASSERT_TRUE(panel.btnStart_Click());
    p.midi.Take();
    EXPECT_EQ(view.Slider(3).Max, 8191); // the hold time's range

    view.Move(panel, 3, 100); // box 3 holds 6
    EXPECT_EQ(p.midi.Take(), (Bytes{"B0 63 7F", "B0 62 06", "B0 06 40", "B0 26 64"}));
    EXPECT_EQ(view.valueLabels[3], "100");
    view.Move(panel, 4, 5); // an empty box counts as parameter 0
    EXPECT_EQ(p.midi.Take(), (Bytes{"B0 63 7F", "B0 62 00", "B0 06 40", "B0 26 05"}));

    // Boxes changed after Start to texts that name no parameter, or to a
    // parameter whose range does not hold the slider's value, send nothing.
    for (const char* text : {"300", "27", "x", "-1", "99999"}) {
        Parameter(3, text);
        view.Move(panel, 3, 7);
        EXPECT_TRUE(p.midi.Take().empty()) << text;
        EXPECT_EQ(view.valueLabels[3], "7");
    }
    Parameter(3, "23"); // wa-wa depth: -64..63
    view.Move(panel, 3, 100);
    EXPECT_TRUE(p.midi.Take().empty());
    view.Move(panel, 3, 63);
    EXPECT_EQ(p.midi.Take().size(), 4u);
}

TEST_F(SoundTestTest, StopReleasesTheNoteItStartedWhateverItemCodeHolds) {
    panel.ApplyPreset(Preset::Reset);
    Boxes("1", "G", "2");
    ASSERT_TRUE(panel.btnStart_Click());
    p.midi.Take();
    p.s.ItemCode = 130; // item entry stores a TEMPO meanwhile
    panel.btnStop_Click();
    EXPECT_EQ(p.midi.Take(), (Bytes{"90 2B 00"}));
    // Stop again, or before any Start: no note off, a failing close only.
    panel.btnStop_Click();
    EXPECT_TRUE(p.midi.Take().empty());
    EXPECT_EQ(p.s.MidiResult, midierr::InvalidHandle);
    EXPECT_TRUE(p.msg.shown.empty());
}

TEST_F(SoundTestTest, StartingAgainReleasesTheFirstNoteAndReleaseEndsTheSecond) {
    panel.ApplyPreset(Preset::Reset);
    Boxes("1", "C", "4");
    ASSERT_TRUE(panel.btnStart_Click());
    Boxes("2", "D", "4");
    ASSERT_TRUE(panel.btnStart_Click());
    EXPECT_EQ(p.midi.Take(), (Bytes{"C0 00", "B0 79 00", "90 3C 40", "90 3C 00", "C0 01",
                                    "B0 79 00", "90 3E 40"}));
    panel.Release();
    EXPECT_EQ(p.midi.Take(), (Bytes{"90 3E 00"}));
    EXPECT_FALSE(p.midi.PortOpen("Synth"));
    panel.Release(); // nothing sounds: nothing sent
    EXPECT_TRUE(p.midi.Take().empty());
}

TEST_F(SoundTestTest, ADeviceLeftOpenIsReclaimedThroughTheStoredHandle) {
    Long left = 0;
    ASSERT_EQ(p.midi.Open(left, "Synth"), 0);
    p.ini.SetIniSetting(IniSettings, "Handle", Str(left));
    panel.ApplyPreset(Preset::Reset);
    Boxes("1", "C", "4");
    ASSERT_TRUE(panel.btnStart_Click());
    EXPECT_NE(p.s.MidiOutHandle, left);
    EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "Handle"), std::to_string(p.s.MidiOutHandle));
    EXPECT_EQ(p.midi.Take().size(), 3u);
}

TEST_F(SoundTestTest, NoOutputGivesTheFailureMessageAndSendsNothing) {
    struct Case {
        const char* setting;
        std::vector<std::string> ports;
        bool refuse;
        const char* message;
    };
    const Case cases[] = {
        {"", {"Synth"}, false, "Can't open the MIDI interface - error 2"},
        {"Synth", {}, false, "Can't open the MIDI interface - error 2"},
        {"Gone", {"Synth"}, false, "Can't open the MIDI interface - error 2"},
        {"Synth", {"Synth"}, true, "Can't open the MIDI interface - error 1"},
    };
    for (const Case& c : cases) {
        p.ini.SetIniSetting(IniSettings, kMidiOutputSetting, c.setting);
        p.ini.SetIniSetting(IniSettings, "Handle", "");
        p.midi.ports = c.ports;
        p.midi.refuse = c.refuse;
        panel.ApplyPreset(Preset::Reset);
        Boxes("1", "C", "4");
        p.msg.AnswerOk();
        EXPECT_FALSE(panel.btnStart_Click());
        ASSERT_FALSE(p.msg.shown.empty());
        EXPECT_EQ(p.msg.Last().Text, c.message);
        EXPECT_EQ(p.msg.Last().Code, mb::OKOnly);
        EXPECT_FALSE(p.msg.Last().Title);
        EXPECT_EQ(p.ini.GetIniSetting(IniSettings, "Handle"), "");
        EXPECT_TRUE(p.midi.Take().empty());
        EXPECT_FALSE(panel.SoundingKey());
    }
}

TEST(NoteBox, LeavingSpellsTheFlatSign) {
    struct Case {
        const char* typed;
        std::optional<std::string> rewritten;
    };
    const Case cases[] = {{"EB", "Eb"}, {"BB", "Bb"}, {"bb", "Bb"}, {" AB ", "Ab"},
                          {"C#", std::nullopt}, {"C", std::nullopt}, {" C ", std::nullopt},
                          {"", std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(NoteBoxOnLeave(c.typed), c.rewritten) << c.typed;
}

} // namespace
} // namespace tnq
