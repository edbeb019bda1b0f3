#include "LabelBoardTasks.h"
#include "LabelBoardLayout_p.h"

#include "ui_HeelHeightTask.h"
#include "ui_OrangeCostTask.h"
#include "ui_SweetsCountTask.h"

// The widgets belong to the form; the generated structs only name them.
// Each caption names the shape it belongs on; a distractor belongs nowhere.
// The captions are listed in the order Tab visits them.
namespace LabelBoardTasks {

namespace {

constexpr const PictureBox *distractor = LabelBoard::distractor;

// The oranges and the heel share the skeleton: start, input, process, output, end.
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

LabelBoardLayout orangeCost(QWidget *form)
{
    Ui::OrangeCostTask ui;
    ui.setupUi(form);
    return {fiveBlockSlots(ui),
            {{ui.startPiece, ui.startSlot},
             {ui.quantityPiece, ui.inputSlot},
             {ui.costPiece, ui.outputSlot},
             {ui.costFormulaPiece, ui.processSlot},
             {ui.endPiece, ui.endSlot}},
            ui.restartButton,
            ui.doneButton};
}

LabelBoardLayout heelHeight(QWidget *form)
{
    Ui::HeelHeightTask ui;
    ui.setupUi(form);
    // Either name of the heel's height is a right output.
    return {fiveBlockSlots(ui),
            {{ui.inShoesPiece, distractor},
             {ui.heelDifferencePiece, ui.outputSlot},
             {ui.heightsPiece, ui.inputSlot},
             {ui.reversedFormulaPiece, distractor},
             {ui.heelPiece, ui.outputSlot},
             {ui.heelFormulaPiece, ui.processSlot},
             {ui.barefootPiece, distractor},
             {ui.startPiece, ui.startSlot},
             {ui.endPiece, ui.endSlot}},
            ui.restartButton,
            ui.doneButton};
}

LabelBoardLayout sweetsCount(QWidget *form)
{
    Ui::SweetsCountTask ui;
    ui.setupUi(form);
    return {{{ui.startSlot, ui.startSlotText},
             {ui.inputSlot, ui.inputSlotText},
             {ui.processSlot, ui.processSlotText},
             {ui.countSlot, ui.countSlotText},
             {ui.outputSlot, ui.outputSlotText},
             {ui.endSlot, ui.endSlotText}},
            {{ui.secondMassPiece, distractor},
             {ui.heelDifferencePiece, distractor},
             {ui.massesPiece, ui.inputSlot},
             {ui.reversedFormulaPiece, distractor},
             {ui.sumFormulaPiece, distractor},
             {ui.countPiece, ui.outputSlot},
             {ui.sweetsMassFormulaPiece, ui.processSlot},
             {ui.productFormulaPiece, distractor},
             {ui.countFormulaPiece, ui.countSlot},
             {ui.thirdMassPiece, distractor},
             {ui.twoMassesPiece, distractor},
             {ui.startPiece, ui.startSlot},
             {ui.endPiece, ui.endSlot}},
            ui.restartButton,
            ui.doneButton};
}

} // namespace LabelBoardTasks
