#pragma once

#include "DesignedForm.h"

namespace Ui { class WorkedExamplePage; }

// The worked example: the flowchart for the area and perimeter of a
// rectangle, built step by step on the left and shown finished on the right.
// A static page; its "ОК" confirms it.
class WorkedExamplePage : public DesignedForm
{
    Q_OBJECT

public:
    explicit WorkedExamplePage(QWidget *parent = nullptr);
    ~WorkedExamplePage() override;

public slots:
    void Button1Click();

private:
    Ui::WorkedExamplePage *ui;
};

extern WorkedExamplePage *workedExamplePage;
