// The program shell: registry, main form, marks, splash, message box and
// the form activation event.

#include "Harness.h"

#include "DesignedForm.h"
#include "FormActivation.h"
#include "MessageBox.h"
#include "PictureBox.h"
#include "Registry.h"
#include "SpaceFilter.h"
#include "Unit3.h"
#include "UnitGlav.h"
#include "UnitTeory.h"
#include "UnitZad1.h"
#include "UnitZad3.h"
#include "UnitZad4.h"

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
             QStringList({"Form1", "Form2", "FmZ8", "FmZ5", "FmTeory", "FmZ1", "FmZ4", "FmZ6", "FmZ7", "FmZ9", "Fm1",
                          "AboutBox", "Fm11", "Fm12", "Fm13", "logo", "Form3"}));
    QCOMPARE(Registry::forms().first(), static_cast<QWidget *>(Form1));
    for (QWidget *form : Registry::forms()) {
        if (form != Form1)
            QVERIFY2(form->isHidden(), qPrintable(form->objectName()));
    }
    QCOMPARE(logo->windowTitle(), QString());
    QCOMPARE(Registry::forms().at(8)->windowTitle(),
             QString::fromUtf8("Справочный материал-   Математические функции и  операции отношения"));
}

void ShellTest::mainFormIsAsDesigned()
{
    QCOMPARE(Form1->windowTitle(), QString::fromUtf8("Главная..."));
    const QList<QPushButton *> buttons = Form1->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 14);
    for (int i = 1; i <= 14; ++i) {
        const QByteArray name = "Image" + QByteArray::number(i);
        auto *mark = Form1->findChild<PictureBox *>(QString::fromLatin1(name));
        QVERIFY(mark);
        QVERIFY2(mark->isHidden(), name.constData());
        QCOMPARE(mark->size(), QSize(25, 25));
        QVERIFY(mark->stretch());
        QVERIFY(!mark->image().isNull());
    }
    // A mark stands just left of its button, at the button's top.
    const auto *button6 = Form1->findChild<QPushButton *>("Button6");
    QCOMPARE(button6->geometry(), QRect(49, 175, 160, 25));
    QCOMPARE(Form1->findChild<PictureBox *>("Image7")->geometry(), QRect(16, 176, 25, 25));
    // Tab order follows the description, not the layout.
    QWidget *first = Form1->findChild<QPushButton *>("BtTeory");
    QCOMPARE(first->nextInFocusChain()->objectName(), QString("Button2"));
    QCOMPARE(Form1->findChild<QPushButton *>("Button13")->geometry(), QRect(48, 216, 161, 25));
}

void ShellTest::mainFormButtonsAndMenuOpenTheirForms_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("form");
    QTest::newRow("theory") << "BtTeory" << "N3" << "FmTeory";
    QTest::newRow("assignment") << "Button12" << "N4" << "Fm12";
    QTest::newRow("worked example") << "Button2" << "N5" << "Form2";
    QTest::newRow("reference") << "Button7" << "N6" << "FmZ7";
    QTest::newRow("task 1") << "Button4" << "N11" << "FmZ1";
    QTest::newRow("task 2") << "Button6" << "N21" << "FmZ6";
    QTest::newRow("task 3") << "Button13" << "N31" << "Fm13";
    QTest::newRow("task 4") << "Button10" << "N32" << "Fm1";
    QTest::newRow("task 5") << "Button3" << "N51" << "Form3";
    QTest::newRow("task 6") << "Button1" << "N61" << "FmZ4";
    QTest::newRow("task 7") << "Button5" << "N71" << "FmZ5";
    QTest::newRow("task 8") << "Button8" << "N81" << "FmZ8";
    QTest::newRow("task 9") << "Button9" << "N91" << "FmZ9";
    QTest::newRow("task 10") << "Button11" << "N101" << "Fm11";
    QTest::newRow("about") << "" << "N7" << "AboutBox";
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
        click(Form1->findChild<QPushButton *>(button));
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
    const QList<QAction *> top = Form1->menuBar()->actions();
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
    auto *open = Form1->findChild<QPushButton *>("BtTeory");
    click(open);
    QVERIFY(QTest::qWaitForWindowExposed(FmTeory));
    FmTeory->move(40, 50);
    const QRect placed = FmTeory->geometry();
    Form1->activateWindow();
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(Form1));
    const int windows = QApplication::topLevelWidgets().size();
    click(open);
    chooseMenu("N3");
    QCOMPARE(FmTeory->geometry(), placed);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QApplication::processEvents();
    // not raised to the front either
    QCOMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(Form1));
}

