// The shape-placing boards: drops, checks, resets, picture files that can't
// be loaded, and the cosine law's typed block texts.

#include "GuiTest.h"

#include "ActivationTracker.h"
#include "JpegLoader.h"
#include "PictureBox.h"
#include "CosineLawTask.h"
#include "HoursToMinutesTask.h"
#include "MainWindow.h"
#include "ShapeBoard.h"
#include "JpegWriter.h"

#include <QDir>
#include <QFile>
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

template <typename T = QWidget>
T *child(QWidget *form, const QString &name)
{
    auto *widget = form->findChild<T *>(name);
    if (!widget)
        qFatal("no %s on %s", qPrintable(name), qPrintable(form->objectName()));
    return widget;
}

PictureBox *picture(QWidget *form, const QString &name) { return child<PictureBox>(form, name); }
QPushButton *button(QWidget *form, const char *name) { return child<QPushButton>(form, name); }

// A board: its slots top to bottom with the shape each expects, and its
// pieces in the order of Shape.
struct Board
{
    QWidget *form;
    QVector<PictureBox *> slotsTopDown;
    QVector<PictureBox *> pieces;
    const ShapeBoard &state;
};
// The pages with a shape board; the shape each slot wants, top to bottom, on
// every one of them.
const char *const shapeBoards[] = {"hoursToMinutes", "cosineLaw"};
const Shape expected[5] = {Shape::Oval, Shape::Parallelogram, Shape::Rectangle, Shape::Parallelogram, Shape::Oval};

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

// The columns of a label's drawn text that hold ink, as runs of columns
// (first, last) in its form's coordinates.
QList<QPair<int, int>> inkColumns(QLabel *label)
{
    const QImage image = label->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QList<QPair<int, int>> runs;
    for (int x = 0; x < image.width(); ++x) {
        bool ink = false;
        for (int y = 0; y < image.height() && !ink; ++y)
            ink = qAlpha(image.pixel(x, y)) > 128 && qGray(image.pixel(x, y)) < 128;
        const int column = label->x() + x;
        if (ink && !runs.isEmpty() && runs.last().second == column - 1)
            runs.last().second = column;
        else if (ink)
            runs.append({column, column});
    }
    return runs;
}

void placeAllRight(const Board &board)
{
    for (int i = 0; i < 5; ++i)
        QVERIFY(dropOnSlot(board.slotsTopDown[i], board.pieces[int(expected[i])]));
}

const QStringList rightTexts = {"НАЧАЛО", "B,C,X", "A:=SQRT(B*B+C*C-2*B*C*COS(X))", "A", "КОНЕЦ"};

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

    // Spoils `name`: "missing", "corrupt" (not a JPEG), "unreadable" (a
    // folder in its place) or "too large" (a progressive 7000 x 7000 picture,
    // past what one picture may take to decode).
    void spoil(const QString &name, const QString &how)
    {
        QFile::remove(m_dir.filePath(name));
        if (how == QLatin1String("unreadable"))
            QDir(m_dir.path()).mkdir(name);
        if (how != QLatin1String("corrupt") && how != QLatin1String("too large"))
            return;
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        if (how == QLatin1String("corrupt")) {
            file.write(QByteArray("\xFF\xD8\xFF\xE0 not really a picture", 26));
            return;
        }
        JpegWriter::Options options;
        options.progressive = true;
        options.fullColour = true;
        QByteArray huge = JpegWriter::encode(JpegWriter::photograph(64, 48), options);
        const int frame = int(huge.indexOf("\xFF\xC2")); // its height and width follow the precision
        huge[frame + 5] = char(7000 >> 8);
        huge[frame + 6] = char(7000 & 0xFF);
        huge[frame + 7] = char(7000 >> 8);
        huge[frame + 8] = char(7000 & 0xFF);
        file.write(huge);
    }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

} // namespace

class ShapeBoardsTest : public GuiTest
{
    Q_OBJECT

