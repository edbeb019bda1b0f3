#pragma once

class QApplication;

// Program-wide set-up shared by the program and its tests: the built-in
// pictures, Qt's Russian texts, the roles a screen reader needs, the forms' default font (menus and tooltips
// keep the desktop's) and the window icon.
namespace Application {

void init(QApplication &app);

} // namespace Application
