// Other programs started with QProcess.
#include "platform/ui/qt_launcher.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace tnq {

namespace {

QString FileName(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

} // namespace

bool QtLauncher::Start(const std::string& program, const std::vector<std::string>& arguments) {
    if (program.empty()) return false;
    QStringList args;
    for (const std::string& a : arguments) args << FileName(a);
    // A detached start reports only whether the program could be started;
    // the program then runs on its own, outliving this one if need be.
    return QProcess::startDetached(FileName(program), args);
}

} // namespace tnq
