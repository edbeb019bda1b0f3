#pragma once

class QApplication;

// Program-wide set-up shared by the program and its tests: the built-in
// pictures, the forms' default font and the window icon.
namespace Application {

void init(QApplication &app);

} // namespace Application
