#include "CosineLawTask.h"
#include "ui_CosineLawTask.h"

#include "AnswerLine.h"
#include "MessageBox.h"
#include "ShapeBoard.h"
#include "SpaceFilter.h"

CosineLawTask *cosineLawTask = nullptr;

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
    const QVector<PictureBox *> slotsTopDown{ui->Image1, ui->Image2, ui->Image3, ui->Image4, ui->Image5};
    m_board = std::make_unique<ShapeBoard>(slotsTopDown, slotsTopDown, ShapeBoard::WrongDrops::NotCounted);
    // The block texts have no buttons of their own: the form's "Проверить"
    // judges them all. Function names and B, C, X, A are Latin letters,
    // НАЧАЛО and КОНЕЦ Cyrillic.
    using Case = AnswerLine::Case;
    m_texts = {
        AnswerLine(ui->Edit1, nullptr, {"НАЧАЛО"}, Case::Upcase),
        AnswerLine(ui->Edit2, nullptr, {"B,C,X", "B,X,C"}, Case::Upcase),
        AnswerLine(ui->Edit3, nullptr, {"A:=SQRT(B*B+C*C-2*B*C*COS(X))", "A:=SQRT(SQR(B)+SQR(C)-2*B*C*COS(X))"},
                   Case::Upcase),
        AnswerLine(ui->Edit4, nullptr, {"A"}, Case::Upcase),
        AnswerLine(ui->Edit5, nullptr, {"КОНЕЦ"}, Case::Upcase),
    };
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
void CosineLawTask::FormActivate()
{
    showPrompts();
    clearFlags();
}

void CosineLawTask::FormKeyPress(QObject *, QChar &Key)
{
    SpaceFilter::apply(Key);
}

void CosineLawTask::Image1DragOver(QObject *, QObject *, int, int, bool &Accept)
{
    Accept = true;
}

void CosineLawTask::dropOnSlot(int index, QObject *piece)
{
    const QString error = m_board->drop(index, piece);
    if (!error.isEmpty())
        MessageBox::show(error);
}

void CosineLawTask::Image1DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(0, Source); }
void CosineLawTask::Image2DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(1, Source); }
void CosineLawTask::Image3DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(2, Source); }
void CosineLawTask::Image4DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(3, Source); }
void CosineLawTask::Image5DragDrop(QObject *, QObject *Source, int, int) { dropOnSlot(4, Source); }

// "Проверить": the shapes first, then every box in capitals and the texts
// from the top. The shapes and the texts each say "Есть ошибки" at most
// once. Both verdicts are taken afresh at every press, so "ОК" appears only
// when this press finds shapes and texts right; once shown it stays.
void CosineLawTask::Button2Click()
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
        ui->Button1->setVisible(true);
}

// "Очистить": blanks the slots, then restores the prompts and clears the
// flags. A blank picture that can't be loaded stops it there.
void CosineLawTask::Button3Click()
{
    const QString error = m_board->reset();
    if (!error.isEmpty()) {
        MessageBox::show(error);
        return;
    }
    showPrompts();
    clearFlags();
}

void CosineLawTask::Button1Click()
{
    completeWithMark("Image12");
}
