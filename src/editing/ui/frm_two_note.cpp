// The Two Note Pattern dialog on Qt Widgets.
#include "editing/ui/frm_two_note.h"

#include "core/vocabulary.h"
#include "platform/vb.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tnq {

FrmTwoNote& FrmTwoNote::Of(QWidget* owner, Context& c) {
    return KeptDialog<FrmTwoNote>(owner, "frmTwoNote", [&] { return new FrmTwoNote(owner, c); });
}

FrmTwoNote::FrmTwoNote(QWidget* owner, Context& c)
    : EditDialog(owner, c, "frmTwoNote", "Two Note Pattern") {
    txtFromBar = TextBox("txtFromBar");
    txtToBar = TextBox("txtToBar");
    txtNoteName1 = TextBox("txtNoteName1", false);
    txtOctave1 = TextBox("txtOctave1", false);
    txtNoteName2 = TextBox("txtNoteName2", false);
    txtOctave2 = TextBox("txtOctave2");
    txtNoteValue = TextBox("txtNoteValue");
    txtNotesPerBar = TextBox("txtNotesPerBar");
    NoteNameBox(txtNoteName1, keys1_);
    NoteNameBox(txtNoteName2, keys2_);
    Forms().Focus().OnGotFocus(txtOctave1, [this] {
        QMetaObject::invokeMethod(txtOctave1, &QLineEdit::selectAll, Qt::QueuedConnection);
    });
    Forms().Focus().OnLostFocus(txtOctave1, [this] { txtOctave1_LostFocus(); });

    auto* rows = new QFormLayout;
    rows->addRow("From Bar", txtFromBar);
    rows->addRow("To Bar", txtToBar);
    rows->addRow("Note Name 1", txtNoteName1);
    rows->addRow("Octave 1", txtOctave1);
    rows->addRow("Note Name 2", txtNoteName2);
    rows->addRow("Octave 2", txtOctave2);
    rows->addRow("Note Value", txtNoteValue);
    rows->addRow("# Notes per Bar", txtNotesPerBar);

    LayOutWithButtons(rows);
    // Enter after # Notes per Bar reaches Cancel before OK.
    TabOrder({txtFromBar, txtToBar, txtNoteName1, txtOctave1, txtNoteName2, txtOctave2,
              txtNoteValue, txtNotesPerBar, btnCancel, btnOK});
}

void FrmTwoNote::NoteNameBox(QLineEdit* box, int& keys) {
    Forms().Focus().OnGotFocus(box, [box, &keys] {
        keys = 0;
        QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
    });
    Forms().Keys().OnKeyPress(box, [&keys](int& ascii) {
        NoteNameKey(ascii, ++keys);
    });
}

void FrmTwoNote::txtOctave1_LostFocus() {
    txtOctave2->setText(txtOctave1->text());
}

bool FrmTwoNote::Show(Context&) {
    return Run();
}

TwoNoteTexts FrmTwoNote::Texts() const {
    return {Text(txtFromBar),   Text(txtToBar),     Text(txtNoteName1), Text(txtOctave1),
            Text(txtNoteName2), Text(txtOctave2),   Text(txtNoteValue), Text(txtNotesPerBar)};
}

void FrmTwoNote::Form_Activate() {
    for (QLineEdit* box :
         {txtFromBar, txtToBar, txtNoteName1, txtOctave1, txtNoteName2, txtOctave2})
        box->clear();
    FocusBack(txtFromBar);
}

bool FrmTwoNote::CheckFields() {
    TwoNoteTexts t = Texts();
    const GridField field = TwoNoteOK(c_.s, t);
    if (field == GridField::Silent) return false;
    SetText(txtNoteName1, t.Note1);
    SetText(txtNoteName2, t.Note2);
    SetText(txtOctave1, t.Octave1);
    SetText(txtOctave2, t.Octave2);
    SetText(txtNoteValue, t.NoteValue);
    switch (field) {
    case GridField::None: return true;
    case GridField::Note1: FocusBack(txtNoteName1); break;
    case GridField::Note2: FocusBack(txtNoteName2); break;
    case GridField::Octave1: FocusBack(txtOctave1); break;
    case GridField::Octave2: FocusBack(txtOctave2); break;
    case GridField::Value: FocusBack(txtNoteValue); break;
    case GridField::PerBar: FocusBack(txtNotesPerBar); break;
    default: break;
    }
    return false;
}

} // namespace tnq
