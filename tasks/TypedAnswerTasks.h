#pragma once

#include "TypedAnswerTask.h"

// The four typed-answer exercises: each builds its form from its .ui and
// states its lines, keys and rules (see TypedAnswerTask).
namespace TypedAnswerTasks {

// Task 2: five problems in words, each answered by an assignment statement.
TypedAnswerTask::Exercise assignmentStatements(QWidget *form);
// Task 3: the value of a after each of four short sequences of assignments.
TypedAnswerTask::Exercise tracingAssignments(QWidget *form);
// Task 8: six expressions to write in program notation.
TypedAnswerTask::Exercise expressionNotation(QWidget *form);
// Task 9: three formulas to write as assignments in program notation.
TypedAnswerTask::Exercise formulaNotation(QWidget *form);

} // namespace TypedAnswerTasks
