#pragma once

#include <QDialog>

namespace Ui { class Tlogo; }
class QTimer;

// The splash form, shown modally by the main form's FormShow. Its timer
// fires every 3000 ms from creation and is never stopped; each tick asks the
// splash to close, which changes nothing once it is hidden.
class Tlogo : public QDialog
{
    Q_OBJECT

public:
    explicit Tlogo(QWidget *parent = nullptr);
    ~Tlogo() override;

    QTimer *timer() const;

public slots:
    void Timer1Timer();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    Ui::Tlogo *ui;
    QTimer *m_timer;
};

extern Tlogo *logo;
