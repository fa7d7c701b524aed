// Starting another program (the MIDI player, the auxiliary program) as a
// service: the window provides it on the toolkit, tests record what was
// started.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tnq {

class Launcher {
public:
    virtual ~Launcher() = default;

    // Starts program (a path or a name looked up on the search path) with
    // the given arguments, each passed as one argument whatever blanks it
    // holds. Texts are bytes as the file system names them. Returns at once
    // once the program has started, without waiting for it to end; false
    // when it could not be found or started. A program that has started but
    // ends with a failure within its first few seconds (a non-zero exit
    // status, as a file opener finding no program for the file) calls
    // onEarlyFailure later, once, from the event loop.
    virtual bool Start(const std::string& program, const std::vector<std::string>& arguments,
                       std::function<void()> onEarlyFailure) = 0;
    bool Start(const std::string& program, const std::vector<std::string>& arguments) {
        return Start(program, arguments, {});
    }
};

} // namespace tnq
