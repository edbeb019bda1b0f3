#pragma once

#include <QCoreApplication>
#include <QString>

// What a screen reader hears for a slot of a flowchart board: its place from
// the top and what it shows now ("Блок 3 блок-схемы: прямоугольник").
inline QString flowchartSlotName(int index, const QString &shown)
{
    const QString what = shown.isEmpty() ? QCoreApplication::translate("FlowchartSlot", "пусто") : shown;
    return QCoreApplication::translate("FlowchartSlot", "Блок %1 блок-схемы: %2").arg(index + 1).arg(what);
}