    HoursToMinutesTask *hoursToMinutes() const { return program->page<HoursToMinutesTask>("hoursToMinutes"); }
    CosineLawTask *cosineLaw() const { return program->page<CosineLawTask>("cosineLaw"); }
    // Task 10's block text boxes, 1 to 5 from the top.
    QLineEdit *edit(int n) const
    {
        static const char *const boxes[] = {"startEdit", "inputEdit", "processEdit", "outputEdit", "endEdit"};
        return child<QLineEdit>(cosineLaw(), boxes[n - 1]);
    }
    void fillTexts(const QStringList &texts) const
    {
        for (int i = 0; i < 5; ++i)
            edit(i + 1)->setText(texts[i]);
    }
    Board boardNamed(const QString &name) const
    {
        QWidget *form = program->window(name);
        const ShapeBoard &state = *form->findChild<ShapeBoard *>();
        return {form,
                {picture(form, "startSlot"), picture(form, "inputSlot"), picture(form, "processSlot"),
                 picture(form, "outputSlot"), picture(form, "endSlot")},
                {picture(form, "ovalPiece"), picture(form, "parallelogramPiece"), picture(form, "rectanglePiece"),
                 picture(form, "diamondPiece")},
                state};
    }


private slots:

    void everyShapeBoardIsInTheTable();
    void boards_data();
    void everyPieceOnEverySlot_data();
    void everyPieceOnEverySlot();
    void theLastDropOnASlotDecides_data() { boards_data(); }
    void theLastDropOnASlotDecides();
    void hoursToMinutesCountsWrongDropsAndClears();
    void fileThatCannotBeLoadedChangesNothing_data();
    void fileThatCannotBeLoadedChangesNothing();
    void resetStopsWhenTheBlankCannotBeLoaded();
    void cosineLawSolvedInSmallLetters();
    void cosineLawRejectsAllButTheListedTexts_data();
    void cosineLawRejectsAllButTheListedTexts();
    void cosineLawJudgesBothPartsAfreshAtEveryCheck();
    void cosineLawActivationStartsTheAnswersAfresh();
    void cosineLawSquaresStandAfterTheirLetters();
};

// A shape board added to the page list is tested only through the table.
void ShapeBoardsTest::everyShapeBoardIsInTheTable()
{
    for (const PageEntry &page : pages()) {
        QVERIFY2(!program->window(page.pageName())->findChild<ShapeBoard *>()
                     || std::count(std::begin(shapeBoards), std::end(shapeBoards), page.pageName()) == 1,
                 qPrintable(page.pageName() + " has a shape board that this test's table lacks"));
    }
}

void ShapeBoardsTest::boards_data()
{
    QTest::addColumn<QString>("board");
    for (const char *page : shapeBoards)
        QTest::newRow(page) << page;
}

void ShapeBoardsTest::everyPieceOnEverySlot_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("code");
    for (int code = 0; code < 4; ++code)
        QTest::addRow("hoursToMinutes, shape %d", code) << "hoursToMinutes" << code;
    for (int code = 0; code < 3; ++code) // Task 10's diamond can't be dragged
        QTest::addRow("cosineLaw, shape %d", code) << "cosineLaw" << code;
}

void ShapeBoardsTest::everyPieceOnEverySlot()
{
    QFETCH(QString, board);
    QFETCH(int, code);
    const Board b = boardNamed(board);
    PictureBox *piece = b.pieces[code];
    QVERIFY(piece->autoDrag());
    const QRect place = piece->geometry();
    int misplaced = 0;
    for (int i = 0; i < 5; ++i) {
        QVERIFY(dropOnSlot(b.slotsTopDown[i], piece));
        QVERIFY2(shows(b.slotsTopDown[i], Shapes::pictureFile(Shape(code))), qPrintable(b.slotsTopDown[i]->objectName()));
        QCOMPARE(b.state.isRight(i), expected[i] == Shape(code));
        misplaced += expected[i] != Shape(code);
    }
    QCOMPARE(b.state.wrongDropCount(), b.form == hoursToMinutes() ? misplaced : 0);
    // The piece is not used up.
    QCOMPARE(piece->geometry(), place);
    QVERIFY(piece->isVisibleTo(b.form));
    if (b.form == cosineLaw())
        QVERIFY(!b.pieces[3]->autoDrag());
}

void ShapeBoardsTest::theLastDropOnASlotDecides()
{
    QFETCH(QString, board);
    const Board b = boardNamed(board);
    const int counted = b.form == hoursToMinutes() ? 1 : 0;
    placeAllRight(b);
    QVERIFY(dropOnSlot(b.slotsTopDown[2], b.pieces[2])); // right twice: nothing counted
    QCOMPARE(b.state.wrongDropCount(), 0);
    QVERIFY(b.state.complete());

    // A wrong shape over a right one: the slot shows it and is wrong again.
    QVERIFY(dropOnSlot(b.slotsTopDown[2], b.pieces[1]));
    QVERIFY(shows(b.slotsTopDown[2], "parNew.jpg"));
    QVERIFY(!b.state.isRight(2));
    QVERIFY(!b.state.complete());
    QCOMPARE(b.state.wrongDropCount(), counted);

    QVERIFY(dropOnSlot(b.slotsTopDown[2], b.pieces[2]));
    QVERIFY(b.state.complete());
    QCOMPARE(b.state.wrongDropCount(), counted);
}

