#include "Unit1.h"
#include "ui_Unit1.h"

#include "MessageBox.h"
#include "ShapeBoard.h"

TFm1 *Fm1 = nullptr;

TFm1::TFm1(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFm1)
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

TFm1::~TFm1()
{
    delete ui;
}

void TFm1::dropOnSlot(int index, QObject *piece)
{
    const QString error = m_board->drop(index, piece);
    if (!error.isEmpty())
        MessageBox::show(error);
}

void TFm1::Image9DragOver(QObject *, QObject *, int, int, bool &Accept)
{
    Accept = true;
}

void TFm1::Image9DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(0, Source); }
void TFm1::Image8DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(1, Source); }
void TFm1::Image10DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(2, Source); }
void TFm1::Image11DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(3, Source); }
void TFm1::Image12DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(4, Source); }

// "Проверить": an incomplete board shows nothing; a complete one shows the
// wrong-drop count and "ОК", however many wrong drops it took.
void TFm1::Button3Click()
{
    if (!m_board->complete())
        return;
    ui->Button1->setVisible(true);
    ui->Label8->setText(QStringLiteral("Количество ошибок: ") + QString::number(m_board->wrongDropCount()));
    ui->Label8->adjustSize();
}

// "Очистить": hides "ОК" and the count first, then blanks the board. A blank
// picture that can't be loaded stops the board's reset where it failed.
void TFm1::Button2Click()
{
    ui->Button1->setVisible(false);
    ui->Label8->setText(QString());
    ui->Label8->adjustSize();
    const QString error = m_board->reset();
    if (!error.isEmpty())
        MessageBox::show(error);
}

void TFm1::Button1Click()
{
    completeWithMark("Image10");
}
