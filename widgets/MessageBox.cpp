#include "MessageBox.h"

#include <QCoreApplication>
#include <QAbstractButton>
#include <QFileInfo>
#include <QIcon>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

QString MessageBox::titleFromProgramPath(const QString &programPath)
{
    const QString name = QFileInfo(programPath).fileName();
    const int dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString MessageBox::title()
{
    return titleFromProgramPath(QCoreApplication::applicationFilePath());
}

void MessageBox::show(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok);
    // Plain: no picture beside the text, none on the button either.
    if (QAbstractButton *ok = box.button(QMessageBox::Ok))
        ok->setIcon(QIcon());
    box.adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize size = box.sizeHint();
        box.move(screen->geometry().center() - QPoint(size.width() / 2, size.height() / 2));
    }
    box.exec();
}
