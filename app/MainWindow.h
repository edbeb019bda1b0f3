#pragma once

#include <QMainWindow>
#include <QMap>
#include <memory>
#include <stdexcept>
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
    // A page of the list has no control of that name on the form.
    class MissingControl : public std::runtime_error
    {
    public:
        using std::runtime_error::runtime_error;
    };

    // Wires each page's button, mark and menu entry, found by the page's
    // name; throws MissingControl, naming it, for one that is missing.
    explicit MainWindow(const std::vector<PageEntry> &pages, QWidget *parent = nullptr);
    ~MainWindow() override;

    // A mark once shown stays shown for the run.
    void showMark(const QString &page);
    bool isMarkShown(const QString &page) const;

signals:
    void pageRequested(const QString &page);
    // Sent as the main form is being shown, before it is on screen.
    void aboutToAppear();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    template <typename Control>
    Control *control(const PageEntry &page, const char *role) const;

    std::unique_ptr<Ui::MainWindow> ui;
    struct Mark
    {
        PictureBox *picture = nullptr;
        QPushButton *button = nullptr; // the page's button beside it
    };
    QMap<QString, Mark> m_marks;
};
