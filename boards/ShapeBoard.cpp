#include "ShapeBoard.h"

#include "MessageBox.h"
#include "PictureBox.h"

#include <QVariant>

ShapeBoard::ShapeBoard(QVector<PictureBox *> boardSlots, QVector<PictureBox *> resetOrder, WrongDrops wrongDrops,
                       QObject *parent)
    : QObject(parent)
    , m_slots(std::move(boardSlots))
    , m_resetOrder(std::move(resetOrder))
    , m_flags(m_slots.size(), false)
    , m_countsWrongDrops(wrongDrops == WrongDrops::Counted)
{
    for (int index = 0; index < m_slots.size(); ++index) {
        PictureBox *slot = m_slots.at(index);
        // Any control of the form may be dropped; one that shows no shape
        // is judged wrong.
        slot->setDropFilter([](const QObject *) { return true; });
        connect(slot, &PictureBox::dropped, this, [this, index](QObject *piece) { dropReported(index, piece); });
    }
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
    }
    clearFlags();
    m_wrongDrops = 0;
    return true;
}

void ShapeBoard::clearFlags()
{
    m_flags.fill(false);
}
