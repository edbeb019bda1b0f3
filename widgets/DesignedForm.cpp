#include "DesignedForm.h"

#include "FormActivation.h"
#include "FormDesign.h"

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
            emit activated();
    });
}

void DesignedForm::finish()
{
    close();
    emit completed();
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
