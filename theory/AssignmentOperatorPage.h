#pragma once

#include "DesignedForm.h"

namespace Ui { class AssignmentOperatorPage; }

// The theory page on the assignment operator ":=". Its "OK" confirms it.
class AssignmentOperatorPage : public DesignedForm
{
    Q_OBJECT

public:
    explicit AssignmentOperatorPage(QWidget *parent = nullptr);
    ~AssignmentOperatorPage() override;

public slots:
    void Button1Click();

private:
    Ui::AssignmentOperatorPage *ui;
};

extern AssignmentOperatorPage *assignmentOperatorPage;
