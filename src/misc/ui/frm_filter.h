// frmFilter, the sound-test panel ("Test Sounds"): patch, note and octave
// boxes, six parameter boxes with their sliders, the presets and Start,
// Stop and Exit. Shown modally from the Miscellaneous menu; Exit hides it,
// its close box unloads it. Both stop a sounding note.
#pragma once

#include "misc/sound_test.h"
#include "platform/ui/form_lifecycle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace tnq {

class FrmFilter : public DialogForm, public SoundTestView {
    Q_OBJECT
public:
    FrmFilter(QWidget* parent, Context& c);

    SoundTest& Panel() { return panel_; }

    // ---- Handlers ----------------------------------------------------------
    void btnStart_Click();
    void btnStop_Click();
    void btnExit_Click();
    void txtNote_KeyPress(int& keyAscii);
    void txtNote_LostFocus();

    // ---- SoundTestView ---------------------------------------------------
    std::string BoxText(SoundBox box) const override;
    void SetBoxText(SoundBox box, const std::string& text) override;
    void FocusBox(SoundBox box) override;
    SliderSetting Slider(int k) const override;
    void SetSliderRange(int k, int min, int max) override;
    void SetSliderLargeChange(int k, int step) override;
    void SetSliderValue(int k, int value) override;
    void SetSliderCaption(int k, const std::string& text) override;
    void SetSliderValueLabel(int k, const std::string& text) override;

    // ---- Controls (named as on the screen) --------------------------------
    QLabel *Label1, *Label2, *Label3;
    QLineEdit *txtPatch, *txtNote, *txtOctave;
    QLabel* lblParameter[kSliders + 1] = {};     // Label6 .. Label11 (1..6)
    QLineEdit* txtParameter[kSliders + 1] = {};  // 1..6
    QSlider* sliders[kSliders + 1] = {};         // Slider1 .. Slider6
    QLabel* lblSlider[kSliders + 1] = {};        // captions
    QLabel* lblSliderValue[kSliders + 1] = {};   // lblSlider1Value ..
    QRadioButton *optVibrato, *optWaWa, *optFilter, *optExperiment, *optVolEnvelope,
        *optPandFEnvelope, *optReset;
    QPushButton *btnStart, *btnStop, *btnExit;

protected:
    void Form_Load() override;
    void Form_KeyDown(int& keyCode, int& shift) override;
    void Form_KeyPress(int& keyAscii) override;
    void Form_QueryUnload(int& cancel) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* Box(SoundBox box) const;
    void BuildControls();

    SoundTest panel_;
    bool byProgram_ = false; // a slider value set by the program, not moved
};

} // namespace tnq
