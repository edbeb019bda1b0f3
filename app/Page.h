#pragma once

// The pages that the main form opens, each with its own button, menu entry
// and completion mark (the About form has only its menu entry).
enum class Page {
    FlowchartElements,
    AssignmentOperator,
    WorkedExample,
    MathReference,
    Task1,
    Task2,
    Task3,
    Task4,
    Task5,
    Task6,
    Task7,
    Task8,
    Task9,
    Task10,
    About,
};