void ShellTest::theoryOkShowsItsMarkButTheCloseBoxDoesNot()
{
    chooseMenu("N3");
    QVERIFY(FmTeory->isVisible());
    FmTeory->close();
    QVERIFY(FmTeory->isHidden());
    QVERIFY(!Form1->isMarkShown("Image1"));

    click(Form1->findChild<QPushButton *>("BtTeory"));
    auto *ok = FmTeory->findChild<QPushButton *>("Button1");
    QCOMPARE(ok->text(), QString::fromUtf8("ОК"));
    QVERIFY(ok->isVisible());
    click(ok);
    QVERIFY(FmTeory->isHidden());
    QVERIFY(Form1->isMarkShown("Image1"));
    for (int i = 2; i <= 14; ++i)
        QVERIFY(!Form1->isMarkShown(("Image" + QByteArray::number(i)).constData()));

    // A later confirmation changes nothing more.
    click(Form1->findChild<QPushButton *>("BtTeory"));
    click(ok);
    QVERIFY(Form1->isMarkShown("Image1"));
}

void ShellTest::closingTheMainFormEndsTheProgram()
{
    chooseMenu("N3");
    chooseMenu("N51");
    // exec() returns only if closing the main form quits the application,
    // with other forms still open.
    QTimer::singleShot(0, Form1, [] { Form1->close(); });
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
    QSignalSpy activated(FmZ1, SIGNAL(Activate()));
    chooseMenu("N11");
    QTRY_COMPARE(activated.count(), 1);
    // to the main form and back: once more
    Form1->activateWindow();
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(Form1));
    FmZ1->activateWindow();
    QTRY_COMPARE(activated.count(), 2);
    // another form of the program and back
    chooseMenu("N61");
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(FmZ4));
    FmZ1->activateWindow();
    QTRY_COMPARE(activated.count(), 3);
    // hidden and reopened with nothing else active in between
    FmZ1->close();
    chooseMenu("N11");
    QTRY_COMPARE(activated.count(), 4);
}

void ShellTest::activationIgnoresOtherProgramsAndMessageBoxes()
{
    QSignalSpy activated(FmZ1, SIGNAL(Activate()));
    chooseMenu("N11");
    QTRY_COMPARE(activated.count(), 1);
    // The learner leaves for another program and comes back.
    emit qGuiApp->focusWindowChanged(nullptr);
    emit qGuiApp->focusWindowChanged(FmZ1->windowHandle());
    // A message box of the form's own opens and closes; on a desktop the
    // window manager then gives the focus back to the form.
    SeenBox seen;
    closeNextModalBox(&seen);
    MessageBox::show(QStringLiteral("x"));
    FmZ1->activateWindow();
    emit qGuiApp->focusWindowChanged(FmZ1->windowHandle());
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
    QLineEdit other(FmZ1);
    other.show();
    type(&other, QStringLiteral("a b"));
    QCOMPARE(other.text(), QStringLiteral("a b"));
}

void ShellTest::splashComesFirstAndClosesOnItsTimer()
{
    stopProgram();
    Registry::createForms();
    QCOMPARE(logo->timer()->interval(), 3000);
    QVERIFY(logo->timer()->isActive());
    QVERIFY(!(logo->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(logo->windowFlags() & Qt::WindowSystemMenuHint));
    QVERIFY(logo->windowFlags() & Qt::CustomizeWindowHint);
    // Same timer, shorter wait: the test need not sit through three seconds.
    logo->timer()->setInterval(200);
    bool splashAloneOnScreen = false;
    QTimer::singleShot(50, [&] {
        splashAloneOnScreen = logo->isVisible() && logo->isModal() && !Form1->windowHandle()->isExposed();
    });
    TForm1::setSplashEnabled(true);
    Form1->show(); // returns once the splash has closed
    TForm1::setSplashEnabled(false);
    QVERIFY(splashAloneOnScreen);
    QVERIFY(logo->isHidden());
    QVERIFY(Form1->isVisible());
    QCOMPARE(logo->pos(), QPoint(197, 195));
    // Later ticks close the hidden splash again and change nothing.
    QSignalSpy ticks(logo->timer(), &QTimer::timeout);
    QTRY_VERIFY(ticks.count() >= 2);
    QVERIFY(logo->isHidden());
    QVERIFY(logo->timer()->isActive());
    QVERIFY(Form1->isVisible());
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
