// The sound-test panel on Qt Widgets.
#include "misc/ui/frm_filter.h"

#include "platform/key_codes.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_placement.h"

#include <QMouseEvent>

namespace tnq {

namespace {

// Design size of the panel, in twips.
constexpr double kFormWidth = 10680, kFormHeight = 5040;

} // namespace

FrmFilter::FrmFilter(QWidget* parent, Context& c) : DialogForm(parent), panel_(c, *this) {
    setObjectName("frmFilter");
    setWindowTitle("Test Sounds");
    BuildControls();
    const float tpp = TwipsPerPixel(this);
    setFixedSize(TwipsToPixels(kFormWidth, tpp), TwipsToPixels(kFormHeight, tpp));
    // Centred, never scaled.
    SetPlacement(c.sys.Screen(), 0);

    Form& f = Forms();
    f.OnClick(btnStart, [this] { btnStart_Click(); });
    f.OnClick(btnStop, [this] { btnStop_Click(); });
    f.OnClick(btnExit, [this] { btnExit_Click(); });
    const std::pair<QRadioButton*, Preset> presets[] = {
        {optVibrato, Preset::Vibrato},         {optWaWa, Preset::WaWa},
        {optFilter, Preset::Filter},           {optExperiment, Preset::Experiment},
        {optVolEnvelope, Preset::VolEnvelope}, {optPandFEnvelope, Preset::PandFEnvelope},
        {optReset, Preset::Reset}};
    for (const auto& [option, preset] : presets)
        f.OnClick(option, [this, preset = preset] { panel_.ApplyPreset(preset); });
    f.Keys().OnKeyPress(txtNote, [this](int& a) { txtNote_KeyPress(a); });
    f.Focus().OnLostFocus(txtNote, [this] { txtNote_LostFocus(); });
    for (int k = 1; k <= kSliders; ++k) {
        connect(sliders[k], &QSlider::valueChanged, this, [this, k] {
            if (!byProgram_) panel_.SliderChanged(k);
        });
        sliders[k]->installEventFilter(this);
    }
}

void FrmFilter::BuildControls() {
    Form& f = Forms();
    auto label = [&](const char* name, const QString& caption, double l, double t, double w) {
        QLabel* lbl = f.Control(new QLabel(caption, this), name);
        lbl->setFocusPolicy(Qt::NoFocus);
        SetTwipsGeometry(lbl, l, t, w, 255);
        return lbl;
    };
    auto box = [&](const char* name, double l, double t, double w) {
        auto* e = f.Control(new QLineEdit(this), name);
        SetTwipsGeometry(e, l, t, w, 285);
        return e;
    };
    auto button = [&](const char* name, const char* caption, double l, double t) {
        auto* b = f.Control(new QPushButton(caption, this), name);
        b->setAutoDefault(false);
        SetTwipsGeometry(b, l, t, 1095, 375);
        return b;
    };
    auto option = [&](const char* name, const char* caption, double t) {
        auto* o = f.Control(new QRadioButton(caption, this), name);
        SetTwipsGeometry(o, 7560, t, 2520, 315);
        return o;
    };

    Label1 = label("Label1", "Patch", 120, 150, 855);
    txtPatch = box("txtPatch", 1080, 120, 615);
    Label2 = label("Label2", "Note", 120, 510, 855);
    txtNote = box("txtNote", 1080, 480, 615);
    Label3 = label("Label3", "Octave", 120, 870, 855);
    txtOctave = box("txtOctave", 1080, 840, 615);
    btnStart = button("btnStart", "Start", 2040, 120);
    btnStop = button("btnStop", "Stop", 2040, 600);
    btnExit = button("btnExit", "Exit", 2040, 1080);

    for (int k = 1; k <= kSliders; ++k) {
        const double top = 1800 + (k - 1) * 540;
        const std::string n = std::to_string(k);
        lblParameter[k] = label(("Label" + std::to_string(5 + k)).c_str(),
                                QString::fromStdString("Parameter " + n), 120, top + 30, 1095);
        txtParameter[k] = box(("txtParameter" + n).c_str(), 1320, top, 495);
        lblSlider[k] = label(("lblSlider" + n).c_str(), QString(), 1920, top + 30, 1455);
        auto* s = f.Control(new QSlider(Qt::Horizontal, this), ("Slider" + n).c_str());
        s->setRange(0, k <= 2 ? 127 : 10);
        s->setPageStep(5);
        s->setSingleStep(1);
        s->setTickPosition(QSlider::TicksBelow);
        s->setFocusPolicy(Qt::StrongFocus);
        SetTwipsGeometry(s, 3480, top - 30, 3015, 375);
        sliders[k] = s;
        lblSliderValue[k] = label(("lblSlider" + n + "Value").c_str(), "0", 6600, top + 30, 735);
    }

    optVibrato = option("optVibrato", "Vibrato (LFO_2)", 120);
    optWaWa = option("optWaWa", "Wa Wa (FILT1)", 480);
    optFilter = option("optFilter", "Filter (FILT2)", 840);
    optExperiment = option("optExperiment", "Experiment (NRPN 1-26)", 1200);
    optVolEnvelope = option("optVolEnvelope", "Volume Envelope", 1800);
    optPandFEnvelope = option("optPandFEnvelope", "Pitch&-Filter Envelope", 2160);
    optReset = option("optReset", "Reset", 2520);

    QWidget* order[] = {txtPatch,        txtNote,          txtOctave,       btnStart,
                        btnStop,         sliders[1],       sliders[2],      btnExit,
                        optVibrato,      optFilter,        optWaWa,         optExperiment,
                        txtParameter[1], txtParameter[2],  txtParameter[3], txtParameter[4],
                        txtParameter[5], txtParameter[6],  sliders[3],      sliders[4],
                        sliders[5],      sliders[6],       optVolEnvelope,  optPandFEnvelope,
                        optReset};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

// ---- Window events ---------------------------------------------------------

void FrmFilter::Form_Load() {
    Forms().Keys().SetKeyPreview(true);
    optVibrato->setChecked(true);
    panel_.ApplyPreset(Preset::Vibrato);
    txtPatch->setFocus();
}

void FrmFilter::Form_KeyDown(int& keyCode, int& shift) {
    if (shift & vbshift::Shift) return;
    if (keyCode == vbkey::Return) {
        keyCode = 0;
        Forms().Keys().SendKey(vbkey::Tab);
    } else if (keyCode == vbkey::Up) {
        keyCode = 0;
        Forms().Keys().SendKey(vbkey::Tab, vbshift::Shift);
    }
}

void FrmFilter::Form_KeyPress(int& keyAscii) {
    if (keyAscii == vbkey::Return) keyAscii = 0;
}

void FrmFilter::Form_QueryUnload(int& cancel) {
    (void)cancel;
    btnExit_Click();
}

bool FrmFilter::eventFilter(QObject* watched, QEvent* event) {
    // Dragging a slider sends its parameter on every move of the mouse.
    if (event->type() == QEvent::MouseMove) {
        const auto* e = static_cast<QMouseEvent*>(event);
        for (int k = 1; k <= kSliders; ++k)
            if (watched == sliders[k] && e->buttons() == Qt::LeftButton) panel_.SliderChanged(k);
    }
    return DialogForm::eventFilter(watched, event);
}

// ---- Handlers ----------------------------------------------------------------

void FrmFilter::btnStart_Click() {
    panel_.btnStart_Click();
}

void FrmFilter::btnStop_Click() {
    panel_.btnStop_Click();
}

void FrmFilter::btnExit_Click() {
    panel_.Release();
    hide();
    if (parentWidget()) parentWidget()->update();
}

void FrmFilter::txtNote_KeyPress(int& keyAscii) {
    if (keyAscii >= 'a' && keyAscii <= 'z') keyAscii -= 'a' - 'A';
}

void FrmFilter::txtNote_LostFocus() {
    if (const auto text = NoteBoxOnLeave(FromQt(txtNote->text()))) txtNote->setText(ToQt(*text));
}

// ---- SoundTestView -------------------------------------------------------

QLineEdit* FrmFilter::Box(SoundBox box) const {
    switch (box) {
    case SoundBox::Patch:
        return txtPatch;
    case SoundBox::Note:
        return txtNote;
    case SoundBox::Octave:
        return txtOctave;
    default:
        return txtParameter[static_cast<int>(box) - static_cast<int>(SoundBox::Parameter1) + 1];
    }
}

std::string FrmFilter::BoxText(SoundBox box) const {
    return FromQt(Box(box)->text());
}

void FrmFilter::SetBoxText(SoundBox box, const std::string& text) {
    Box(box)->setText(ToQt(text));
}

void FrmFilter::FocusBox(SoundBox box) {
    Forms().Focus().SetFocus(Box(box));
}

SliderSetting FrmFilter::Slider(int k) const {
    return {sliders[k]->minimum(), sliders[k]->maximum(), sliders[k]->value()};
}

void FrmFilter::SetSliderRange(int k, int min, int max) {
    byProgram_ = true;
    sliders[k]->setRange(min, max);
    byProgram_ = false;
}

void FrmFilter::SetSliderLargeChange(int k, int step) {
    sliders[k]->setPageStep(step);
}

void FrmFilter::SetSliderValue(int k, int value) {
    byProgram_ = true;
    sliders[k]->setValue(value);
    byProgram_ = false;
}

void FrmFilter::SetSliderCaption(int k, const std::string& text) {
    lblSlider[k]->setText(ToQt(text));
}

void FrmFilter::SetSliderValueLabel(int k, const std::string& text) {
    lblSliderValue[k]->setText(ToQt(text));
}

} // namespace tnq
