#pragma once

#include <QString>
#include <QStringList>

class QLineEdit;
class QPushButton;

// Capitals for the Latin and Cyrillic letters (those of code page 1251,
// ё and ґ included); every other character stays, so the length never
// changes.
QString upcaseLetters(const QString &text);

// The accepted writings of one answer, tried in their order. A text is right
// when it equals one of them exactly: no trimming, parsing or evaluation.
class AnswerKeys
{
public:
    AnswerKeys() = default;
    AnswerKeys(std::initializer_list<const char *> keys);
    explicit AnswerKeys(QStringList keys);

    bool matches(const QString &text) const;
    const QStringList &keys() const { return m_keys; }

private:
    QStringList m_keys;
};

// A typed-answer line: an edit box, its "Проверить" button and its keys.
// judge() is the check every such line shares; what a right or wrong answer
// then locks, shows or counts is the task's own rule.
class AnswerLine
{
public:
    enum class Case { Upcase, AsTyped };

    AnswerLine(QLineEdit *edit, QPushButton *button, AnswerKeys keys, Case letterCase);

    // Upper-cases the text and writes it back into the box (Case::Upcase),
    // then compares it with the keys.
    bool judge();
    // Disables the button, then the edit box; the text stays. A screen
    // reader hears that the answer was taken.
    void lock();
    // Enables the button and the edit box again.
    void unlock();

    QLineEdit *edit() const { return m_edit; }
    QPushButton *button() const { return m_button; }
    const AnswerKeys &keys() const { return m_keys; }

private:
    QLineEdit *m_edit;
    QPushButton *m_button;
    AnswerKeys m_keys;
    Case m_case;
};
