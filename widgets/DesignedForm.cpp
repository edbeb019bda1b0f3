#include "DesignedForm.h"

#include "FormActivation.h"
#include "FormDesign.h"
#include "MainWindow.h"

#include <QApplication>
#include <QKeyEvent>

DesignedForm::DesignedForm(QWidget *parent)
    : QWidget(parent)
{
}

DesignedForm::~DesignedForm()
{
    FormActivation::instance().unregisterForm(this);
}

void DesignedForm::finishDesign()
{
    FormDesign::apply(this);
    FormActivation::instance().registerForm(this);
    connect(&FormActivation::instance(), &FormActivation::activated, this, [this](QWidget *form) {
        if (form == this)
            emit Activate();
    });
    if (property("KeyPreview").toBool())
        qApp->installEventFilter(this);
}

void DesignedForm::completeWithMark(const char *markName)
{
    close();
    if (mainWindow)
        mainWindow->showMark(markName);
}

bool DesignedForm::eventFilter(QObject *watched, QEvent *event)
{
    // Key preview: the form sees each character typed into any of its
    // controls first, and may swallow it by setting it to 0.
    if (event->type() == QEvent::KeyPress) {
        auto *widget = qobject_cast<QWidget *>(watched);
        auto *key = static_cast<QKeyEvent *>(event);
        if (widget && widget->window() == this && key->text().size() == 1) {
            QChar typed = key->text().at(0);
            emit KeyPress(watched, typed);
            if (typed.isNull())
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DesignedForm::hideEvent(QHideEvent *event)
{
    FormActivation::instance().formHidden(this);
    QWidget::hideEvent(event);
}

void DesignedForm::resizeEvent(QResizeEvent *event)
{
    FormDesign::alignPanels(this);
    QWidget::resizeEvent(event);
}
