// One handler at a time, queued work afterwards in order.
#include "platform/ui/handler_queue.h"

#include <QDebug>

namespace tnq {

HandlerQueue::HandlerQueue(QObject* parent) : QObject(parent) {}

void HandlerQueue::Run(const std::function<void()>& handler) {
    ++depth_;
    try {
        handler();
    } catch (const std::exception& e) {
        if (report_)
            report_(e);
        else
            qWarning("Unhandled error in an event handler: %s", e.what());
    }
    --depth_;
    if (depth_ == 0 && !jobs_.empty() && !draining_) ScheduleDrain();
}

void HandlerQueue::Post(std::function<void()> handler) {
    jobs_.push_back(std::move(handler));
    if (depth_ == 0 && !draining_) ScheduleDrain();
}

void HandlerQueue::ScheduleDrain() {
    if (scheduled_) return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, &HandlerQueue::Drain, Qt::QueuedConnection);
}

void HandlerQueue::Drain() {
    scheduled_ = false;
    if (depth_ > 0 || draining_) return;
    draining_ = true;
    while (!jobs_.empty() && depth_ == 0) {
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        Run(job);
    }
    draining_ = false;
}

} // namespace tnq
