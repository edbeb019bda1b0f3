#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class SplashScreen; }
class QTimer;

// The splash form, shown modally as the main form appears. Its timer
// fires every 3000 ms from its first paint (from creation while it is never
// painted) and is never stopped; each tick asks the splash to close, which
// changes nothing once it is hidden.
class SplashScreen : public QDialog
{
    Q_OBJECT

public:
    explicit SplashScreen(QWidget *parent = nullptr);
    ~SplashScreen() override;

    QTimer *timer() const;
    // Whether the splash has been painted at least once.
    bool isPainted() const { return m_painted; }

signals:
    void painted();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<Ui::SplashScreen> ui;
    QTimer *m_timer;
    bool m_painted = false;
};
