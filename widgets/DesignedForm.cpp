#include "DesignedForm.h"

#include "FormActivation.h"
#include "FormDesign.h"
#include "ScreenReader.h"

#include <QAbstractButton>
#include <QEvent>

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
    ScreenReader::installRoles();
    FormDesign::apply(this);
    // A completion button that appears on an open form is the result of the
    // pupil's work; one there from the start (a theory page's) is not.
    if (auto *done = findChild<QAbstractButton *>(QStringLiteral("doneButton")))
        done->installEventFilter(this);
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

bool DesignedForm::eventFilter(QObject *watched, QEvent *event)
{
    // Qt shows the children of a form before the form's own show event.
    if (event->type() == QEvent::Show && m_onScreen) {
        const QString text = static_cast<QAbstractButton *>(watched)->text().remove(QLatin1Char('&'));
        ScreenReader::announce(this, QStringLiteral("Задание выполнено, появилась кнопка «%1».").arg(text));
    }
    return QWidget::eventFilter(watched, event);
}

void DesignedForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_onScreen = true;
}

void DesignedForm::hideEvent(QHideEvent *event)
{
    m_onScreen = false;
    FormActivation::instance().formHidden(this);
    QWidget::hideEvent(event);
}

void DesignedForm::resizeEvent(QResizeEvent *event)
{
    FormDesign::alignPanels(this);
    QWidget::resizeEvent(event);
}
