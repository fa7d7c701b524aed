// The CC, PB, Tempos Prep dialog on Qt Widgets.
#include "editing/ui/frm_cc_prep.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tnq {

FrmCCPrep& FrmCCPrep::Of(QWidget* owner, Context& c) {
    return KeptDialog<FrmCCPrep>(owner, "frmCCPrep", [&] { return new FrmCCPrep(owner, c); });
}

FrmCCPrep::FrmCCPrep(QWidget* owner, Context& c)
    : EditDialog(owner, c, "frmCCPrep", "CC, PB, Tempos Prep") {
    txtFromBar = TextBox("txtFromBar");
    txtToBar = TextBox("txtToBar");
    txtRestValue = TextBox("txtRestValue");
    txtRestsPerBar = TextBox("txtRestsPerBar");
    auto* rows = new QFormLayout;
    rows->addRow("From Bar", txtFromBar);
    rows->addRow("To Bar", txtToBar);
    rows->addRow(new QLabel("Replace rests with", this));
    rows->addRow("Rest Value", txtRestValue);
    rows->addRow("# Rests per Bar", txtRestsPerBar);

    LayOutWithButtons(rows);
    TabOrder({txtFromBar, txtToBar, txtRestValue, txtRestsPerBar, btnOK, btnCancel});
}

bool FrmCCPrep::Show(Context&) {
    return Run();
}

CCPrepTexts FrmCCPrep::Texts() const {
    return {Text(txtFromBar), Text(txtToBar), Text(txtRestValue), Text(txtRestsPerBar)};
}

void FrmCCPrep::Form_Activate() {
    txtFromBar->clear();
    txtToBar->clear();
    FocusBack(txtFromBar);
}

bool FrmCCPrep::CheckFields() {
    CCPrepTexts t = Texts();
    const GridField field = CCPrepOK(t);
    if (field != GridField::Silent) SetText(txtRestValue, t.RestValue);
    switch (field) {
    case GridField::None: return true;
    case GridField::Value: FocusBack(txtRestValue); break;
    case GridField::PerBar: FocusBack(txtRestsPerBar); break;
    default: break;
    }
    return false;
}

} // namespace tnq
