#include "HoursToMinutesTask.h"
#include "ui_HoursToMinutesTask.h"

#include "MessageBox.h"
#include "ShapeBoard.h"

HoursToMinutesTask *hoursToMinutesTask = nullptr;

HoursToMinutesTask::HoursToMinutesTask(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::HoursToMinutesTask)
{
    ui->setupUi(this);
    finishDesign();
    // Flowchart order: Начало, N, Z:= N * 60, Z, Конец. The board starts with
    // every flag cleared and no wrong drops.
    m_board = std::make_unique<ShapeBoard>(
        QVector<PictureBox *>{ui->Image9, ui->Image8, ui->Image10, ui->Image11, ui->Image12},
        QVector<PictureBox *>{ui->Image8, ui->Image9, ui->Image10, ui->Image11, ui->Image12},
        ShapeBoard::WrongDrops::Counted);
}

HoursToMinutesTask::~HoursToMinutesTask()
{
    delete ui;
}

void HoursToMinutesTask::dropOnSlot(int index, QObject *piece)
{
    const QString error = m_board->drop(index, piece);
    if (!error.isEmpty())
        MessageBox::show(error);
}

void HoursToMinutesTask::Image9DragOver(QObject *, QObject *, int, int, bool &Accept)
{
    Accept = true;
}

void HoursToMinutesTask::Image9DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(0, Source); }
void HoursToMinutesTask::Image8DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(1, Source); }
void HoursToMinutesTask::Image10DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(2, Source); }
void HoursToMinutesTask::Image11DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(3, Source); }
void HoursToMinutesTask::Image12DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(4, Source); }

// "Проверить": an incomplete board shows nothing; a complete one shows the
// wrong-drop count and "ОК", however many wrong drops it took.
void HoursToMinutesTask::Button3Click()
{
    if (!m_board->complete())
        return;
    ui->Button1->setVisible(true);
    ui->Label8->setText(QStringLiteral("Количество ошибок: ") + QString::number(m_board->wrongDropCount()));
    ui->Label8->adjustSize();
}

// "Очистить": hides "ОК" and the count first, then blanks the board. A blank
// picture that can't be loaded stops the board's reset where it failed.
void HoursToMinutesTask::Button2Click()
{
    ui->Button1->setVisible(false);
    ui->Label8->setText(QString());
    ui->Label8->adjustSize();
    const QString error = m_board->reset();
    if (!error.isEmpty())
        MessageBox::show(error);
}

void HoursToMinutesTask::Button1Click()
{
    completeWithMark("Image10");
}
