// The scale an X desktop announces: Xft.dpi among the resources, Xft/DPI
// among the XSETTINGS, and data that lie about their own length; and the
// environment that the program sets for its Qt alone.

#include "DesktopScale.h"
#include "QtOnlyEnvironment.h"

#include <QTest>
#include <QtEndian>

namespace {

struct Setting {
    quint8 type; // 0 integer, 1 string, 2 colour
    QByteArray name;
    qint32 integer = 0;
    QByteArray text = {};
};

// An XSETTINGS blob as a settings daemon writes it.
QByteArray xsettings(const QList<Setting> &settings, bool bigEndian = false)
{
    const auto pad = [](QByteArray &data) { data.append((4 - data.size() % 4) % 4, '\0'); };
    const auto card = [bigEndian](QByteArray &data, auto value) {
        char bytes[sizeof(value)];
        if (bigEndian)
            qToBigEndian(value, bytes);
        else
            qToLittleEndian(value, bytes);
        data.append(bytes, int(sizeof(value)));
    };
    QByteArray data(1, bigEndian ? 1 : 0);
    data.append(3, '\0');
    card(data, quint32(7)); // serial
    card(data, quint32(settings.size()));
    for (const Setting &setting : settings) {
        data.append(char(setting.type));
        data.append('\0');
        card(data, quint16(setting.name.size()));
        data.append(setting.name);
        pad(data);
        card(data, quint32(1)); // last change
        if (setting.type == 0) {
            card(data, setting.integer);
        } else if (setting.type == 1) {
            card(data, quint32(setting.text.size()));
            data.append(setting.text);
            pad(data);
        } else {
            data.append(8, '\x7f');
        }
    }
    return data;
}

const Setting theme{1, "Net/ThemeName", 0, "Adwaita-dark"};
const Setting colour{2, "Gtk/Colour"};

} // namespace

class DesktopScaleTest : public QObject
{
    Q_OBJECT

private slots:
    void resourcesGiveTheLastReadableXftDpi_data();
    void resourcesGiveTheLastReadableXftDpi();
    void xsettingsGiveXftDpiIn1024ths_data();
    void xsettingsGiveXftDpiIn1024ths();
    void truncatedXSettingsGiveNothing();
    void propertyValueEndsWithItsReply_data();
    void propertyValueEndsWithItsReply();
    void qtOnlyEnvironmentGoesBackToTheStart();
};

void DesktopScaleTest::resourcesGiveTheLastReadableXftDpi_data()
{
    QTest::addColumn<QByteArray>("resources");
    QTest::addColumn<int>("dpi");
    QTest::newRow("none") << QByteArray() << 0;
    QTest::newRow("xrdb's tab") << QByteArray("Xcursor.size:\t24\nXft.dpi:\t144\n") << 144;
    QTest::newRow("a blank, no newline") << QByteArray("Xft.dpi: 120") << 120;
    QTest::newRow("GNOME 3's fraction") << QByteArray("Xft.dpi:\t96.4\n") << 96;
    QTest::newRow("the last counts") << QByteArray("Xft.dpi:\t96\nXft.dpi:\t192\n") << 192;
    QTest::newRow("unreadable skipped") << QByteArray("Xft.dpi:\t144\nXft.dpi:\tbig\n") << 144;
    QTest::newRow("other resources") << QByteArray("Xft.antialias:\t1\n*dpi:\t144\n") << 0;
    // No screen has these: each is skipped like an unreadable one.
    QTest::newRow("beyond any double") << QByteArray("Xft.dpi:\t144\nXft.dpi:\t1e300\n") << 144;
    QTest::newRow("beyond an int") << QByteArray("Xft.dpi:\t99999999999\n") << 0;
    QTest::newRow("over 1000") << QByteArray("Xft.dpi:\t1001\n") << 0;
    QTest::newRow("1000") << QByteArray("Xft.dpi:\t1000\n") << 1000;
    QTest::newRow("zero") << QByteArray("Xft.dpi:\t0\n") << 0;
    QTest::newRow("negative") << QByteArray("Xft.dpi:\t-96\n") << 0;
    QTest::newRow("not a number") << QByteArray("Xft.dpi:\tnan\n") << 0;
}

void DesktopScaleTest::resourcesGiveTheLastReadableXftDpi()
{
    QFETCH(QByteArray, resources);
    QFETCH(int, dpi);
    QCOMPARE(DesktopScale::dpiInResources(resources), dpi);
}

