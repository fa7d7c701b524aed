// The parameter dialogs of the Edit menu: every parameter dialog's
// behaviour on the program's state (OK and Cancel answer in DialogResult,
// the placement follows the screen and the Resolution setting), with the
// common bar and beat rules.
#pragma once

#include "core/context.h"
#include "core/edit_fields.h"
#include "platform/ui/parameter_dialog.h"

class QLineEdit;

namespace tnq {

class EditDialog : public ParameterDialog {
    Q_OBJECT
public:
    // owner: the main window; name: the form's control name; the placement
    // follows the screen and Resolution of c.
    EditDialog(QWidget* owner, Context& c, const char* name, const QString& caption);

protected:
    // The common bar and beat rules over the dialog's boxes (any beat box
    // may be null when the dialog has none); false after focusing the bad
    // one, or silently.
    bool CheckBarRange(QLineEdit* fromBar, QLineEdit* toBar, QLineEdit* startingBeat,
                       QLineEdit* numberOfBeats, QLineEdit* beatValue);

    Context& c_;
};

// The dialog of class F named name among the children of the main window
// owner; created by create and loaded on first use, then kept.
template <class F, class Create> F& KeptDialog(QWidget* owner, const char* name, Create create) {
    if (owner) {
        if (auto* f = owner->findChild<F*>(name, Qt::FindDirectChildrenOnly)) return *f;
    }
    F* f = create();
    f->Load();
    return *f;
}

} // namespace tnq
