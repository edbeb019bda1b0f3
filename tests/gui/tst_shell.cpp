// The program shell: the owner of the windows, main form, marks, splash,
// message box and the form activation event.

#include "GuiTest.h"

#include "PageWindow.h"
#include "ActivationTracker.h"
#include "MessageBox.h"
#include "PictureBox.h"
#include "ProgramFile.h"
#include "LabelBoardTask.h"
#include "MainWindow.h"
#include "ShapeQuizTask.h"
#include "SplashScreen.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Harness;

class ShellTest : public GuiTest
{
    Q_OBJECT

private slots:

    void formsAreCreatedOnceHidden();
    void mainFormIsAsDesigned();
    void unstretchedPicturesShowWhole();
    void misspeltPageNameStopsTheStart();
    void styleSheetsSelectControlsThatExist();
    void mainFormButtonsAndMenuOpenTheirForms_data();
    void mainFormButtonsAndMenuOpenTheirForms();
    void menusKeepTheirOwnCaptions();
    void openingAVisibleFormChangesNothing();
    void closingTheMainFormEndsTheProgram();
    void messageBoxCaptionIsTheProgramName();
    void realMessageBoxIsPlainAndCentred();
    void activationFiresWhenAFormBecomesActive();
    void activationIgnoresOtherProgramsAndMessageBoxes();
    void spaceTypesNoBlankButPressesButtons_data();
    void spaceTypesNoBlankButPressesButtons();
    void splashComesFirstAndClosesOnItsTimer();

private:
};

void ShellTest::formsAreCreatedOnceHidden()
{
    // The main form, the splash, then every page in the order of the list.
    QList<QWidget *> expected = {program->mainWindow(), program->splashScreen()};
    for (const PageEntry &page : pages())
        expected << program->window(page.pageName());
    QCOMPARE(program->windows(), expected);
    for (QWidget *form : program->windows()) {
        if (form != program->mainWindow())
            QVERIFY2(form->isHidden(), qPrintable(form->objectName()));
    }
}

void ShellTest::mainFormIsAsDesigned()
{
    for (const PageEntry &page : pages()) {
        if (page.kind == PageKind::About)
            continue;
        const QString name = page.pageName();
        auto *mark = program->mainWindow()->findChild<PictureBox *>(name + QLatin1String("Mark"));
        auto *button = program->mainWindow()->findChild<QPushButton *>(name + QLatin1String("Button"));
        QVERIFY2(mark && button, qPrintable(name));
        QVERIFY2(mark->isHidden(), qPrintable(name));
        QVERIFY2(mark->stretch() && !mark->image().isNull(), qPrintable(name));
        // A mark stands just left of its button, in its row.
        const QRect m = mark->geometry(), b = button->geometry();
        QVERIFY2(m.right() < b.left() && b.left() - m.right() < 20, qPrintable(name));
        QVERIFY2(m.top() < b.bottom() && b.top() < m.bottom(), qPrintable(name));
    }
    // Tab order follows the description, not the layout.
    QWidget *first = program->mainWindow()->findChild<QPushButton *>("flowchartElementsButton");
    QCOMPARE(first->nextInFocusChain()->objectName(), QString("workedExampleButton"));
}

// A picture drawn at its natural size from the top-left corner shows its
// whole outline in its place: no edge is cut off.
void ShellTest::unstretchedPicturesShowWhole()
{
    int judged = 0;
    for (QWidget *window : program->windows()) {
        for (PictureBox *picture : window->findChildren<PictureBox *>()) {
            const QImage &image = picture->image();
            QRect outline;
            for (int y = 0; y < image.height() && !picture->stretch(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (qGray(image.pixel(x, y)) < 128)
                        outline |= QRect(x, y, 1, 1);
                }
            }
            if (outline.isEmpty())
                continue;
            ++judged;
            QVERIFY2(picture->rect().contains(outline), qPrintable(window->objectName() + '.' + picture->objectName()));
        }
    }
    QVERIFY(judged > 0);
}

void ShellTest::misspeltPageNameStopsTheStart()
{
    // A page whose name the main form does not know, and one whose form
    // lacks only its mark: the start stops, naming the control.
    const auto create = [] { return static_cast<PageWindow *>(nullptr); };
    const std::pair<PageEntry, const char *> faults[] = {{{"cosineLow", PageKind::Exercise, create}, "cosineLowAction"},
                                                         {{"about", PageKind::Exercise, create}, "aboutButton"}};
    for (const auto &[page, missing] : faults) {
        try {
            MainWindow window({page});
            QFAIL("a page without its controls was taken");
        } catch (const MainWindow::MissingControl &fault) {
            QVERIFY2(QString::fromStdString(fault.what()).contains(QLatin1String(missing)), fault.what());
        }
    }
}

