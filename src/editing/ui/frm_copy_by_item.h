// frmCopyByItem, "Copy by Item", shown by F8 in the bar box: a counted run
// of items of any track of the open piece or of another piece, copied to
// the current track at its cursor. Add is offered only behind the track's
// last item, Insert and Replace only inside it; the source, offset and
// channel boxes are entered afresh on every showing. Its OK checks are
// CopyByItemOK.
#pragma once

#include "editing/copy_commands.h"
#include "editing/ui/edit_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace tnq {

class FrmCopyByItem : public EditDialog {
    Q_OBJECT
public:
    // The dialog of the main window owner, created on first use.
    static FrmCopyByItem& Of(QWidget* owner, Context& c);

    QLineEdit *txtFromTitle, *txtFromTrack, *txtFromItem, *txtNoItems;
    QRadioButton *optAdd, *optReplace, *optInsert;
    QComboBox *cboPitch, *cboOctave;
    QCheckBox* chkBarNos;
    QLabel* lblOffset;
    QLineEdit *txtOffset, *txtChannel;

    void optAdd_Click();
    void optInsert_Click();
    void optReplace_Click();
    void chkBarNos_Click();

protected:
    FrmCopyByItem(QWidget* owner, Context& c);
    void Form_Activate() override;
    bool CheckFields() override;

private:
    CopyByItemTexts Texts() const;
};

} // namespace tnq
