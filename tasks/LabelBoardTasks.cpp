#include "LabelBoardTasks.h"

#include "ui_HeelHeightTask.h"
#include "ui_OrangeCostTask.h"
#include "ui_SweetsCountTask.h"

// The widgets belong to the form; the generated structs only name them.
// A caption's slotKey names the slot it belongs to; distractors carry 10,
// which no slot has.
namespace LabelBoardTasks {

namespace {

// Tasks 5 and 6 share the skeleton: start, input, process, output, end.
template <typename Design>
QList<LabelBoard::Slot> fiveBlockSlots(const Design &ui)
{
    return {{ui.startSlot, ui.startSlotText},
            {ui.inputSlot, ui.inputSlotText},
            {ui.processSlot, ui.processSlotText},
            {ui.outputSlot, ui.outputSlotText},
            {ui.endSlot, ui.endSlotText}};
}

} // namespace

LabelBoardTask::Layout orangeCost(QWidget *form)
{
    Ui::OrangeCostTask ui;
    ui.setupUi(form);
    return {fiveBlockSlots(ui),
            {ui.startPiece, ui.quantityPiece, ui.costPiece, ui.costFormulaPiece, ui.endPiece},
            ui.restartButton,
            ui.doneButton};
}

LabelBoardTask::Layout heelHeight(QWidget *form)
{
    Ui::HeelHeightTask ui;
    ui.setupUi(form);
    return {fiveBlockSlots(ui),
            {ui.inShoesPiece, ui.heelDifferencePiece, ui.heightsPiece, ui.reversedFormulaPiece, ui.heelPiece,
             ui.heelFormulaPiece, ui.barefootPiece, ui.startPiece, ui.endPiece},
            ui.restartButton,
            ui.doneButton};
}

LabelBoardTask::Layout sweetsCount(QWidget *form)
{
    Ui::SweetsCountTask ui;
    ui.setupUi(form);
    return {{{ui.startSlot, ui.startSlotText},
             {ui.inputSlot, ui.inputSlotText},
             {ui.processSlot, ui.processSlotText},
             {ui.countSlot, ui.countSlotText},
             {ui.outputSlot, ui.outputSlotText},
             {ui.endSlot, ui.endSlotText}},
            {ui.secondMassPiece, ui.heelDifferencePiece, ui.massesPiece, ui.reversedFormulaPiece, ui.sumFormulaPiece,
             ui.countPiece, ui.sweetsMassFormulaPiece, ui.productFormulaPiece, ui.countFormulaPiece,
             ui.thirdMassPiece, ui.twoMassesPiece, ui.startPiece, ui.endPiece},
            ui.restartButton,
            ui.doneButton};
}

} // namespace LabelBoardTasks
