// The track description dialog on Qt Widgets.
#include "misc/ui/frm_track_desc.h"

#include "platform/ui/qt_placement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tnq {

namespace {
constexpr double kFormWidth = 6600, kFormHeight = 2400;
} // namespace

FrmTrackDesc::FrmTrackDesc(QWidget* owner, Context& c)
    : ParameterDialog(owner, c.s.DialogResult, c.sys.Screen(), c.s.Resolution, "frmTrackDesc",
                      "Maintain Track Descriptions"),
      c_(c) {
    Form& f = Forms();
    Buttons("&Update", "&Cancel");
    lblTrack = f.Control(new QLabel("Track", this), "lblTrack");
    txtTrack = TextBox("txtTrack", false);
    lblLimitation = f.Control(new QLabel(this), "lblLimitation");
    lblDescription = f.Control(new QLabel("Description", this), "lblDescription");
    txtDescription = TextBox("txtDescription", false);
    txtDescription->setMaxLength(1 << 24);
    SetTwipsGeometry(lblTrack, 120, 150, 900, 255);
    SetTwipsGeometry(txtTrack, 1080, 120, 720, 315);
    SetTwipsGeometry(lblLimitation, 1920, 150, 1500, 255);
    SetTwipsGeometry(lblDescription, 120, 630, 900, 255);
    SetTwipsGeometry(txtDescription, 1080, 600, 5400, 315);
    SetTwipsGeometry(btnOK, 1560, 1320, 1335, 435);
    SetTwipsGeometry(btnCancel, 3480, 1320, 1335, 435);
    const float tpp = TwipsPerPixel(this);
    setFixedSize(TwipsToPixels(kFormWidth, tpp), TwipsToPixels(kFormHeight, tpp));
    for (QLabel* l : {lblTrack, lblLimitation, lblDescription}) l->setFocusPolicy(Qt::NoFocus);
    setTabOrder(btnOK, btnCancel);
    setTabOrder(btnCancel, txtTrack);
    setTabOrder(txtTrack, txtDescription);
    f.Focus().OnGotFocus(txtTrack, [this] { txtTrack_GotFocus(); });
    f.Focus().OnLostFocus(txtTrack, [this] { txtTrack_LostFocus(); });
    f.Focus().OnLostFocus(txtDescription, [this] { txtDescription_LostFocus(); });
}

void FrmTrackDesc::Show(Context& c) {
    txtTrack->clear();
    txtDescription->clear();
    lblLimitation->setText(QString::fromStdString(TrackRangeText(c.s)));
    Forms().Focus().SetFocus(txtTrack);
    c.s.DialogResult = Run() ? "ok" : "";
}

void FrmTrackDesc::txtTrack_GotFocus() {
    txtTrack->clear();
    txtDescription->clear();
}

void FrmTrackDesc::txtTrack_LostFocus() {
    if (!isVisible()) return;
    const std::string track = Text(txtTrack);
    if (!TrackBoxAcceptable(c_.s, track)) {
        Forms().Focus().SetFocus(txtTrack);
        return;
    }
    SetText(txtDescription, DescriptionOfTrack(c_.s, track));
}

void FrmTrackDesc::txtDescription_LostFocus() {
    if (!isVisible()) return;
    StoreDescription(c_.s, Text(txtTrack), Text(txtDescription));
    Forms().Focus().SetFocus(txtTrack);
}

} // namespace tnq