void ShellTest::styleSheetsSelectControlsThatExist()
{
    // A rule for a control by its name silently styles nothing once the
    // control is renamed.
    static const QRegularExpression byName(QStringLiteral("#([A-Za-z_]\\w*)\\s*(?:\\{|:|,)"));
    for (QWidget *window : program->windows()) {
        for (QWidget *styled : window->findChildren<QWidget *>()) {
            for (auto match = byName.globalMatch(styled->styleSheet()); match.hasNext();) {
                const QString name = match.next().captured(1);
                QVERIFY2(styled->objectName() == name || styled->findChild<QWidget *>(name),
                         qPrintable(window->objectName() + QLatin1Char('.') + styled->objectName() + QLatin1String(" styles #")
                                    + name));
            }
        }
    }
}

void ShellTest::mainFormButtonsAndMenuOpenTheirForms_data()
{
    QTest::addColumn<QString>("page");
    for (const PageEntry &page : pages())
        QTest::newRow(page.name) << page.pageName();
}

void ShellTest::mainFormButtonsAndMenuOpenTheirForms()
{
    QFETCH(QString, page);
    QWidget *target = program->window(page);
    if (auto *button = program->mainWindow()->findChild<QPushButton *>(page + QLatin1String("Button"))) {
        click(button);
        QVERIFY(target->isVisible());
        target->close();
        QVERIFY(target->isHidden());
    }
    chooseMenu(*program, (page + QLatin1String("Action")).toLatin1().constData());
    QVERIFY(target->isVisible());
    // Only the forms, never new windows.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            QVERIFY2(program->windows().contains(window), qPrintable(window->objectName()));
    }
}

void ShellTest::menusKeepTheirOwnCaptions()
{
    const QList<QAction *> top = program->mainWindow()->menuBar()->actions();
    QCOMPARE(top.size(), 3);
    QVERIFY(!top[2]->menu());
    // The theory pages are in the first menu, the exercises in the second,
    // each page once.
    for (const PageEntry &page : pages()) {
        QAction *entry = menuEntry(*program, (page.pageName() + QLatin1String("Action")).toLatin1().constData());
        const QList<QAction *> where = page.kind == PageKind::Exercise ? top[1]->menu()->actions()
                                       : page.kind == PageKind::About  ? QList<QAction *>{top[2]}
                                                                       : top[0]->menu()->actions();
        QVERIFY2(where.count(entry) == 1, page.name);
    }
}

void ShellTest::openingAVisibleFormChangesNothing()
{
    auto *open = program->mainWindow()->findChild<QPushButton *>("flowchartElementsButton");
    click(open);
    QVERIFY(QTest::qWaitForWindowExposed(program->window("flowchartElements")));
    program->window("flowchartElements")->move(40, 50);
    const QRect placed = program->window("flowchartElements")->geometry();
    program->mainWindow()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->mainWindow()));
    const int windows = QApplication::topLevelWidgets().size();
    click(open);
    chooseMenu(*program, "flowchartElementsAction");
    QCOMPARE(program->window("flowchartElements")->geometry(), placed);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QApplication::processEvents();
    // not raised to the front either
    QCOMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->mainWindow()));
}

void ShellTest::closingTheMainFormEndsTheProgram()
{
    chooseMenu(*program, "flowchartElementsAction");
    chooseMenu(*program, "orangeCostAction");
    // exec() returns only if closing the main form quits the application,
    // with other forms still open.
    MainWindow *main = program->mainWindow();
    QTimer::singleShot(0, main, [main] { main->close(); });
    // The guard goes with the test: left pending, it would end a later
    // test's event loop, such as the splash's.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QApplication::exit(7); });
    guard.start(5000);
    QCOMPARE(QApplication::exec(), 0);
}

void ShellTest::messageBoxCaptionIsTheProgramName()
{
    QCOMPARE(ProgramFile::nameFromPath("/usr/games/zartex"), QString("zartex"));
    QCOMPARE(ProgramFile::nameFromPath("/opt/x.y/zartex.bin.old"), QString("zartex"));
    QCOMPARE(ProgramFile::nameFromPath("C:/Program Files/Zartex/ZARTEX.EXE"), QString("ZARTEX"));
    QCOMPARE(ProgramFile::nameFromPath(".hidden"), QString());
    QCOMPARE(ProgramFile::name(), QString("tst_shell"));
}

void ShellTest::realMessageBoxIsPlainAndCentred()
{
    SeenBox seen;
    closeNextModalBox(&seen);
    MessageBox().show(QString::fromUtf8("Есть ошибки"));
    QCOMPARE(seen.text, QString::fromUtf8("Есть ошибки"));
    QCOMPARE(seen.caption, QString("tst_shell"));
}

void ShellTest::activationFiresWhenAFormBecomesActive()
{
    QSignalSpy activated(program->page<ShapeQuizTask>("shapeQuiz"), &PageWindow::activated);
    chooseMenu(*program, "shapeQuizAction");
    QTRY_COMPARE(activated.count(), 1);
    // to the main form and back: once more
    program->mainWindow()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->mainWindow()));
    program->page<ShapeQuizTask>("shapeQuiz")->activateWindow();
    QTRY_COMPARE(activated.count(), 2);
    // another form of the program and back
    chooseMenu(*program, "heelHeightAction");
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->page<LabelBoardTask>("heelHeight")));
    program->page<ShapeQuizTask>("shapeQuiz")->activateWindow();
    QTRY_COMPARE(activated.count(), 3);
    // hidden and reopened with nothing else active in between
    program->page<ShapeQuizTask>("shapeQuiz")->close();
    chooseMenu(*program, "shapeQuizAction");
    QTRY_COMPARE(activated.count(), 4);
}

