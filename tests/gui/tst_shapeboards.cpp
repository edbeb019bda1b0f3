// The shape-placing boards of Task 4 and Task 10: drops, checks, resets,
// picture files that can't be loaded, and Task 10's typed block texts.

#include "Harness.h"

#include "FormActivation.h"
#include "JpegLoader.h"
#include "PictureBox.h"
#include "ShapeBoard.h"
#include "Unit1.h"
#include "UnitGlav.h"
#include "UnitZad11.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Harness;

namespace {

const QString prompt = QString::fromUtf8("Введите данные");
const QString errorsFound = QString::fromUtf8("Есть ошибки");

template <typename T>
T *child(QWidget *form, const char *name)
{
    auto *widget = form->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no %s on %s", name, qPrintable(form->objectName()));
    return widget;
}

PictureBox *picture(QWidget *form, const char *name) { return child<PictureBox>(form, name); }

// The two boards: their slots top to bottom with the shape each expects,
// and their pieces in shape-code order.
struct Board
{
    QWidget *form;
    QVector<PictureBox *> slotsTopDown;
    QVector<int> expected;
    QVector<PictureBox *> pieces;
    const ShapeBoard &state;
};

Board task4()
{
    return {Fm1,
            {picture(Fm1, "Image9"), picture(Fm1, "Image8"), picture(Fm1, "Image10"), picture(Fm1, "Image11"),
             picture(Fm1, "Image12")},
            {0, 1, 2, 1, 0},
            {picture(Fm1, "Image1"), picture(Fm1, "Image2"), picture(Fm1, "Image3"), picture(Fm1, "Image4")},
            Fm1->board()};
}

Board task10()
{
    return {Fm11,
            {picture(Fm11, "Image1"), picture(Fm11, "Image2"), picture(Fm11, "Image3"), picture(Fm11, "Image4"),
             picture(Fm11, "Image5")},
            {0, 1, 2, 1, 0},
            {picture(Fm11, "Image10"), picture(Fm11, "Image11"), picture(Fm11, "Image12"), picture(Fm11, "Image13")},
            Fm11->board()};
}

Board boardNamed(const QString &name) { return name == QLatin1String("Task 4") ? task4() : task10(); }

// Whether `slot` shows the picture file `file` of the working directory.
bool shows(PictureBox *slot, const QString &file)
{
    return slot->image() == JpegLoader::load(file, slot->size()).image;
}

QVector<bool> flagsOf(const ShapeBoard &board)
{
    QVector<bool> flags;
    for (int i = 0; i < board.slotCount(); ++i)
        flags << board.isRight(i);
    return flags;
}

// Drops `piece` near the top-left corner of `slot`, a part that no block
// text or edit box covers.
bool dropOnSlot(PictureBox *slot, QWidget *piece)
{
    return dropAt(slot->window(), piece, slot->geometry().topLeft() + QPoint(6, 6));
}

// Types any text key by key through the form's key preview; QTest's own
// key clicks take Latin-1 only.
void typeKeys(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void placeAllRight(const Board &board)
{
    for (int i = 0; i < 5; ++i)
        QVERIFY(dropOnSlot(board.slotsTopDown[i], board.pieces[board.expected[i]]));
}

// A copy of the run-time pictures as the working directory while it lives.
class WorkingCopy
{
public:
    WorkingCopy()
        : m_previous(QDir::currentPath())
    {
        for (const QString &name : QDir(m_previous).entryList({"*.jpg"}, QDir::Files))
            QFile::copy(m_previous + '/' + name, m_dir.filePath(name));
        QDir::setCurrent(m_dir.path());
    }
    ~WorkingCopy() { QDir::setCurrent(m_previous); }

    // Spoils `name`: "missing", "corrupt" (not a JPEG), "huge" (a header
    // claiming 65000 x 65000 pixels) or "unreadable" (a folder in its place).
    void spoil(const QString &name, const QString &how)
    {
        const QString path = m_dir.filePath(name);
        QFile original(path);
        original.open(QIODevice::ReadOnly);
        QByteArray bytes = original.readAll();
        original.close();
        QFile::remove(path);
        if (how == QLatin1String("huge")) {
            const qsizetype frame = std::max(bytes.indexOf("\xFF\xC0"), bytes.indexOf("\xFF\xC2"));
            QVERIFY(frame > 0);
            bytes.replace(frame + 5, 4, QByteArray("\xFD\xE8\xFD\xE8", 4));
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
        } else if (how == QLatin1String("corrupt")) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(QByteArray("\xFF\xD8\xFF\xE0 not really a picture", 26));
        } else if (how == QLatin1String("unreadable")) {
            QDir(m_dir.path()).mkdir(name);
        }
    }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

} // namespace

class ShapeBoardsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { startProgram(); }
    void cleanup() { stopProgram(); }

