// The Edit menu's parameter dialogs on the program's state.
#include "editing/ui/edit_dialog.h"

#include <QLineEdit>

namespace tnq {

EditDialog::EditDialog(QWidget* owner, Context& c, const char* name, const QString& caption)
    : ParameterDialog(owner, c.s.DialogResult, c.sys.Screen(), c.s.Resolution, name, caption),
      c_(c) {}

bool EditDialog::CheckBarRange(QLineEdit* fromBar, QLineEdit* toBar, QLineEdit* startingBeat,
                               QLineEdit* numberOfBeats, QLineEdit* beatValue) {
    BarFields f;
    f.FromBar = Text(fromBar);
    f.ToBar = Text(toBar);
    if (startingBeat && numberOfBeats && beatValue) {
        f.StartingBeat = Text(startingBeat);
        f.NumberOfBeats = Text(numberOfBeats);
        f.BeatValue = Text(beatValue);
    }
    switch (CheckBarFields(f)) {
    case BarField::None: return true;
    case BarField::BeatValue: FocusBack(beatValue); return false;
    case BarField::StartingBeat: FocusBack(startingBeat); return false;
    case BarField::NumberOfBeats: FocusBack(numberOfBeats); return false;
    case BarField::FromBar: FocusBack(fromBar); return false;
    case BarField::ToBar: FocusBack(toBar); return false;
    case BarField::Silent: return false;
    }
    return false;
}

} // namespace tnq
