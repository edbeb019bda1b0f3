#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "PictureBox.h"
#include "Pages.h"
#include "WindowDesign.h"

#include <QApplication>
#include <QCloseEvent>

template <typename Control>
Control *MainWindow::control(const PageEntry &page, const char *role) const
{
    const QString name = page.pageName() + QLatin1String(role);
    auto *found = findChild<Control *>(name);
    if (!found) {
        throw MissingControl(QStringLiteral("The main form has no %1 named %2 for the page %3")
                                 .arg(QLatin1String(Control::staticMetaObject.className()), name, page.pageName())
                                 .toStdString());
    }
    return found;
}

MainWindow::MainWindow(const std::vector<PageEntry> &pages, QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    WindowDesign::apply(this);
    for (const PageEntry &page : pages) {
        const QString name = page.pageName();
        const auto request = [this, name] { emit pageRequested(name); };
        connect(control<QAction>(page, "Action"), &QAction::triggered, this, request);
        // The About form has only its menu entry.
        if (page.kind == PageKind::About)
            continue;
        auto *button = control<QPushButton>(page, "Button");
        connect(button, &QPushButton::clicked, this, request);
        m_marks.insert(name, {control<PictureBox>(page, "Mark"), button});
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::showMark(const QString &page)
{
    const Mark mark = m_marks.value(page);
    if (!mark.picture)
        return;
    mark.picture->show();
    // A screen reader hears the mark with the button, once the pupil is
    // back on the main form and the focus is there.
    mark.button->setAccessibleDescription(tr("Выполнено"));
}

bool MainWindow::isMarkShown(const QString &page) const
{
    const PictureBox *mark = m_marks.value(page).picture;
    return mark && !mark->isHidden();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Qt sends the show event before the window is put on screen, so a
    // splash shown from here is the first window the pupil sees.
    if (!event->spontaneous())
        emit aboutToAppear();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the main form ends the program, whatever else is open.
    event->accept();
    QApplication::quit();
}