    void formsAreAsDesigned();
    void onlyTheUncoveredSlotsTakeDrops();
    void everyPieceOnEverySlot_data();
    void everyPieceOnEverySlot();
    void theLastDropOnASlotDecides_data();
    void theLastDropOnASlotDecides();
    void task4CountsWrongDropsAndClears();
    void fileThatCannotBeLoadedChangesNothing_data();
    void fileThatCannotBeLoadedChangesNothing();
    void resetStopsWhenTheBlankCannotBeLoaded();
    void task10SolvedInSmallLetters();
    void task10RejectsAllButTheListedTexts_data();
    void task10RejectsAllButTheListedTexts();
    void task10JudgesBothPartsAfreshAtEveryCheck();
    void task10TypedBlanksAreSwallowed();
    void task10ActivationStartsTheAnswersAfresh();
};

void ShapeBoardsTest::formsAreAsDesigned()
{
    QCOMPARE(Fm1->windowTitle(), QString::fromUtf8("Задача 4"));
    QCOMPARE(Fm1->size(), QSize(482, 497));
    QCOMPARE(Fm11->windowTitle(), QString::fromUtf8("Задача 10"));
    QCOMPARE(Fm11->size(), QSize(477, 578));
    for (const Board &board : {task4(), task10()}) {
        for (int code = 0; code < 4; ++code)
            QCOMPARE(board.pieces[code]->property("Tag").toInt(), code);
        for (PictureBox *slot : board.slotsTopDown)
            QVERIFY(slot->stretch() && !slot->autoDrag());
        QVERIFY(!child<QPushButton>(board.form, "Button1")->isVisibleTo(board.form));
    }
    for (int code = 0; code < 4; ++code)
        QVERIFY(task4().pieces[code]->autoDrag());
    QVERIFY(task10().pieces[0]->autoDrag() && task10().pieces[1]->autoDrag() && task10().pieces[2]->autoDrag());
    QVERIFY(!task10().pieces[3]->autoDrag()); // the diamond is only shown
    for (const char *edit : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"})
        QCOMPARE(child<QLineEdit>(Fm11, edit)->text(), prompt);
}

void ShapeBoardsTest::onlyTheUncoveredSlotsTakeDrops()
{
    // Block texts, arrows and edit boxes lie over the slots and refuse drops.
    PictureBox *oval = task4().pieces[0];
    const QPoint onText = child<QLabel>(Fm1, "Label2")->geometry().center();
    QVERIFY(!dropAt(Fm1, oval, onText));
    QVERIFY(!dropAt(Fm1, oval, picture(Fm1, "Image5")->geometry().center()));
    QVERIFY(!Fm1->board().isRight(0));
    QVERIFY(dropAt(Fm1, oval, QPoint(280, 88)));
    QVERIFY(Fm1->board().isRight(0));

    PictureBox *oval10 = task10().pieces[0];
    QVERIFY(!dropAt(Fm11, oval10, child<QLineEdit>(Fm11, "Edit1")->geometry().center()));
    QVERIFY(!Fm11->board().isRight(0));
    QVERIFY(dropAt(Fm11, oval10, QPoint(230, 160)));
    QVERIFY(Fm11->board().isRight(0));
}

void ShapeBoardsTest::everyPieceOnEverySlot_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("code");
    for (const char *board : {"Task 4", "Task 10"}) {
        for (int code = 0; code < 4; ++code) {
            if (QLatin1String(board) == QLatin1String("Task 10") && code == 3)
                continue; // not draggable there
            QTest::addRow("%s, shape %d", board, code) << QString::fromLatin1(board) << code;
        }
    }
}

