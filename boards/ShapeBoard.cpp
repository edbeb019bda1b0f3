#include "ShapeBoard.h"

#include "PictureBox.h"

#include <QVariant>

ShapeBoard::ShapeBoard(QVector<PictureBox *> boardSlots, QVector<PictureBox *> resetOrder, WrongDrops wrongDrops)
    : m_slots(std::move(boardSlots))
    , m_resetOrder(std::move(resetOrder))
    , m_flags(m_slots.size(), false)
    , m_countsWrongDrops(wrongDrops == WrongDrops::Counted)
{
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

int ShapeBoard::shapeCodeOf(const QObject *control)
{
    bool ok = false;
    const int code = control ? control->property("Tag").toInt(&ok) : 0;
    return ok ? code : -1;
}

QString ShapeBoard::drop(int index, QObject *piece)
{
    PictureBox *slot = m_slots.at(index);
    const int code = shapeCodeOf(piece);
    const QString file = fileOf(code);
    if (!file.isEmpty()) {
        const QString error = slot->loadFromFile(file);
        if (!error.isEmpty())
            return error;
    }
    // Judged on what the slot shows now: a wrong shape dropped over a right
    // one makes the slot wrong again.
    const bool right = code == shapeCodeOf(slot);
    m_flags[index] = right;
    if (!right && m_countsWrongDrops)
        ++m_wrongDrops;
    return QString();
}

bool ShapeBoard::complete() const
{
    return !m_flags.contains(false);
}

QString ShapeBoard::reset()
{
    for (PictureBox *slot : m_resetOrder) {
        const QString error = slot->loadFromFile(blankFile());
        if (!error.isEmpty())
            return error;
    }
    clearFlags();
    m_wrongDrops = 0;
    return QString();
}

void ShapeBoard::clearFlags()
{
    m_flags.fill(false);
}
