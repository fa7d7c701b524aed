// frmMisc, "Miscellaneous": the piece's resolution, description, number of
// tracks and items per track, each number with its "Default for all
// titles" box. OK stores them (see misc/settings.h) or puts the focus back
// on the box it refused; OK and Cancel hide the dialog. Enter does not move
// between the boxes; Esc is Cancel.
#pragma once

#include "misc/settings.h"
#include "platform/ui/form_lifecycle.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tnq {

class FrmMisc : public DialogForm, public SettingsDialog {
    Q_OBJECT
public:
    FrmMisc(QWidget* owner, Context& c);

    // Fills the boxes from the state and shows the dialog modally.
    void Show(Context& c) override;

    void btnOK_Click();
    void btnCancel_Click();

    QLineEdit *txtActsen, *txtDescription, *txtTracks, *txtNts;
    QPushButton *btnOK, *btnCancel;
    QCheckBox *chkDefaultActsen, *chkDefaultTracks, *chkDefaultNts;

protected:
    // The close box is Cancel: the form stays loaded, so that the command
    // that showed it never holds a discarded dialog.
    void Form_QueryUnload(int& cancel) override;

private:
    SettingsBoxes Boxes() const;

    Context& c_;
    QLabel *lblActsen, *lblDescription, *lblTracks, *lblNts;
};

} // namespace tnq