void ShapeBoardsTest::hoursToMinutesCountsWrongDropsAndClears()
{
    const Board b = boardNamed("hoursToMinutes");
    QPushButton *ok = button(hoursToMinutes(), "doneButton");
    QPushButton *check = button(hoursToMinutes(), "checkButton");
    auto *count = child<QLabel>(hoursToMinutes(), "errorCountLabel");
    const QImage blank = b.slotsTopDown[4]->image();

    for (int i = 0; i < 4; ++i)
        QVERIFY(dropOnSlot(b.slotsTopDown[i], b.pieces[int(expected[i])]));
    click(check); // four right slots: nothing
    QVERIFY(!ok->isVisibleTo(hoursToMinutes()));
    QCOMPARE(count->text(), QString());
    QVERIFY(b.slotsTopDown[4]->image() == blank);

    QVERIFY(dropOnSlot(b.slotsTopDown[4], b.pieces[0]));
    click(check);
    QVERIFY(ok->isVisibleTo(hoursToMinutes()));
    QCOMPARE(count->text(), QString::fromUtf8("Количество ошибок: 0"));
    QVERIFY(count->width() >= count->sizeHint().width());

    // The diamond fits nowhere. An incomplete board leaves the count shown.
    for (int i = 0; i < 11; ++i)
        QVERIFY(dropOnSlot(b.slotsTopDown[i % 5], b.pieces[3]));
    click(check);
    QCOMPARE(count->text(), QString::fromUtf8("Количество ошибок: 0"));
    placeAllRight(b);
    click(check);
    QCOMPARE(count->text(), QString::fromUtf8("Количество ошибок: 11"));

    click(button(hoursToMinutes(), "clearButton"));
    QVERIFY(!ok->isVisibleTo(hoursToMinutes()));
    QCOMPARE(count->text(), QString());
    for (PictureBox *slot : b.slotsTopDown)
        QVERIFY(shows(slot, "fon.jpg"));
    QCOMPARE(flagsOf(b.state), QVector<bool>(5, false));
    QCOMPARE(b.state.wrongDropCount(), 0);

    placeAllRight(b);
    click(check);
    click(ok);
    QVERIFY(hoursToMinutes()->isHidden());
    QVERIFY(program->mainWindow()->isMarkShown("hoursToMinutes"));
}

void ShapeBoardsTest::fileThatCannotBeLoadedChangesNothing_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("message");
    const QString cannotOpen = "Cannot open file uslNew.jpg";
    QTest::newRow("hoursToMinutes, missing") << "hoursToMinutes" << "missing" << cannotOpen;
    QTest::newRow("hoursToMinutes, unreadable") << "hoursToMinutes" << "unreadable" << cannotOpen;
    QTest::newRow("hoursToMinutes, corrupt") << "hoursToMinutes" << "corrupt" << "uslNew.jpg";
    QTest::newRow("cosineLaw, missing") << "cosineLaw" << "missing" << "Cannot open file parNew.jpg";
    QTest::newRow("cosineLaw, corrupt") << "cosineLaw" << "corrupt" << "parNew.jpg";
    QTest::newRow("cosineLaw, too large") << "cosineLaw" << "too large" << "Файл parNew.jpg слишком большой";
}

