#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

// Capitals for the Latin and Cyrillic letters (those of code page 1251,
// ё and ґ included); every other character stays, so the length never
// changes.
QString upcaseLetters(const QString &text);

// The accepted writings of one answer, tried in their order. A text is right
// when it equals one of them exactly: no trimming, parsing or evaluation.
// Keys are compared, never shown, so nothing reads them back; a Russian key
// is written inside AnswerKeys{...}, where the check of the program's texts
// knows it for a key.
class AnswerKeys
{
public:
    AnswerKeys() = default;
    AnswerKeys(std::initializer_list<const char *> keys);

    bool matches(const QString &text) const;

private:
    QStringList m_keys;
};

enum class LetterCase {
    Upcase, // the text is judged, and shown again, in capitals
    AsTyped,
};

// The answers of the lines of one exercise and what the pupil has done with
// them: which lines are solved now, which were ever solved, and how many
// wrong answers were given since the start or the last restart. It knows no
// widgets; the exercise's window shows what it says.
class AnswerSheet
{
public:
    struct Line
    {
        AnswerKeys keys;
        LetterCase letterCase;
    };

    explicit AnswerSheet(std::vector<Line> lines);

    struct Verdict
    {
        QString text; // as judged: in capitals where the line says so
        bool right;
    };
    // Judges `typed` on `line`: a right answer solves the line, a wrong one
    // unsolves it and counts.
    Verdict check(int line, const QString &typed);

    // Every line open again and the count at zero; what was ever solved stays.
    void restart();

    int lineCount() const { return int(m_lines.size()); }
    bool isSolved(int line) const { return m_lines.at(std::size_t(line)).solved; }
    bool allSolved() const;
    bool allSolvedOnce() const;
    int wrongAnswers() const { return m_wrongAnswers; }

private:
    struct State
    {
        Line line;
        bool solved = false;
        bool solvedOnce = false;
    };
    std::vector<State> m_lines;
    int m_wrongAnswers = 0;
};
