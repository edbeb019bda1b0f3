#pragma once

// The few calls that differ between Qt 5.15 and Qt 6, in one place: the
// program builds against either (see ZARTEX_QT_MAJOR in CMakeLists.txt).

#include <QFontDatabase>
#include <QLibraryInfo>
#include <QStringList>
#include <QtGlobal>

class QEnterEvent;
class QEvent;

namespace QtVersion {

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
// What QWidget::enterEvent() is handed.
using EnterEvent = QEnterEvent;

inline QString translationsPath()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

inline QStringList fontFamilies()
{
    return QFontDatabase::families();
}
#else
using EnterEvent = QEvent;

inline QString translationsPath()
{
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
}

inline QStringList fontFamilies()
{
    return QFontDatabase().families();
}
#endif

} // namespace QtVersion
