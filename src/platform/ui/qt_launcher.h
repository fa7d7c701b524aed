// Starting other programs with QProcess: the program runs on its own and is
// never waited for.
#pragma once

#include "platform/launcher.h"

namespace tnq {

class QtLauncher : public Launcher {
public:
    bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
};

} // namespace tnq
