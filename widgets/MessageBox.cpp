#include "MessageBox.h"

#include "ProgramFile.h"

#include <QAbstractButton>
#include <QIcon>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

void MessageBox::show(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, ProgramFile::name(), text, QMessageBox::Ok);
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
