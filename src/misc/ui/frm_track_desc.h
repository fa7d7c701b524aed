// frmTrackDesc, "Maintain Track Descriptions": a track number and its
// description; each description is stored as its box is left, and Update
// asks the command to rewrite the descriptions file. Enter moves on, Up
// arrow goes back; Esc is Cancel.
#pragma once

#include "core/context.h"
#include "misc/track_descriptions.h"
#include "platform/ui/parameter_dialog.h"

class QLabel;

namespace tnq {

class FrmTrackDesc : public ParameterDialog, public TrackDescDialog {
    Q_OBJECT
public:
    FrmTrackDesc(QWidget* owner, Context& c);

    // Clears the boxes, shows the range and runs the dialog modally;
    // DialogResult "ok" after Update, "" after Cancel.
    void Show(Context& c) override;

    void txtTrack_GotFocus();
    void txtTrack_LostFocus();
    void txtDescription_LostFocus();

    QLineEdit *txtTrack, *txtDescription;
    QLabel* lblLimitation;

protected:
    bool CheckFields() override { return true; }

private:
    Context& c_;
    QLabel *lblTrack, *lblDescription;
};

} // namespace tnq
