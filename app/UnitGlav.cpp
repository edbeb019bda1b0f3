#include "UnitGlav.h"
#include "ui_UnitGlav.h"

#include "FormActivation.h"
#include "FormDesign.h"
#include "PictureBox.h"
#include "Unit1.h"
#include "Unit3.h"
#include "UnitAbout.h"
#include "UnitTeory.h"
#include "UnitZad.h"
#include "UnitZad1.h"
#include "UnitZad11.h"
#include "UnitZad12.h"
#include "UnitZad13.h"
#include "UnitZad3.h"
#include "UnitZad4.h"
#include "UnitZad5.h"
#include "UnitZad6.h"
#include "UnitZad7.h"
#include "UnitZad8.h"
#include "UnitZad9.h"

#include <QApplication>
#include <QCloseEvent>

TForm1 *Form1 = nullptr;

namespace {
bool splashEnabled = true;
}

void openForm(QWidget *form)
{
    if (form && !form->isVisible())
        form->show();
}

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::TForm1)
{
    ui->setupUi(this);
    FormDesign::apply(this);
    FormActivation::instance().registerForm(this);
}

TForm1::~TForm1()
{
    FormActivation::instance().unregisterForm(this);
    delete ui;
}

void TForm1::setSplashEnabled(bool on)
{
    splashEnabled = on;
}

void TForm1::showMark(const char *markName)
{
    if (auto *mark = findChild<PictureBox *>(QLatin1String(markName)))
        mark->show();
}

bool TForm1::isMarkShown(const char *markName) const
{
    const auto *mark = findChild<PictureBox *>(QLatin1String(markName));
    return mark && !mark->isHidden();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Qt sends the show event before the window is put on screen, so the
    // splash is the first window the learner sees.
    if (!event->spontaneous())
        FormShow();
}

void TForm1::FormShow()
{
    if (splashEnabled && logo)
        logo->exec();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing the main form ends the program, whatever else is open.
    event->accept();
    QApplication::quit();
}

void TForm1::BtTeoryClick() { openForm(FmTeory); }
void TForm1::Button1Click() { openForm(FmZ4); }
void TForm1::Button2Click() { openForm(Form2); }
void TForm1::Button3Click() { openForm(Form3); }
void TForm1::Button4Click() { openForm(FmZ1); }
void TForm1::Button5Click() { openForm(FmZ5); }
void TForm1::Button6Click() { openForm(FmZ6); }
void TForm1::Button7Click() { openForm(FmZ7); }
void TForm1::Button8Click() { openForm(FmZ8); }
void TForm1::Button9Click() { openForm(FmZ9); }
void TForm1::Button10Click() { openForm(Fm1); }
void TForm1::Button11Click() { openForm(Fm11); }
void TForm1::Button12Click() { openForm(Fm12); }
void TForm1::Button13Click() { openForm(Fm13); }
void TForm1::N3Click() { openForm(FmTeory); }
void TForm1::N4Click() { openForm(Fm12); }
void TForm1::N5Click() { openForm(Form2); }
void TForm1::N6Click() { openForm(FmZ7); }
void TForm1::N7Click() { openForm(AboutBox); }
void TForm1::N11Click() { openForm(FmZ1); }
void TForm1::N21Click() { openForm(FmZ6); }
void TForm1::N31Click() { openForm(Fm13); }
void TForm1::N32Click() { openForm(Fm1); }
void TForm1::N51Click() { openForm(Form3); }
void TForm1::N61Click() { openForm(FmZ4); }
void TForm1::N71Click() { openForm(FmZ5); }
void TForm1::N81Click() { openForm(FmZ8); }
void TForm1::N91Click() { openForm(FmZ9); }
void TForm1::N101Click() { openForm(Fm11); }
