#include "AnswerLine.h"

#include "ScreenReader.h"

#include <QLineEdit>
#include <QPushButton>

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

AnswerKeys::AnswerKeys(QStringList keys)
    : m_keys(std::move(keys))
{
}

bool AnswerKeys::matches(const QString &text) const
{
    return m_keys.contains(text);
}

AnswerLine::AnswerLine(QLineEdit *edit, QPushButton *button, AnswerKeys keys, Case letterCase)
    : m_edit(edit)
    , m_button(button)
    , m_keys(std::move(keys))
    , m_case(letterCase)
{
}

bool AnswerLine::judge()
{
    if (m_case == Case::Upcase)
        m_edit->setText(upcaseLetters(m_edit->text()));
    return m_keys.matches(m_edit->text());
}

void AnswerLine::lock()
{
    ScreenReader::announce(m_edit, QStringLiteral("Ответ принят."));
    m_button->setEnabled(false);
    m_edit->setEnabled(false);
}

void AnswerLine::unlock()
{
    m_button->setEnabled(true);
    m_edit->setEnabled(true);
}
