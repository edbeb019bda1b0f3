#pragma once

#include "AnswerSheet.h"
#include "PageWindow.h"

#include <vector>
#include <memory>

class QLineEdit;
class ShapeBoard;
namespace Ui { class CosineLawTask; }

// Task 10: the law-of-cosines flowchart. The pupil places the shapes on the
// shape board and types the text of every block into the edit box lying on
// its slot; "Проверить" judges both. Coming back to the form from another
// form of the program clears the typed texts and the board's flags.
class CosineLawTask : public PageWindow
{
    Q_OBJECT

public:
    explicit CosineLawTask(QWidget *parent = nullptr);
    ~CosineLawTask() override;

    const ShapeBoard &board() const { return *m_board; }
    bool shapesOk() const { return m_shapesOk; }
    bool textsOk() const { return m_textsOk; }

private slots:
    void checkAnswers();
    void clearBoard();
    void restartAnswers();

private:
    void showPrompts();
    void clearFlags();

    std::unique_ptr<Ui::CosineLawTask> ui;
    ShapeBoard *m_board;
    AnswerSheet m_texts;                 // the block texts, top to bottom
    std::vector<QLineEdit *> m_textEdits; // their boxes
    bool m_shapesOk = false;
    bool m_textsOk = false;
};
