// A long session in a few minutes: every form opened and closed over and
// over, thousands of drops on every board (right, wrong, and with a picture
// file missing), and huge and non-Latin texts typed into every edit box.
// Nothing may crash and memory must stay flat. It walks whatever windows the
// program owns, so it grows with the program.

#include "Harness.h"

#include "DragLabel.h"
#include "DropTarget.h"
#include "PictureBox.h"
#include "MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

using namespace Harness;

namespace {

constexpr int formCycles = 1000;      // each form opened and closed this often
constexpr int totalDrops = 10000;     // over all boards together
constexpr int longTextLength = 100000; // characters sent to every edit box
constexpr int typedByKey = 400;       // of which typed key by key, the rest in bursts
constexpr int burstLength = 1000;     // characters per burst, as an input method sends them
// Growth of peak memory allowed while opening forms and dropping; a picture
// kept per drop would be 40 KB x 10,000.
constexpr long flatKilobytes = 64 * 1024;
// While typing: every box keeps its text laid out (about 40 MB in all);
// anything kept per keystroke would be far more.
constexpr long typingKilobytes = 128 * 1024;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true; // its quarantine holds freed memory; LeakSanitizer judges leaks
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool sanitized = true;
#else
constexpr bool sanitized = false;
#endif
#else
constexpr bool sanitized = false;
#endif

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The forms a pupil opens: all but the main form, which stays open.
QList<QWidget *> openableForms(const ProgramWindows &program)
{
    QList<QWidget *> forms = program.windows();
    forms.removeAll(program.mainWindow());
    return forms;
}

template <typename T>
QList<T *> visibleChildren(QWidget *form)
{
    QList<T *> found;
    for (T *child : form->findChildren<T *>())
        if (child->isVisibleTo(form) && child->isEnabled())
            found << child;
    return found;
}

QList<QPushButton *> buttonsCaptioned(QWidget *form, const QStringList &captions)
{
    QList<QPushButton *> found;
    for (QPushButton *button : visibleChildren<QPushButton>(form))
        if (captions.contains(button->text()))
            found << button;
    return found;
}

// Whether `shown` could have come from typing `typed`: its characters in
// the same order, some perhaps left out (blanks, beyond the maximum length),
// letters perhaps turned into capitals by a check.
bool keptInOrder(const QString &shown, const QString &typed)
{
    qsizetype at = 0;
    for (const QChar c : shown) {
        const QChar wanted = c.toUpper();
        while (at < typed.size() && typed.at(at).toUpper() != wanted)
            ++at;
        if (at == typed.size())
            return false;
        ++at;
    }
    return true;
}

// Sends `text` in bursts of several characters, each one key event as an
// input method delivers a composed text; a burst never splits an emoji.
void sendInBursts(QWidget *widget, const QString &text)
{
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype length = qMin<qsizetype>(burstLength, text.size() - at);
        if (text.at(at + length - 1).isHighSurrogate() && at + length < text.size())
            ++length;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(at, length));
        QApplication::sendEvent(widget, &press);
        at += length;
    }
}

// A point (in form coordinates) where `picture` itself is the topmost
// widget, so that a drop there reaches it; a null point if there is none.
QPoint uncoveredPoint(QWidget *picture)
{
    QWidget *form = picture->window();
    for (int y = 1; y < picture->height(); y += 4)
        for (int x = 1; x < picture->width(); x += 4) {
            const QPoint at = picture->mapTo(form, QPoint(x, y));
            if (form->childAt(at) == picture)
                return at;
        }
    return QPoint();
}

void openAndClose(QWidget *form)
{
    form->show();
    form->activateWindow();
    QCoreApplication::processEvents();
    form->close();
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void formsOpenAndCloseAThousandTimes();
    void tenThousandDropsOnTheBoards();
    void hugeAndForeignTextInEveryEditBox();

private:
    void report(const char *what, long before, long allowedKilobytes);

    QTemporaryDir m_workDir;
    QString m_previousDir;
    std::unique_ptr<ProgramWindows> program;
};

void SoakTest::initTestCase()
{
    // The boards read their pictures from the working directory; a copy of
    // it lets a file go missing without touching the shipped ones.
    QVERIFY(m_workDir.isValid());
    m_previousDir = QDir::currentPath();
    for (const QString &name : QDir(m_previousDir).entryList({"*.jpg"}, QDir::Files))
        QVERIFY(QFile::copy(QDir(m_previousDir).filePath(name), m_workDir.filePath(name)));
    QVERIFY(QDir::setCurrent(m_workDir.path()));
    program = startProgram();
}

void SoakTest::cleanupTestCase()
{
    stopProgram(program);
    QDir::setCurrent(m_previousDir);
}

void SoakTest::report(const char *what, long before, long allowedKilobytes)
{
    const long after = peakKilobytes();
    qInfo("%s: peak resident memory %ld MB before, %ld MB after", what, before / 1024, after / 1024);
    if (!sanitized)
        QVERIFY2(after - before < allowedKilobytes, what);
}

