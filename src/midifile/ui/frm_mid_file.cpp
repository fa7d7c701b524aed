// The .MID options dialog on Qt Widgets.
#include "midifile/ui/frm_mid_file.h"

#include "platform/cp1252.h"
#include "platform/placement.h"
#include "platform/ui/dialog_keys.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_placement.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

namespace tnq {

namespace {

constexpr const char* kFormName = "frmMidFile";

// Box texts keep every byte of the program's text (a lone CR or LF of a
// description included).
QString BoxText(const std::string& bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

// Design size of the form, in twips.
constexpr double kFormWidth = 6600, kFormHeight = 3000;

} // namespace

FrmMidFile& FrmMidFile::Of(QWidget* owner) {
    if (owner) {
        if (auto* f = owner->findChild<FrmMidFile*>(kFormName, Qt::FindDirectChildrenOnly))
            return *f;
    }
    return *new FrmMidFile(owner);
}

FrmMidFile::FrmMidFile(QWidget* owner) : QDialog(owner) {
    setObjectName(kFormName);
    setWindowTitle("Create .Mid File");

    btnAbort = new QPushButton("&Abort", this);
    btnOK = new QPushButton("&OK", this);
    lblTitle = new QLabel("Title and General Description", this);
    txtTitle = new QLineEdit(this);
    lblCopyright = new QLabel("Copyright", this);
    txtCopyright = new QLineEdit(this);
    txtActiveSense = new QLineEdit(kInitialActiveSenseStep, this);
    chkActiveSense = new QCheckBox("Adjust Active Sense", this);
    lblMidTempo = new QLabel("PPQN", this);
    txtMidTempo = new QLineEdit(this);

    // Design positions in twips; the screen order of the checks on OK is
    // active-sense step, then PPQN.
    LayOutDialog(this, kFormWidth, kFormHeight,
                 {
                     {lblTitle, "lblTitle", 120, 120, 6360, 255},
                     {txtTitle, "txtTitle", 120, 390, 6360, 315},
                     {lblCopyright, "lblCopyright", 120, 840, 6360, 255},
                     {txtCopyright, "txtCopyright", 120, 1110, 6360, 315},
                     {txtActiveSense, "txtActiveSense", 120, 1620, 900, 315},
                     {chkActiveSense, "chkActiveSense", 1140, 1620, 2640, 315},
                     {lblMidTempo, "lblMidTempo", 4200, 1650, 720, 255},
                     {txtMidTempo, "txtMidTempo", 4980, 1620, 900, 315},
                     {btnOK, "btnOK", 1800, 2280, 1200, 420},
                     {btnAbort, "btnAbort", 3600, 2280, 1200, 420},
                 });

    // Long descriptions are not cut.
    for (QLineEdit* box : {txtTitle, txtCopyright}) box->setMaxLength(1 << 24);

    // Tab order: Abort, OK, Title, Copyright, step, Adjust Active Sense, PPQN.
    for (QLabel* l : {lblTitle, lblCopyright, lblMidTempo}) l->setFocusPolicy(Qt::NoFocus);
    new DialogKeys(this, {btnAbort, btnOK, txtTitle, txtCopyright, txtActiveSense, chkActiveSense,
                          txtMidTempo});
    btnAbort->setFocus();

    connect(btnOK, &QPushButton::clicked, this, [this] { btnOK_Click(); });
    connect(btnAbort, &QPushButton::clicked, this, [this] { btnAbort_Click(); });
}

std::optional<MidOptions> FrmMidFile::Show(Context& c) {
    if (!loaded_) Form_Load(c);
    Form_Activate(c);
    c_ = &c;
    setWindowModality(Qt::ApplicationModal);
    const int code = exec();
    c_ = nullptr;

    if (code != QDialog::Accepted) {
        c.s.DialogResult = "abort";
        // Unloaded: the next use builds a new form with its initial values.
        setObjectName(QString());
        deleteLater();
        return std::nullopt;
    }
    c.s.DialogResult = "";
    MidOptions o;
    o.Title = FromQt(txtTitle->text());
    o.Copyright = FromQt(txtCopyright->text());
    o.ActiveSense = chkActiveSense->isChecked();
    o.ActiveSenseStep = ActiveSenseStepFromText(FromQt(txtActiveSense->text())).value_or(0);
    return o;
}

void FrmMidFile::Form_Load(Context& c) {
    loaded_ = true;
    std::vector<QWidget*> controls = {lblTitle,       txtTitle,       lblCopyright, txtCopyright,
                                      txtActiveSense, chkActiveSense, lblMidTempo,  txtMidTempo,
                                      btnOK,          btnAbort};
    QtPlaceableForm placeable(this, this, std::move(controls));
    PlaceDialog(placeable, c.sys.Screen(), c.s.Resolution);
}

void FrmMidFile::Form_Activate(Context& c) {
    const State& s = c.s;
    setWindowTitle(BoxText(MidDialogCaption(s)));
    txtMidTempo->setText(BoxText(MidDialogPpqn(s)));
    txtCopyright->setText(BoxText(MidDialogCopyright(s)));
    txtTitle->setText(BoxText(MidDialogTitle(s)));
}

void FrmMidFile::btnOK_Click() {
    if (c_) c_->s.DialogResult = "";
    // The boxes in screen order; the first bad one takes the focus back.
    // A ticked active-sense box needs a step the chunk can advance by.
    if (chkActiveSense->isChecked()) {
        const std::optional<std::int32_t> step =
            ActiveSenseStepFromText(FromQt(txtActiveSense->text()));
        if (!step) {
            FocusBack(txtActiveSense);
            return;
        }
        // Not more messages than a file is given.
        const std::string refusal =
            c_ ? ActiveSenseStepRefusal(*step, c_->s.MidReference) : std::string();
        if (!refusal.empty()) {
            c_->msg.MsgBox(refusal, mb::Exclamation, MidDialogCaption(c_->s));
            FocusBack(txtActiveSense);
            return;
        }
    }
    if (!MidPpqnAcceptable(FromQt(txtMidTempo->text()))) {
        FocusBack(txtMidTempo);
        return;
    }
    accept();
}

void FrmMidFile::btnAbort_Click() {
    if (c_) c_->s.DialogResult = "abort";
    done(QDialog::Rejected);
}

void FrmMidFile::reject() {
    btnAbort_Click();
}

void FrmMidFile::FocusBack(QLineEdit* box) {
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

} // namespace tnq
