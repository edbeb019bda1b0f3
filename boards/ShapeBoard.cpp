#include "ShapeBoard.h"

#include "FlowchartSlot.h"
#include "KeyboardDrag.h"
#include "MessageBox.h"
#include "PictureBox.h"
#include "ScreenReader.h"

#include <QVariant>

namespace {

// What a slot shows, by shape code. A piece is named by its own picture.
const char *const shownNames[] = {"овал", "параллелограмм", "прямоугольник", "ромб"};

} // namespace

ShapeBoard::ShapeBoard(const QVector<PictureBox *> &pieces, QVector<PictureBox *> boardSlots,
                       QVector<PictureBox *> resetOrder, WrongDrops wrongDrops, QObject *parent)
    : QObject(parent)
    , m_slots(std::move(boardSlots))
    , m_resetOrder(std::move(resetOrder))
    , m_flags(m_slots.size(), false)
    , m_countsWrongDrops(wrongDrops == WrongDrops::Counted)
{
    for (PictureBox *piece : pieces)
        piece->setAccessibleDescription(QStringLiteral("Enter — взять фигуру"));
    for (int index = 0; index < m_slots.size(); ++index) {
        PictureBox *slot = m_slots.at(index);
        // Any control of the form may be dropped; one that shows no shape
        // is judged wrong.
        slot->setDropFilter([](const QObject *) { return true; });
        connect(slot, &PictureBox::dropped, this, [this, index](QObject *piece) { dropReported(index, piece); });
        slot->setAccessibleDescription(QStringLiteral("Enter — положить взятую фигуру"));
        nameSlot(index, -1);
    }
    if (!m_slots.isEmpty()) {
        KeyboardDrag::joinFocusChain(m_slots.first()->window(), {pieces.begin(), pieces.end()},
                                     {m_slots.begin(), m_slots.end()}, QStringLiteral("фигура"));
    }
}

void ShapeBoard::nameSlot(int index, int shownCode)
{
    const QString shown = shownCode >= 0 && shownCode < 4 ? QString::fromUtf8(shownNames[shownCode]) : QString();
    m_slots.at(index)->setAccessibleName(flowchartSlotName(index, shown));
}

QString ShapeBoard::fileOf(int shapeCode)
{
    switch (shapeCode) {
    case 0: return QStringLiteral("circleNew.jpg");
    case 1: return QStringLiteral("parNew.jpg");
    case 2: return QStringLiteral("prNew.jpg");
    case 3: return QStringLiteral("uslNew.jpg");
    default: return QString();
    }
}

QString ShapeBoard::blankFile()
{
    return QStringLiteral("fon.jpg");
}

int ShapeBoard::shapeCodeOf(const QObject *control, const char *property)
{
    bool ok = false;
    const int code = control ? control->property(property).toInt(&ok) : 0;
    return ok ? code : -1;
}

void ShapeBoard::dropReported(int index, QObject *piece)
{
    const QString error = drop(index, piece);
    if (!error.isEmpty())
        MessageBox::show(error);
    else
        ScreenReader::announce(m_slots.at(index), m_slots.at(index)->accessibleName() + QLatin1Char('.'));
}

QString ShapeBoard::drop(int index, QObject *piece)
{
    PictureBox *slot = m_slots.at(index);
    const int code = shapeCodeOf(piece, "shapeCode");
    const QString file = fileOf(code);
    if (!file.isEmpty()) {
        const QString error = slot->loadFromFile(file);
        if (!error.isEmpty())
            return error;
        nameSlot(index, code);
    }
    // Judged on what the slot shows now: a wrong shape dropped over a right
    // one makes the slot wrong again.
    const bool right = code >= 0 && code == shapeCodeOf(slot, "rightShapeCode");
    m_flags[index] = right;
    if (!right && m_countsWrongDrops)
        ++m_wrongDrops;
    return QString();
}

bool ShapeBoard::complete() const
{
    return !m_flags.contains(false);
}

bool ShapeBoard::clear()
{
    for (PictureBox *slot : m_resetOrder) {
        const QString error = slot->loadFromFile(blankFile());
        if (!error.isEmpty()) {
            MessageBox::show(error);
            return false;
        }
        nameSlot(int(m_slots.indexOf(slot)), -1);
    }
    clearFlags();
    m_wrongDrops = 0;
    if (!m_slots.isEmpty())
        ScreenReader::announce(m_slots.first(), QStringLiteral("Блок-схема очищена, все блоки пусты."));
    return true;
}

void ShapeBoard::clearFlags()
{
    m_flags.fill(false);
}
