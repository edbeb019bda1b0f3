#include "TheoryPages.h"

#include "ui_AssignmentOperatorPage.h"
#include "ui_FlowchartElementsPage.h"
#include "ui_MathReferencePage.h"
#include "ui_WorkedExamplePage.h"

namespace TheoryPages {

namespace {

// The widgets belong to the page; the generated struct only names them.
template <typename Design>
QPushButton *build(QWidget *page)
{
    Design ui;
    ui.setupUi(page);
    return ui.doneButton;
}

} // namespace

QPushButton *flowchartElements(QWidget *page) { return build<Ui::FlowchartElementsPage>(page); }
QPushButton *assignmentOperator(QWidget *page) { return build<Ui::AssignmentOperatorPage>(page); }
QPushButton *workedExample(QWidget *page) { return build<Ui::WorkedExamplePage>(page); }
QPushButton *mathReference(QWidget *page) { return build<Ui::MathReferencePage>(page); }

} // namespace TheoryPages