void ShapeBoardsTest::everyPieceOnEverySlot()
{
    QFETCH(QString, board);
    QFETCH(int, code);
    const Board b = boardNamed(board);
    PictureBox *piece = b.pieces[code];
    const QRect place = piece->geometry();
    int misplaced = 0;
    for (int i = 0; i < 5; ++i) {
        QVERIFY(dropOnSlot(b.slotsTopDown[i], piece));
        QVERIFY2(shows(b.slotsTopDown[i], ShapeBoard::fileOf(code)), qPrintable(b.slotsTopDown[i]->objectName()));
        QCOMPARE(b.state.isRight(i), b.expected[i] == code);
        misplaced += b.expected[i] != code;
    }
    QCOMPARE(b.state.wrongDropCount(), b.form == Fm1 ? misplaced : 0);
    QVERIFY(!b.state.complete());
    // The piece is not used up.
    QCOMPARE(piece->geometry(), place);
    QVERIFY(piece->isVisibleTo(b.form));
}

void ShapeBoardsTest::theLastDropOnASlotDecides_data()
{
    QTest::addColumn<QString>("board");
    QTest::newRow("Task 4") << "Task 4";
    QTest::newRow("Task 10") << "Task 10";
}

void ShapeBoardsTest::theLastDropOnASlotDecides()
{
    QFETCH(QString, board);
    const Board b = boardNamed(board);
    const int counted = b.form == Fm1 ? 1 : 0;
    placeAllRight(b);
    QVERIFY(b.state.complete());

    // A right shape twice changes nothing.
    QVERIFY(dropOnSlot(b.slotsTopDown[2], b.pieces[2]));
    QCOMPARE(b.state.wrongDropCount(), 0);
    QVERIFY(b.state.complete());

    // A wrong shape over a right one: the slot shows it and is wrong again.
    QVERIFY(dropOnSlot(b.slotsTopDown[2], b.pieces[1]));
    QVERIFY(shows(b.slotsTopDown[2], "parNew.jpg"));
    QVERIFY(!b.state.isRight(2));
    QVERIFY(!b.state.complete());
    QCOMPARE(b.state.wrongDropCount(), counted);

    // And the right one again.
    QVERIFY(dropOnSlot(b.slotsTopDown[2], b.pieces[2]));
    QVERIFY(b.state.isRight(2));
    QVERIFY(b.state.complete());
    QCOMPARE(b.state.wrongDropCount(), counted);
}

void ShapeBoardsTest::task4CountsWrongDropsAndClears()
{
    const Board b = task4();
    auto *ok = child<QPushButton>(Fm1, "Button1");
    auto *count = child<QLabel>(Fm1, "Label8");
    QPushButton *check = child<QPushButton>(Fm1, "Button3");
    QPushButton *clear = child<QPushButton>(Fm1, "Button2");
    const QImage blank = b.slotsTopDown[0]->image();

    // Four right slots: the check shows nothing.
    for (int i = 0; i < 4; ++i)
        QVERIFY(dropOnSlot(b.slotsTopDown[i], b.pieces[b.expected[i]]));
    click(check);
    QVERIFY(!ok->isVisibleTo(Fm1));
    QCOMPARE(count->text(), QString());
    QVERIFY(b.slotsTopDown[4]->image() == blank);

    QVERIFY(dropOnSlot(b.slotsTopDown[4], b.pieces[0]));
    click(check);
    QVERIFY(ok->isVisibleTo(Fm1));
    QCOMPARE(count->text(), QString::fromUtf8("Количество ошибок: 0"));
    QVERIFY(count->width() >= count->sizeHint().width());

    // The diamond fits nowhere; every drop of it counts, and the board is
    // complete again once the slot has its own shape back.
    QVERIFY(dropOnSlot(b.slotsTopDown[0], b.pieces[3]));
    QVERIFY(dropOnSlot(b.slotsTopDown[0], b.pieces[3]));
    click(check);
    QCOMPARE(count->text(), QString::fromUtf8("Количество ошибок: 0")); // incomplete: unchanged
    QVERIFY(dropOnSlot(b.slotsTopDown[0], b.pieces[0]));
    for (int i = 0; i < 10; ++i)
        QVERIFY(dropOnSlot(b.slotsTopDown[1], b.pieces[3]));
    QVERIFY(dropOnSlot(b.slotsTopDown[1], b.pieces[1]));
    click(check);
    QCOMPARE(count->text(), QString::fromUtf8("Количество ошибок: 12"));
    QVERIFY(ok->isVisibleTo(Fm1));

    click(clear);
    QVERIFY(!ok->isVisibleTo(Fm1));
    QCOMPARE(count->text(), QString());
    for (PictureBox *slot : b.slotsTopDown)
        QVERIFY(shows(slot, "fon.jpg"));
    QCOMPARE(flagsOf(b.state), QVector<bool>(5, false));
    QCOMPARE(b.state.wrongDropCount(), 0);
    click(check);
    QVERIFY(!ok->isVisibleTo(Fm1));

    placeAllRight(b);
    click(check);
    click(ok);
    QVERIFY(Fm1->isHidden());
    QVERIFY(Form1->isMarkShown("Image10"));
}

