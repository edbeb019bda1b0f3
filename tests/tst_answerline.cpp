// Upper-casing and answer keys shared by the typed-answer exercises.

#include "AnswerLine.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class AnswerLineTest : public QObject
{
    Q_OBJECT

private slots:
    void upcasesOnlyLatinAndCyrillicLetters_data();
    void upcasesOnlyLatinAndCyrillicLetters();
    void keysMatchExactlyAndInAnyListedWriting();
    void judgeWritesTheCapitalsBackUnlessAsTyped();
    void lockAndUnlockTheLine();
};

void AnswerLineTest::upcasesOnlyLatinAndCyrillicLetters_data()
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

void AnswerLineTest::upcasesOnlyLatinAndCyrillicLetters()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    const QString result = upcaseLetters(typed);
    QCOMPARE(result, shown);
    QCOMPARE(result.size(), typed.size());
}

void AnswerLineTest::keysMatchExactlyAndInAnyListedWriting()
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

void AnswerLineTest::judgeWritesTheCapitalsBackUnlessAsTyped()
{
    QLineEdit edit;
    QPushButton button;
    AnswerLine upcased(&edit, &button, AnswerKeys{"A:=10"}, AnswerLine::Case::Upcase);
    edit.setText("a:=10");
    QVERIFY(upcased.judge());
    QCOMPARE(edit.text(), QString("A:=10"));
    edit.setText("a:=10,0");
    QVERIFY(!upcased.judge());
    QCOMPARE(edit.text(), QString("A:=10,0"));

    AnswerLine asTyped(&edit, &button, AnswerKeys{"4"}, AnswerLine::Case::AsTyped);
    edit.setText("4");
    QVERIFY(asTyped.judge());
    for (const char *near : {" 4", "4 ", "+4", "04", "4.0", "4,0"}) {
        edit.setText(near);
        QVERIFY2(!asTyped.judge(), near);
        QCOMPARE(edit.text(), QString(near));
    }
}

void AnswerLineTest::lockAndUnlockTheLine()
{
    QLineEdit edit("x");
    QPushButton button;
    AnswerLine line(&edit, &button, AnswerKeys{"x"}, AnswerLine::Case::AsTyped);
    line.lock();
    QVERIFY(!edit.isEnabled());
    QVERIFY(!button.isEnabled());
    QCOMPARE(edit.text(), QString("x"));
    line.unlock();
    QVERIFY(edit.isEnabled());
    QVERIFY(button.isEnabled());
}

QTEST_MAIN(AnswerLineTest)
#include "tst_answerline.moc"
