// What every parameter dialog's form shares: its controls named and placed
// by their design positions in twips, and the keys and focus rule of the
// dialog protocol (a text box selects its whole text when it gets the
// focus; Enter presses a focused button and elsewhere moves to the next
// control; Up arrow moves to the previous one; no button is a default one).
#pragma once

#include <QObject>

#include <initializer_list>
#include <vector>

class QWidget;

namespace tnq {

// A control, its name and its design position in twips.
struct TwipsPlace {
    QWidget* Control;
    const char* Name;
    double Left, Top, Width, Height;
};

// Names and places the controls and gives the dialog its fixed design size.
void LayOutDialog(QWidget* dialog, double width, double height,
                  std::initializer_list<TwipsPlace> controls);

class DialogKeys : public QObject {
public:
    // Applies the rules to the controls in tab order (labels take no focus
    // and are left out).
    DialogKeys(QWidget* dialog, const std::vector<QWidget*>& tabOrder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tnq
