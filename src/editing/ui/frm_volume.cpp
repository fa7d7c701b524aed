// The series dialog on Qt Widgets.
#include "editing/ui/frm_volume.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tnq {

FrmVolume& FrmVolume::Of(QWidget* owner, Context& c) {
    if (owner) {
        if (auto* f = owner->findChild<FrmVolume*>("frmVolume", Qt::FindDirectChildrenOnly))
            return *f;
    }
    auto* f = new FrmVolume(owner, c);
    f->Load();
    return *f;
}

FrmVolume::FrmVolume(QWidget* owner, Context& c)
    : PassageDialog(owner, c, "frmVolume", "Continuous Controller", "By Bar", "By Item") {
    Form& f = Forms();
    txtFromValue = TextBox("txtFromValue");
    txtToValue = TextBox("txtToValue");
    txtPercent = TextBox("txtPercent");
    txtChannel = TextBox("txtChannel", false);
    txtChannel->setEnabled(false);
    // The value boxes line up with the beat boxes below them.
    beatRows->insertRow(0, "From Value", txtFromValue);
    beatRows->insertRow(1, "To Value", txtToValue);
    chkPercent = f.Control(new QCheckBox("Percent", this), "chkPercent");
    beatRows->addRow(chkPercent, txtPercent);

    Label9 = f.Control(new QLabel("Controller", this), "Label9");
    cboController = f.Control(new QComboBox(this), "cboController");
    chkSpecify = f.Control(new QCheckBox("Specify Channel", this), "chkSpecify");
    lblChannel = f.Control(new QLabel("Channel", this), "lblChannel");
    chkControl = f.Control(new QCheckBox("Insert Control Items", this), "chkControl");
    auto* controller = new QFormLayout;
    controller->addRow(Label9, cboController);
    controller->addRow(chkSpecify);
    controller->addRow(lblChannel, txtChannel);
    controller->addRow(chkControl);

    auto* top = new QHBoxLayout;
    top->addWidget(frame);
    top->addLayout(beatRows);
    auto* fields = new QVBoxLayout;
    fields->addLayout(top);
    fields->addLayout(controller);
    LayOutWithButtons(fields);
    TabOrder({txtFrom, txtTo, txtFromValue, txtToValue, txtNoRepeats, txtBeatValue,
              txtStartingBeat, txtNoBeats, txtPercent, cboController, txtChannel, btnOK,
              btnCancel, optByBar, optByItem, chkPercent, chkControl, chkSpecify});

    // Ticking or unticking from code runs the handler as a click does.
    connect(chkPercent, &QCheckBox::toggled, this, [this] { chkPercent_Click(); });
    connect(chkSpecify, &QCheckBox::toggled, this, [this] { chkSpecify_Click(); });
}

bool FrmVolume::Show(Context&) {
    // Laid out for its mode before it shows, so that it takes the size of
    // the controls of that mode.
    ShowMode();
    return Run();
}

SeriesTexts FrmVolume::Texts() const {
    SeriesTexts t;
    t.Passage = Passage();
    t.FromValue = Text(txtFromValue);
    t.ToValue = Text(txtToValue);
    t.Percent = Text(txtPercent);
    t.Channel = Text(txtChannel);
    t.PercentTicked = chkPercent->isChecked();
    t.Insert = chkControl->isChecked();
    t.SpecifyChannel = chkSpecify->isChecked();
    return t;
}

void FrmVolume::ShowMode() {
    const bool tempo = c_.s.MenuMode == "mnuEdtTempos";
    for (QWidget* w : std::initializer_list<QWidget*>{Label9, cboController, chkSpecify,
                                                      lblChannel, txtChannel})
        w->setVisible(!tempo);
    chkControl->setText(tempo ? "Insert Tempo Items" : "Insert Control Items");
    setWindowTitle(tempo ? "Series of Tempos" : "Continuous Controllers");
}

void FrmVolume::Form_Activate() {
    txtChannel->clear();
    ShowMode();
    ResetPassage();
    chkControl->setChecked(false);
    chkSpecify->setChecked(false);
    FocusBack(txtFrom);
    cboController->clear();
    for (const char* text : kControllerTexts) cboController->addItem(QString::fromLatin1(text));
    cboController->setCurrentIndex(1);
}

void FrmVolume::chkPercent_Click() {
    PercentClicked(chkPercent->isChecked(), txtPercent, txtFromValue, txtToValue);
}

void FrmVolume::chkSpecify_Click() {
    const bool ticked = chkSpecify->isChecked();
    txtChannel->setEnabled(ticked);
    txtChannel->setVisible(ticked);
    lblChannel->setVisible(ticked);
    if (ticked) FocusBack(txtChannel);
}

bool FrmVolume::CheckFields() {
    return FocusOn(SeriesOK(c_, Texts(), cboController->currentIndex()));
}

QWidget* FrmVolume::OwnBox(EditField field) {
    switch (field) {
    case EditField::Percent: return txtPercent;
    case EditField::Insert: return chkControl;
    case EditField::FromValue: return txtFromValue;
    case EditField::ToValue: return txtToValue;
    case EditField::Controller: return cboController;
    case EditField::Channel: return txtChannel;
    default: return nullptr;
    }
}

void FrmVolume::StoreFields() {
    c_.s.DialogResult = SeriesResult(c_.s, cboController->currentIndex());
}

} // namespace tnq
