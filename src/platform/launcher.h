// Starting another program (the MIDI player, the auxiliary program) as a
// service: the window provides it on the toolkit, tests record what was
// started.
#pragma once

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
    // when it could not be found or started.
    virtual bool Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

} // namespace tnq
