#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "PictureBox.h"
#include "Pages.h"
#include "WindowDesign.h"

#include <QApplication>
#include <QCloseEvent>

MainWindow::MainWindow(const std::vector<PageEntry> &pages, QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    WindowDesign::apply(this);
    for (const PageEntry &entry : pages) {
        const Page page = entry.page;
        const QString name = QString::fromLatin1(entry.mainFormName);
        const auto request = [this, page] { emit pageRequested(page); };
        // Every page has a menu entry; the About form has no button and no mark.
        auto *action = findChild<QAction *>(name + QLatin1String("Action"));
        if (!action)
            qWarning("The main form has no menu entry %sAction", entry.mainFormName);
        else
            connect(action, &QAction::triggered, this, request);
        auto *button = findChild<QPushButton *>(name + QLatin1String("Button"));
        if (button)
            connect(button, &QPushButton::clicked, this, request);
        if (auto *mark = findChild<PictureBox *>(name + QLatin1String("Mark")); mark && button)
            m_marks.insert(page, {mark, button});
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::showMark(Page page)
{
    const Mark mark = m_marks.value(page);
    if (!mark.picture)
        return;
    mark.picture->show();
    // A screen reader hears the mark with the button, once the pupil is
    // back on the main form and the focus is there.
    mark.button->setAccessibleDescription(QStringLiteral("Выполнено"));
}

bool MainWindow::isMarkShown(Page page) const
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
