// The special-item picker on Qt Widgets.
#include "entry/ui/frm_note_options.h"

#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_placement.h"

namespace tnq {

namespace {

// Design sizes in twips.
constexpr double kFormWidth = 5520, kFormHeight = 5760;
constexpr double kRowTop = 120, kRowHeight = 300;

} // namespace

FrmNoteOptions::FrmNoteOptions(QWidget* owner, Context& c) : DialogForm(owner), c_(c) {
    setObjectName("frmNoteOptions");
    setWindowTitle("Options at Note");
    for (int r = 0; r < kNoteOptionRows; ++r) {
        const NoteOption& row = kNoteOptions[r];
        const double top = kRowTop + kRowHeight * r;
        options_[r] = Forms().Control(new QRadioButton(ToQt(row.Caption), this), row.Control);
        SetTwipsGeometry(options_[r], 240, top, 1215, 285);
        labels_[r] = new QLabel(ToQt(row.Explanation), this);
        Forms().AddControl(labels_[r], QString("Label%1").arg(r + 1));
        labels_[r]->setFocusPolicy(Qt::NoFocus);
        SetTwipsGeometry(labels_[r], 1560, top, 3840, 285);
    }
    Option(kNoteOptionsDisabledRow)->setEnabled(false);

    const double buttonsTop = kRowTop + kRowHeight * kNoteOptionRows + 180;
    btnOK = Forms().Control(new QPushButton("&OK", this), "btnOK");
    SetTwipsGeometry(btnOK, 1080, buttonsTop, 1335, 375);
    btnCancel = Forms().Control(new QPushButton("Ca&ncel", this), "btnCancel");
    SetTwipsGeometry(btnCancel, 2880, buttonsTop, 1335, 375);
    // Enter presses OK wherever the focus is.
    btnCancel->setAutoDefault(false);
    btnOK->setAutoDefault(false);
    btnOK->setDefault(true);

    const float tpp = TwipsPerPixel(this);
    setFixedSize(TwipsToPixels(kFormWidth, tpp), TwipsToPixels(kFormHeight, tpp));

    Forms().OnClick(btnOK, [this] { btnOK_Click(); });
    Forms().OnClick(btnCancel, [this] { btnCancel_Click(); });
    SetPlacement([this] {
        QtPlaceableForm placeable(this, this, Forms().Controls());
        PlaceNoteOptions(placeable, c_.sys.Screen(), c_.s.Resolution);
    });
}

void FrmNoteOptions::Form_Load() {
    // No row is selected at first (the switched-off last row is left alone).
    for (int r = 1; r < kNoteOptionsDisabledRow; ++r) {
        QRadioButton* o = Option(r);
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
}

int FrmNoteOptions::SelectedRow() const {
    for (int r = 1; r <= kNoteOptionRows; ++r)
        if (Option(r)->isChecked()) return r;
    return 0;
}

void FrmNoteOptions::btnOK_Click() {
    const std::optional<std::string> keyword = NoteOptionsKeyword(SelectedRow());
    if (!keyword) return;
    c_.s.DialogResult = *keyword;
    UnloadMe();
}

void FrmNoteOptions::btnCancel_Click() {
    c_.s.DialogResult.clear();
    UnloadMe();
}

} // namespace tnq