void ShapeBoardsTest::fileThatCannotBeLoadedChangesNothing_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("message");
    const QString cannotOpen = "Cannot open file uslNew.jpg";
    QTest::newRow("Task 4, missing") << "Task 4" << "missing" << cannotOpen;
    QTest::newRow("Task 4, unreadable") << "Task 4" << "unreadable" << cannotOpen;
    QTest::newRow("Task 4, corrupt") << "Task 4" << "corrupt" << "uslNew.jpg";
    QTest::newRow("Task 4, huge") << "Task 4" << "huge" << "uslNew.jpg is too large";
    QTest::newRow("Task 10, missing") << "Task 10" << "missing" << "Cannot open file parNew.jpg";
    QTest::newRow("Task 10, corrupt") << "Task 10" << "corrupt" << "parNew.jpg";
}

void ShapeBoardsTest::fileThatCannotBeLoadedChangesNothing()
{
    QFETCH(QString, board);
    QFETCH(QString, how);
    QFETCH(QString, message);
    const Board b = boardNamed(board);
    WorkingCopy copy;
    placeAllRight(b);
    QVERIFY(dropOnSlot(b.slotsTopDown[3], b.pieces[0])); // one wrong drop on Task 4
    QVERIFY(dropOnSlot(b.slotsTopDown[3], b.pieces[1]));
    const int count = b.state.wrongDropCount();

    // Task 4 drops the diamond, Task 10 a parallelogram over the rectangle.
    const int code = b.form == Fm1 ? 3 : 1;
    copy.spoil(ShapeBoard::fileOf(code), how);
    QVector<QImage> before;
    for (PictureBox *slot : b.slotsTopDown)
        before << slot->image();
    MessageSpy spy;
    QVERIFY(dropOnSlot(b.slotsTopDown[2], b.pieces[code]));
    QCOMPARE(spy.texts.size(), 1);
    QVERIFY2(spy.texts[0].contains(message), qPrintable(spy.texts[0]));
    for (int i = 0; i < 5; ++i)
        QVERIFY(b.slotsTopDown[i]->image() == before[i]);
    QVERIFY(b.state.complete());
    QCOMPARE(b.state.wrongDropCount(), count);

    // The program goes on: other files still load.
    QVERIFY(dropOnSlot(b.slotsTopDown[2], b.pieces[0]));
    QVERIFY(shows(b.slotsTopDown[2], "circleNew.jpg"));
    QCOMPARE(spy.texts.size(), 1);
}

void ShapeBoardsTest::resetStopsWhenTheBlankCannotBeLoaded()
{
    WorkingCopy copy;
    const Board b4 = task4();
    placeAllRight(b4);
    QVERIFY(dropOnSlot(b4.slotsTopDown[4], b4.pieces[3]));
    QVERIFY(dropOnSlot(b4.slotsTopDown[4], b4.pieces[0]));
    click(child<QPushButton>(Fm1, "Button3"));
    const Board b10 = task10();
    placeAllRight(b10);
    child<QLineEdit>(Fm11, "Edit4")->setText("a");

    for (const char *how : {"missing", "corrupt"}) {
        copy.spoil("fon.jpg", how);
        MessageSpy spy;
        click(child<QPushButton>(Fm1, "Button2"));
        click(child<QPushButton>(Fm11, "Button3"));
        QCOMPARE(spy.texts.size(), 2);
        QVERIFY(spy.texts[0].contains("fon.jpg"));
        // Task 4 has hidden "ОК" and the count before the failing loads.
        QVERIFY(!child<QPushButton>(Fm1, "Button1")->isVisibleTo(Fm1));
        QCOMPARE(child<QLabel>(Fm1, "Label8")->text(), QString());
        for (const Board &b : {b4, b10}) {
            QVERIFY(b.state.complete());
            for (int i = 0; i < 5; ++i)
                QVERIFY(shows(b.slotsTopDown[i], ShapeBoard::fileOf(b.expected[i])));
        }
        QCOMPARE(b4.state.wrongDropCount(), 1);
        QCOMPARE(child<QLineEdit>(Fm11, "Edit4")->text(), QString("a"));
    }
}

