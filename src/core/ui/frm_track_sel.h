// frmTrackSel, the track-selection dialog, on Qt Widgets: a check box per
// track in six columns of sixteen, "All Tracks", "Except", "Clear
// Selection", OK and Cancel. The boxes only show the marks that the
// dialog's rules (TrackSelRules) keep; every click goes through the rules.
//
// It lives as a child of the window that shows it, created and placed on
// first use and hidden after OK, Cancel or Esc, so that its marks rebuild
// the selection at the next showing. The close box cancels too and
// discards the form: the next use starts with every box unticked.
#pragma once

#include "core/track_selection.h"
#include "platform/placement.h"
#include "platform/ui/control_array.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace tnq {

class FrmTrackSel : public QDialog, public TrackSelectionDialog {
    Q_OBJECT
public:
    // The form of owner's window: the loaded one, or a new one. From a
    // command of the main window:
    //     FrmTrackSel::Of(this).Show(C());
    static FrmTrackSel& Of(QWidget* owner);

    // Shows the form modally (placing it first when it is new). After the
    // close box the form is discarded: ask Of for the next use.
    void Show(Context& c) override;
    void SetCaption(const std::string& caption) override;

    const TrackSelRules& Rules() const { return rules_; }

    // Design height of the form, in twips; its width follows the tracks.
    static constexpr double kFormHeight = 5775;

    // Controls, in tab order.
    QCheckBox* chkClear;
    ControlArray<QCheckBox> chkTrack{"chkTrack"}; // 0 = "All Tracks", 1..96
    QCheckBox* chkExcept;
    QPushButton* btnSelTrkOK;
    QPushButton* btnSelTrkCancel;

protected:
    // Esc: the same as Cancel.
    void reject() override;
    // The close box: Cancel, then the form is discarded.
    void closeEvent(QCloseEvent* e) override;

private:
    explicit FrmTrackSel(QWidget* owner);

    void Form_Load(Context& c);
    void Form_Activate(Context& c);
    void chkTrack_Click(int i, bool ticked);
    void chkClear_Click(bool ticked);
    void btnSelTrkOK_Click();
    void btnSelTrkCancel_Click();
    // Every box shows its mark as the rules keep it.
    void ShowMarks();
    // Width, columns and place (centred) by the number of tracks.
    void Arrange(int numTracks, const ScreenMetrics& screen);

    TrackSelRules rules_;
    Context* c_ = nullptr; // while shown
    bool loaded_ = false;
    bool closedByBox_ = false;
    double scale_ = 1; // the placement's scale, kept for the geometry
};

} // namespace tnq