void SoakTest::formsOpenAndCloseAThousandTimes()
{
    MessageSpy boxes(*program); // whatever a form says on opening is answered at once
    const QList<QWidget *> forms = openableForms(*program);
    QVERIFY(!forms.isEmpty());
    for (QWidget *form : forms) // the first opening builds caches that stay
        openAndClose(form);
    const long before = peakKilobytes();
    for (int cycle = 0; cycle < formCycles; ++cycle)
        for (QWidget *form : forms)
            openAndClose(form);
    for (QWidget *form : forms)
        QVERIFY2(form->isHidden(), qPrintable(form->objectName()));
    QVERIFY(program->mainWindow()->isVisible());
    report("opening and closing every form", before, flatKilobytes);
}

void SoakTest::tenThousandDropsOnTheBoards()
{
    struct Board
    {
        QWidget *form;
        QList<QWidget *> sources; // pieces and captions that start a drag when pressed
        QList<QPoint> targets; // a point of each picture not covered by a text or an edit box
        QList<QPushButton *> resets;
    };
    QList<Board> boards;
    for (QWidget *form : openableForms(*program)) {
        form->show();
        QCoreApplication::processEvents();
        Board board{form, {}, {}, buttonsCaptioned(form, {"Заново", "Очистить"})};
        for (PictureBox *picture : visibleChildren<PictureBox>(form)) {
            if (picture->autoDrag())
                board.sources << picture;
            const QPoint uncovered = uncoveredPoint(picture);
            if (!uncovered.isNull())
                board.targets << uncovered;
        }
        for (DragLabel *label : visibleChildren<DragLabel>(form))
            board.sources << label;
        if (!board.sources.isEmpty() && !board.targets.isEmpty())
            boards << board;
        form->close();
    }
    QVERIFY(!boards.isEmpty());

    MessageSpy boxes(*program);
    const QString missing = QStringLiteral("uslNew.jpg");
    const long before = peakKilobytes();
    QHash<QWidget *, int> accepted; // by board
    for (int drop = 0; drop < totalDrops; ++drop) {
        // the middle third of the session runs without the diamond's file
        if (drop == totalDrops / 3)
            QVERIFY(QFile::rename(missing, missing + ".away"));
        if (drop == 2 * totalDrops / 3)
            QVERIFY(QFile::rename(missing + ".away", missing));
        const Board &board = boards.at(drop % boards.size());
        const int round = drop / boards.size();
        QWidget *source = board.sources.at(round % board.sources.size());
        const QPoint target = board.targets.at((round / board.sources.size() + round) % board.targets.size());
        if (!board.form->isVisible())
            board.form->show();
        accepted[board.form] += dropAt(board.form, source, target) ? 1 : 0;
        // now and then the board is cleared, which brings the captions back
        if (round % 50 == 49)
            for (QPushButton *reset : board.resets)
                click(reset);
    }
    for (const Board &board : boards)
        board.form->close();
    qInfo("%d drops on %lld boards, %lld message boxes", totalDrops, qlonglong(boards.size()),
          qlonglong(boxes.texts.size()));
    // A board took drops all along, not only at first; a page with
    // draggable pictures but no board refused every one.
    for (const Board &board : boards) {
        const int taken = accepted.value(board.form);
        if (board.form->findChildren<DropTarget *>().isEmpty())
            QVERIFY2(taken == 0, qPrintable(board.form->objectName()));
        else
            QVERIFY2(taken > totalDrops / boards.size() / 10, qPrintable(board.form->objectName()));
    }
    // Ten thousand reads must not run out of anything: the only file that
    // ever fails to open is the one taken away.
    for (const QString &text : std::as_const(boxes.texts))
        if (text.startsWith("Cannot open file"))
            QCOMPARE(text, "Cannot open file " + missing);
    report("dropping on the boards", before, flatKilobytes);
}

void SoakTest::hugeAndForeignTextInEveryEditBox()
{
    // Cyrillic, characters outside code page 1251 (Greek, CJK, Arabic,
    // combining accent, joiners), emoji made of surrogate pairs, and the
    // characters of answers.
    const QString sample = QString::fromUtf8("Ёж A:=10 λ漢字 مرحبا e\u0301 \u200D😀🇷🇺👩‍💻 ∑√ ");
    QString text;
    while (text.size() < longTextLength)
        text += sample;
    text.truncate(longTextLength);
    if (text.at(text.size() - 1).isHighSurrogate())
        text.chop(1);

    MessageSpy boxes(*program); // wrong answers say so
    const long before = peakKilobytes();
    for (QWidget *form : openableForms(*program)) {
        form->show();
        form->activateWindow();
        QCoreApplication::processEvents();
        for (QLineEdit *edit : visibleChildren<QLineEdit>(form)) {
            edit->setFocus();
            edit->selectAll(); // what is typed replaces any prompt text
            type(edit, text.left(typedByKey));
            sendInBursts(edit, text.mid(typedByKey));
            QVERIFY2(edit->text().size() <= edit->maxLength(), qPrintable(edit->objectName()));
            QVERIFY2(keptInOrder(edit->text(), text),
                     qPrintable(form->objectName() + "." + edit->objectName()));
        }
        for (QPushButton *check : buttonsCaptioned(form, {"Проверить"}))
            click(check);
        form->close();
    }
    report("typing into every edit box", before, typingKilobytes);
}

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
