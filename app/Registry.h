#pragma once

// The form registry: every form is created once, hidden, in a fixed order,
// and kept in the program-wide variable named after it (mainWindow, heelHeightTask, splashScreen...),
// declared in the form's own module. The first form created is the main form.
#include <QList>

class QWidget;

namespace Registry {

void createForms();
// Destroys every form, last created first; the program does this at exit.
void destroyForms();
// The forms in the order they were created.
const QList<QWidget *> &forms();

} // namespace Registry
