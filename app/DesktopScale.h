#pragma once

#include <QByteArray>

class QtOnlyEnvironment;

// The scale an X desktop announces, read as Qt's X11 platform reads it:
// Xft.dpi among the root window's resources (xrdb), or Xft/DPI among the
// XSETTINGS, which take precedence. GNOME, KDE, Xfce and MATE announce one;
// a bare window manager or a kiosk session may announce none.
namespace DesktopScale {

// The DPI that Xft.dpi gives in a RESOURCE_MANAGER text; 0 where none.
// A value outside 1 to 1000 gives none.
int dpiInResources(const QByteArray &resources);

// How many bytes of a property reply's value (of 8-bit items) to read: the
// length that the reply states, but no more than the reply holds after its
// 32-byte header, whose size the reply gives in words of four bytes.
qint64 heldValueBytes(quint32 statedBytes, quint32 replyWords);

// Whether an XSETTINGS blob holds the integer Xft/DPI (in 1024ths of a
// DPI), and the DPI it gives. Malformed data holds nothing.
struct XSettingsDpi {
    bool present = false;
    int dpi = 0;
};
XSettingsDpi dpiInXSettings(const QByteArray &settings);

// Before the application is made, on an X desktop that announces no
// scale: the forms at 100 %, as Qt 6 draws them. Qt 5 would otherwise take
// the screen's physical DPI for the scale, 104 % on a monitor of 100 dpi.
// A choice of the user's (QT_FONT_DPI, another platform) is left alone.
void holdUnannouncedScale(QtOnlyEnvironment &environment);

} // namespace DesktopScale
