// The parts of a form, wired together.
#include "platform/ui/form.h"

#include <QAbstractButton>
#include <QPointer>

namespace tnq {

Form::Form(QWidget* window)
    : window_(window), queue_(new HandlerQueue(window)), keys_(new KeyPreview(window, *queue_)),
      focus_(new ClassicFocus(window, *queue_)), activation_(new FormActivation(window, *queue_)) {
    ClassicFocus* focus = focus_;
    keys_->SetAfterSend([focus] { focus->SyncNow(); });
}

void Form::OnClick(QAbstractButton* button, std::function<void()> handler) {
    ClassicFocus::MarkControl(button);
    HandlerQueue* queue = queue_;
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [queue, handler = std::move(handler)] { queue->Post(handler); });
}

void Form::AddControl(QWidget* w, const QString& name) {
    w->setObjectName(name);
    ClassicFocus::MarkControl(w);
    controls_.push_back(w);
}

} // namespace tnq
