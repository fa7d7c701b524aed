// The passage boxes of the value-edit dialogs on Qt Widgets.
#include "editing/ui/passage_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QLineEdit>
#include <QRadioButton>

namespace tnq {

PassageDialog::PassageDialog(QWidget* owner, Context& c, const char* name, const QString& caption,
                             const QString& byBar, const QString& byItem)
    : EditDialog(owner, c, name, caption) {
    Form& f = Forms();
    frame = new QGroupBox(this);
    auto* rows = new QFormLayout(frame);
    optByBar = f.Control(new QRadioButton(byBar, frame), "optByBar");
    optByItem = f.Control(new QRadioButton(byItem, frame), "optByItem");
    optByBar->setChecked(true);
    txtFrom = TextBox("txtFrom");
    txtTo = TextBox("txtTo");
    rows->addRow(optByBar, optByItem);
    rows->addRow("From", txtFrom);
    rows->addRow("To", txtTo);

    beatRows = new QFormLayout;
    txtNoRepeats = TextBox("txtNoRepeats");
    txtBeatValue = TextBox("txtBeatValue");
    txtStartingBeat = TextBox("txtStartingBeat");
    txtNoBeats = TextBox("txtNoBeats");
    beatRows->addRow("Repeat Number", txtNoRepeats);
    beatRows->addRow("Beat Value", txtBeatValue);
    beatRows->addRow("Starting Beat", txtStartingBeat);
    beatRows->addRow("No. of Beats", txtNoBeats);
}

QHBoxLayout* PassageDialog::ButtonRow() {
    Buttons();
    auto* row = new QHBoxLayout;
    row->addWidget(btnOK);
    row->addWidget(btnCancel);
    return row;
}

PassageTexts PassageDialog::Passage() const {
    PassageTexts t;
    t.ByBar = optByBar->isChecked();
    t.ByItem = optByItem->isChecked();
    t.From = Text(txtFrom);
    t.To = Text(txtTo);
    t.RepeatNumber = Text(txtNoRepeats);
    t.BeatValue = Text(txtBeatValue);
    t.StartingBeat = Text(txtStartingBeat);
    t.NoBeats = Text(txtNoBeats);
    return t;
}

void PassageDialog::ResetPassage() {
    txtNoRepeats->setText("1");
    txtBeatValue->setText("q");
    txtStartingBeat->clear();
    txtNoBeats->clear();
}

void PassageDialog::PercentClicked(bool ticked, QLineEdit* percent, QLineEdit* fromValue,
                                   QLineEdit* toValue) {
    if (ticked) {
        FocusBack(percent);
        fromValue->clear();
        toValue->clear();
    } else {
        percent->clear();
        FocusBack(fromValue);
    }
}

bool PassageDialog::FocusOn(EditField field) {
    QWidget* box = nullptr;
    switch (field) {
    case EditField::None: return true;
    case EditField::Silent: return false;
    case EditField::RepeatNumber: box = txtNoRepeats; break;
    case EditField::BeatValue: box = txtBeatValue; break;
    case EditField::StartingBeat: box = txtStartingBeat; break;
    case EditField::NoBeats: box = txtNoBeats; break;
    default: box = OwnBox(field); break;
    }
    if (box) FocusBack(box);
    return false;
}

} // namespace tnq
