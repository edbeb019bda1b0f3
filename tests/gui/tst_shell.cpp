// The program shell: registry, main form, marks, splash, message box and
// the form activation event.

#include "Harness.h"

#include "DesignedForm.h"
#include "FormActivation.h"
#include "MessageBox.h"
#include "PictureBox.h"
#include "Registry.h"
#include "SpaceFilter.h"
#include "SplashScreen.h"
#include "MainWindow.h"
#include "FlowchartElementsPage.h"
#include "ShapeQuizTask.h"
#include "OrangeCostTask.h"
#include "HeelHeightTask.h"

#include <QAction>
#include <QLineEdit>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Harness;

class ShellTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { startProgram(); }
    void cleanup() { stopProgram(); }

    void formsAreCreatedOnceInTheirOrder();
    void mainFormIsAsDesigned();
    void mainFormButtonsAndMenuOpenTheirForms_data();
    void mainFormButtonsAndMenuOpenTheirForms();
    void menusKeepTheirOwnCaptions();
    void openingAVisibleFormChangesNothing();
    void theoryOkShowsItsMarkButTheCloseBoxDoesNot();
    void closingTheMainFormEndsTheProgram();
    void messageBoxCaptionIsTheProgramName();
    void realMessageBoxIsPlainAndCentred();
    void activationFiresWhenAFormBecomesActive();
    void activationIgnoresOtherProgramsAndMessageBoxes();
    void spaceFilterSwallowsTypedBlanksOnly();
    void splashComesFirstAndClosesOnItsTimer();
};

void ShellTest::formsAreCreatedOnceInTheirOrder()
{
    QStringList names;
    for (QWidget *form : Registry::forms())
        names << form->objectName();
    QCOMPARE(names,
             QStringList({"mainWindow", "workedExamplePage", "expressionNotationTask", "sweetsCountTask", "flowchartElementsPage", "shapeQuizTask", "heelHeightTask", "assignmentStatementsTask", "mathReferencePage", "formulaNotationTask", "hoursToMinutesTask",
                          "aboutWindow", "cosineLawTask", "assignmentOperatorPage", "tracingAssignmentsTask", "splashScreen", "orangeCostTask"}));
    QCOMPARE(Registry::forms().first(), static_cast<QWidget *>(mainWindow));
    for (QWidget *form : Registry::forms()) {
        if (form != mainWindow)
            QVERIFY2(form->isHidden(), qPrintable(form->objectName()));
    }
    QCOMPARE(splashScreen->windowTitle(), QString());
    QCOMPARE(Registry::forms().at(8)->windowTitle(),
             QString::fromUtf8("Справочный материал-   Математические функции и  операции отношения"));
}

void ShellTest::mainFormIsAsDesigned()
{
    QCOMPARE(mainWindow->windowTitle(), QString::fromUtf8("Главная..."));
    const QList<QPushButton *> buttons = mainWindow->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 14);
    for (int i = 1; i <= 14; ++i) {
        const QByteArray name = "Image" + QByteArray::number(i);
        auto *mark = mainWindow->findChild<PictureBox *>(QString::fromLatin1(name));
        QVERIFY(mark);
        QVERIFY2(mark->isHidden(), name.constData());
        QCOMPARE(mark->size(), QSize(25, 25));
        QVERIFY(mark->stretch());
        QVERIFY(!mark->image().isNull());
    }
    // A mark stands just left of its button, at the button's top.
    const auto *button6 = mainWindow->findChild<QPushButton *>("Button6");
    QCOMPARE(button6->geometry(), QRect(49, 175, 160, 25));
    QCOMPARE(mainWindow->findChild<PictureBox *>("Image7")->geometry(), QRect(16, 176, 25, 25));
    // Tab order follows the description, not the layout.
    QWidget *first = mainWindow->findChild<QPushButton *>("BtTeory");
    QCOMPARE(first->nextInFocusChain()->objectName(), QString("Button2"));
    QCOMPARE(mainWindow->findChild<QPushButton *>("Button13")->geometry(), QRect(48, 216, 161, 25));
}

void ShellTest::mainFormButtonsAndMenuOpenTheirForms_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("form");
    QTest::newRow("theory") << "BtTeory" << "N3" << "flowchartElementsPage";
    QTest::newRow("assignment") << "Button12" << "N4" << "assignmentOperatorPage";
    QTest::newRow("worked example") << "Button2" << "N5" << "workedExamplePage";
    QTest::newRow("reference") << "Button7" << "N6" << "mathReferencePage";
    QTest::newRow("task 1") << "Button4" << "N11" << "shapeQuizTask";
    QTest::newRow("task 2") << "Button6" << "N21" << "assignmentStatementsTask";
    QTest::newRow("task 3") << "Button13" << "N31" << "tracingAssignmentsTask";
    QTest::newRow("task 4") << "Button10" << "N32" << "hoursToMinutesTask";
    QTest::newRow("task 5") << "Button3" << "N51" << "orangeCostTask";
    QTest::newRow("task 6") << "Button1" << "N61" << "heelHeightTask";
    QTest::newRow("task 7") << "Button5" << "N71" << "sweetsCountTask";
    QTest::newRow("task 8") << "Button8" << "N81" << "expressionNotationTask";
    QTest::newRow("task 9") << "Button9" << "N91" << "formulaNotationTask";
    QTest::newRow("task 10") << "Button11" << "N101" << "cosineLawTask";
    QTest::newRow("about") << "" << "N7" << "aboutWindow";
}

