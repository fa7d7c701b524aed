// The Revise Bar Numbers dialog on Qt Widgets.
#include "entry/ui/frm_revise_bar_nos.h"

#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_placement.h"


#include <iterator>

namespace tnq {

namespace {

// Design size of the form, in twips.
constexpr double kFormWidth = 4680, kFormHeight = 2760;

} // namespace

FrmReviseBarNos::FrmReviseBarNos(QWidget* owner, Context& c)
    : ParameterDialog(owner, c.s.DialogResult, c.sys.Screen(), c.s.Resolution,
                      "frmReviseBarNos", "Revise Bar Numbers"),
      c_(c) {
    Form& f = Forms();
    auto label = [&](const char* name, const char* caption, double top) {
        QLabel* l = f.Control(new QLabel(caption, this), name);
        l->setFocusPolicy(Qt::NoFocus);
        SetTwipsGeometry(l, 120, top, 1335, 255);
        return l;
    };
    auto box = [&](const char* name, double top) {
        QLineEdit* t = TextBox(name);
        SetTwipsGeometry(t, 1560, top, 975, 315);
        return t;
    };
    lblFromItem = label("lblFromItem", "From Item", 270);
    txtFromItem = box("txtFromItem", 240);
    lblNoItems = label("lblNoItems", "No. of Items", 750);
    txtNoItems = box("txtNoItems", 720);
    lblBarNumber = label("lblBarNumber", "Bar Number", 1230);
    txtBarNumber = box("txtBarNumber", 1200);
    Buttons();
    SetTwipsGeometry(btnOK, 600, 1920, 1215, 375);
    SetTwipsGeometry(btnCancel, 2280, 1920, 1215, 375);
    optBarno = f.Control(new QRadioButton("Bar No.", this), "optBarno");
    SetTwipsGeometry(optBarno, 2880, 240, 1455, 315);
    optOffset = f.Control(new QRadioButton("Offset", this), "optOffset");
    SetTwipsGeometry(optOffset, 2880, 600, 1455, 315);

    const float tpp = TwipsPerPixel(this);
    setFixedSize(TwipsToPixels(kFormWidth, tpp), TwipsToPixels(kFormHeight, tpp));

    QWidget* order[] = {txtFromItem, txtNoItems, txtBarNumber, btnOK, btnCancel, optBarno,
                        optOffset};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    // Selecting an option from code runs its handler as a click does.
    connect(optBarno, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optBarno_Click();
    });
    connect(optOffset, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optOffset_Click();
    });
}

ReviseMode FrmReviseBarNos::Mode() const {
    return optOffset->isChecked() ? ReviseMode::Offset : ReviseMode::BarNumber;
}

void FrmReviseBarNos::Form_Activate() {
    optBarno->setChecked(true);
    ShowLabels(ReviseMode::BarNumber);
    Forms().Focus().SetFocus(txtFromItem);
}

void FrmReviseBarNos::ShowLabels(ReviseMode mode) {
    const ReviseLabels labels = ReviseBarNosLabels(mode);
    lblNoItems->setText(labels.Items);
    lblBarNumber->setText(labels.Bar);
}

void FrmReviseBarNos::optBarno_Click() {
    ShowLabels(ReviseMode::BarNumber);
}

void FrmReviseBarNos::optOffset_Click() {
    ShowLabels(ReviseMode::Offset);
}

bool FrmReviseBarNos::CheckFields() {
    std::optional<ReviseMode> mode;
    if (optBarno->isChecked()) mode = ReviseMode::BarNumber;
    if (optOffset->isChecked()) mode = ReviseMode::Offset;
    const ReviseBarNosEntry entry{mode, Text(txtFromItem), Text(txtNoItems), Text(txtBarNumber)};
    switch (ReviseBarNosOK(c_, entry)) {
    case ReviseCheck::Okay: return true;
    case ReviseCheck::OutOfRange: FocusBack(txtBarNumber); return false;
    case ReviseCheck::Refused: return false;
    }
    return false;
}

} // namespace tnq
