// F1 in any window of the program: an application-wide key filter that hands
// the window F1 was pressed in (for a drop-down list or a menu, the window
// that owns it) to the program's help.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace tnq {

class HelpKey : public QObject {
public:
    // show: shows help on the window and returns true, or returns false to
    // leave F1 to the window's own handlers.
    HelpKey(QObject* owner, std::function<bool(QWidget* window)> show);
    ~HelpKey() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QWidget*)> show_;
};

} // namespace tnq
