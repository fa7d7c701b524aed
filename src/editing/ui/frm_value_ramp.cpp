// The Edit Dynamics and Edit Pitchbend dialogs on Qt Widgets.
#include "editing/ui/frm_value_ramp.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <vector>

namespace tnq {

namespace {

FrmValueRamp* Existing(QWidget* owner, const char* name) {
    return owner ? owner->findChild<FrmValueRamp*>(name, Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

FrmValueRamp& FrmValueRamp::Dynamics(QWidget* owner, Context& c) {
    if (auto* f = Existing(owner, "frmDynamics")) return *f;
    auto* f = new FrmValueRamp(owner, c, false);
    f->Load();
    return *f;
}

FrmValueRamp& FrmValueRamp::PitchBend(QWidget* owner, Context& c) {
    if (auto* f = Existing(owner, "frmPitchbend")) return *f;
    auto* f = new FrmValueRamp(owner, c, true);
    f->Load();
    return *f;
}

FrmValueRamp::FrmValueRamp(QWidget* owner, Context& c, bool pitchBend)
    : PassageDialog(owner, c, pitchBend ? "frmPitchbend" : "frmDynamics",
                    pitchBend ? "Edit Pitchbend" : "Edit Dynamics",
                    pitchBend ? "By &Bar" : "By Bar", pitchBend ? "By &Item" : "By Item"),
      pitchBend_(pitchBend) {
    auto* top = new QFormLayout;
    if (pitchBend) {
        txtTrack = TextBox("txtTrack", false);
        txtChannel = TextBox("txtChannel", false);
        top->addRow("Track", txtTrack);
        top->addRow("Channel", txtChannel);
    }
    auto* values = new QFormLayout;
    txtFromValue = TextBox("txtFromValue");
    txtToValue = TextBox("txtToValue");
    values->addRow("From Value", txtFromValue);
    values->addRow("To Value", txtToValue);
    chkPercent = Forms().Control(new QCheckBox("Percent", this), "chkPercent");
    txtPercent = TextBox("txtPercent");
    beatRows->addRow(chkPercent, txtPercent);

    QHBoxLayout* buttons = ButtonRow();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(frame);
    layout->addLayout(values);
    layout->addLayout(beatRows);
    layout->addLayout(buttons);

    // Enter walks the boxes; the options and the Percent tick come after
    // the buttons.
    std::vector<QWidget*> order;
    if (pitchBend) order = {txtTrack, txtChannel};
    for (QWidget* w : std::initializer_list<QWidget*>{
             txtFrom, txtTo, txtFromValue, txtToValue, txtNoRepeats, txtBeatValue,
             txtStartingBeat, txtNoBeats, txtPercent, btnOK, btnCancel, optByBar, optByItem,
             chkPercent})
        order.push_back(w);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

    // Ticking the box from code runs its handler as a click does.
    connect(chkPercent, &QCheckBox::toggled, this, [this] { chkPercent_Click(); });
}

bool FrmValueRamp::Show(Context&) {
    return Run();
}

RampTexts FrmValueRamp::Texts() const {
    RampTexts t;
    t.Passage = Passage();
    if (pitchBend_) {
        t.Track = Text(txtTrack);
        t.Channel = Text(txtChannel);
    }
    t.PercentTicked = chkPercent->isChecked();
    // An unticked box is no percentage, whatever it holds.
    if (t.PercentTicked) t.Percent = Text(txtPercent);
    t.FromValue = Text(txtFromValue);
    t.ToValue = Text(txtToValue);
    return t;
}

void FrmValueRamp::Form_Activate() {
    ResetPassage();
    if (pitchBend_) {
        setWindowTitle("Edit Pitchbend");
        txtTrack->clear();
        txtChannel->clear();
        FocusBack(txtTrack);
    } else {
        setWindowTitle("Edit Dynamics");
        FocusBack(txtFrom);
    }
}

void FrmValueRamp::chkPercent_Click() {
    if (pitchBend_)
        FocusBack(txtPercent);
    else
        PercentClicked(chkPercent->isChecked(), txtPercent, txtFromValue, txtToValue);
}

bool FrmValueRamp::CheckFields() {
    return FocusOn(pitchBend_ ? PitchBendOK(c_.s, Texts()) : DynamicsOK(c_, Texts()));
}

QWidget* FrmValueRamp::OwnBox(EditField field) {
    switch (field) {
    case EditField::Track: return txtTrack;
    case EditField::Channel: return txtChannel;
    case EditField::Percent: return txtPercent;
    case EditField::FromValue: return txtFromValue;
    case EditField::ToValue: return txtToValue;
    default: return nullptr;
    }
}

} // namespace tnq
