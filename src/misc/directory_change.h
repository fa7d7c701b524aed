// The Change Directory dialog's logic: the rows of its directory list, and
// OK, which makes the chosen directory the pieces directory (and, on
// request, the stored default). A piece open meanwhile stays where it is.
#pragma once

#include "core/context.h"

#include <string>
#include <vector>

namespace tnq {

// One row of the directory list: the directories from the root down to the
// list's path (open), then the path's subdirectories in name order.
struct DirRow {
    std::string Name; // the directory's own name ("/" for the root)
    std::string Path; // its full path
    int Level = 0;    // depth below the root
    bool Open = false;
};

// The rows for path. Raises VbError when the directory cannot be listed
// (76 when it is missing, 70 when it may not be read).
std::vector<DirRow> DirListRows(const std::string& path);

// The message of an error of the drive or directory lists: "Error",
// Str(number), " " and its text.
std::string DirListErrorText(const VbError& e);

// OK of the dialog with the directory selected, the path the list shows
// and the default box. Returns true when the dialog is to hide: the
// directory is unchanged, or it became the pieces directory (caption, and
// the "FilePath" setting when makeDefault). False, with the dialog kept up
// and nothing changed, for a piece directory (silently) and for a directory
// that cannot be used ("Directory not changed").
bool ChangeDirectoryOK(Context& c, const std::string& selected, const std::string& listPath,
                       bool makeDefault);

} // namespace tnq
