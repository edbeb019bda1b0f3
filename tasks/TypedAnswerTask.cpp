#include "TypedAnswerTask.h"

#include "BlankFilter.h"
#include "ScreenReader.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

std::vector<AnswerSheet::Line> answersOf(const std::vector<TypedAnswerTask::AnswerLine> &lines)
{
    std::vector<AnswerSheet::Line> answers;
    for (const TypedAnswerTask::AnswerLine &line : lines)
        answers.push_back(line.answer);
    return answers;
}

} // namespace

TypedAnswerTask::TypedAnswerTask(Design design, QWidget *parent)
    : PageWindow(parent)
    , m_exercise(design(this))
    , m_answers(answersOf(m_exercise.lines))
{
    finishDesign(m_exercise.doneButton);
    const Rules &rules = m_exercise.rules;
    for (int line = 0; line < int(m_exercise.lines.size()); ++line) {
        if (rules.filtersBlanks)
            BlankFilter::attach(m_exercise.lines[std::size_t(line)].edit);
        connect(m_exercise.lines[std::size_t(line)].checkButton, &QPushButton::clicked, this,
                [this, line] { checkLine(line); });
    }
    connect(m_exercise.doneButton, &QPushButton::clicked, this, &TypedAnswerTask::finish);
    if (m_exercise.restartButton)
        connect(m_exercise.restartButton, &QPushButton::clicked, this, &TypedAnswerTask::restart);
    if (m_exercise.referenceButton)
        connect(m_exercise.referenceButton, &QPushButton::clicked, this, &PageWindow::referenceRequested);
    if (rules.activationFocusesFirstLine)
        connect(this, &TypedAnswerTask::activated, this, &TypedAnswerTask::focusFirstLine);
}

bool TypedAnswerTask::solved() const
{
    return m_exercise.rules.solvedWhen == SolvedWhen::EveryLineWasSolvedOnce ? m_answers.allSolvedOnce()
                                                                              : m_answers.allSolved();
}

void TypedAnswerTask::checkLine(int index)
{
    const AnswerLine &line = m_exercise.lines[std::size_t(index)];
    const Rules &rules = m_exercise.rules;
    const AnswerSheet::Verdict verdict = m_answers.check(index, line.edit->text());
    if (line.answer.letterCase == LetterCase::Upcase)
        line.edit->setText(verdict.text);
    if (verdict.right) {
        ScreenReader::announce(line.edit, tr("Ответ принят."));
        if (!m_exercise.marks.empty())
            m_exercise.marks[std::size_t(index)]->setVisible(true);
        if (solved())
            m_exercise.doneButton->setVisible(true);
        line.checkButton->setEnabled(false);
        if (rules.rightAnswerLocks == RightAnswerLocks::LineAndBox)
            line.edit->setEnabled(false);
        return;
    }
    if (rules.wrongAnswerEmptiesBox)
        line.edit->clear();
    if (!rules.wrongAnswerMessage.isEmpty())
        showMessage(rules.wrongAnswerMessage);
    else // nothing shows that the answer was not taken; a screen reader hears it
        ScreenReader::announce(this, tr("Ответ не принят."));
    if (m_exercise.wrongAnswerCountLabel) {
        m_exercise.wrongAnswerCountLabel->setText(rules.wrongAnswerCountPrefix
                                                  + QString::number(m_answers.wrongAnswers()));
    }
}

// "Заново": every line empty and open again, the count at zero; the
// count's line and a shown "ОК" stay as they are.
void TypedAnswerTask::restart()
{
    m_answers.restart();
    if (m_exercise.rules.restartHidesMarks) {
        for (QWidget *mark : m_exercise.marks)
            mark->setVisible(false);
    }
    for (const AnswerLine &line : m_exercise.lines) {
        line.checkButton->setEnabled(true);
        line.edit->setEnabled(true);
        line.edit->clear();
    }
}

void TypedAnswerTask::focusFirstLine()
{
    // A click that brought the form to the front goes on after the
    // activation: if it landed on a control that takes the focus, that
    // control keeps it. The window system may report the activation after
    // the press, so the press is looked at here.
    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
        QWidget *pressed = QApplication::widgetAt(QCursor::pos());
        if (pressed && pressed->window() == this && pressed->isEnabled() && (pressed->focusPolicy() & Qt::ClickFocus))
            return;
    }
    m_exercise.lines.front().edit->setFocus();
}
