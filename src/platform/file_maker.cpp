// FileMaker on POSIX calls and a thread that lives from the first file
// asked for to Finish.
#include "platform/file_maker.h"

#include <fcntl.h>
#include <unistd.h>

namespace tnq {

FileMaker::~FileMaker() {
    Finish();
}

void FileMaker::Make(std::string path) {
    if (thread_ && owner_ != ::getpid()) Abandon();
    if (!thread_) {
        queue_ = std::make_unique<Queue>();
        owner_ = ::getpid();
        thread_ = std::make_unique<std::thread>([this, q = queue_.get()] { Run(*q); });
    }
    asked_.push_back(path);
    {
        const std::lock_guard<std::mutex> hold(queue_->Lock);
        queue_->Paths.push_back(std::move(path));
    }
    queue_->Ready.notify_one();
}

void FileMaker::Finish() {
    if (!thread_) return;
    if (owner_ != ::getpid()) return Abandon();
    {
        const std::lock_guard<std::mutex> hold(queue_->Lock);
        queue_->Finishing = true;
    }
    queue_->Ready.notify_one();
    thread_->join();
    thread_.reset();
    queue_.reset();
}

void FileMaker::Abandon() {
    // The parent's queue and lock (possibly held when the process was made)
    // are left as they are. (A process forked while the thread runs should
    // rather only exec: the thread may hold the allocator's lock.)
    static_cast<void>(thread_.release());
    static_cast<void>(queue_.release());
}

void FileMaker::Run(Queue& q) {
    std::unique_lock<std::mutex> hold(q.Lock);
    for (;;) {
        q.Ready.wait(hold, [&q] { return q.Finishing || !q.Paths.empty(); });
        if (q.Paths.empty()) return; // finishing, and nothing left
        const std::string path = std::move(q.Paths.front());
        q.Paths.pop_front();
        hold.unlock();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd >= 0) ::close(fd);
        hold.lock();
    }
}

} // namespace tnq
