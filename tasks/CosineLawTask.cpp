#include "CosineLawTask.h"
#include "ui_CosineLawTask.h"

#include "BlankFilter.h"
#include "RaisedText.h"
#include "ShapeFlowchart_p.h"

namespace {

// The block texts, top to bottom. They have no buttons of their own: the
// form's "Проверить" judges them all. Function names and B, C, X, A are
// Latin letters, НАЧАЛО and КОНЕЦ Cyrillic. Keys are compared with what
// the pupil types and never shown, so they are not translated.
std::vector<AnswerSheet::Line> blockTexts()
{
    constexpr LetterCase upcase = LetterCase::Upcase;
    return {
        {AnswerKeys{"НАЧАЛО"}, upcase},
        {{"B,C,X", "B,X,C"}, upcase},
        {{"A:=SQRT(B*B+C*C-2*B*C*COS(X))", "A:=SQRT(SQR(B)+SQR(C)-2*B*C*COS(X))"}, upcase},
        {{"A"}, upcase},
        {AnswerKeys{"КОНЕЦ"}, upcase},
    };
}

} // namespace

CosineLawTask::CosineLawTask(QWidget *parent)
    : PageWindow(parent)
    , ui(new Ui::CosineLawTask)
    , m_texts(blockTexts())
{
    ui->setupUi(this);
    finishDesign(ui->doneButton);
    // The squares of a, b and c.
    RaisedText::placeAfter(ui->squaresLabel, ui->formulaLabel, {"a", "b", "c"});
    m_board = new ShapeBoard(ShapeFlowchart::pieces(*ui), ShapeFlowchart::boardSlots(*ui),
                             {ui->startSlot, ui->inputSlot, ui->processSlot, ui->outputSlot, ui->endSlot},
                             ShapeBoard::WrongDrops::NotCounted, this);
    m_textEdits = {ui->startEdit, ui->inputEdit, ui->processEdit, ui->outputEdit, ui->endEdit};
    for (QLineEdit *edit : m_textEdits)
        BlankFilter::attach(edit);
    connect(m_board, &ShapeBoard::pictureFailed, this, &CosineLawTask::showMessage);
    connect(ui->checkButton, &QPushButton::clicked, this, &CosineLawTask::checkAnswers);
    connect(ui->clearButton, &QPushButton::clicked, this, &CosineLawTask::clearBoard);
    connect(ui->doneButton, &QPushButton::clicked, this, &CosineLawTask::finish);
    connect(this, &CosineLawTask::activated, this, &CosineLawTask::restartAnswers);
}

CosineLawTask::~CosineLawTask() = default;

void CosineLawTask::showPrompts()
{
    for (QLineEdit *edit : m_textEdits)
        edit->setText(tr("Введите данные"));
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
    const QString errorsFound = tr("Есть ошибки");
    m_shapesOk = m_board->complete();
    if (!m_shapesOk)
        showMessage(errorsFound);

    // Every box is judged, and shown again in capitals.
    for (int line = 0; line < int(m_textEdits.size()); ++line) {
        QLineEdit *edit = m_textEdits[std::size_t(line)];
        edit->setText(m_texts.check(line, edit->text()).text);
    }
    m_textsOk = m_texts.allSolved();
    if (!m_textsOk)
        showMessage(errorsFound);

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
