// frmBalance, the dialog of "&Balance Tracks...": a bar range (or an item
// range of the one active track), the occurrence of the range, and an
// optional beat window inside it.
//
// It lives as a child of the window that shows it, created and placed on
// first use and hidden after OK or Cancel; From and To keep their texts
// for the next use, the other boxes are set afresh each time it is shown.
#pragma once

#include "midifile/balance_commands.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tnq {

class FrmBalance : public QDialog, public BalanceDialog {
    Q_OBJECT
public:
    // The form of owner's window: the loaded one, or a new one.
    static FrmBalance& Of(QWidget* owner);

    // Shows the form modally; DialogResult is "okay" after OK and "" after
    // Cancel (also Esc and the close box).
    std::optional<BalanceEntry> Show(Context& c) override;

    // Controls, in tab order.
    QRadioButton* optByBar;
    QRadioButton* optByItem;
    QLineEdit* txtFrom;
    QLineEdit* txtTo;
    QLineEdit* txtNoRepeats;
    QLineEdit* txtBeatValue;
    QLineEdit* txtStartingBeat;
    QLineEdit* txtNoBeats;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    void reject() override;

private:
    explicit FrmBalance(QWidget* owner);

    void Form_Load(Context& c);
    void Form_Activate();
    void btnOK_Click();
    void btnCancel_Click();
    BalanceEntry Entry() const;

    Context* c_ = nullptr; // while shown
    bool loaded_ = false;
    QLabel *lblFrom, *lblTo, *lblNoRepeats, *lblBeatValue, *lblStartingBeat, *lblNoBeats;
};

} // namespace tnq
