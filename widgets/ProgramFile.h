#pragma once

#include <QString>

// The program's own file, however it was started: directly, through its
// launcher, or by the system's loader, which the launcher asks to run a
// copy that lost its execute bits. In that last case the process's file is
// the loader, and Qt's applicationFilePath() names the loader.
namespace ProgramFile {

QString path();
QString folder();

// The program file's name without its directory and without everything
// from its first dot on ("/opt/x/zartex.bin" gives "zartex"): the caption
// of its message boxes and the name it gives the desktop.
QString nameFromPath(const QString &programPath);
QString name();

} // namespace ProgramFile