void ShapeBoardsTest::task10SolvedInSmallLetters()
{
    chooseMenu("N101");
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(Fm11));
    const Board b = task10();
    placeAllRight(b);
    const char *typed[] = {"начало", "b,x,c", "a:=sqrt(sqr(b)+sqr(c)-2*b*c*cos(x))", "a", "конец"};
    const char *capitals[] = {"НАЧАЛО", "B,X,C", "A:=SQRT(SQR(B)+SQR(C)-2*B*C*COS(X))", "A", "КОНЕЦ"};
    for (int i = 0; i < 5; ++i) {
        auto *edit = child<QLineEdit>(Fm11, QByteArray("Edit" + QByteArray::number(i + 1)).constData());
        edit->clear();
        typeKeys(edit, QString::fromUtf8(typed[i]));
    }
    MessageSpy spy;
    click(child<QPushButton>(Fm11, "Button2"));
    QCOMPARE(spy.texts, QStringList());
    for (int i = 0; i < 5; ++i)
        QCOMPARE(child<QLineEdit>(Fm11, QByteArray("Edit" + QByteArray::number(i + 1)).constData())->text(),
                 QString::fromUtf8(capitals[i]));
    auto *ok = child<QPushButton>(Fm11, "Button1");
    QVERIFY(ok->isVisible());
    click(ok);
    QVERIFY(Fm11->isHidden());
    QVERIFY(Form1->isMarkShown("Image12"));
}

void ShapeBoardsTest::task10RejectsAllButTheListedTexts_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("prompt left") << 1 << prompt << QString::fromUtf8("ВВЕДИТЕ ДАННЫЕ");
    QTest::newRow("Cyrillic В С Х") << 2 << QString::fromUtf8("в,с,х") << QString::fromUtf8("В,С,Х");
    QTest::newRow("Cyrillic А") << 4 << QString::fromUtf8("а") << QString::fromUtf8("А");
    QTest::newRow("other order") << 2 << "c,b,x" << "C,B,X";
    QTest::newRow("pasted blank") << 2 << "b, c,x" << "B, C,X";
    QTest::newRow("terms swapped") << 3 << "a:=sqrt(c*c+b*b-2*b*c*cos(x))" << "A:=SQRT(C*C+B*B-2*B*C*COS(X))";
    QTest::newRow("extra brackets") << 3 << "a:=sqrt((b*b)+c*c-2*b*c*cos(x))" << "A:=SQRT((B*B)+C*C-2*B*C*COS(X))";
    QTest::newRow("Latin H for Н") << 5 << "KOHEЦ" << "KOHEЦ";
}

void ShapeBoardsTest::task10RejectsAllButTheListedTexts()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    const QStringList right = {"НАЧАЛО", "b,c,x", "a:=sqrt(b*b+c*c-2*b*c*cos(x))", "a", "конец"};
    for (int i = 1; i <= 5; ++i)
        child<QLineEdit>(Fm11, QByteArray("Edit" + QByteArray::number(i)).constData())
            ->setText(i == box ? text : right[i - 1]);
    placeAllRight(task10());
    MessageSpy spy;
    click(child<QPushButton>(Fm11, "Button2"));
    QCOMPARE(spy.texts, QStringList{errorsFound});
    QCOMPARE(child<QLineEdit>(Fm11, QByteArray("Edit" + QByteArray::number(box)).constData())->text(), shown);
    // every box is in capitals, also those below the first wrong one
    QCOMPARE(child<QLineEdit>(Fm11, "Edit5")->text(), box == 5 ? shown : QString::fromUtf8("КОНЕЦ"));
    QVERIFY(!child<QPushButton>(Fm11, "Button1")->isVisibleTo(Fm11));
    QVERIFY(Fm11->shapesOk() && !Fm11->textsOk());
}

