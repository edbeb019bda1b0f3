#include "AnswerSheet.h"

#include <algorithm>

QString upcaseLetters(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            c = QChar(char16_t(u - 0x20));
        else if (u >= 0x0430 && u <= 0x044F) // а..я
            c = QChar(char16_t(u - 0x20));
        else if (u >= 0x0450 && u <= 0x045F) // ѐ..џ: ё, ђ, ѓ, є, ѕ, і, ї, ј, љ, њ, ћ, ќ, ў, џ
            c = QChar(char16_t(u - 0x50));
        else if (u == 0x0491) // ґ
            c = QChar(char16_t(0x0490));
    }
    return result;
}

AnswerKeys::AnswerKeys(std::initializer_list<const char *> keys)
{
    for (const char *key : keys)
        m_keys.append(QString::fromUtf8(key));
}

bool AnswerKeys::matches(const QString &text) const
{
    return m_keys.contains(text);
}

AnswerSheet::AnswerSheet(std::vector<Line> lines)
{
    for (Line &line : lines)
        m_lines.push_back({std::move(line)});
}

AnswerSheet::Verdict AnswerSheet::check(int line, const QString &typed)
{
    State &state = m_lines.at(std::size_t(line));
    const QString text = state.line.letterCase == LetterCase::Upcase ? upcaseLetters(typed) : typed;
    const bool right = state.line.keys.matches(text);
    state.solved = right;
    if (right)
        state.solvedOnce = true;
    else
        ++m_wrongAnswers;
    return {text, right};
}

void AnswerSheet::restart()
{
    for (State &state : m_lines)
        state.solved = false;
    m_wrongAnswers = 0;
}

bool AnswerSheet::allSolved() const
{
    return std::all_of(m_lines.begin(), m_lines.end(), [](const State &state) { return state.solved; });
}

bool AnswerSheet::allSolvedOnce() const
{
    return std::all_of(m_lines.begin(), m_lines.end(), [](const State &state) { return state.solvedOnce; });
}