void ShellTest::activationIgnoresOtherProgramsAndMessageBoxes()
{
    QSignalSpy activated(program->page<ShapeQuizTask>("shapeQuiz"), &PageWindow::activated);
    chooseMenu(*program, "shapeQuizAction");
    QTRY_COMPARE(activated.count(), 1);
    // The learner leaves for another program and comes back.
    emit qGuiApp->focusWindowChanged(nullptr);
    emit qGuiApp->focusWindowChanged(program->page<ShapeQuizTask>("shapeQuiz")->windowHandle());
    // A message box of the form's own opens and closes; on a desktop the
    // window manager then gives the focus back to the form.
    SeenBox seen;
    closeNextModalBox(&seen);
    MessageBox().show(QStringLiteral("x"));
    program->page<ShapeQuizTask>("shapeQuiz")->activateWindow();
    emit qGuiApp->focusWindowChanged(program->page<ShapeQuizTask>("shapeQuiz")->windowHandle());
    QTRY_COMPARE(QGuiApplication::focusWindow(), program->page<ShapeQuizTask>("shapeQuiz")->windowHandle());
    QCOMPARE(activated.count(), 1);
}

void ShellTest::spaceTypesNoBlankButPressesButtons_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("button");
    QTest::newRow("assignmentStatements") << "assignmentStatements" << "statement2Edit" << "statement2CheckButton";
    QTest::newRow("expressionNotation") << "expressionNotation" << "expression1Edit" << "expression1CheckButton";
    QTest::newRow("formulaNotation") << "formulaNotation" << "formula3Edit" << "restartButton";
    QTest::newRow("cosineLaw") << "cosineLaw" << "inputEdit" << "checkButton";
}

void ShellTest::spaceTypesNoBlankButPressesButtons()
{
    QFETCH(QString, page);
    QFETCH(QString, edit);
    QFETCH(QString, button);
    QWidget *form = program->window(page);
    program->open(page);
    QVERIFY(QTest::qWaitForWindowActive(form));
    MessageSpy boxes(*program);

    auto *box = form->findChild<QLineEdit *>(edit);
    box->setFocus();
    box->setText(QStringLiteral("c:=a"));
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(box->text(), QStringLiteral("c:=a"));
    // Only the blank is kept out: letters of any script and editing keys pass.
    type(box, QString::fromUtf8(" ё😀"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QString::fromUtf8("c:=aё"));

    auto *pressed = form->findChild<QPushButton *>(button);
    pressed->setFocus();
    QSignalSpy clicks(pressed, &QPushButton::clicked);
    QTest::keyClick(pressed, Qt::Key_Space);
    QCOMPARE(clicks.count(), 1);
}

void ShellTest::splashComesFirstAndClosesOnItsTimer()
{
    stopProgram(program);
    program = createProgram(ProgramWindows::Splash::Shown);
    SplashScreen *splash = program->splashScreen();
    MainWindow *main = program->mainWindow();
    // The splash was painted before the rest were built.
    QVERIFY(splash->isVisible() && splash->isPainted());
    QVERIFY(program->windows().contains(splash));
    QVERIFY(splash->timer()->isActive());
    // No title-bar buttons: the window manager offers what these flags allow.
    QVERIFY(!(splash->windowFlags()
              & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint)));
    QVERIFY(splash->windowFlags() & Qt::CustomizeWindowHint);
    {
        // Painted late, as on a loaded machine: its three seconds still start then.
        SplashScreen late;
        QTest::qWait(600);
        QElapsedTimer sincePainted;
        connect(&late, &SplashScreen::painted, this, [&] { sincePainted.start(); });
        late.show();
        QTRY_VERIFY(late.isPainted());
        QVERIFY2(late.timer()->remainingTime() + sincePainted.elapsed() > 2800, "the three seconds ran before the paint");
    }
    // Same timer, shorter wait: the test need not sit through three seconds.
    splash->timer()->setInterval(200);
    bool splashAloneOnScreen = false;
    QTimer::singleShot(50, [&] {
        splashAloneOnScreen = splash->isVisible() && splash->isModal() && !main->windowHandle()->isExposed();
    });
    main->show(); // returns once the splash has closed
    QVERIFY(splashAloneOnScreen);
    QVERIFY(splash->isHidden());
    QVERIFY(main->isVisible());
    // Later ticks close the hidden splash again and change nothing.
    QSignalSpy ticks(splash->timer(), &QTimer::timeout);
    QTRY_VERIFY(ticks.count() >= 2);
    QVERIFY(splash->isHidden());
    QVERIFY(splash->timer()->isActive());
    QVERIFY(main->isVisible());
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
