// Upper-casing, answer keys and the answer sheet of the typed-answer exercises.

#include "AnswerSheet.h"

#include <QApplication>
#include <QTest>

class AnswerSheetTest : public QObject
{
    Q_OBJECT

private slots:
    void upcasesOnlyLatinAndCyrillicLetters_data();
    void upcasesOnlyLatinAndCyrillicLetters();
    void keysMatchExactlyAndInAnyListedWriting();
    void sheetJudgesCountsAndRemembersWhatWasSolved();
};

void AnswerSheetTest::upcasesOnlyLatinAndCyrillicLetters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("latin") << "c:=a+b" << "C:=A+B";
    QTest::newRow("cyrillic") << QString::fromUtf8("начало ёж") << QString::fromUtf8("НАЧАЛО ЁЖ");
    QTest::newRow("cp1251 letters") << QString::fromUtf8("ђѓєѕіїјљњћќўџґ") << QString::fromUtf8("ЂЃЄЅІЇЈЉЊЋЌЎЏҐ");
    QTest::newRow("signs and digits") << "3.2*sqr(a)>=67,5 _-/" << "3.2*SQR(A)>=67,5 _-/";
    QTest::newRow("other scripts stay") << QString::fromUtf8("ßéαω") << QString::fromUtf8("ßéαω");
    QTest::newRow("emoji keeps length") << QString::fromUtf8("a😀b") << QString::fromUtf8("A😀B");
    QTest::newRow("capitals stay") << QString::fromUtf8("XYZ АБВ") << QString::fromUtf8("XYZ АБВ");
}

void AnswerSheetTest::upcasesOnlyLatinAndCyrillicLetters()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    const QString result = upcaseLetters(typed);
    QCOMPARE(result, shown);
    QCOMPARE(result.size(), typed.size());
}

void AnswerSheetTest::keysMatchExactlyAndInAnyListedWriting()
{
    const AnswerKeys keys{"C:=A+B", "C:=B+A"};
    QVERIFY(keys.matches("C:=A+B"));
    QVERIFY(keys.matches("C:=B+A"));
    QVERIFY(!keys.matches("C:=A+B "));
    QVERIFY(!keys.matches(" C:=A+B"));
    QVERIFY(!keys.matches("C := A+B"));
    QVERIFY(!keys.matches(QString::fromUtf8("С:=А+В"))); // Cyrillic look-alikes
    QVERIFY(!keys.matches("c:=a+b"));
    QVERIFY(!keys.matches(""));
    QVERIFY(!AnswerKeys().matches(""));
}

void AnswerSheetTest::sheetJudgesCountsAndRemembersWhatWasSolved()
{
    AnswerSheet sheet({{{"A:=10"}, LetterCase::Upcase}, {{"4"}, LetterCase::AsTyped}});
    // Capitals are judged and come back for the box; digits as typed.
    const AnswerSheet::Verdict upcased = sheet.check(0, "a:=10");
    QCOMPARE(upcased.text, QString("A:=10"));
    QVERIFY(upcased.right);
    QVERIFY(!sheet.check(1, " 4").right);
    QCOMPARE(sheet.check(1, " 4").text, QString(" 4"));
    QCOMPARE(sheet.wrongAnswers(), 2);
    QVERIFY(!sheet.allSolved());
    QVERIFY(sheet.check(1, "4").right);
    QVERIFY(sheet.allSolved());
    // A wrong answer on a solved line unsolves it, but it was solved once.
    QVERIFY(!sheet.check(0, "A:=1").right);
    QVERIFY(!sheet.isSolved(0));
    QVERIFY(sheet.allSolvedOnce());
    // A restart opens every line and zeroes the count; the past stays.
    sheet.restart();
    QVERIFY(!sheet.isSolved(1));
    QCOMPARE(sheet.wrongAnswers(), 0);
    QVERIFY(sheet.allSolvedOnce());
}

QTEST_MAIN(AnswerSheetTest)
#include "tst_answersheet.moc"
