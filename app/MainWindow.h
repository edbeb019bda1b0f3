#pragma once

#include <QMainWindow>

namespace Ui { class MainWindow; }

// The main form: opens every other form and carries the fourteen
// completion marks Image1..Image14.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shows the completion mark `markName` ("Image1".."Image14"); a mark once
    // shown stays shown for the run.
    void showMark(const char *markName);
    bool isMarkShown(const char *markName) const;

    // Whether FormShow shows the splash (tests that do not test the splash
    // switch it off to avoid its three seconds).
    static void setSplashEnabled(bool on);

public slots:
    void FormShow();
    void BtTeoryClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void N3Click();
    void N4Click();
    void N5Click();
    void N6Click();
    void N7Click();
    void N11Click();
    void N21Click();
    void N31Click();
    void N32Click();
    void N51Click();
    void N61Click();
    void N71Click();
    void N81Click();
    void N91Click();
    void N101Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Ui::MainWindow *ui;
};

extern MainWindow *mainWindow;

// Opening a form: make it visible, modeless. A visible form stays as it is:
// no second window, no reset, not raised.
void openForm(QWidget *form);
