#pragma once

#include <QString>
#include <QStringList>

class ProgramWindows;
class QLineEdit;
class QPushButton;
class QWidget;
class TypedAnswerTask;

// Drives one typed-answer exercise as the pupil does: its lines, numbered
// from 1 at the top, are the controls `<prefix><n>Edit`,
// `<prefix><n>CheckButton` and, where the form has marks, `<prefix><n>Mark`.
class TypedAnswers
{
public:
    enum class Entry { Typed, Pasted };

    TypedAnswers(ProgramWindows &program, const QString &page, const QString &linePrefix);

    TypedAnswerTask *task() const { return m_task; }
    int lineCount() const;
    QLineEdit *edit(int line) const;
    QPushButton *check(int line) const;
    QWidget *mark(int line) const; // nullptr on a form without marks
    QPushButton *button(const char *name) const;

    // Replaces the line's text as typed key by key or as pasted, presses its
    // "Проверить" and returns the texts of the message boxes it brought.
    QStringList answer(int line, const QString &text, Entry entry = Entry::Pasted) const;

private:
    ProgramWindows &m_program;
    TypedAnswerTask *m_task;
    QString m_prefix;
};
