#include "TypedAnswers.h"

#include "Harness.h"
#include "TypedAnswerTask.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

TypedAnswers::TypedAnswers(ProgramWindows &program, const QString &page, const QString &linePrefix)
    : m_program(program)
    , m_task(program.page<TypedAnswerTask>(page))
    , m_prefix(linePrefix)
{
    if (!m_task)
        qFatal("%s is no typed-answer exercise", qPrintable(page));
}

int TypedAnswers::lineCount() const
{
    int lines = 0;
    while (m_task->findChild<QLineEdit *>(m_prefix + QString::number(lines + 1) + QLatin1String("Edit")))
        ++lines;
    return lines;
}

QLineEdit *TypedAnswers::edit(int line) const
{
    auto *found = m_task->findChild<QLineEdit *>(m_prefix + QString::number(line) + QLatin1String("Edit"));
    if (!found)
        qFatal("%s has no line %d", qPrintable(m_task->objectName()), line);
    return found;
}

QPushButton *TypedAnswers::check(int line) const
{
    return m_task->findChild<QPushButton *>(m_prefix + QString::number(line) + QLatin1String("CheckButton"));
}

QWidget *TypedAnswers::mark(int line) const
{
    return m_task->findChild<QWidget *>(m_prefix + QString::number(line) + QLatin1String("Mark"));
}

QPushButton *TypedAnswers::button(const char *name) const
{
    return m_task->findChild<QPushButton *>(QLatin1String(name));
}

QStringList TypedAnswers::answer(int line, const QString &text, Entry entry) const
{
    Harness::MessageSpy boxes(m_program);
    edit(line)->clear();
    if (entry == Entry::Typed)
        Harness::type(edit(line), text);
    else
        edit(line)->insert(text);
    Harness::click(check(line));
    return boxes.texts;
}
