#include "ProgramFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#ifdef Q_OS_LINUX
#include <sys/auxv.h>
#endif

namespace {

#ifdef Q_OS_LINUX
// Started as "ld-linux-x86-64.so.2 program", the kernel ran the loader as
// the program: the process then has no interpreter, and the loader hands the
// program's own path on as the first argument.
bool startedByTheLoader()
{
    return getauxval(AT_BASE) == 0;
}
#endif

} // namespace

namespace ProgramFile {

QString path()
{
#ifdef Q_OS_LINUX
    const QStringList arguments = QCoreApplication::arguments();
    if (startedByTheLoader() && !arguments.isEmpty() && !arguments.first().isEmpty())
        return QFileInfo(arguments.first()).absoluteFilePath();
#endif
    return QCoreApplication::applicationFilePath();
}

QString folder()
{
    return QFileInfo(path()).absolutePath();
}

QString nameFromPath(const QString &programPath)
{
    const QString name = QFileInfo(programPath).fileName();
    const int dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString name()
{
    return nameFromPath(path());
}

} // namespace ProgramFile
