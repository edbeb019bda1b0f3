#pragma once

#include "TypedAnswerTask.h"

// The typed-answer exercises (see TypedAnswerTask). Each is its form and its
// table of lines, keys and rules in TypedAnswerTasks.cpp, where a new one
// is added as a table and one line that makes its exercise().
namespace TypedAnswerTasks {

// Builds the exercise whose form `Form` is (the class Qt generates from its
// .ui, e.g. Ui::FormulaNotationTask) on `form`, and states its lines, keys
// and rules.
template <typename Form>
TypedAnswerTask::Exercise exercise(QWidget *form);

} // namespace TypedAnswerTasks
