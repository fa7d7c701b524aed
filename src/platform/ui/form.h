// What every window of the program is built on: its handler queue, key
// preview with the control key handlers, the classic focus events, the
// activation event, button clicks and its list of controls.
#pragma once

#include "platform/ui/classic_focus.h"
#include "platform/ui/form_activation.h"
#include "platform/ui/handler_queue.h"
#include "platform/ui/key_preview.h"

#include <QWidget>

#include <functional>
#include <vector>

class QAbstractButton;

namespace tnq {

class Form {
public:
    // window: the form's top-level widget. The form's helpers live as long
    // as the window.
    explicit Form(QWidget* window);

    QWidget* Window() const { return window_; }
    HandlerQueue& Queue() { return *queue_; }
    KeyPreview& Keys() { return *keys_; }
    ClassicFocus& Focus() { return *focus_; }
    FormActivation& Activation() { return *activation_; }

    // A button's click handler: it runs after the focus events the click
    // caused, as a queued handler.
    void OnClick(QAbstractButton* button, std::function<void()> handler);

    // Registers w as a control of the form under its name (also its
    // objectName); the placement rules scale the controls in this order.
    template <class W> W* Control(W* w, const char* name) {
        AddControl(w, name);
        return w;
    }
    void AddControl(QWidget* w, const QString& name);
    const std::vector<QWidget*>& Controls() const { return controls_; }

private:
    QWidget* window_;
    HandlerQueue* queue_;
    KeyPreview* keys_;
    ClassicFocus* focus_;
    FormActivation* activation_;
    std::vector<QWidget*> controls_;
};

} // namespace tnq
