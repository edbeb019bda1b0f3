#include "DesktopScale.h"

#include "QtOnlyEnvironment.h"

#include <QList>
#include <QtEndian>
#include <QtGlobal>

#ifdef ZARTEX_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace {

// No screen is announced outside these; a value beyond them is a fault,
// and 1e300 would not even round to an int.
bool plausibleDpi(double dpi)
{
    return dpi >= 1 && dpi <= 1000;
}

// "144", or "144.0" as GNOME 3 once wrote it.
int dpiFromText(const QByteArray &text, bool *ok)
{
    const double dpi = text.trimmed().toDouble(ok);
    *ok = *ok && plausibleDpi(dpi);
    return *ok ? qRound(dpi) : 0;
}

// Reads an XSETTINGS blob front to back; every read is checked against its
// end, so a short or lying blob stops the reading.
class XSettingsReader
{
public:
    XSettingsReader(const QByteArray &data, bool bigEndian)
        : m_data(data)
        , m_bigEndian(bigEndian)
    {
    }

    bool skip(qint64 bytes)
    {
        if (bytes < 0 || bytes > m_data.size() - m_at)
            return false;
        m_at += bytes;
        return true;
    }

    // Skips `bytes` and the padding that rounds them up to four.
    bool skipPadded(qint64 bytes) { return skip(bytes) && skip((4 - bytes % 4) % 4); }

    bool card8(quint8 *value) { return read(value); }
    bool card16(quint16 *value) { return read(value); }
    bool card32(quint32 *value) { return read(value); }

    QByteArray bytes(qint64 count) const
    {
        return count <= m_data.size() - m_at ? m_data.mid(int(m_at), int(count)) : QByteArray();
    }

private:
    template<typename T>
    bool read(T *value)
    {
        if (qint64(sizeof(T)) > m_data.size() - m_at)
            return false;
        const char *at = m_data.constData() + m_at;
        *value = m_bigEndian ? qFromBigEndian<T>(at) : qFromLittleEndian<T>(at);
        m_at += qint64(sizeof(T));
        return true;
    }

    const QByteArray &m_data;
    const bool m_bigEndian;
    qint64 m_at = 0;
};

enum XSettingType : quint8 { IntegerSetting = 0, StringSetting = 1, ColourSetting = 2 };

#ifdef ZARTEX_XCB
struct FreeReply {
    void operator()(void *reply) const { std::free(reply); }
};
using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, FreeReply>;

struct Disconnect {
    void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
};

xcb_atom_t existingAtom(xcb_connection_t *connection, const QByteArray &name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, true, quint16(name.size()), name.constData()), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// A window's property of `type`, read in parts; empty where there is none.
QByteArray property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    QByteArray value;
    // A megabyte at most: no desktop announces more, and a lying server
    // cannot keep the start waiting.
    constexpr quint32 partWords = 16384;
    for (quint32 offset = 0; offset < 16 * partWords; offset += partWords) {
        const PropertyReply reply(xcb_get_property_reply(
            connection, xcb_get_property(connection, false, window, name, type, offset, partWords), nullptr));
        if (!reply || reply->type != type || reply->format != 8)
            break;
        value.append(static_cast<const char *>(xcb_get_property_value(reply.get())),
                     int(DesktopScale::heldValueBytes(reply->value_len, reply->length)));
        if (reply->bytes_after == 0)
            break;
    }
    return value;
}

xcb_screen_t *nthScreen(xcb_connection_t *connection, int number)
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screens.rem > 0; xcb_screen_next(&screens), --number) {
        if (number == 0)
            return screens.data;
    }
    return nullptr;
}

// The DPI that the X server named by DISPLAY announces; 0 for none, or
// where no X server answers.
int announcedDpi()
{
    int screenNumber = 0;
    const std::unique_ptr<xcb_connection_t, Disconnect> connection(xcb_connect(nullptr, &screenNumber));
    if (!connection || xcb_connection_has_error(connection.get()))
        return 0;
    xcb_screen_t *screen = nthScreen(connection.get(), screenNumber);
    if (!screen)
        return 0;
    const xcb_atom_t selection = existingAtom(connection.get(), "_XSETTINGS_S" + QByteArray::number(screenNumber));
    const xcb_atom_t settingsAtom = existingAtom(connection.get(), "_XSETTINGS_SETTINGS");
    if (selection != XCB_ATOM_NONE && settingsAtom != XCB_ATOM_NONE) {
        const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(xcb_get_selection_owner_reply(
            connection.get(), xcb_get_selection_owner(connection.get(), selection), nullptr));
        if (owner && owner->owner != XCB_WINDOW_NONE) {
            const DesktopScale::XSettingsDpi fromSettings = DesktopScale::dpiInXSettings(
                property(connection.get(), owner->owner, settingsAtom, settingsAtom));
            if (fromSettings.present)
                return fromSettings.dpi;
        }
    }
    return DesktopScale::dpiInResources(
        property(connection.get(), screen->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING));
}
#endif

} // namespace

namespace DesktopScale {

int dpiInResources(const QByteArray &resources)
{
    static const QByteArray key("Xft.dpi:");
    int dpi = 0;
    // The last line that gives one counts, as it does for Qt.
    for (const QByteArray &line : resources.split('\n')) {
        bool ok = false;
        const int given = line.startsWith(key) ? dpiFromText(line.mid(key.size()), &ok) : 0;
        if (ok)
            dpi = given;
    }
    return dpi;
}

qint64 heldValueBytes(quint32 statedBytes, quint32 replyWords)
{
    return qMin(qint64(statedBytes), qint64(replyWords) * 4);
}

XSettingsDpi dpiInXSettings(const QByteArray &settings)
{
    if (settings.isEmpty() || (settings.at(0) != 0 && settings.at(0) != 1))
        return {};
    XSettingsReader reader(settings, settings.at(0) == 1);
    quint32 count = 0;
    if (!reader.skip(8) || !reader.card32(&count))
        return {};
    XSettingsDpi found;
    for (quint32 i = 0; i < count; ++i) {
        quint8 type = 0;
        quint16 nameLength = 0;
        if (!reader.card8(&type) || !reader.skip(1) || !reader.card16(&nameLength))
            return found;
        const QByteArray name = reader.bytes(nameLength);
        quint32 value = 0;
        if (!reader.skipPadded(nameLength) || !reader.skip(4))
            return found;
        switch (type) {
        case IntegerSetting:
            if (!reader.card32(&value))
                return found;
            if (name == "Xft/DPI" && plausibleDpi(qint32(value) / 1024.0))
                found = {true, int(qint32(value)) / 1024};
            break;
        case StringSetting:
            if (!reader.card32(&value) || !reader.skipPadded(value))
                return found;
            break;
        case ColourSetting:
            if (!reader.skip(8))
                return found;
            break;
        default:
            return found;
        }
    }
    return found;
}

void holdUnannouncedScale([[maybe_unused]] QtOnlyEnvironment &environment)
{
#ifdef ZARTEX_XCB
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!qEnvironmentVariableIsEmpty("QT_FONT_DPI") || (!platform.isEmpty() && !platform.startsWith("xcb")))
        return;
    if (announcedDpi() <= 0)
        environment.set("QT_FONT_DPI", QByteArrayLiteral("96"));
#endif
}

} // namespace DesktopScale
