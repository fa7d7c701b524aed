// Paths of the file system (bytes as it names them, UTF-8 here) as Qt
// texts, and back. A program text (Windows-1252) goes through ToQt instead.
#pragma once

#include <QString>

#include <string>

namespace tnq {

QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);

} // namespace tnq
