// FileMaker: empty files made on a thread of its own, ahead of the commit
// that writes them. Making a file can cost the file system far more than
// writing its bytes; a command that changes many files has them made while
// it works on the next ones.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tnq {

class FileMaker {
public:
    FileMaker() = default;
    FileMaker(const FileMaker&) = delete;
    FileMaker& operator=(const FileMaker&) = delete;
    ~FileMaker();

    // An empty file at path, unless a file is there already; a file that
    // cannot be made is left to whoever writes it to find out.
    void Make(std::string path);
    // Every file asked for is made (or could not be); the thread ends.
    void Finish();
    // The files asked for since the last Forget.
    const std::vector<std::string>& Asked() const { return asked_; }
    void Forget() { asked_.clear(); }

private:
    struct Queue {
        std::mutex Lock;
        std::condition_variable Ready;
        std::deque<std::string> Paths;
        bool Finishing = false;
    };
    void Run(Queue& q);

    // Let go of, without waiting or destroying (a process made by fork
    // while the thread ran has no such thread: its parent has).
    void Abandon();

    std::unique_ptr<Queue> queue_;
    std::unique_ptr<std::thread> thread_;
    int owner_ = 0; // the process the thread runs in
    std::vector<std::string> asked_;
};

} // namespace tnq
