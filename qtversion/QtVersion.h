#pragma once

// The few calls that differ between Qt 5.15 and Qt 6, and the Qt 5
// workarounds' switch, in one place: the program builds against either (see
// ZARTEX_QT_MAJOR in CMakeLists.txt). No other file tests Qt's version.

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QStringList>
#include <QtGlobal>

class QEnterEvent;
class QEvent;

namespace QtVersion {

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
// What QWidget::enterEvent() is handed.
using EnterEvent = QEnterEvent;

// Qt 6 gives every new accessible object an id never used before.
constexpr bool reusesAccessibleIds = false;

// Qt 6 takes the focus from a window that it hides.
constexpr bool keepsFocusOnHiddenWindows = false;

// The forms grow with the desktop's scale (Xft.dpi on X11, the display
// setting on Windows) by any factor, 1.5 included; Qt 6 does so by itself.
inline void followDesktopScale() {}

// Where an X desktop announces no scale, Qt 6 draws at 100 %.
constexpr bool guessesScaleFromScreenSize = false;

inline QString translationsPath()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

inline QStringList fontFamilies()
{
    return QFontDatabase::families();
}

// A press of a real mouse, not one that Qt or the system made from a touch.
inline bool isFromMouse(const QMouseEvent *event)
{
    return event->pointingDevice() && event->pointingDevice()->type() == QInputDevice::DeviceType::Mouse;
}
#else
using EnterEvent = QEvent;

// Qt 5 gives a new accessible object the id of the one made last, once that
// one is gone.
constexpr bool reusesAccessibleIds = true;

// Where no window manager takes it (offscreen, or X11 without one), Qt 5
// leaves the focus on a window that it hides.
constexpr bool keepsFocusOnHiddenWindows = true;

// Before the application is made: Qt 5 scales only when asked, and would
// round a factor of 1.5 up to 2.
inline void followDesktopScale()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

// Where an X desktop announces no scale, Qt 5 takes the screen's physical
// DPI for it (at least 96): 104 % on a monitor of 100 dpi, 160 % on a small
// laptop's.
constexpr bool guessesScaleFromScreenSize = true;

inline QString translationsPath()
{
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
}

inline QStringList fontFamilies()
{
    return QFontDatabase().families();
}

inline bool isFromMouse(const QMouseEvent *event)
{
    return event->source() == Qt::MouseEventNotSynthesized;
}
#endif

} // namespace QtVersion