void ShapeBoardsTest::task10JudgesBothPartsAfreshAtEveryCheck()
{
    const Board b = task10();
    auto *check = child<QPushButton>(Fm11, "Button2");
    auto *ok = child<QPushButton>(Fm11, "Button1");
    auto *output = child<QLineEdit>(Fm11, "Edit4");
    const QStringList right = {"НАЧАЛО", "B,C,X", "A:=SQRT(B*B+C*C-2*B*C*COS(X))", "A", "КОНЕЦ"};
    for (int i = 1; i <= 5; ++i)
        child<QLineEdit>(Fm11, QByteArray("Edit" + QByteArray::number(i)).constData())->setText(right[i - 1]);

    MessageSpy spy;
    // Texts right, shapes missing.
    click(check);
    QCOMPARE(spy.texts, QStringList{errorsFound});
    QVERIFY(!Fm11->shapesOk() && Fm11->textsOk());
    // Shapes now right but a text made wrong: the earlier right texts no
    // longer count, so no "ОК" beside the message.
    placeAllRight(b);
    output->setText("Z");
    spy.texts.clear();
    click(check);
    QCOMPARE(spy.texts, QStringList{errorsFound});
    QVERIFY(Fm11->shapesOk() && !Fm11->textsOk());
    QVERIFY(!ok->isVisibleTo(Fm11));
    // Both wrong: two messages.
    QVERIFY(dropOnSlot(b.slotsTopDown[0], b.pieces[2]));
    spy.texts.clear();
    click(check);
    QCOMPARE(spy.texts, QStringList({errorsFound, errorsFound}));
    QVERIFY(!Fm11->shapesOk());
    // Both right: "ОК", which stays through later failing checks.
    QVERIFY(dropOnSlot(b.slotsTopDown[0], b.pieces[0]));
    output->setText("A");
    spy.texts.clear();
    click(check);
    QCOMPARE(spy.texts, QStringList());
    QVERIFY(ok->isVisibleTo(Fm11));
    output->setText("Z");
    click(check);
    QCOMPARE(spy.texts, QStringList{errorsFound});
    QVERIFY(!Fm11->textsOk());
    QVERIFY(ok->isVisibleTo(Fm11));
}

void ShapeBoardsTest::task10TypedBlanksAreSwallowed()
{
    chooseMenu("N101");
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(Fm11));
    auto *edit = child<QLineEdit>(Fm11, "Edit3");
    edit->clear();
    type(edit, "a := sqrt( b )");
    QCOMPARE(edit->text(), QString("a:=sqrt(b)"));
}

void ShapeBoardsTest::task10ActivationStartsTheAnswersAfresh()
{
    const Board b = task10();
    chooseMenu("N101");
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(Fm11));
    placeAllRight(b);
    auto *edit = child<QLineEdit>(Fm11, "Edit2");
    edit->setText("B,C,X");
    MessageSpy spy;
    click(child<QPushButton>(Fm11, "Button2"));
    QVERIFY(Fm11->shapesOk());

    Form1->activateWindow();
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(Form1));
    QCOMPARE(edit->text(), QString("B,C,X")); // leaving does nothing
    Fm11->activateWindow();
    QTRY_COMPARE(edit->text(), prompt);
    for (const char *name : {"Edit1", "Edit3", "Edit4", "Edit5"})
        QCOMPARE(child<QLineEdit>(Fm11, name)->text(), prompt);
    QCOMPARE(flagsOf(b.state), QVector<bool>(5, false));
    QVERIFY(!Fm11->shapesOk() && !Fm11->textsOk());
    // The slots still show their shapes, but must be filled again.
    for (int i = 0; i < 5; ++i)
        QVERIFY(shows(b.slotsTopDown[i], ShapeBoard::fileOf(b.expected[i])));
    QVERIFY(dropOnSlot(b.slotsTopDown[3], b.pieces[1]));
    QCOMPARE(flagsOf(b.state), QVector<bool>({false, false, false, true, false}));
}

QTEST_MAIN(ShapeBoardsTest)
#include "tst_shapeboards.moc"
