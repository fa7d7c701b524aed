// What every parameter dialog shares (those of the Edit menu, Revise Bar
// Numbers, the track descriptions): placed (centred, or scaled by the
// Resolution setting) when it is loaded; Enter moves to the next control
// and Up arrow to the previous one, Enter on a button presses it; text
// boxes select their whole text when they get the focus; title boxes
// upper-case what is typed; OK checks the fields in screen order and leaves
// the focus on the first bad one; OK stores "okay" and Cancel "" in the
// dialog's result, and either hides the dialog and redraws the main window.
// Each dialog adds only its own fields, checks and what it stores.
#pragma once

#include "platform/placement.h"
#include "platform/ui/form_lifecycle.h"

#include <initializer_list>
#include <string>

class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tnq {

class ParameterDialog : public DialogForm {
    Q_OBJECT
public:
    // owner: the main window; name: the form's control name; result: where
    // OK and Cancel leave their answer (the program's DialogResult, which
    // outlives the dialog); the placement follows screen and resolution.
    ParameterDialog(QWidget* owner, std::string& result, const ScreenMetrics& screen,
                    int resolution, const char* name, const QString& caption);

    // Shows the dialog modally; true when it ended with OK ("okay", or the
    // result the dialog stored in its place).
    bool Run();

    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    // The dialog's own checks, in screen order: on the first bad field call
    // FocusBack (or nothing, for a silent refusal) and return false.
    virtual bool CheckFields() = 0;
    // What a valid OK stores besides "okay"; it may put a result of its own
    // (never "") into the dialog's result instead.
    virtual void StoreFields() {}

    // A text box of the dialog, registered under its name; it selects its
    // whole text when it gets the focus unless told otherwise.
    QLineEdit* TextBox(const char* name, bool selectAllOnFocus = true);
    // Every character typed into box is upper-cased (a piece title).
    void UpperCaseTyping(QLineEdit* box);
    // The OK and Cancel buttons, Cancel also pressed by Esc.
    void Buttons(const QString& okCaption = "&OK", const QString& cancelCaption = "&Cancel");
    // The dialog's fields above its OK and Cancel buttons (made here).
    void LayOutWithButtons(QLayout* fields);
    // The tab order of the controls, first to last.
    void TabOrder(std::initializer_list<QWidget*> controls);
    // The focus back on a field that failed its check.
    void FocusBack(QWidget* field);
    // Clears an option button of an exclusive set, which a click cannot
    // do; its handlers do not run.
    static void SwitchOff(QRadioButton* option);
    // A box's text in the program's encoding.
    static std::string Text(const QLineEdit* box);
    static void SetText(QLineEdit* box, const std::string& text);

    void Form_KeyDown(int& keyCode, int& shift) override;
    void Form_KeyPress(int& keyAscii) override;

private:
    void btnOK_Click();
    void btnCancel_Click();

    std::string& result_;
};

} // namespace tnq
