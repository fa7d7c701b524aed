// The Revise Parameters dialog on Qt Widgets.
#include "editing/ui/frm_parameters.h"

#include "core/vocabulary.h"
#include "platform/vb.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>

namespace tnq {

FrmParameters& FrmParameters::Of(QWidget* owner, Context& c) {
    if (owner) {
        if (auto* f = owner->findChild<FrmParameters*>("frmParameters", Qt::FindDirectChildrenOnly))
            return *f;
    }
    auto* f = new FrmParameters(owner, c);
    f->Load();
    return *f;
}

FrmParameters::FrmParameters(QWidget* owner, Context& c)
    : PassageDialog(owner, c, "frmParameters", "Revise Parameters", "By &Bar", "By &Item") {
    Form& f = Forms();
    auto* fields = new QFormLayout;
    const auto row = [&](const char* check, const char* caption, const char* box) {
        auto* tick = f.Control(new QCheckBox(caption, this), check);
        auto* value = TextBox(box, false);
        fields->addRow(tick, value);
        // Ticked, the focus goes to the box; unticked, the box is emptied.
        connect(tick, &QCheckBox::toggled, this, [this, value](bool on) {
            if (on)
                FocusBack(value);
            else
                value->clear();
        });
        return std::pair{tick, value};
    };
    std::tie(chkNote, txtNote) = row("chkNote", "Note", "txtNote");
    std::tie(chkOctave, txtOctave) = row("chkOctave", "Octave", "txtOctave");
    std::tie(chkDuration, txtDuration) = row("chkDuration", "Duration", "txtDuration");
    std::tie(chkChannel, txtChannel) = row("chkChannel", "Channel", "txtChannel");
    std::tie(chkPitchbend, txtPitchbend) = row("chkPitchbend", "Pitchbend", "txtPitchbend");

    Forms().Focus().OnGotFocus(txtNote, [this] { noteKeys_ = 0; });
    Forms().Keys().OnKeyPress(txtNote, [this](int& ascii) { txtNote_KeyPress(ascii); });
    Forms().Keys().OnKeyPress(txtDuration, [](int& ascii) {
        if (ascii > 0 && ascii < 256) ascii = static_cast<unsigned char>(LCase(std::string(1, char(ascii)))[0]);
    });

    QHBoxLayout* buttons = ButtonRow();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(fields);
    layout->addLayout(beatRows);
    layout->addLayout(buttons);

    QWidget* order[] = {txtNote,   txtOctave,    txtDuration,  txtChannel,      txtPitchbend,
                        txtNoRepeats, txtBeatValue, txtStartingBeat, txtNoBeats, btnOK,
                        btnCancel, optByBar,     optByItem,    txtFrom,         txtTo,
                        chkNote,   chkOctave,    chkDuration,  chkChannel,      chkPitchbend};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void FrmParameters::txtNote_KeyPress(int& keyAscii) {
    if (keyAscii < 32 || keyAscii > 255) return;
    NoteNameKey(keyAscii, ++noteKeys_);
}

bool FrmParameters::Show(Context&) {
    return Run();
}

ParameterTexts FrmParameters::Texts() const {
    ParameterTexts t;
    t.Passage = Passage();
    t.NoteTicked = chkNote->isChecked();
    t.OctaveTicked = chkOctave->isChecked();
    t.DurationTicked = chkDuration->isChecked();
    t.ChannelTicked = chkChannel->isChecked();
    t.PitchbendTicked = chkPitchbend->isChecked();
    t.Note = Text(txtNote);
    t.Octave = Text(txtOctave);
    t.Duration = Text(txtDuration);
    t.Channel = Text(txtChannel);
    t.Pitchbend = Text(txtPitchbend);
    return t;
}

void FrmParameters::Form_Activate() {
    ResetPassage();
    FocusBack(txtFrom);
}

bool FrmParameters::CheckFields() {
    return FocusOn(ParametersOK(c_, Texts()));
}

QWidget* FrmParameters::OwnBox(EditField field) {
    switch (field) {
    case EditField::Note: return txtNote;
    case EditField::Octave: return txtOctave;
    case EditField::Duration: return txtDuration;
    case EditField::Channel: return txtChannel;
    case EditField::PitchBend: return txtPitchbend;
    default: return nullptr;
    }
}

} // namespace tnq
