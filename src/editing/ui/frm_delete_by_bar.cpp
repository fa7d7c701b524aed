// The Delete by Bar dialog on Qt Widgets.
#include "editing/ui/frm_delete_by_bar.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

namespace tnq {

FrmDeletebyBar& FrmDeletebyBar::Of(QWidget* owner, Context& c) {
    if (owner) {
        if (auto* f = owner->findChild<FrmDeletebyBar*>("frmDeletebyBar", Qt::FindDirectChildrenOnly))
            return *f;
    }
    auto* f = new FrmDeletebyBar(owner, c);
    f->Load();
    return *f;
}

FrmDeletebyBar::FrmDeletebyBar(QWidget* owner, Context& c)
    : EditDialog(owner, c, "frmDeletebyBar", "Delete by Bar") {
    txtFromBar = TextBox("txtFromBar");
    txtToBar = TextBox("txtToBar");
    txtBeatValue = TextBox("txtBeatValue");
    txtStartingBeat = TextBox("txtStartingBeat");
    txtNoBeats = TextBox("txtNoBeats");
    chkAdjust = Forms().Control(new QCheckBox("Adjust bar Numbers", this), "chkAdjust");
    auto* rows = new QFormLayout;
    rows->addRow("From Bar", txtFromBar);
    rows->addRow("  To Bar", txtToBar);
    rows->addRow("Beat Value", txtBeatValue);
    rows->addRow("Starting Beat", txtStartingBeat);
    rows->addRow("No. of Beats", txtNoBeats);
    rows->addRow(chkAdjust);

    Buttons();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addLayout(buttons);

    QWidget* order[] = {txtFromBar, txtToBar, txtBeatValue, txtStartingBeat,
                        txtNoBeats, btnOK,    btnCancel,    chkAdjust};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

bool FrmDeletebyBar::Show(Context&) {
    return Run();
}

DeleteByBarTexts FrmDeletebyBar::Texts() const {
    return {Text(txtFromBar),      Text(txtToBar),   Text(txtBeatValue),
            Text(txtStartingBeat), Text(txtNoBeats), chkAdjust->isChecked()};
}

void FrmDeletebyBar::Form_Activate() {
    for (QLineEdit* box : {txtFromBar, txtToBar, txtStartingBeat, txtNoBeats}) box->clear();
    txtBeatValue->setText("q");
    chkAdjust->setChecked(false);
    FocusBack(txtFromBar);
}

bool FrmDeletebyBar::CheckFields() {
    switch (DeleteByBarOK(Texts())) {
    case BarField::None: return true;
    case BarField::BeatValue: FocusBack(txtBeatValue); break;
    case BarField::StartingBeat: FocusBack(txtStartingBeat); break;
    case BarField::NumberOfBeats: FocusBack(txtNoBeats); break;
    default: break;
    }
    return false;
}

} // namespace tnq
