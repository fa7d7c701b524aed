// The Copy by Item dialog on Qt Widgets.
#include "editing/ui/frm_copy_by_item.h"

#include "editing/copy_items.h"
#include "editing/ui/frm_copy_by_bar.h"
#include "platform/vb.h"

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

#include <iterator>

namespace tnq {

FrmCopyByItem& FrmCopyByItem::Of(QWidget* owner, Context& c) {
    if (owner) {
        if (auto* f =
                owner->findChild<FrmCopyByItem*>("frmCopyByItem", Qt::FindDirectChildrenOnly))
            return *f;
    }
    auto* f = new FrmCopyByItem(owner, c);
    f->Load();
    return *f;
}

FrmCopyByItem::FrmCopyByItem(QWidget* owner, Context& c)
    : EditDialog(owner, c, "frmCopyByItem", "Copy by Item") {
    Form& f = Forms();
    auto* from = new QGroupBox("Copy From", this);
    auto* fromRows = new QFormLayout(from);
    txtFromTitle = TextBox("txtFromTitle");
    UpperCaseTyping(txtFromTitle);
    txtFromTrack = TextBox("txtFromTrack");
    txtFromItem = TextBox("txtFromItem");
    txtNoItems = TextBox("txtNoItems");
    fromRows->addRow("Title", txtFromTitle);
    fromRows->addRow("Track", txtFromTrack);
    fromRows->addRow("Item", txtFromItem);
    fromRows->addRow("No. of Items", txtNoItems);

    auto* at = new QGroupBox("At current item", this);
    auto* atRows = new QVBoxLayout(at);
    optAdd = f.Control(new QRadioButton("&Add", at), "optAdd");
    optReplace = f.Control(new QRadioButton("&Replace", at), "optReplace");
    optInsert = f.Control(new QRadioButton("&Insert", at), "optInsert");
    for (QRadioButton* o : {optAdd, optReplace, optInsert}) atRows->addWidget(o);

    auto* transpose = new QGroupBox("Transpose (+/-)", this);
    auto* transRows = new QFormLayout(transpose);
    cboPitch = f.Control(new QComboBox(transpose), "cboPitch");
    cboOctave = f.Control(new QComboBox(transpose), "cboOctave");
    transRows->addRow("Pitch", cboPitch);
    transRows->addRow("Octave", cboOctave);

    chkBarNos = f.Control(new QCheckBox("Copy Bar Nos.", this), "chkBarNos");
    lblOffset = f.Control(new QLabel("Offset", this), "lblOffset");
    txtOffset = TextBox("txtOffset", false);
    txtChannel = TextBox("txtChannel", false);
    auto* rest = new QFormLayout;
    rest->addRow(chkBarNos);
    rest->addRow(lblOffset, txtOffset);
    rest->addRow("Channel Number", txtChannel);

    Buttons();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* top = new QHBoxLayout;
    top->addWidget(from);
    top->addWidget(at);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(transpose);
    layout->addLayout(rest);
    layout->addLayout(buttons);

    QWidget* order[] = {txtFromTitle, txtFromTrack, txtFromItem, txtNoItems, optAdd,
                        optReplace,   optInsert,    cboPitch,    cboOctave,  chkBarNos,
                        txtOffset,    txtChannel,   btnOK,       btnCancel};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    // Selecting an option or ticking the box from code runs its handler as
    // a click does.
    connect(optAdd, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optAdd_Click();
    });
    connect(optInsert, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optInsert_Click();
    });
    connect(optReplace, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optReplace_Click();
    });
    connect(chkBarNos, &QCheckBox::toggled, this, [this] { chkBarNos_Click(); });
}

void FrmCopyByItem::Form_Activate() {
    State& s = c_.s;
    SetText(txtFromTitle, s.PieceTitle);
    txtFromTrack->setText(QString::number(s.CurrentTrack));
    txtFromItem->clear();
    txtNoItems->clear();
    // Only Add is set or cleared; another option chosen before stays.
    if (CursorAtTrackEnd(s))
        optAdd->setChecked(true);
    else
        SwitchOff(optAdd);
    chkBarNos->setChecked(false);
    chkBarNos_Click();
    s.CopyChannel.clear();
    txtChannel->clear();
    FillTranspositionList(cboPitch, kPitchTexts, kPitchEntries);
    FillTranspositionList(cboOctave, kOctaveTexts, kOctaveEntries);
    FocusBack(txtFromTitle);
}

void FrmCopyByItem::optAdd_Click() {
    if (CursorAtTrackEnd(c_.s))
        FocusBack(txtFromTitle);
    else
        SwitchOff(optAdd);
}

void FrmCopyByItem::optInsert_Click() {
    if (CursorAtTrackEnd(c_.s))
        SwitchOff(optInsert);
    else
        FocusBack(txtFromTitle);
}

void FrmCopyByItem::optReplace_Click() {
    if (CursorAtTrackEnd(c_.s))
        SwitchOff(optReplace);
    else
        FocusBack(txtFromTitle);
}

void FrmCopyByItem::chkBarNos_Click() {
    const bool ticked = chkBarNos->isChecked();
    c_.s.CopyBarNumbers = ticked ? "Y" : "";
    lblOffset->setEnabled(ticked);
    txtOffset->setEnabled(ticked);
    if (ticked) {
        txtOffset->setText("0");
        FocusBack(txtOffset);
    } else {
        txtOffset->clear();
    }
}

CopyByItemTexts FrmCopyByItem::Texts() const {
    return {Text(txtFromTitle), Text(txtFromTrack), Text(txtFromItem), Text(txtNoItems),
            Text(txtOffset),    Text(txtChannel),   chkBarNos->isChecked()};
}

bool FrmCopyByItem::CheckFields() {
    const std::string mode = OptionMode(optAdd, optInsert, optReplace);
    const CopyField field =
        CopyByItemOK(c_, mode, Texts(), cboPitch->currentIndex(), cboOctave->currentIndex());
    switch (field) {
    case CopyField::None: return true;
    case CopyField::Channel: FocusBack(txtChannel); break;
    case CopyField::Title: FocusBack(txtFromTitle); break;
    case CopyField::Offset: FocusBack(txtOffset); break;
    case CopyField::Track: FocusBack(txtFromTrack); break;
    case CopyField::Item: FocusBack(txtFromItem); break;
    case CopyField::NoItems: FocusBack(txtNoItems); break;
    default: break;
    }
    return false;
}

} // namespace tnq
