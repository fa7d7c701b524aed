// The passage boxes the dialogs of the value edits share (Edit Dynamics,
// Edit Pitch Bend, Revise Parameters, Randomize a Passage): a frame with By
// Bar / By Item and the From and To boxes, then Repeat Number, Beat Value,
// Starting Beat and No. of Beats. Every showing puts "1" into Repeat Number
// and "q" into Beat Value and empties the beat boxes; everything else keeps
// what it held.
#pragma once

#include "editing/passage_fields.h"
#include "editing/ui/edit_dialog.h"

class QFormLayout;
class QHBoxLayout;
class QGroupBox;
class QRadioButton;

namespace tnq {

class PassageDialog : public EditDialog {
    Q_OBJECT
public:
    QRadioButton *optByBar = nullptr, *optByItem = nullptr;
    QLineEdit *txtFrom = nullptr, *txtTo = nullptr;
    QLineEdit *txtNoRepeats = nullptr, *txtBeatValue = nullptr, *txtStartingBeat = nullptr,
              *txtNoBeats = nullptr;

protected:
    // byBar, byItem: the captions of the two options. By Bar is chosen.
    PassageDialog(QWidget* owner, Context& c, const char* name, const QString& caption,
                  const QString& byBar, const QString& byItem);

    // The frame of the options with From and To, and the rows of Repeat
    // Number and the beat boxes, for the dialog's layout.
    QGroupBox* frame = nullptr;
    QFormLayout* beatRows = nullptr;

    // The OK and Cancel buttons side by side, for the dialog's layout.
    QHBoxLayout* ButtonRow();

    PassageTexts Passage() const;
    // The resets of every showing.
    void ResetPassage();
    // The focus to the passage box a check named (nothing for the others);
    // false for every outcome but None.
    bool FocusOn(EditField field);
    // A click of Percent in the dialogs that scale values: ticked, the focus
    // to the percent box and the value boxes emptied; unticked, the percent
    // box emptied and the focus to From Value.
    void PercentClicked(bool ticked, QLineEdit* percent, QLineEdit* fromValue,
                        QLineEdit* toValue);
    // A box of the dialog's own, for FocusOn.
    virtual QWidget* OwnBox(EditField field) { (void)field; return nullptr; }
};

} // namespace tnq
