// What the program asks of the operating system at start-up: its version,
// the program's own directory, the search path and the pieces home.
#pragma once

#include "platform/placement.h"

#include <string>

namespace tnq {

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // The major version the start-up check compares with 4. Every Linux
    // system passes it.
    virtual int MajorVersion() const { return 4; }
    // Directory of the running executable.
    virtual std::string ProgramDirectory() const;
    // The PATH environment variable.
    virtual std::string SearchPath() const;
    // The user's home directory.
    virtual std::string HomeDirectory() const;
    // The screen the forms are placed on. The forms layer supplies the real
    // one; this default is a 1024 x 768 screen at 96 dots per inch.
    virtual ScreenMetrics Screen() const { return ScreenMetrics::FromPixels(1024, 768); }
};

// The program that deletes files and folders by hand, as messages name it.
inline constexpr const char* kFileManagerName = "the desktop's file manager";

// The directory that holds the pieces when none was chosen: ~/Tonquill.
std::string PiecesHome(const SystemInfo& sys);

} // namespace tnq
