// The Randomize a Passage dialog on Qt Widgets.
#include "editing/ui/frm_random.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>

namespace tnq {

FrmRandom& FrmRandom::Of(QWidget* owner, Context& c) {
    if (owner) {
        if (auto* f = owner->findChild<FrmRandom*>("frmRandom", Qt::FindDirectChildrenOnly))
            return *f;
    }
    auto* f = new FrmRandom(owner, c);
    f->Load();
    return *f;
}

FrmRandom::FrmRandom(QWidget* owner, Context& c)
    : PassageDialog(owner, c, "frmRandom", "Randomize a Passage", "By Bar", "By Item") {
    Form& f = Forms();
    auto* top = new QFormLayout;
    txtTrack = TextBox("txtTrack");
    top->addRow("Track", txtTrack);
    auto* limits = new QFormLayout;
    txtLower = TextBox("txtLower");
    txtUpper = TextBox("txtUpper");
    limits->addRow("Lower Limit", txtLower);
    limits->addRow("Upper Limit", txtUpper);

    auto* mode = new QGroupBox(this);
    auto* modeRows = new QHBoxLayout(mode);
    optDynamics = f.Control(new QRadioButton("&Dynamics", mode), "optDynamics");
    optAdjustment = f.Control(new QRadioButton("&Tempo", mode), "optAdjustment");
    modeRows->addWidget(optDynamics);
    modeRows->addWidget(optAdjustment);
    // Tempo items live on track 1.
    Forms().OnClick(optAdjustment, [this] { txtTrack->setText("1"); });

    QHBoxLayout* buttons = ButtonRow();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(frame);
    layout->addLayout(limits);
    layout->addLayout(beatRows);
    layout->addWidget(mode);
    layout->addLayout(buttons);

    // Enter walks the boxes; the options come after the buttons.
    QWidget* order[] = {txtTrack,     txtFrom,      txtTo,       txtLower,        txtUpper,
                        txtNoRepeats, txtBeatValue, txtStartingBeat, txtNoBeats,  btnOK,
                        btnCancel,    optByBar,     optByItem,   optDynamics,     optAdjustment};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

bool FrmRandom::Show(Context&) {
    return Run();
}

RandomTexts FrmRandom::Texts() const {
    RandomTexts t;
    t.Passage = Passage();
    t.Track = Text(txtTrack);
    t.Lower = Text(txtLower);
    t.Upper = Text(txtUpper);
    t.Dynamics = optDynamics->isChecked();
    t.Tempo = optAdjustment->isChecked();
    return t;
}

void FrmRandom::Form_Activate() {
    ResetPassage();
    FocusBack(txtTrack);
}

bool FrmRandom::CheckFields() {
    return FocusOn(RandomOK(c_.s, Texts()));
}

QWidget* FrmRandom::OwnBox(EditField field) {
    return field == EditField::Track ? txtTrack : nullptr;
}

} // namespace tnq
