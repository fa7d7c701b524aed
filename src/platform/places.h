// The places a directory can be chosen from, in place of drive letters: the
// root, the home directory and the mounted media.
#pragma once

#include <string>
#include <vector>

namespace tnq {

// "/", home (when given), then the mount points of mounts (the text of
// /proc/mounts) under /media, /run/media and /mnt, in the order mounted.
std::vector<std::string> Places(const std::string& home, const std::string& mounts);

// The places of this system.
std::vector<std::string> SystemPlaces(const std::string& home);

} // namespace tnq
