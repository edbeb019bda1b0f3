// The yardstick for the first window: the least a Qt program must do to show
// what the splash shows. One window the size of the splash at its place, one
// line of Cyrillic text in Liberation Sans and one JPEG picture, read by Qt's
// own JPEG reader.
//   minimal_window <picture.jpg>

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(21);
    QApplication::setFont(font);

    QWidget window;
    window.setGeometry(197, 195, 579, 325);
    auto *picture = new QLabel(&window);
    picture->setPixmap(QPixmap(QString::fromLocal8Bit(argv[1])));
    picture->setGeometry(8, 16, 225, 297);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *title = new QLabel(QStringLiteral("Зартекс"), &window);
    title->setGeometry(264, 136, 268, 24);
    window.show();
    return app.exec();
}
