// frmTwoNote, "Two Note Pattern": the bars to replace, the two notes with
// their octaves, the note value and the number of notes per bar. The bars,
// notes and octaves are entered afresh on every showing; Note Value and
// # Notes per Bar keep the last values. Note names are typed in upper case,
// a "b" typed second is the flat sign; Octave 2 follows Octave 1 when that
// box is left. Its OK checks are TwoNoteOK.
#pragma once

#include "editing/two_note.h"
#include "editing/ui/edit_dialog.h"

namespace tnq {

class FrmTwoNote : public EditDialog, public TwoNoteDialog {
    Q_OBJECT
public:
    // The dialog of the main window owner, created on first use.
    static FrmTwoNote& Of(QWidget* owner, Context& c);

    bool Show(Context& c) override;
    TwoNoteTexts Texts() const override;

    QLineEdit *txtFromBar, *txtToBar, *txtNoteName1, *txtOctave1, *txtNoteName2, *txtOctave2,
        *txtNoteValue, *txtNotesPerBar;

protected:
    FrmTwoNote(QWidget* owner, Context& c);
    void Form_Activate() override;
    bool CheckFields() override;

private:
    // A note-name box: upper case typed, the second key "B" made "b".
    void NoteNameBox(QLineEdit* box, int& keys);
    void txtOctave1_LostFocus();

    int keys1_ = 0, keys2_ = 0; // keys typed since each name box got the focus
};

} // namespace tnq
