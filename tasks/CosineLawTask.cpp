#include "CosineLawTask.h"
#include "ui_CosineLawTask.h"

#include "BlankFilter.h"
#include "MessageBox.h"
#include "RaisedText.h"
#include "ShapeBoard.h"

namespace {

const char *const prompt = "Введите данные";
const char *const errorsFound = "Есть ошибки";

} // namespace

CosineLawTask::CosineLawTask(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::CosineLawTask)
{
    ui->setupUi(this);
    finishDesign();
    // The squares of a, b and c.
    RaisedText::placeAfter(ui->squaresLabel, ui->formulaLabel, {"a", "b", "c"});
    BlankFilter::install(this);
    const QVector<PictureBox *> slotsTopDown{ui->startSlot, ui->inputSlot, ui->processSlot, ui->outputSlot,
                                             ui->endSlot};
    m_board = new ShapeBoard({ui->ovalPiece, ui->parallelogramPiece, ui->rectanglePiece, ui->diamondPiece},
                             slotsTopDown, slotsTopDown, ShapeBoard::WrongDrops::NotCounted, this);
    // The block texts have no buttons of their own: the form's "Проверить"
    // judges them all. Function names and B, C, X, A are Latin letters,
    // НАЧАЛО and КОНЕЦ Cyrillic.
    using Case = AnswerLine::Case;
    m_texts = {
        AnswerLine(ui->startEdit, nullptr, {"НАЧАЛО"}, Case::Upcase),
        AnswerLine(ui->inputEdit, nullptr, {"B,C,X", "B,X,C"}, Case::Upcase),
        AnswerLine(ui->processEdit, nullptr,
                   {"A:=SQRT(B*B+C*C-2*B*C*COS(X))", "A:=SQRT(SQR(B)+SQR(C)-2*B*C*COS(X))"}, Case::Upcase),
        AnswerLine(ui->outputEdit, nullptr, {"A"}, Case::Upcase),
        AnswerLine(ui->endEdit, nullptr, {"КОНЕЦ"}, Case::Upcase),
    };
    connect(ui->checkButton, &QPushButton::clicked, this, &CosineLawTask::checkAnswers);
    connect(ui->clearButton, &QPushButton::clicked, this, &CosineLawTask::clearBoard);
    connect(ui->doneButton, &QPushButton::clicked, this, &CosineLawTask::finish);
    connect(this, &CosineLawTask::activated, this, &CosineLawTask::restartAnswers);
}

CosineLawTask::~CosineLawTask()
{
    delete ui;
}

void CosineLawTask::showPrompts()
{
    for (AnswerLine &line : m_texts)
        line.edit()->setText(QString::fromUtf8(prompt));
}

void CosineLawTask::clearFlags()
{
    m_board->clearFlags();
    m_shapesOk = false;
    m_textsOk = false;
}

// Every return to the form starts the answers afresh; the slots keep their
// pictures but must be filled again before the board counts as complete.
void CosineLawTask::restartAnswers()
{
    showPrompts();
    clearFlags();
}

// "Проверить": the shapes first, then every box in capitals and the texts
// from the top. The shapes and the texts each say "Есть ошибки" at most
// once. Both verdicts are taken afresh at every press, so "ОК" appears only
// when this press finds shapes and texts right; once shown it stays.
void CosineLawTask::checkAnswers()
{
    m_shapesOk = m_board->complete();
    if (!m_shapesOk)
        MessageBox::show(QString::fromUtf8(errorsFound));

    bool allRight = true;
    for (AnswerLine &line : m_texts) // judge() writes the capitals back into every box
        allRight = line.judge() && allRight;
    m_textsOk = allRight;
    if (!m_textsOk)
        MessageBox::show(QString::fromUtf8(errorsFound));

    if (m_shapesOk && m_textsOk)
        ui->doneButton->setVisible(true);
}

// "Очистить": blanks the slots, then restores the prompts and clears the
// flags. A blank picture that can't be loaded stops it there.
void CosineLawTask::clearBoard()
{
    if (!m_board->clear())
        return;
    showPrompts();
    clearFlags();
}