void ShapeBoardsTest::fileThatCannotBeLoadedChangesNothing()
{
    QFETCH(QString, board);
    QFETCH(QString, how);
    QFETCH(QString, message);
    const Board b = boardNamed(board);
    WorkingCopy copy;
    QVERIFY(dropOnSlot(b.slotsTopDown[3], b.pieces[0])); // a wrong drop first
    placeAllRight(b);
    const int count = b.state.wrongDropCount();

    // Task 4 drops the diamond, Task 10 a parallelogram, over a right shape.
    const int code = b.form == hoursToMinutes() ? 3 : 1;
    copy.spoil(Shapes::pictureFile(Shape(code)), how);
    QVector<QImage> before;
    for (PictureBox *slot : b.slotsTopDown)
        before << slot->image();
    MessageSpy spy(*program);
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
    const Board hoursBoard = boardNamed("hoursToMinutes"), cosineBoard = boardNamed("cosineLaw");
    QVERIFY(dropOnSlot(hoursBoard.slotsTopDown[4], hoursBoard.pieces[3]));
    placeAllRight(hoursBoard);
    click(button(hoursToMinutes(), "checkButton"));
    placeAllRight(cosineBoard);
    edit(4)->setText("a");

    for (const char *how : {"missing", "corrupt", "unreadable"}) {
        copy.spoil("fon.jpg", how);
        MessageSpy spy(*program);
        click(button(hoursToMinutes(), "clearButton"));
        click(button(cosineLaw(), "clearButton"));
        QCOMPARE(spy.texts.size(), 2);
        QVERIFY(spy.texts[0].contains("fon.jpg"));
        // Task 4 hides "ОК" and the count before it loads the blanks.
        QVERIFY(!button(hoursToMinutes(), "doneButton")->isVisibleTo(hoursToMinutes()));
        QCOMPARE(child<QLabel>(hoursToMinutes(), "errorCountLabel")->text(), QString());
        for (const Board &b : {hoursBoard, cosineBoard}) {
            QVERIFY(b.state.complete());
            for (int i = 0; i < 5; ++i)
                QVERIFY(shows(b.slotsTopDown[i], Shapes::pictureFile(expected[i])));
        }
        QCOMPARE(hoursBoard.state.wrongDropCount(), 1);
        QCOMPARE(edit(4)->text(), QString("a"));
    }
}

void ShapeBoardsTest::cosineLawSolvedInSmallLetters()
{
    chooseMenu(*program, "cosineLawAction");
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(cosineLaw()));
    placeAllRight(boardNamed("cosineLaw"));
    // typed blanks never reach the boxes
    const QStringList typed = {"нач ало", "b, x, c", "a := sqrt(sqr(b)+sqr(c)-2*b*c*cos(x))", "a", "конец"};
    for (int i = 0; i < 5; ++i) {
        edit(i + 1)->clear();
        type(edit(i + 1), typed[i]);
    }
    MessageSpy spy(*program);
    click(button(cosineLaw(), "checkButton"));
    QCOMPARE(spy.texts, QStringList());
    const QStringList capitals = {"НАЧАЛО", "B,X,C", "A:=SQRT(SQR(B)+SQR(C)-2*B*C*COS(X))", "A", "КОНЕЦ"};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(edit(i + 1)->text(), capitals[i]);
    click(button(cosineLaw(), "doneButton"));
    QVERIFY(cosineLaw()->isHidden());
    QVERIFY(program->mainWindow()->isMarkShown("cosineLaw"));
}

void ShapeBoardsTest::cosineLawRejectsAllButTheListedTexts_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("prompt left") << 1 << prompt << QString::fromUtf8("ВВЕДИТЕ ДАННЫЕ");
    QTest::newRow("Cyrillic В С Х") << 2 << QString::fromUtf8("в,с,х") << QString::fromUtf8("В,С,Х");
    QTest::newRow("Cyrillic А") << 4 << QString::fromUtf8("а") << QString::fromUtf8("А");
    QTest::newRow("Latin look-alikes") << 5 << QString::fromUtf8("KOHEЦ") << QString::fromUtf8("KOHEЦ");
    QTest::newRow("other order") << 2 << "c,b,x" << "C,B,X";
    QTest::newRow("pasted blank") << 2 << "b, c,x" << "B, C,X";
    QTest::newRow("terms swapped") << 3 << "a:=sqrt(c*c+b*b-2*b*c*cos(x))" << "A:=SQRT(C*C+B*B-2*B*C*COS(X))";
    QTest::newRow("extra brackets") << 3 << "a:=sqrt((b*b)+c*c-2*b*c*cos(x))" << "A:=SQRT((B*B)+C*C-2*B*C*COS(X))";
}

void ShapeBoardsTest::cosineLawRejectsAllButTheListedTexts()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QStringList texts = {"начало", "b,c,x", "a:=sqrt(b*b+c*c-2*b*c*cos(x))", "a", "конец"};
    texts[box - 1] = text;
    fillTexts(texts);
    placeAllRight(boardNamed("cosineLaw"));
    MessageSpy spy(*program);
    click(button(cosineLaw(), "checkButton"));
    QCOMPARE(spy.texts, QStringList{errorsFound});
    QCOMPARE(edit(box)->text(), shown);
    // every box is in capitals, also those below the first wrong one
    QCOMPARE(edit(5)->text(), box == 5 ? shown : QString::fromUtf8("КОНЕЦ"));
    QVERIFY(!button(cosineLaw(), "doneButton")->isVisibleTo(cosineLaw()));
}

