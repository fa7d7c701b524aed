// The settings dialog on Qt Widgets.
#include "misc/ui/frm_misc.h"

#include "platform/cp1252.h"
#include "platform/ui/qt_placement.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tnq {

namespace {

constexpr double kFormWidth = 6000, kFormHeight = 3900;

std::string BoxText(const QLineEdit* box) {
    return Utf8ToCp1252(box->text().toStdString());
}

void SetBoxText(QLineEdit* box, const std::string& text) {
    box->setText(QString::fromStdString(Cp1252ToUtf8(text)));
}

} // namespace

FrmMisc::FrmMisc(QWidget* owner, Context& c) : DialogForm(owner), c_(c) {
    setObjectName("frmMisc");
    setWindowTitle("Miscellaneous");
    Form& f = Forms();
    lblActsen = f.Control(new QLabel("PPQN", this), "lblActsen");
    txtActsen = f.Control(new QLineEdit(this), "txtActsen");
    lblDescription = f.Control(new QLabel("Description", this), "lblDescription");
    txtDescription = f.Control(new QLineEdit(this), "txtDescription");
    lblTracks = f.Control(new QLabel("Number of Tracks", this), "lblTracks");
    txtTracks = f.Control(new QLineEdit(this), "txtTracks");
    lblNts = f.Control(new QLabel("Items Per Track", this), "lblNts");
    txtNts = f.Control(new QLineEdit(this), "txtNts");
    btnOK = f.Control(new QPushButton("&OK", this), "btnOK");
    btnCancel = f.Control(new QPushButton("&Cancel", this), "btnCancel");
    chkDefaultActsen = f.Control(new QCheckBox("Default for all titles", this), "chkDefaultActsen");
    chkDefaultTracks = f.Control(new QCheckBox("Default for all titles", this), "chkDefaultTracks");
    chkDefaultNts = f.Control(new QCheckBox("Default for all titles", this), "chkDefaultNts");

    SetTwipsGeometry(lblActsen, 120, 150, 1800, 255);
    SetTwipsGeometry(txtActsen, 2040, 120, 1200, 315);
    SetTwipsGeometry(chkDefaultActsen, 3480, 120, 2400, 315);
    SetTwipsGeometry(lblDescription, 120, 600, 1800, 255);
    SetTwipsGeometry(txtDescription, 2040, 570, 3840, 615);
    SetTwipsGeometry(lblTracks, 120, 1350, 1800, 255);
    SetTwipsGeometry(txtTracks, 2040, 1320, 1200, 315);
    SetTwipsGeometry(chkDefaultTracks, 3480, 1320, 2400, 315);
    SetTwipsGeometry(lblNts, 120, 1830, 1800, 255);
    SetTwipsGeometry(txtNts, 2040, 1800, 1200, 315);
    SetTwipsGeometry(chkDefaultNts, 3480, 1800, 2400, 315);
    SetTwipsGeometry(btnOK, 1320, 2880, 1335, 435);
    SetTwipsGeometry(btnCancel, 3240, 2880, 1335, 435);
    const float tpp = TwipsPerPixel(this);
    setFixedSize(TwipsToPixels(kFormWidth, tpp), TwipsToPixels(kFormHeight, tpp));
    SetPlacement(c.sys.Screen(), c.s.Resolution);

    for (QLabel* l : {lblActsen, lblDescription, lblTracks, lblNts}) l->setFocusPolicy(Qt::NoFocus);
    txtDescription->setMaxLength(1 << 24);
    QWidget* order[] = {txtActsen,        txtDescription,   txtTracks,    txtNts, btnOK,
                        btnCancel,        chkDefaultActsen, chkDefaultTracks, chkDefaultNts};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    for (QPushButton* b : {btnOK, btnCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    // Typing a number clears its default box.
    const std::pair<QLineEdit*, QCheckBox*> pairs[] = {{txtActsen, chkDefaultActsen},
                                                       {txtTracks, chkDefaultTracks},
                                                       {txtNts, chkDefaultNts}};
    for (const auto& [box, chk] : pairs)
        connect(box, &QLineEdit::textEdited, chk, [chk = chk] { chk->setChecked(false); });
    f.OnClick(btnOK, [this] { btnOK_Click(); });
    f.OnClick(btnCancel, [this] { btnCancel_Click(); });
    f.Keys().SetCancelButton(btnCancel);
}

void FrmMisc::Show(Context& c) {
    const SettingsBoxes b = SettingsShowing(c.s);
    SetBoxText(txtActsen, b.Actsen);
    SetBoxText(txtDescription, b.Description);
    SetBoxText(txtTracks, b.Tracks);
    SetBoxText(txtNts, b.Nts);
    chkDefaultActsen->setChecked(b.DefaultActsen);
    chkDefaultTracks->setChecked(b.DefaultTracks);
    chkDefaultNts->setChecked(b.DefaultNts);
    txtActsen->setFocus();
    ShowModal();
}

SettingsBoxes FrmMisc::Boxes() const {
    SettingsBoxes b;
    b.Actsen = BoxText(txtActsen);
    b.Description = BoxText(txtDescription);
    b.Tracks = BoxText(txtTracks);
    b.Nts = BoxText(txtNts);
    b.DefaultActsen = chkDefaultActsen->isChecked();
    b.DefaultTracks = chkDefaultTracks->isChecked();
    b.DefaultNts = chkDefaultNts->isChecked();
    return b;
}

void FrmMisc::btnOK_Click() {
    switch (SettingsOK(c_, Boxes())) {
    case SettingsFocus::None: HideAndRedraw(); return;
    case SettingsFocus::Actsen: Forms().Focus().SetFocus(txtActsen); return;
    case SettingsFocus::Tracks: Forms().Focus().SetFocus(txtTracks); return;
    case SettingsFocus::Nts: Forms().Focus().SetFocus(txtNts); return;
    }
}

void FrmMisc::btnCancel_Click() {
    HideAndRedraw();
}

void FrmMisc::Form_QueryUnload(int& cancel) {
    cancel = 1;
    btnCancel_Click();
}

} // namespace tnq
