// frmCopyByBar, the dialog of Copy a Section ("Horizontal Copy by Bar") and
// Vertical Copy ("Vertical Copy by Bar"): the source piece and bars, the
// destination option with its At Bar and bar-number offset, and the
// transposition lists. Every showing starts from the defaults; the title
// box is open only for Copy a Section. Its OK checks are CopyByBarOK.
#pragma once

#include "editing/copy_commands.h"
#include "editing/ui/edit_dialog.h"

#include <string>

class QComboBox;
class QLabel;
class QRadioButton;

namespace tnq {

// Fills a transposition list afresh, at its first entry.
void FillTranspositionList(QComboBox* box, const char* const* texts, int count);
// The CopyMode the selected option names: "ADD", "INSERT", "REPLACE", or
// "" when none is selected.
std::string OptionMode(const QRadioButton* add, const QRadioButton* insert,
                       const QRadioButton* replace);

class FrmCopyByBar : public EditDialog, public CopyByBarDialog {
    Q_OBJECT
public:
    // The dialog of the main window owner, created on first use:
    //     CopySection(C(), FrmTrackSel::Of(this), FrmCopyByBar::Of(this, C()));
    static FrmCopyByBar& Of(QWidget* owner, Context& c);

    bool Show(Context& c) override;
    CopyByBarTexts Texts() const override;

    QLabel* lblTitle = nullptr;
    QLineEdit *txtTitle, *txtFromBar, *txtToBar, *txtBeatValue, *txtStartingBeat, *txtNoBeats;
    QRadioButton *optAdd, *optReplace, *optInsert;
    QLineEdit *txtAtBar, *txtOffset;
    QComboBox *cboPitch, *cboOctave;

protected:
    FrmCopyByBar(QWidget* owner, Context& c);
    void Form_Activate() override;
    bool CheckFields() override;
};

} // namespace tnq
