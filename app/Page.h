#pragma once

// The pages that the main form opens: the theory pages and the exercises,
// each with its own button, menu entry and completion mark, and the About
// form, which has only its menu entry. app/Pages.cpp says what each is.
enum class Page {
    FlowchartElements,
    AssignmentOperator,
    WorkedExample,
    MathReference,
    ShapeQuiz,           // "Задача 1"
    AssignmentStatements, // "Задача 2"
    TracingAssignments,  // "Задача 3"
    HoursToMinutes,      // "Задача 4"
    OrangeCost,          // "Задача 5"
    HeelHeight,          // "Задача 6"
    SweetsCount,         // "Задача 7"
    ExpressionNotation,  // "Задача 8"
    FormulaNotation,     // "Задача 9"
    CosineLaw,           // "Задача 10"
    About,
};