void ShapeBoardsTest::cosineLawJudgesBothPartsAfreshAtEveryCheck()
{
    const Board b = boardNamed("cosineLaw");
    QPushButton *check = button(cosineLaw(), "checkButton");
    QPushButton *ok = button(cosineLaw(), "doneButton");
    fillTexts(rightTexts);
    MessageSpy spy(*program);
    click(check); // texts right, shapes missing
    QCOMPARE(spy.texts, QStringList{errorsFound});
    QVERIFY(!cosineLaw()->shapesOk() && cosineLaw()->textsOk());

    // Shapes now right but a text made wrong: the texts found right before
    // no longer count, so there is no "ОК" beside the message.
    placeAllRight(b);
    edit(4)->setText("Z");
    spy.texts.clear();
    click(check);
    QCOMPARE(spy.texts, QStringList{errorsFound});
    QVERIFY(cosineLaw()->shapesOk() && !cosineLaw()->textsOk());
    QVERIFY(!ok->isVisibleTo(cosineLaw()));

    QVERIFY(dropOnSlot(b.slotsTopDown[0], b.pieces[2])); // both wrong: two messages
    spy.texts.clear();
    click(check);
    QCOMPARE(spy.texts, QStringList({errorsFound, errorsFound}));

    // Both right: "ОК", which stays through later failing checks.
    QVERIFY(dropOnSlot(b.slotsTopDown[0], b.pieces[0]));
    edit(4)->setText("A");
    spy.texts.clear();
    click(check);
    QCOMPARE(spy.texts, QStringList());
    QVERIFY(ok->isVisibleTo(cosineLaw()));
    edit(4)->setText("Z");
    click(check);
    QCOMPARE(spy.texts, QStringList{errorsFound});
    QVERIFY(ok->isVisibleTo(cosineLaw()));
}

void ShapeBoardsTest::cosineLawActivationStartsTheAnswersAfresh()
{
    const Board b = boardNamed("cosineLaw");
    chooseMenu(*program, "cosineLawAction");
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(cosineLaw()));
    placeAllRight(b);
    fillTexts(rightTexts);
    MessageSpy spy(*program);
    click(button(cosineLaw(), "checkButton"));
    QVERIFY(cosineLaw()->shapesOk() && cosineLaw()->textsOk());

    program->mainWindow()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->mainWindow()));
    QCOMPARE(edit(2)->text(), QString("B,C,X")); // leaving changes nothing
    cosineLaw()->activateWindow();
    QTRY_COMPARE(edit(2)->text(), prompt);
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(edit(i)->text(), prompt);
    QCOMPARE(flagsOf(b.state), QVector<bool>(5, false));
    QVERIFY(!cosineLaw()->shapesOk() && !cosineLaw()->textsOk());
    // The slots still show their shapes, but must be filled again.
    for (int i = 0; i < 5; ++i)
        QVERIFY(shows(b.slotsTopDown[i], Shapes::pictureFile(expected[i])));
    QVERIFY(dropOnSlot(b.slotsTopDown[3], b.pieces[1]));
    QCOMPARE(flagsOf(b.state), QVector<bool>({false, false, false, true, false}));
    QVERIFY(button(cosineLaw(), "doneButton")->isVisibleTo(cosineLaw())); // "ОК" keeps its visibility
}

// "2       2         2 " over "a = b + c - 2 bc cos x": each square starts
// just after its letter, whatever font the program found.
void ShapeBoardsTest::cosineLawSquaresStandAfterTheirLetters()
{
    cosineLaw()->show();
    const QList<QPair<int, int>> formula = inkColumns(child<QLabel>(cosineLaw(), "formulaLabel"));
    const QList<QPair<int, int>> squares = inkColumns(child<QLabel>(cosineLaw(), "squaresLabel"));
    QCOMPARE(squares.size(), 3);
    QVERIFY(formula.size() > 5);
    // Blanks part a, b and c from "=", "+" and "-": they are the first, third and fifth runs of ink.
    for (int k = 0; k < 3; ++k) {
        const int gap = squares[k].first - (formula[2 * k].second + 1);
        const QString where = QString("square %1 starts %2 px after its letter").arg(k + 1).arg(gap);
        QVERIFY2(gap >= 0 && gap <= 3, qPrintable(where));
    }
}

QTEST_MAIN(ShapeBoardsTest)
#include "tst_shapeboards.moc"
