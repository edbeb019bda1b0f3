#pragma once

#include "Page.h"

#include <QMainWindow>
#include <QMap>
#include <memory>
#include <vector>

class PictureBox;
class QPushButton;
struct PageEntry;
namespace Ui { class MainWindow; }

// The main form: a button and a menu entry for every page, and beside each
// button the page's completion mark. It asks for pages to be opened and
// shows marks; which window a page is belongs to the program's owner.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Wires a button, a menu entry and a mark for each of `pages`.
    explicit MainWindow(const std::vector<PageEntry> &pages, QWidget *parent = nullptr);
    ~MainWindow() override;

    // A mark once shown stays shown for the run.
    void showMark(Page page);
    bool isMarkShown(Page page) const;

signals:
    void pageRequested(Page page);
    // Sent as the main form is being shown, before it is on screen.
    void aboutToAppear();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Ui::MainWindow> ui;
    struct Mark
    {
        PictureBox *picture = nullptr;
        QPushButton *button = nullptr; // the page's button beside it
    };
    QMap<Page, Mark> m_marks;
};
