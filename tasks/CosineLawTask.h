#pragma once

#include "DesignedForm.h"

#include <QVector>
#include <memory>

class AnswerLine;
class ShapeBoard;
namespace Ui { class CosineLawTask; }

// Task 10: the law-of-cosines flowchart. The learner places the shapes on
// the shape board and types the text of every block into the edit box lying
// on its slot; "Проверить" judges both. Coming back to the form from another
// form of the program clears the typed texts and the board's flags.
class CosineLawTask : public DesignedForm
{
    Q_OBJECT

public:
    explicit CosineLawTask(QWidget *parent = nullptr);
    ~CosineLawTask() override;

    const ShapeBoard &board() const { return *m_board; }
    bool shapesOk() const { return m_shapesOk; }
    bool textsOk() const { return m_textsOk; }

public slots:
    void FormActivate();
    void FormKeyPress(QObject *Sender, QChar &Key);
    void Image1DragOver(QObject *Sender, QObject *Source, int X, int Y, bool &Accept);
    void Image1DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image2DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image3DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image4DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image5DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Button2Click();
    void Button3Click();
    void Button1Click();

private:
    void dropOnSlot(int index, QObject *piece);
    void showPrompts();
    void clearFlags();

    Ui::CosineLawTask *ui;
    std::unique_ptr<ShapeBoard> m_board;
    QVector<AnswerLine> m_texts; // Edit1 to Edit5, top to bottom
    bool m_shapesOk = false;
    bool m_textsOk = false;
};

extern CosineLawTask *cosineLawTask;
