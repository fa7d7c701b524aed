// The Balance Tracks dialog on Qt Widgets.
#include "midifile/ui/frm_balance.h"

#include "core/startup.h"
#include "platform/placement.h"
#include "platform/ui/dialog_keys.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_placement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

namespace tnq {

namespace {

constexpr const char* kFormName = "frmBalance";

// Design size of the form, in twips.
constexpr double kFormWidth = 4800, kFormHeight = 3720;

} // namespace

FrmBalance& FrmBalance::Of(QWidget* owner) {
    if (owner) {
        if (auto* f = owner->findChild<FrmBalance*>(kFormName, Qt::FindDirectChildrenOnly))
            return *f;
    }
    return *new FrmBalance(owner);
}

FrmBalance::FrmBalance(QWidget* owner) : QDialog(owner) {
    setObjectName(kFormName);
    setWindowTitle("Balance Tracks");

    optByBar = new QRadioButton("By &Bar", this);
    optByItem = new QRadioButton("By &Item", this);
    lblFrom = new QLabel("From", this);
    txtFrom = new QLineEdit(this);
    lblTo = new QLabel("To", this);
    txtTo = new QLineEdit(this);
    lblNoRepeats = new QLabel("Repeat Number", this);
    txtNoRepeats = new QLineEdit(this);
    lblBeatValue = new QLabel("Beat Value", this);
    txtBeatValue = new QLineEdit(this);
    lblStartingBeat = new QLabel("Starting Beat", this);
    txtStartingBeat = new QLineEdit(this);
    lblNoBeats = new QLabel("No. of Beats", this);
    txtNoBeats = new QLineEdit(this);
    btnOK = new QPushButton("&OK", this);
    btnCancel = new QPushButton("&Cancel", this);

    LayOutDialog(this, kFormWidth, kFormHeight,
                 {
                     {optByBar, "optByBar", 240, 120, 1800, 315},
                     {optByItem, "optByItem", 2520, 120, 1800, 315},
                     {lblFrom, "lblFrom", 240, 600, 1800, 255},
                     {txtFrom, "txtFrom", 2520, 570, 1200, 315},
                     {lblTo, "lblTo", 240, 1000, 1800, 255},
                     {txtTo, "txtTo", 2520, 970, 1200, 315},
                     {lblNoRepeats, "lblNoRepeats", 240, 1400, 1800, 255},
                     {txtNoRepeats, "txtNoRepeats", 2520, 1370, 1200, 315},
                     {lblBeatValue, "lblBeatValue", 240, 1800, 1800, 255},
                     {txtBeatValue, "txtBeatValue", 2520, 1770, 1200, 315},
                     {lblStartingBeat, "lblStartingBeat", 240, 2200, 1800, 255},
                     {txtStartingBeat, "txtStartingBeat", 2520, 2170, 1200, 315},
                     {lblNoBeats, "lblNoBeats", 240, 2600, 1800, 255},
                     {txtNoBeats, "txtNoBeats", 2520, 2570, 1200, 315},
                     {btnOK, "btnOK", 720, 3060, 1200, 420},
                     {btnCancel, "btnCancel", 2640, 3060, 1200, 420},
                 });
    for (QLabel* l : {lblFrom, lblTo, lblNoRepeats, lblBeatValue, lblStartingBeat, lblNoBeats})
        l->setFocusPolicy(Qt::NoFocus);
    new DialogKeys(this, {optByBar, optByItem, txtFrom, txtTo, txtNoRepeats, txtBeatValue,
                          txtStartingBeat, txtNoBeats, btnOK, btnCancel});
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOK_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
}

std::optional<BalanceEntry> FrmBalance::Show(Context& c) {
    if (!loaded_) Form_Load(c);
    Form_Activate();
    c_ = &c;
    setWindowModality(Qt::ApplicationModal);
    const int code = exec();
    c_ = nullptr;
    if (code != QDialog::Accepted) {
        c.s.DialogResult = "";
        return std::nullopt;
    }
    c.s.DialogResult = "okay";
    return Entry();
}

void FrmBalance::Form_Load(Context& c) {
    loaded_ = true;
    std::vector<QWidget*> controls;
    for (QObject* o : children())
        if (auto* w = qobject_cast<QWidget*>(o)) controls.push_back(w);
    QtPlaceableForm placeable(this, this, std::move(controls));
    PlaceDialog(placeable, c.sys.Screen(), c.s.Resolution);
}

void FrmBalance::Form_Activate() {
    optByBar->setChecked(true);
    txtNoRepeats->setText("1");
    txtBeatValue->setText("q");
    txtStartingBeat->clear();
    txtNoBeats->clear();
    txtFrom->setFocus(Qt::OtherFocusReason);
}

BalanceEntry FrmBalance::Entry() const {
    BalanceEntry e;
    e.ByItem = optByItem->isChecked();
    e.From = FromQt(txtFrom->text());
    e.To = FromQt(txtTo->text());
    e.Repeats = FromQt(txtNoRepeats->text());
    e.BeatValue = FromQt(txtBeatValue->text());
    e.StartingBeat = FromQt(txtStartingBeat->text());
    e.NoBeats = FromQt(txtNoBeats->text());
    return e;
}

void FrmBalance::btnOK_Click() {
    if (!c_) return;
    QLineEdit* back = nullptr;
    switch (CheckBalanceEntry(c_->s, Entry())) {
    case BalanceRefusal::None:
        c_->s.DialogResult = "okay";
        accept();
        return;
    case BalanceRefusal::NoTrack:
        return;
    case BalanceRefusal::SecondTrack:
        ItemSelectionWarning(*c_);
        return;
    case BalanceRefusal::Repeats:
        back = txtNoRepeats;
        break;
    case BalanceRefusal::BeatValue:
        back = txtBeatValue;
        break;
    case BalanceRefusal::StartingBeat:
        back = txtStartingBeat;
        break;
    case BalanceRefusal::NoBeats:
        back = txtNoBeats;
        break;
    }
    back->setFocus(Qt::OtherFocusReason);
}

void FrmBalance::btnCancel_Click() {
    if (c_) c_->s.DialogResult = "";
    done(QDialog::Rejected);
}

void FrmBalance::reject() {
    btnCancel_Click();
}

} // namespace tnq
