#include "HoursToMinutesTask.h"
#include "ui_HoursToMinutesTask.h"

#include "ScreenReader.h"
#include "ShapeFlowchart_p.h"

HoursToMinutesTask::HoursToMinutesTask(QWidget *parent)
    : PageWindow(parent)
    , ui(new Ui::HoursToMinutesTask)
{
    ui->setupUi(this);
    finishDesign(ui->doneButton);
    // Flowchart order: Начало, N, Z:= N * 60, Z, Конец. The board starts with
    // every flag cleared and no wrong drops; its reset blanks the input slot
    // first.
    m_board = new ShapeBoard(ShapeFlowchart::pieces(*ui), ShapeFlowchart::boardSlots(*ui),
                             {ui->inputSlot, ui->startSlot, ui->processSlot, ui->outputSlot, ui->endSlot},
                             ShapeBoard::WrongDrops::Counted, this);
    connect(m_board, &ShapeBoard::pictureFailed, this, &HoursToMinutesTask::showMessage);
    connect(ui->checkButton, &QPushButton::clicked, this, &HoursToMinutesTask::checkBoard);
    connect(ui->clearButton, &QPushButton::clicked, this, &HoursToMinutesTask::clearBoard);
    connect(ui->doneButton, &QPushButton::clicked, this, &HoursToMinutesTask::finish);
}

HoursToMinutesTask::~HoursToMinutesTask() = default;

// "Проверить": an incomplete board shows nothing; a complete one shows the
// wrong-drop count and "ОК", however many wrong drops it took. A screen
// reader hears which of the two it was.
void HoursToMinutesTask::checkBoard()
{
    if (!m_board->complete()) {
        ScreenReader::announce(this, tr("Блок-схема ещё не собрана верно."));
        return;
    }
    const QString count = tr("Количество ошибок: %1").arg(m_board->wrongDropCount());
    ScreenReader::announce(this, count + QLatin1Char('.'));
    ui->doneButton->setVisible(true);
    ui->errorCountLabel->setText(count);
    ui->errorCountLabel->adjustSize();
}

// "Очистить": hides "ОК" and the count first, then blanks the board. A blank
// picture that can't be loaded stops the board's reset where it failed.
void HoursToMinutesTask::clearBoard()
{
    ui->doneButton->setVisible(false);
    ui->errorCountLabel->setText(QString());
    ui->errorCountLabel->adjustSize();
    m_board->clear();
}
