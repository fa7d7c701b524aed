// frmReviseBarNos, "Revise Bar Numbers", shown by F6 in the bar box: the
// first item of a run of the current track, the number of items (or the
// last item) and the bar number (or the offset). Created once, hidden after
// OK or Cancel; its text boxes keep their values between uses, and each
// showing selects "Bar No." again with the focus in From Item. Its rules
// are those of revise_bar_nos.h, its keys and buttons those of every
// parameter dialog.
#pragma once

#include "core/context.h"
#include "entry/revise_bar_nos.h"
#include "platform/ui/parameter_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tnq {

class FrmReviseBarNos : public ParameterDialog {
    Q_OBJECT
public:
    FrmReviseBarNos(QWidget* owner, Context& c);

    // The mode the option buttons select.
    ReviseMode Mode() const;

    // Controls, in tab order.
    QLineEdit *txtFromItem, *txtNoItems, *txtBarNumber;
    QRadioButton *optBarno, *optOffset;
    QLabel *lblFromItem, *lblNoItems, *lblBarNumber;

    void optBarno_Click();
    void optOffset_Click();

protected:
    void Form_Activate() override;
    bool CheckFields() override;

private:
    void ShowLabels(ReviseMode mode);

    Context& c_;
};

} // namespace tnq
