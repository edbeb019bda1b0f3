#pragma once

#include "DesignedForm.h"

#include <memory>

class ShapeBoard;
namespace Ui { class HoursToMinutesTask; }

// Task 4: the hours-to-minutes flowchart assembled on the shape board. The
// check shows the number of wrong drops and "ОК" once every slot holds its
// own shape.
class HoursToMinutesTask : public DesignedForm
{
    Q_OBJECT

public:
    explicit HoursToMinutesTask(QWidget *parent = nullptr);
    ~HoursToMinutesTask() override;

    const ShapeBoard &board() const { return *m_board; }

public slots:
    void Image9DragOver(QObject *Sender, QObject *Source, int X, int Y, bool &Accept);
    void Image9DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image8DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image10DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image11DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image12DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Button3Click();
    void Button2Click();
    void Button1Click();

private:
    void dropOnSlot(int index, QObject *piece);

    Ui::HoursToMinutesTask *ui;
    std::unique_ptr<ShapeBoard> m_board;
};

extern HoursToMinutesTask *hoursToMinutesTask;
