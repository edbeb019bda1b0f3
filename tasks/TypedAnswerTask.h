#pragma once

#include "AnswerSheet.h"
#include "PageWindow.h"

#include <QString>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

// An exercise of typed answers: lines of an edit box and its own
// "Проверить", judged against the line's keys. What a wrong and a right
// answer do, what "Заново" resets and when the exercise is solved are the
// exercise's rules, stated in data (see TypedAnswerTasks).
class TypedAnswerTask : public PageWindow
{
    Q_OBJECT

public:
    struct AnswerLine
    {
        QLineEdit *edit;
        QPushButton *checkButton;
        AnswerSheet::Line answer;
    };

    enum class RightAnswerLocks { LineAndBox, ButtonOnly };
    enum class SolvedWhen { EveryLineIsSolved, EveryLineWasSolvedOnce };

    struct Rules
    {
        // A wrong answer: the box shown ("" for none), the box emptied, and
        // the count of wrong answers written after a prefix ("" for none).
        QString wrongAnswerMessage;
        bool wrongAnswerEmptiesBox = false;
        QString wrongAnswerCountPrefix;
        RightAnswerLocks rightAnswerLocks = RightAnswerLocks::LineAndBox;
        // "Заново" empties and reopens every line; it may also hide the marks.
        bool restartHidesMarks = true;
        SolvedWhen solvedWhen = SolvedWhen::EveryLineIsSolved;
        // The form keeps blanks out of its boxes.
        bool filtersBlanks = true;
        // Each return to the form puts the caret in the first box.
        bool activationFocusesFirstLine = false;
    };

    struct Exercise
    {
        std::vector<AnswerLine> lines; // top to bottom
        // A check mark beside each line, or none at all.
        std::vector<QWidget *> marks;
        QPushButton *doneButton = nullptr;
        // Controls that only some exercises have.
        QPushButton *restartButton = nullptr;
        QPushButton *referenceButton = nullptr;
        QLabel *wrongAnswerCountLabel = nullptr;
        Rules rules;
    };
    // Builds an exercise's widgets on `form` and states its lines and rules.
    using Design = Exercise (*)(QWidget *form);

    explicit TypedAnswerTask(Design design, QWidget *parent = nullptr);

    const AnswerSheet &answers() const { return m_answers; }

private:
    void checkLine(int line);
    void restart();
    void focusFirstLine();
    bool solved() const;

    Exercise m_exercise;
    AnswerSheet m_answers;
};
