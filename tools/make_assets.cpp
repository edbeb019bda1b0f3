// Draws the shared pictures of the forms and the five run-time picture files.
// Run once by hand (see tools/CMakeLists.txt); its JPEGs are committed, so the
// program's build does not need it.
//   make_assets <assets-dir> <runtime-dir>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdio>

namespace {

const QColor paleYellow(0xFF, 0xFF, 0xE1);
const QColor splashColor(0xFF, 0xFF, 0xEC);
const QColor cyan(0x00, 0xFF, 0xFF);

QImage canvas(int w, int h, const QColor &ground)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(ground);
    return image;
}

void save(const QImage &image, const QString &path)
{
    if (!image.save(path, "JPEG", 92)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QPen outline() { return QPen(Qt::black, 2); }

QImage oval(int w, int h, const QColor &ground)
{
    QImage image = canvas(w, h, ground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(outline());
    p.setBrush(ground);
    p.drawEllipse(QRectF(2, 2, w - 4, h - 4));
    return image;
}

QImage parallelogram(int w, int h, const QColor &ground)
{
    QImage image = canvas(w, h, ground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(outline());
    const qreal slant = h * 0.5;
    QPolygonF shape{{slant + 2, 2}, {w - 2.0, 2}, {w - slant - 2, h - 2.0}, {2, h - 2.0}};
    p.drawPolygon(shape);
    return image;
}

QImage rectangle(int w, int h, const QColor &ground)
{
    QImage image = canvas(w, h, ground);
    QPainter p(&image);
    p.setPen(outline());
    p.drawRect(QRectF(1.5, 1.5, w - 3, h - 3));
    return image;
}

QImage diamond(int w, int h, const QColor &ground)
{
    QImage image = canvas(w, h, ground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(outline());
    QPolygonF shape{{w / 2.0, 2}, {w - 2.0, h / 2.0}, {w / 2.0, h - 2.0}, {2, h / 2.0}};
    p.drawPolygon(shape);
    return image;
}

QImage arrow()
{
    QImage image = canvas(22, 43, paleYellow);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(11, 1), QPointF(11, 33));
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF{{4, 30}, {18, 30}, {11, 42}});
    return image;
}

// The red tick, drawn on the colour of the form it stands on: the JPEG has
// no transparency, so its ground shows around the tick.
QImage checkMark(const QColor &ground)
{
    QImage image = canvas(35, 35, ground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xE0, 0x10, 0x10), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(6, 18);
    tick.lineTo(14, 27);
    tick.lineTo(30, 6);
    p.drawPath(tick);
    return image;
}

// A desktop computer whose screen shows a page of text.
QImage splashComputer()
{
    QImage image = canvas(211, 299, splashColor);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body(0xD8, 0xD4, 0xC8), dark(0x60, 0x60, 0x60);
    // monitor
    p.setPen(QPen(dark, 2));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(15, 20, 181, 150), 10, 10);
    p.setBrush(QColor(0x20, 0x40, 0x80));
    p.drawRect(QRectF(28, 32, 155, 118));
    // the page of text on the screen
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(50, 38, 111, 106));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
    for (int line = 0; line < 11; ++line) {
        const qreal y = 48 + line * 8.5;
        const qreal end = (line % 4 == 3) ? 110 : 150;
        p.drawLine(QPointF(58, y), QPointF(end, y));
    }
    // power light and stand
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0xC0, 0x20));
    p.drawEllipse(QRectF(174, 156, 7, 7));
    p.setBrush(body);
    p.setPen(QPen(dark, 2));
    p.drawRect(QRectF(88, 170, 35, 22));
    // system unit
    p.drawRoundedRect(QRectF(10, 194, 191, 50), 6, 6);
    p.setBrush(QColor(0x90, 0x90, 0x90));
    p.drawRect(QRectF(120, 206, 60, 8));
    p.drawRect(QRectF(120, 222, 60, 8));
    // keyboard
    p.setBrush(body);
    QPolygonF keyboard{{20, 258}, {191, 258}, {205, 292}, {6, 292}};
    p.drawPolygon(keyboard);
    p.setPen(QPen(dark, 1));
    for (int row = 0; row < 3; ++row)
        for (int key = 0; key < 14; ++key)
            p.drawRect(QRectF(22 + key * 12 - row * 4 + (row == 0 ? 4 : 0), 263 + row * 9, 9, 6));
    return image;
}

QImage icon()
{
    QImage image = canvas(64, 64, paleYellow);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(14, 3, 36, 16));
    p.drawLine(32, 19, 32, 25);
    p.drawRect(QRectF(10, 25, 44, 14));
    p.drawLine(32, 39, 32, 45);
    p.drawPolygon(QPolygonF{{32, 45}, {52, 53}, {32, 61}, {12, 53}});
    p.setPen(QPen(QColor(0xE0, 0x10, 0x10), 3));
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(10, 25, 44, 14), Qt::AlignCenter, QStringLiteral(":="));
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_assets <assets-dir> <runtime-dir>\n");
        return 2;
    }
    const QDir assets(QString::fromLocal8Bit(argv[1]));
    const QDir runtime(QString::fromLocal8Bit(argv[2]));

    save(oval(164, 60, paleYellow), assets.filePath("oval.jpg"));
    save(parallelogram(160, 44, paleYellow), assets.filePath("parallelogram.jpg"));
    save(rectangle(157, 44, paleYellow), assets.filePath("rectangle.jpg"));
    // Task 5's process slot shows its rectangle unstretched in 41 rows.
    save(rectangle(157, 41, paleYellow), assets.filePath("labelBoardRectangle.jpg"));
    save(diamond(163, 64, paleYellow), assets.filePath("diamond.jpg"));
    save(arrow(), assets.filePath("arrow.jpg"));
    save(canvas(100, 50, cyan), assets.filePath("blank.jpg"));
    save(checkMark(paleYellow), assets.filePath("check.jpg"));
    save(checkMark(Qt::white), assets.filePath("checkOnWhite.jpg"));
    save(splashComputer(), assets.filePath("computer.jpg"));
    save(icon(), assets.filePath("icon.jpg"));

    // The pictures a slot of a shape-placing board loads at every drop.
    save(oval(177, 57, paleYellow), runtime.filePath("circleNew.jpg"));
    save(parallelogram(177, 52, paleYellow), runtime.filePath("parNew.jpg"));
    save(rectangle(177, 57, paleYellow), runtime.filePath("prNew.jpg"));
    save(diamond(177, 57, paleYellow), runtime.filePath("uslNew.jpg"));
    save(canvas(100, 50, cyan), runtime.filePath("fon.jpg"));
    return 0;
}
