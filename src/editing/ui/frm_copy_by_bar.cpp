// The Copy by Bar dialog on Qt Widgets.
#include "editing/ui/frm_copy_by_bar.h"

#include "editing/copy_items.h"

#include <QComboBox>
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

void FillTranspositionList(QComboBox* box, const char* const* texts, int count) {
    box->clear();
    for (int i = 0; i < count; ++i) box->addItem(QString::fromLatin1(texts[i]));
    box->setCurrentIndex(0);
}

std::string OptionMode(const QRadioButton* add, const QRadioButton* insert,
                       const QRadioButton* replace) {
    if (add->isChecked()) return "ADD";
    if (insert->isChecked()) return "INSERT";
    if (replace->isChecked()) return "REPLACE";
    return "";
}

FrmCopyByBar& FrmCopyByBar::Of(QWidget* owner, Context& c) {
    if (owner) {
        if (auto* f = owner->findChild<FrmCopyByBar*>("frmCopyByBar", Qt::FindDirectChildrenOnly))
            return *f;
    }
    auto* f = new FrmCopyByBar(owner, c);
    f->Load();
    return *f;
}

FrmCopyByBar::FrmCopyByBar(QWidget* owner, Context& c)
    : EditDialog(owner, c, "frmCopyByBar", "Copy by Bar") {
    Form& f = Forms();
    auto* source = new QGroupBox("Source", this);
    auto* sourceRows = new QFormLayout(source);
    txtTitle = TextBox("txtTitle");
    UpperCaseTyping(txtTitle);
    txtFromBar = TextBox("txtFromBar");
    txtToBar = TextBox("txtToBar");
    txtBeatValue = TextBox("txtBeatValue");
    txtStartingBeat = TextBox("txtStartingBeat");
    txtNoBeats = TextBox("txtNoBeats");
    lblTitle = f.Control(new QLabel("From Title", source), "lblTitle");
    sourceRows->addRow(lblTitle, txtTitle);
    sourceRows->addRow("From Bar", txtFromBar);
    sourceRows->addRow("To Bar", txtToBar);
    sourceRows->addRow("Beat Value", txtBeatValue);
    sourceRows->addRow("Starting Beat", txtStartingBeat);
    sourceRows->addRow("No. of Beats", txtNoBeats);

    auto* destination = new QGroupBox("Destination", this);
    auto* destRows = new QFormLayout(destination);
    optAdd = f.Control(new QRadioButton("Add", destination), "optAdd");
    optReplace = f.Control(new QRadioButton("Replace", destination), "optReplace");
    optInsert = f.Control(new QRadioButton("Insert", destination), "optInsert");
    txtAtBar = TextBox("txtAtBar");
    txtOffset = TextBox("txtOffset");
    destRows->addRow(optAdd);
    destRows->addRow(optReplace);
    destRows->addRow(optInsert);
    destRows->addRow("At Bar", txtAtBar);
    destRows->addRow("Bar No. Offset", txtOffset);

    auto* transposition = new QGroupBox("Transposition (+/-)", this);
    auto* transRows = new QFormLayout(transposition);
    cboPitch = f.Control(new QComboBox(transposition), "cboPitch");
    cboOctave = f.Control(new QComboBox(transposition), "cboOctave");
    transRows->addRow("Pitch", cboPitch);
    transRows->addRow("Octave", cboOctave);

    Buttons();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* frames = new QHBoxLayout;
    frames->addWidget(source);
    frames->addWidget(destination);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addWidget(transposition);
    layout->addLayout(buttons);

    QWidget* order[] = {txtTitle,  txtFromBar, txtToBar,  txtBeatValue, txtStartingBeat,
                        txtNoBeats, optAdd,    optReplace, optInsert,   txtAtBar,
                        txtOffset, cboPitch,   cboOctave, btnOK,        btnCancel};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

bool FrmCopyByBar::Show(Context&) {
    return Run();
}

CopyByBarTexts FrmCopyByBar::Texts() const {
    return {Text(txtTitle),     Text(txtFromBar), Text(txtToBar), Text(txtBeatValue),
            Text(txtStartingBeat), Text(txtNoBeats), Text(txtAtBar), Text(txtOffset)};
}

void FrmCopyByBar::Form_Activate() {
    const State& s = c_.s;
    SetText(txtTitle, s.PieceTitle);
    const bool horizontal = s.MenuMode == "mnuEdtCopy";
    setWindowTitle(horizontal ? "Horizontal Copy by Bar" : "Vertical Copy by Bar");
    lblTitle->setEnabled(horizontal);
    txtTitle->setEnabled(horizontal);
    optAdd->setChecked(true);
    for (QLineEdit* box : {txtFromBar, txtToBar, txtStartingBeat, txtNoBeats, txtAtBar}) box->clear();
    txtBeatValue->setText("q");
    txtOffset->setText("0");
    FillTranspositionList(cboPitch, kPitchTexts, kPitchEntries);
    FillTranspositionList(cboOctave, kOctaveTexts, kOctaveEntries);
    FocusBack(horizontal ? txtTitle : txtFromBar);
}

bool FrmCopyByBar::CheckFields() {
    const std::string mode = OptionMode(optAdd, optInsert, optReplace);
    const CopyField field =
        CopyByBarOK(c_, mode, Texts(), cboPitch->currentIndex(), cboOctave->currentIndex());
    switch (field) {
    case CopyField::None: return true;
    case CopyField::Title: FocusBack(txtTitle); break;
    case CopyField::Offset: FocusBack(txtOffset); break;
    case CopyField::BeatValue: FocusBack(txtBeatValue); break;
    case CopyField::StartingBeat: FocusBack(txtStartingBeat); break;
    case CopyField::NoBeats: FocusBack(txtNoBeats); break;
    default: break;
    }
    return false;
}

} // namespace tnq