void DesktopScaleTest::xsettingsGiveXftDpiIn1024ths_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("dpi");
    const Setting dpi144{0, "Xft/DPI", 144 * 1024};
    QTest::newRow("alone") << xsettings({dpi144}) << true << 144;
    QTest::newRow("after a string and a colour") << xsettings({theme, colour, dpi144}) << true << 144;
    QTest::newRow("big-endian") << xsettings({theme, dpi144}, true) << true << 144;
    QTest::newRow("rounded down") << xsettings({{0, "Xft/DPI", 98303}}) << true << 95;
    QTest::newRow("other settings only") << xsettings({theme, {0, "Xft/Hinting", 1}}) << false << 0;
    QTest::newRow("a string named so") << xsettings({{1, "Xft/DPI", 0, "147456"}}) << false << 0;
    QTest::newRow("empty") << QByteArray() << false << 0;
    QTest::newRow("over 1000") << xsettings({{0, "Xft/DPI", 1001 * 1024}}) << false << 0;
    QTest::newRow("Qt's default, -1") << xsettings({{0, "Xft/DPI", -1024}}) << false << 0;
    // Blobs that lie: each is read no further than it goes.
    const QByteArray whole = xsettings({theme, colour, {0, "Xft/DPI", 120 * 1024}});
    const auto lying = [&whole](int at, QByteArray bytes) { return whole.left(at) + bytes + whole.mid(at + bytes.size()); };
    QTest::newRow("unknown byte order") << lying(0, "\2") << false << 0;
    QTest::newRow("unknown type first") << lying(12, "\x9") << false << 0;
    QTest::newRow("too many settings") << lying(8, "\xff\0\0\x7f") << true << 120;
    QTest::newRow("a name past the end") << lying(14, "\xff\xff") << false << 0;
    QTest::newRow("a string past the end") << lying(36, "\xf0\xff\xff\xff") << false << 0;
}

void DesktopScaleTest::xsettingsGiveXftDpiIn1024ths()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, present);
    QFETCH(int, dpi);
    const DesktopScale::XSettingsDpi found = DesktopScale::dpiInXSettings(settings);
    QCOMPARE(found.present, present);
    QCOMPARE(found.dpi, dpi);
}

// Cut anywhere, a blob announces no DPI that it does not hold whole.
void DesktopScaleTest::truncatedXSettingsGiveNothing()
{
    const QByteArray whole = xsettings({theme, colour, {0, "Xft/DPI", 120 * 1024}});
    for (int length = 0; length < whole.size(); ++length)
        QVERIFY2(!DesktopScale::dpiInXSettings(whole.left(length)).present, qPrintable(QString::number(length)));
}

void DesktopScaleTest::propertyValueEndsWithItsReply_data()
{
    QTest::addColumn<quint32>("statedBytes");
    QTest::addColumn<quint32>("replyWords");
    QTest::addColumn<qint64>("read");
    QTest::newRow("as stated, padded") << 5u << 2u << qint64(5);
    QTest::newRow("none") << 0u << 0u << qint64(0);
    QTest::newRow("more stated than held") << 4096u << 2u << qint64(8);
    QTest::newRow("stated past an int") << 0xFFFFFFFFu << 3u << qint64(12);
}

void DesktopScaleTest::propertyValueEndsWithItsReply()
{
    QFETCH(quint32, statedBytes);
    QFETCH(quint32, replyWords);
    QFETCH(qint64, read);
    QCOMPARE(DesktopScale::heldValueBytes(statedBytes, replyWords), read);
}

// What the program started (the About form's browser) sees the user's
// environment: unset stays unset, a value stays that value, even empty.
void DesktopScaleTest::qtOnlyEnvironmentGoesBackToTheStart()
{
    qunsetenv("ZARTEX_UNSET");
    qputenv("ZARTEX_GIVEN", "user's");
    qputenv("ZARTEX_EMPTY", "");
    {
        QtOnlyEnvironment forQt;
        for (const char *name : {"ZARTEX_UNSET", "ZARTEX_GIVEN", "ZARTEX_EMPTY"}) {
            forQt.set(name, "program's");
            forQt.set(name, "program's again");
            QCOMPARE(qgetenv(name), QByteArray("program's again"));
        }
        forQt.restore();
        QVERIFY(!qEnvironmentVariableIsSet("ZARTEX_UNSET"));
        QCOMPARE(qgetenv("ZARTEX_GIVEN"), QByteArray("user's"));
        QVERIFY(qEnvironmentVariableIsSet("ZARTEX_EMPTY") && qEnvironmentVariableIsEmpty("ZARTEX_EMPTY"));
        // Once is enough: a second restore, or the end, changes nothing the user set since.
        qputenv("ZARTEX_GIVEN", "later");
    }
    QCOMPARE(qgetenv("ZARTEX_GIVEN"), QByteArray("later"));
}

QTEST_GUILESS_MAIN(DesktopScaleTest)
#include "tst_desktopscale.moc"
