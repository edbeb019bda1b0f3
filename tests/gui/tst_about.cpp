// The About form (placement, opening it twice, its texts) and the hyperlink
// label (press, hover colours, pointer, empty address). The desktop's "open"
// action is intercepted: no browser is ever started.

#include "Harness.h"

#include "HyperlinkLabel.h"
#include "AboutWindow.h"
#include "MainWindow.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>

using namespace Harness;

namespace {

// Records the addresses handed to the desktop while it lives.
struct OpenSpy
{
    OpenSpy()
    {
        HyperlinkLabel::setOpenHook([this](const QUrl &address) { opened << address; });
    }
    ~OpenSpy() { HyperlinkLabel::setOpenHook(nullptr); }
    QList<QUrl> opened;
};

} // namespace

class AboutTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { startProgram(); }
    void cleanup() { stopProgram(); }

    void centredAtFirstShowingThenKeepsItsPlace();
    void choosingItAgainChangesNothing();
    void versionAndAddressesAreOurs();
    void pressOpensTheAddressAndLeavesTheFormOpen();
    void hoverTurnsRedAndBackWithTheHandPointer();
};

void AboutTest::centredAtFirstShowingThenKeepsItsPlace()
{
    chooseMenu("N7");
    QVERIFY(aboutWindow->isVisible());
    const QRect screen = aboutWindow->screen()->geometry();
    const QPoint offCentre = aboutWindow->frameGeometry().center() - screen.center();
    QVERIFY2(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));

    // Moved by the user, closed by "OK", opened again: where it was left.
    aboutWindow->move(40, 50);
    const QPoint left = aboutWindow->pos();
    click(aboutWindow->findChild<QPushButton *>("Button1"));
    QVERIFY(aboutWindow->isHidden());
    QVERIFY(mainWindow->isVisible());
    chooseMenu("N7");
    QCOMPARE(aboutWindow->pos(), left);

    // The same after the close box.
    aboutWindow->move(70, 20);
    aboutWindow->close();
    chooseMenu("N7");
    QCOMPARE(aboutWindow->pos(), QPoint(70, 20));
    QCOMPARE(aboutWindow->size(), QSize(569, 362));
}

void AboutTest::choosingItAgainChangesNothing()
{
    chooseMenu("N7");
    aboutWindow->move(100, 90);
    const QRect before = aboutWindow->geometry();
    chooseMenu("N7");
    QVERIFY(aboutWindow->isVisible());
    QCOMPARE(aboutWindow->geometry(), before);
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count(windows.begin(), windows.end(), static_cast<QWidget *>(aboutWindow)), qsizetype(1));
}

void AboutTest::versionAndAddressesAreOurs()
{
    QVERIFY(aboutWindow->findChild<QLabel *>("Version")->text().contains(QStringLiteral(ZARTEX_VERSION)));
    const QList<HyperlinkLabel *> links = aboutWindow->findChildren<HyperlinkLabel *>();
    QCOMPARE(links.size(), 2);
    for (HyperlinkLabel *link : links) {
        const QUrl address(link->url());
        QVERIFY2(address.isValid() && address.scheme() == QLatin1String("https"), qPrintable(link->url()));
        QVERIFY2(address.host().endsWith(QLatin1String("example.org")), qPrintable(link->url()));
        QVERIFY(!link->text().isEmpty());
    }
}

void AboutTest::pressOpensTheAddressAndLeavesTheFormOpen()
{
    OpenSpy spy;
    chooseMenu("N7");
    for (const char *name : {"sWebLabel1", "sWebLabel2"}) {
        auto *link = aboutWindow->findChild<HyperlinkLabel *>(name);
        spy.opened.clear();
        // The right button does nothing; the left one opens on the press.
        QTest::mousePress(link, Qt::RightButton);
        QTest::mouseRelease(link, Qt::RightButton);
        QVERIFY(spy.opened.isEmpty());
        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(spy.opened, QList<QUrl>({QUrl(link->url())}));
        QTest::mouseRelease(link, Qt::LeftButton);
        QCOMPARE(spy.opened.size(), 1);
        QVERIFY(aboutWindow->isVisible());
    }

    // An empty (or unusable) address opens nothing.
    spy.opened.clear();
    auto *link = aboutWindow->findChild<HyperlinkLabel *>("sWebLabel1");
    for (const QString &address : {QString(), QStringLiteral("   "), QStringLiteral("http://exa mple.org/")}) {
        link->setUrl(address);
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseRelease(link, Qt::LeftButton);
    }
    QVERIFY(spy.opened.isEmpty());
}

void AboutTest::hoverTurnsRedAndBackWithTheHandPointer()
{
    chooseMenu("N7");
    for (const char *name : {"sWebLabel1", "sWebLabel2"}) {
        auto *link = aboutWindow->findChild<HyperlinkLabel *>(name);
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        auto colour = [link] { return link->palette().color(QPalette::WindowText); };
        QCOMPARE(colour(), QColor(0x00, 0x00, 0xFF));
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(link, &enter);
        QCOMPARE(colour(), QColor(0xFF, 0x00, 0x00));
        QVERIFY(link->font().underline());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        QCOMPARE(colour(), QColor(0x00, 0x00, 0xFF));
        QVERIFY(link->font().underline());
    }
}

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
