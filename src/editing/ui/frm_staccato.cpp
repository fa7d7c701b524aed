// The staccato dialog on Qt Widgets.
#include "editing/ui/frm_staccato.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tnq {

FrmStaccato& FrmStaccato::Of(QWidget* owner, Context& c) {
    return KeptDialog<FrmStaccato>(owner, "frmStaccato", [&] { return new FrmStaccato(owner, c); });
}

FrmStaccato::FrmStaccato(QWidget* owner, Context& c)
    : EditDialog(owner, c, "frmStaccato", "Apply Staccato") {
    Form& f = Forms();
    txtNoRepeats = TextBox("txtNoRepeats");
    txtBeatValue = TextBox("txtBeatValue");
    txtStartingBeat = TextBox("txtStartingBeat");
    txtNoBeats = TextBox("txtNoBeats");
    auto* beats = new QFormLayout;
    beats->addRow("Repeat Number", txtNoRepeats);
    beats->addRow("Beat Value", txtBeatValue);
    beats->addRow("Starting Beat", txtStartingBeat);
    beats->addRow("No. of Beats", txtNoBeats);

    auto* location = new QGroupBox("Location", this);
    auto* locationRows = new QFormLayout(location);
    optByBar = f.Control(new QRadioButton("By Bar", location), "optByBar");
    optByItem = f.Control(new QRadioButton("By Item", location), "optByItem");
    txtFrom = TextBox("txtFrom");
    txtTo = TextBox("txtTo");
    locationRows->addRow(optByBar);
    locationRows->addRow(optByItem);
    locationRows->addRow("From", txtFrom);
    locationRows->addRow("To", txtTo);

    auto* proportion = new QGroupBox("Proportion of Note", this);
    auto* proportionRows = new QVBoxLayout(proportion);
    optOneQuarter = f.Control(new QRadioButton("1/4", proportion), "optOneQuarter");
    optOneHalf = f.Control(new QRadioButton("1/2", proportion), "optOneHalf");
    optThreeQuarters = f.Control(new QRadioButton("3/4", proportion), "optThreeQuarters");
    for (QRadioButton* o : {optOneQuarter, optOneHalf, optThreeQuarters}) proportionRows->addWidget(o);

    auto* fields = new QHBoxLayout;
    fields->addLayout(beats);
    fields->addWidget(location);
    fields->addWidget(proportion);
    LayOutWithButtons(fields);
    TabOrder({txtNoRepeats, txtBeatValue, txtStartingBeat, txtNoBeats, btnOK, btnCancel, optByBar,
              optByItem, txtFrom, txtTo, optOneQuarter, optOneHalf, optThreeQuarters});
}

bool FrmStaccato::Show(Context&) {
    return Run();
}

StaccatoTexts FrmStaccato::Texts() const {
    StaccatoTexts t{Text(txtNoRepeats), Text(txtBeatValue), Text(txtStartingBeat), Text(txtNoBeats),
                    Text(txtFrom),      Text(txtTo)};
    t.ByBar = optByBar->isChecked();
    t.ByItem = optByItem->isChecked();
    t.Part = optOneQuarter->isChecked()      ? Proportion::OneQuarter
             : optOneHalf->isChecked()       ? Proportion::OneHalf
             : optThreeQuarters->isChecked() ? Proportion::ThreeQuarters
                                             : Proportion::None;
    return t;
}

void FrmStaccato::Form_Activate() {
    setWindowTitle(c_.s.MenuMode == "mnuEdtStaccato" ? "Apply Staccato" : "Reverse Staccato");
    txtNoRepeats->setText("1");
    txtBeatValue->setText("q");
    txtStartingBeat->clear();
    txtNoBeats->clear();
    optByBar->setChecked(true);
    optOneHalf->setChecked(true);
    FocusBack(txtFrom);
}

bool FrmStaccato::CheckFields() {
    switch (StaccatoOK(c_, Texts())) {
    case StaccatoField::None: return true;
    case StaccatoField::Repeats: FocusBack(txtNoRepeats); break;
    case StaccatoField::BeatValue: FocusBack(txtBeatValue); break;
    case StaccatoField::StartingBeat: FocusBack(txtStartingBeat); break;
    case StaccatoField::NoBeats: FocusBack(txtNoBeats); break;
    case StaccatoField::Silent: break;
    }
    return false;
}

} // namespace tnq
