// frmMidFile, the .MID options dialog both writers show before they write:
// the title and copyright texts of the first chunk, the active-sense chunk
// and its step, and the division (shown and checked, not read back).
//
// It lives as a child of the window that shows it, created and placed on
// first use, hidden after OK (keeping the active-sense box and step for the
// next use) and discarded after Abort, the close box or Esc, so that the
// next use starts again from the initial values.
#pragma once

#include "midifile/mid_options.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tnq {

class FrmMidFile : public QDialog, public MidOptionsDialog {
    Q_OBJECT
public:
    // The form of owner's window (the main window, which owns it): the
    // loaded one, or a new one. From "&Make .MID file...":
    //     MakeMidFile(C(), FrmMidFile::Of(this));
    static FrmMidFile& Of(QWidget* owner);

    // Shows the form modally (placing it first when it is new), with its
    // boxes filled from the program state; DialogResult is "" after OK and
    // "abort" after Abort. After Abort the form is discarded: do not use it
    // again, ask Of for the next use.
    std::optional<MidOptions> Show(Context& c) override;

    // Initial contents of the active-sense step box; the box starts unticked.
    static constexpr const char* kInitialActiveSenseStep = "480";

    // Controls, in tab order.
    QPushButton* btnAbort;
    QPushButton* btnOK;
    QLineEdit* txtTitle;
    QLineEdit* txtCopyright;
    QLineEdit* txtActiveSense;
    QCheckBox* chkActiveSense;
    QLineEdit* txtMidTempo;

protected:
    // Esc and the close box: the same as Abort.
    void reject() override;

private:
    explicit FrmMidFile(QWidget* owner);

    void Form_Load(Context& c);
    void Form_Activate(Context& c);
    void btnOK_Click();
    void btnAbort_Click();
    // The focus back on a box that failed its check, its text selected.
    void FocusBack(QLineEdit* box);

    Context* c_ = nullptr; // while shown
    bool loaded_ = false;
    QLabel* lblTitle;
    QLabel* lblCopyright;
    QLabel* lblMidTempo;
};

} // namespace tnq
