#pragma once

#include "DesignedForm.h"

namespace Ui { class FlowchartElementsPage; }

// The first theory page: the four basic flowchart elements.
class FlowchartElementsPage : public DesignedForm
{
    Q_OBJECT

public:
    explicit FlowchartElementsPage(QWidget *parent = nullptr);
    ~FlowchartElementsPage() override;

public slots:
    void Button1Click();

private:
    Ui::FlowchartElementsPage *ui;
};

extern FlowchartElementsPage *flowchartElementsPage;
