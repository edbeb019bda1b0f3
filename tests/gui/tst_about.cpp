// The About form (placement, its addresses) and the hyperlink
// label (press, hover colours, pointer, empty address). The desktop's "open"
// action is intercepted: no browser is ever started.

#include "GuiTest.h"

#include "HyperlinkLabel.h"
#include "AboutWindow.h"
#include "MainWindow.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QDesktopServices>
#include <QScreen>
#include <QTest>
#include <QUrl>

using namespace Harness;

namespace {

// Records the web addresses handed to the desktop while it lives.
class OpenSpy : public QObject
{
    Q_OBJECT

public:
    OpenSpy()
    {
        for (const char *scheme : {"http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~OpenSpy() override
    {
        for (const char *scheme : {"http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl &address) { opened << address; }
};

} // namespace

class AboutTest : public GuiTest
{
    Q_OBJECT

private slots:

    void centredAtFirstShowingThenKeepsItsPlace();
    void addressesAreExampleAddresses();
    void pressOpensTheAddressAndLeavesTheFormOpen();
    void hoverTurnsRedAndBackWithTheHandPointer();

private:
};

void AboutTest::centredAtFirstShowingThenKeepsItsPlace()
{
    AboutWindow *about = program->page<AboutWindow>("about");
    chooseMenu(*program, "aboutAction");
    QVERIFY(about->isVisible());
    const QRect screen = about->screen()->geometry();
    const QPoint offCentre = about->frameGeometry().center() - screen.center();
    QVERIFY2(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));

    // Moved by the user, closed by "OK", opened again: where it was left.
    const QSize designed = about->size();
    about->move(40, 50);
    const QPoint left = about->pos();
    click(about->findChild<QPushButton *>("doneButton"));
    QVERIFY(about->isHidden());
    QVERIFY(program->mainWindow()->isVisible());
    chooseMenu(*program, "aboutAction");
    QCOMPARE(about->pos(), left);

    // The same after the close box.
    about->move(70, 20);
    about->close();
    chooseMenu(*program, "aboutAction");
    QCOMPARE(about->pos(), QPoint(70, 20));
    QCOMPARE(about->size(), designed);
}

void AboutTest::addressesAreExampleAddresses()
{
    AboutWindow *about = program->page<AboutWindow>("about");
    for (HyperlinkLabel *link : about->findChildren<HyperlinkLabel *>()) {
        const QUrl address(link->url());
        QVERIFY2(address.isValid() && address.scheme() == QLatin1String("https"), qPrintable(link->url()));
        QVERIFY2(address.host().endsWith(QLatin1String("example.org")), qPrintable(link->url()));
    }
}

void AboutTest::pressOpensTheAddressAndLeavesTheFormOpen()
{
    AboutWindow *about = program->page<AboutWindow>("about");
    OpenSpy spy;
    chooseMenu(*program, "aboutAction");
    for (const char *name : {"homePageLink", "projectPageLink"}) {
        auto *link = about->findChild<HyperlinkLabel *>(name);
        spy.opened.clear();
        // The right button does nothing; the left one opens on the press.
        QTest::mousePress(link, Qt::RightButton);
        QTest::mouseRelease(link, Qt::RightButton);
        QVERIFY(spy.opened.isEmpty());
        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(spy.opened, QList<QUrl>({QUrl(link->url())}));
        QTest::mouseRelease(link, Qt::LeftButton);
        QCOMPARE(spy.opened.size(), 1);
        QVERIFY(about->isVisible());
    }

    // An empty (or unusable) address opens nothing.
    spy.opened.clear();
    auto *link = about->findChild<HyperlinkLabel *>("homePageLink");
    for (const QString &address : {QString(), QStringLiteral("   "), QStringLiteral("http://exa mple.org/")}) {
        link->setUrl(address);
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseRelease(link, Qt::LeftButton);
    }
    QVERIFY(spy.opened.isEmpty());
}

void AboutTest::hoverTurnsRedAndBackWithTheHandPointer()
{
    AboutWindow *about = program->page<AboutWindow>("about");
    chooseMenu(*program, "aboutAction");
    for (const char *name : {"homePageLink", "projectPageLink"}) {
        auto *link = about->findChild<HyperlinkLabel *>(name);
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        auto colour = [link] { return link->palette().color(QPalette::WindowText); };
        QCOMPARE(colour(), QColor(0x00, 0x00, 0xFF));
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(link->mapToGlobal(QPoint(2, 2))));
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