void ShellTest::mainFormButtonsAndMenuOpenTheirForms()
{
    QFETCH(QString, button);
    QFETCH(QString, entry);
    QFETCH(QString, form);
    QWidget *target = nullptr;
    for (QWidget *candidate : Registry::forms())
        if (candidate->objectName() == form)
            target = candidate;
    QVERIFY(target);
    if (!button.isEmpty()) {
        click(mainWindow->findChild<QPushButton *>(button));
        QVERIFY(target->isVisible());
        target->close();
        QVERIFY(target->isHidden());
    }
    chooseMenu(entry.toLatin1().constData());
    QVERIFY(target->isVisible());
    // Only the forms, never new windows.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            QVERIFY2(Registry::forms().contains(window), qPrintable(window->objectName()));
    }
}

void ShellTest::menusKeepTheirOwnCaptions()
{
    const QList<QAction *> top = mainWindow->menuBar()->actions();
    QCOMPARE(top.size(), 3);
    QCOMPARE(top[0]->text(), QString::fromUtf8("Теория"));
    QCOMPARE(top[1]->text(), QString::fromUtf8("Практика"));
    QCOMPARE(top[2]->text(), QString::fromUtf8("О программе..."));
    QVERIFY(!top[2]->menu());
    QCOMPARE(menuEntry("N5")->text(), QString::fromUtf8("Разбор задачи"));
    QCOMPARE(menuEntry("N11")->text(), QString::fromUtf8("Задача 1- Небольшой тест"));
    QCOMPARE(menuEntry("N91")->text(), QString::fromUtf8("Задача 9-Повышенной сложности"));
    QCOMPARE(top[1]->menu()->actions().size(), 10);
    QCOMPARE(top[0]->menu()->actions().size(), 4);
}

void ShellTest::openingAVisibleFormChangesNothing()
{
    auto *open = mainWindow->findChild<QPushButton *>("BtTeory");
    click(open);
    QVERIFY(QTest::qWaitForWindowExposed(flowchartElementsPage));
    flowchartElementsPage->move(40, 50);
    const QRect placed = flowchartElementsPage->geometry();
    mainWindow->activateWindow();
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(mainWindow));
    const int windows = QApplication::topLevelWidgets().size();
    click(open);
    chooseMenu("N3");
    QCOMPARE(flowchartElementsPage->geometry(), placed);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QApplication::processEvents();
    // not raised to the front either
    QCOMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(mainWindow));
}

void ShellTest::theoryOkShowsItsMarkButTheCloseBoxDoesNot()
{
    chooseMenu("N3");
    QVERIFY(flowchartElementsPage->isVisible());
    flowchartElementsPage->close();
    QVERIFY(flowchartElementsPage->isHidden());
    QVERIFY(!mainWindow->isMarkShown("Image1"));

    click(mainWindow->findChild<QPushButton *>("BtTeory"));
    auto *ok = flowchartElementsPage->findChild<QPushButton *>("Button1");
    QCOMPARE(ok->text(), QString::fromUtf8("ОК"));
    QVERIFY(ok->isVisible());
    click(ok);
    QVERIFY(flowchartElementsPage->isHidden());
    QVERIFY(mainWindow->isMarkShown("Image1"));
    for (int i = 2; i <= 14; ++i)
        QVERIFY(!mainWindow->isMarkShown(("Image" + QByteArray::number(i)).constData()));

    // A later confirmation changes nothing more.
    click(mainWindow->findChild<QPushButton *>("BtTeory"));
    click(ok);
    QVERIFY(mainWindow->isMarkShown("Image1"));
}

void ShellTest::closingTheMainFormEndsTheProgram()
{
    chooseMenu("N3");
    chooseMenu("N51");
    // exec() returns only if closing the main form quits the application,
    // with other forms still open.
    QTimer::singleShot(0, mainWindow, [] { mainWindow->close(); });
    QTimer::singleShot(5000, qApp, [] { QApplication::exit(7); });
    QCOMPARE(QApplication::exec(), 0);
}

void ShellTest::messageBoxCaptionIsTheProgramName()
{
    QCOMPARE(MessageBox::titleFromProgramPath("/usr/games/zartex"), QString("zartex"));
    QCOMPARE(MessageBox::titleFromProgramPath("/opt/x.y/zartex.bin.old"), QString("zartex"));
    QCOMPARE(MessageBox::titleFromProgramPath("C:/Program Files/Zartex/ZARTEX.EXE"), QString("ZARTEX"));
    QCOMPARE(MessageBox::titleFromProgramPath(".hidden"), QString());
    QCOMPARE(MessageBox::title(), QString("tst_shell"));
}

