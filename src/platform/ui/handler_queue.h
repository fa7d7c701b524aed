// A form's event handlers, run one at a time. Work asked for while a
// handler runs (a focus move, a keystroke sent by the program, the focus
// events those cause, a button's click) waits until the running handler
// has returned and then runs in the order it was asked for.
#pragma once

#include <QObject>

#include <deque>
#include <exception>
#include <functional>

namespace tnq {

class HandlerQueue : public QObject {
    Q_OBJECT
public:
    explicit HandlerQueue(QObject* parent = nullptr);

    // Runs a handler now (a key handler, a menu opener). A run-time error
    // escaping it goes to the error reporter.
    void Run(const std::function<void()>& handler);

    // Queues a handler: it runs once no handler of this form is running.
    void Post(std::function<void()> handler);

    bool Pending() const { return !jobs_.empty(); }

    // Receives what escapes a handler. Without one the error is written to
    // the log.
    void SetErrorReporter(std::function<void(const std::exception&)> report) {
        report_ = std::move(report);
    }

private:
    void ScheduleDrain();
    void Drain();

    std::deque<std::function<void()>> jobs_;
    std::function<void(const std::exception&)> report_;
    int depth_ = 0;
    bool scheduled_ = false;
    bool draining_ = false;
};

} // namespace tnq
