// File system paths to Qt texts and back, in the file system's encoding.
#include "platform/ui/qt_paths.h"

#include <QFile>

namespace tnq {

QString PathToQt(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromQt(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace tnq