void ShellTest::realMessageBoxIsPlainAndCentred()
{
    SeenBox seen;
    closeNextModalBox(&seen);
    MessageBox::show(QString::fromUtf8("Есть ошибки"));
    QCOMPARE(seen.text, QString::fromUtf8("Есть ошибки"));
    QCOMPARE(seen.caption, QString("tst_shell"));
}

void ShellTest::activationFiresWhenAFormBecomesActive()
{
    QSignalSpy activated(shapeQuizTask, SIGNAL(Activate()));
    chooseMenu("N11");
    QTRY_COMPARE(activated.count(), 1);
    // to the main form and back: once more
    mainWindow->activateWindow();
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(mainWindow));
    shapeQuizTask->activateWindow();
    QTRY_COMPARE(activated.count(), 2);
    // another form of the program and back
    chooseMenu("N61");
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(heelHeightTask));
    shapeQuizTask->activateWindow();
    QTRY_COMPARE(activated.count(), 3);
    // hidden and reopened with nothing else active in between
    shapeQuizTask->close();
    chooseMenu("N11");
    QTRY_COMPARE(activated.count(), 4);
}

void ShellTest::activationIgnoresOtherProgramsAndMessageBoxes()
{
    QSignalSpy activated(shapeQuizTask, SIGNAL(Activate()));
    chooseMenu("N11");
    QTRY_COMPARE(activated.count(), 1);
    // The learner leaves for another program and comes back.
    emit qGuiApp->focusWindowChanged(nullptr);
    emit qGuiApp->focusWindowChanged(shapeQuizTask->windowHandle());
    // A message box of the form's own opens and closes; on a desktop the
    // window manager then gives the focus back to the form.
    SeenBox seen;
    closeNextModalBox(&seen);
    MessageBox::show(QStringLiteral("x"));
    shapeQuizTask->activateWindow();
    emit qGuiApp->focusWindowChanged(shapeQuizTask->windowHandle());
    QTest::qWait(50);
    QCOMPARE(activated.count(), 1);
}

namespace {
// A form with key preview and the blank filter, as Tasks 2, 8, 9 and 10 have.
class PreviewForm : public DesignedForm
{
    Q_OBJECT
public:
    PreviewForm()
    {
        setProperty("KeyPreview", true);
        edit = new QLineEdit(this);
        connect(this, &DesignedForm::KeyPress, this, &PreviewForm::FormKeyPress);
        finishDesign();
    }
    QLineEdit *edit;
public slots:
    void FormKeyPress(QObject *, QChar &Key) { SpaceFilter::apply(Key); }
};
} // namespace

void ShellTest::spaceFilterSwallowsTypedBlanksOnly()
{
    PreviewForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.edit->setFocus();
    type(form.edit, QStringLiteral("a := 1 0"));
    QCOMPARE(form.edit->text(), QStringLiteral("a:=10"));
    QTest::keyClick(form.edit, Qt::Key_Backspace);
    QCOMPARE(form.edit->text(), QStringLiteral("a:=1"));
    // pasted text keeps its blanks
    form.edit->insert(QStringLiteral(" 2 "));
    QCOMPARE(form.edit->text(), QStringLiteral("a:=1 2 "));
    // letters of any script are typed; only the blank is dropped
    form.edit->clear();
    type(form.edit, QString::fromUtf8("Начало 😀 ё"));
    QCOMPARE(form.edit->text(), QString::fromUtf8("Начало😀ё"));
    // a form without key preview lets blanks through
    chooseMenu("N11");
    QLineEdit other(shapeQuizTask);
    other.show();
    type(&other, QStringLiteral("a b"));
    QCOMPARE(other.text(), QStringLiteral("a b"));
}

void ShellTest::splashComesFirstAndClosesOnItsTimer()
{
    stopProgram();
    Registry::createForms();
    QCOMPARE(splashScreen->timer()->interval(), 3000);
    QVERIFY(splashScreen->timer()->isActive());
    QVERIFY(!(splashScreen->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(splashScreen->windowFlags() & Qt::WindowSystemMenuHint));
    QVERIFY(splashScreen->windowFlags() & Qt::CustomizeWindowHint);
    // Same timer, shorter wait: the test need not sit through three seconds.
    splashScreen->timer()->setInterval(200);
    bool splashAloneOnScreen = false;
    QTimer::singleShot(50, [&] {
        splashAloneOnScreen = splashScreen->isVisible() && splashScreen->isModal() && !mainWindow->windowHandle()->isExposed();
    });
    MainWindow::setSplashEnabled(true);
    mainWindow->show(); // returns once the splash has closed
    MainWindow::setSplashEnabled(false);
    QVERIFY(splashAloneOnScreen);
    QVERIFY(splashScreen->isHidden());
    QVERIFY(mainWindow->isVisible());
    QCOMPARE(splashScreen->pos(), QPoint(197, 195));
    // Later ticks close the hidden splash again and change nothing.
    QSignalSpy ticks(splashScreen->timer(), &QTimer::timeout);
    QTRY_VERIFY(ticks.count() >= 2);
    QVERIFY(splashScreen->isHidden());
    QVERIFY(splashScreen->timer()->isActive());
    QVERIFY(mainWindow->isVisible());
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
