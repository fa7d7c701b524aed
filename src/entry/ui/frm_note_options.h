// frmNoteOptions, "Options at Note": the special-item picker that F7 in the
// note box shows. One option button per control item with its explanation
// beside it; OK hands the chosen keyword back through DialogResult. It is
// loaded afresh for each use and unloaded by OK, Cancel or the close box.
#pragma once

#include "core/context.h"
#include "entry/note_options.h"
#include "platform/ui/form_lifecycle.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace tnq {

class FrmNoteOptions : public DialogForm {
    Q_OBJECT
public:
    FrmNoteOptions(QWidget* owner, Context& c);

    // The option button of row 1..16 (index 0 is row 1), and its label.
    QRadioButton* Option(int row) const { return options_[row - 1]; }
    QLabel* Explanation(int row) const { return labels_[row - 1]; }
    // The selected row, 0 when none is.
    int SelectedRow() const;

    QPushButton *btnOK, *btnCancel;

    void btnOK_Click();
    void btnCancel_Click();

protected:
    void Form_Load() override;

private:
    Context& c_;
    QRadioButton* options_[kNoteOptionRows] = {};
    QLabel* labels_[kNoteOptionRows] = {};
};

} // namespace tnq
