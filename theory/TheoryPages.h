#pragma once

class QPushButton;
class QWidget;

// The designs of the theory and reference pages (see TheoryPage).
namespace TheoryPages {

// The four basic flowchart elements.
QPushButton *flowchartElements(QWidget *page);
// The assignment operator ":=".
QPushButton *assignmentOperator(QWidget *page);
// The flowchart for the area and perimeter of a rectangle, built step by
// step on the left and shown finished on the right.
QPushButton *workedExample(QWidget *page);
// A table of each operation, function and relation in mathematical and in
// program notation; the exercises' "Справка" opens it beside them.
QPushButton *mathReference(QWidget *page);

} // namespace TheoryPages
