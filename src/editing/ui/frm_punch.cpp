// The Punch In/Out dialog on Qt Widgets.
#include "editing/ui/frm_punch.h"

#include "core/vocabulary.h"
#include "platform/key_codes.h"
#include "platform/vb.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>

namespace tnq {

namespace {

constexpr const char* kAdjustmentLabel = "          "; // ten blanks
constexpr const char* kDynamicsLabel = "Dynamics";

} // namespace

FrmPunch& FrmPunch::Of(QWidget* owner, Context& c) {
    if (owner) {
        if (auto* f = owner->findChild<FrmPunch*>("frmPunch", Qt::FindDirectChildrenOnly)) return *f;
    }
    auto* f = new FrmPunch(owner, c);
    f->Load();
    return *f;
}

FrmPunch::FrmPunch(QWidget* owner, Context& c) : EditDialog(owner, c, "frmPunch", "Punch In/Out") {
    Form& f = Forms();
    auto* location = new QGroupBox("Location", this);
    auto* locationRows = new QFormLayout(location);
    txtAtBar = TextBox("txtAtBar");
    txtRepeat = TextBox("txtRepeat");
    txtAtBeat = TextBox("txtAtBeat");
    txtBeatValue = TextBox("txtBeatValue");
    chkLastItem = f.Control(new QCheckBox("Add or Delete Last Item", location), "chkLastItem");
    locationRows->addRow("At Bar", txtAtBar);
    locationRows->addRow("Repeat No.", txtRepeat);
    locationRows->addRow("At Beat", txtAtBeat);
    locationRows->addRow("Beat Value", txtBeatValue);
    locationRows->addRow(chkLastItem);

    auto* data = new QGroupBox("Data", this);
    auto* dataRows = new QFormLayout(data);
    txtMeasure = TextBox("txtMeasure");
    txtNote = TextBox("txtNote", false); // its own focus handler selects too
    txtOctave = TextBox("txtOctave");
    txtNoteValue = TextBox("txtNoteValue");
    txtAdjustment = TextBox("txtAdjustment");
    txtDynamics = TextBox("txtDynamics");
    txtPitchbend = TextBox("txtPitchbend");
    lblAdjustment = f.Control(new QLabel(kAdjustmentLabel, data), "lblAdjustment");
    lblDynamics = f.Control(new QLabel(kDynamicsLabel, data), "lblDynamics");
    dataRows->addRow("Measure", txtMeasure);
    dataRows->addRow("Note Name", txtNote);
    dataRows->addRow("Octave", txtOctave);
    dataRows->addRow("Note Value", txtNoteValue);
    dataRows->addRow(lblAdjustment, txtAdjustment);
    dataRows->addRow(lblDynamics, txtDynamics);
    dataRows->addRow("Pitchbend", txtPitchbend);

    auto* operation = new QGroupBox("Operation", this);
    auto* operationRows = new QVBoxLayout(operation);
    optPunchIn = f.Control(new QRadioButton("Punch In", operation), "optPunchIn");
    optPunchOut = f.Control(new QRadioButton("Punch Out", operation), "optPunchOut");
    chkAdjustment = f.Control(new QCheckBox("Update Adjustment", operation), "chkAdjustment");
    for (QWidget* w : {static_cast<QWidget*>(optPunchIn), static_cast<QWidget*>(optPunchOut),
                       static_cast<QWidget*>(chkAdjustment)})
        operationRows->addWidget(w);

    Buttons("OK", "Cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* frames = new QHBoxLayout;
    frames->addWidget(location);
    frames->addWidget(data);
    frames->addWidget(operation);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);

    QWidget* order[] = {txtAtBar,     txtRepeat,     txtAtBeat,   txtBeatValue, txtMeasure,
                        txtNote,      txtOctave,     txtNoteValue, txtAdjustment, txtDynamics,
                        txtPitchbend, btnOK,         btnCancel,   optPunchIn,   optPunchOut,
                        chkAdjustment, chkLastItem};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    f.OnClick(optPunchIn, [this] { optPunchIn_Click(); });
    f.OnClick(optPunchOut, [this] { optPunchOut_Click(); });
    f.OnClick(chkLastItem, [this] { chkLastItem_Click(); });
    f.Focus().OnLostFocus(txtAtBar, [this] { txtAtBar_LostFocus(); });
    f.Focus().OnGotFocus(txtNote, [this] { txtNote_GotFocus(); });
    f.Focus().OnLostFocus(txtNote, [this] { txtNote_LostFocus(); });
    f.Keys().OnKeyDown(txtNote, [this](int& k, int& sh) { txtNote_KeyDown(k, sh); });
    f.Keys().OnKeyPress(txtNote, [this](int& a) { txtNote_KeyPress(a); });
}

bool FrmPunch::Show(Context&) {
    return Run();
}

PunchTexts FrmPunch::Texts() const {
    PunchTexts t;
    t.AtBar = Text(txtAtBar);
    t.Repeat = Text(txtRepeat);
    t.AtBeat = Text(txtAtBeat);
    t.BeatValue = Text(txtBeatValue);
    t.LastItem = chkLastItem->isChecked();
    t.Measure = Text(txtMeasure);
    t.Note = Text(txtNote);
    t.Octave = Text(txtOctave);
    t.NoteValue = Text(txtNoteValue);
    t.Adjustment = Text(txtAdjustment);
    t.Dynamics = Text(txtDynamics);
    t.Pitchbend = Text(txtPitchbend);
    t.Operation = optPunchIn->isChecked()    ? PunchOperation::In
                  : optPunchOut->isChecked() ? PunchOperation::Out
                                             : PunchOperation::None;
    t.UpdateAdjustment = chkAdjustment->isChecked();
    return t;
}

void FrmPunch::Form_Activate() {
    for (QLineEdit* box : {txtAtBar, txtRepeat, txtAtBeat, txtBeatValue}) box->setEnabled(true);
    txtRepeat->setText("1");
    txtAtBeat->setText("1");
    txtBeatValue->setText("q");
    chkLastItem->setChecked(false);
    EnableItemBoxes();
    txtAdjustment->setText("0");
    txtDynamics->setText("64");
    txtPitchbend->setText("0");
    SwitchOff(optPunchIn);
    SwitchOff(optPunchOut);
    // A kept "R" or "CNTRL" keeps its boxes switched off: a rest must not
    // get the Dynamics of a note.
    txtNote_LostFocus();
    FocusBack(txtAtBar);
}

void FrmPunch::EnableItemBoxes() {
    for (QLineEdit* box : {txtOctave, txtNoteValue, txtAdjustment, txtDynamics, txtPitchbend})
        box->setEnabled(true);
    if (lblAdjustment->text() == "Control #") lblAdjustment->setText(kAdjustmentLabel);
    lblDynamics->setText(kDynamicsLabel);
}

void FrmPunch::optPunchIn_Click() {
    FocusBack(txtAtBar);
}

void FrmPunch::optPunchOut_Click() {
    FocusBack(txtAtBar);
}

void FrmPunch::chkLastItem_Click() {
    if (!chkLastItem->isChecked()) return;
    for (QLineEdit* box : {txtAtBar, txtAtBeat, txtRepeat, txtBeatValue}) box->setEnabled(false);
    FocusBack(txtMeasure);
}

void FrmPunch::txtAtBar_LostFocus() {
    // Punched out of the bar it is looked for in.
    if (optPunchOut->isChecked()) txtMeasure->setText(txtAtBar->text());
}

void FrmPunch::txtNote_GotFocus() {
    noteKeys_ = 0;
    QMetaObject::invokeMethod(txtNote, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void FrmPunch::txtNote_KeyDown(int& keyCode, int& shift) {
    if (keyCode == vbkey::F1 + 2 && (shift & vbshift::Shift) == 0) {
        txtNote->setText("CNTRL");
        keyCode = 0;
    }
}

void FrmPunch::txtNote_KeyPress(int& keyAscii) {
    NoteNameKey(keyAscii, ++noteKeys_);
}

void FrmPunch::txtNote_LostFocus() {
    const std::string note = UCase(Trim(Text(txtNote)));
    if (note == "R") {
        for (QLineEdit* box : {txtOctave, txtAdjustment, txtDynamics, txtPitchbend}) {
            box->setEnabled(false);
            box->setText("0");
        }
    } else if (note == "CNTRL") {
        for (QLineEdit* box : {txtOctave, txtNoteValue, txtPitchbend}) box->setEnabled(false);
        txtOctave->setText("0");
        txtNoteValue->clear();
        txtPitchbend->setText("0");
        lblAdjustment->setText("Control #");
        lblDynamics->setText("Control Val");
    } else {
        // Back to a note: what a rest or a controller switched off can be
        // corrected again.
        EnableItemBoxes();
    }
}

bool FrmPunch::CheckFields() {
    QLineEdit* box = nullptr;
    switch (PunchOK(c_, Texts())) {
    case PunchField::None: return true;
    case PunchField::Operation: return false;
    case PunchField::AtBar: box = txtAtBar; break;
    case PunchField::Repeat: box = txtRepeat; break;
    case PunchField::AtBeat: box = txtAtBeat; break;
    case PunchField::BeatValue: box = txtBeatValue; break;
    case PunchField::Measure: box = txtMeasure; break;
    case PunchField::Note: box = txtNote; break;
    case PunchField::Octave: box = txtOctave; break;
    case PunchField::NoteValue: box = txtNoteValue; break;
    case PunchField::Adjustment: box = txtAdjustment; break;
    case PunchField::Dynamics: box = txtDynamics; break;
    case PunchField::Pitchbend: box = txtPitchbend; break;
    }
    // A box a rest or a controller switched off takes the focus for its
    // correction.
    if (box) {
        box->setEnabled(true);
        FocusBack(box);
    }
    return false;
}

} // namespace tnq
