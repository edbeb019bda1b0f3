// Draws the formula pictures of Tasks 8 and 9 and the table of the
// mathematical functions reference. Run once by hand (see tools/CMakeLists.txt);
// its JPEGs are committed, so the program's build does not need it.
//   make_formulas <assets-dir>
//
// The formulas are typeset with a small box layout: every piece knows its
// width, its height above the baseline and its depth below, and built-up
// fractions, radicals, scripts and fences are composed from those pieces.
// Each picture takes the largest type size at which its formula still fits.

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

const QColor paleYellow(0xFF, 0xFF, 0xE1);
const QString serif = QStringLiteral("Liberation Serif");

// ---------------------------------------------------------------- boxes

struct Box
{
    double w = 0, asc = 0, desc = 0;
    virtual ~Box() = default;
    // Draws the box with its left edge at x and its baseline at y.
    virtual void draw(QPainter &p, double x, double y) const = 0;
    double height() const { return asc + desc; }
};
using B = std::shared_ptr<Box>;

double ruleThickness(double sz) { return std::max(1.0, std::round(sz * 0.055)); }

QFont mathFont(double sz, bool italic)
{
    QFont f(serif);
    f.setPixelSize(std::max(1, int(std::lround(sz))));
    f.setItalic(italic);

    return f;
}

// Height of the fraction bars above the baseline: the middle of the minus sign.
double mathAxis(double sz)
{
    const QFontMetricsF fm(mathFont(sz, false));
    return -fm.tightBoundingRect(QString(QChar(0x2212))).center().y();
}

struct Glyphs : Box
{
    QString text;
    QFont font;
    Glyphs(const QString &t, double sz, bool italic)
        : text(t)
        , font(mathFont(sz, italic))
    {
        const QFontMetricsF fm(font);
        const QRectF ink = fm.tightBoundingRect(text);
        w = fm.horizontalAdvance(text) + (italic ? sz * 0.05 : 0.0);
        asc = std::max(-ink.top(), 0.0);
        desc = std::max(ink.bottom(), 0.0);
    }
    void draw(QPainter &p, double x, double y) const override
    {
        p.setPen(Qt::black);
        p.setFont(font);
        p.drawText(QPointF(x, y), text);
    }
};

struct Space : Box
{
    explicit Space(double width) { w = width; }
    void draw(QPainter &, double, double) const override {}
};

struct Row : Box
{
    std::vector<B> items;
    explicit Row(std::vector<B> list)
        : items(std::move(list))
    {
        for (const B &b : items) {
            w += b->w;
            asc = std::max(asc, b->asc);
            desc = std::max(desc, b->desc);
        }
    }
    void draw(QPainter &p, double x, double y) const override
    {
        for (const B &b : items) {
            b->draw(p, x, y);
            x += b->w;
        }
    }
};

// A built-up fraction: numerator and denominator centred over and under a bar
// on the math axis.
struct Fraction : Box
{
    B num, den;
    double axis, rule, gap, pad;
    Fraction(B n, B d, double sz)
        : num(std::move(n))
        , den(std::move(d))
        , axis(mathAxis(sz))
        , rule(ruleThickness(sz))
        , gap(std::max(2.0, sz * 0.16))
        , pad(sz * 0.12)
    {
        w = std::max(num->w, den->w) + 2 * pad;
        asc = axis + rule / 2 + gap + num->height();
        desc = -axis + rule / 2 + gap + den->height();
    }
    void draw(QPainter &p, double x, double y) const override
    {
        const double barTop = std::round(y - axis - rule / 2);
        p.fillRect(QRectF(std::round(x + pad * 0.4), barTop, std::round(w - pad * 0.8), rule), Qt::black);
        num->draw(p, x + (w - num->w) / 2, barTop - gap - num->desc);
        den->draw(p, x + (w - den->w) / 2, barTop + rule + gap + den->asc);
    }
};

// A radical sign whose bar covers its radicand.
struct Radical : Box
{
    B body;
    double rule, gap, sign, lead;
    Radical(B b, double sz)
        : body(std::move(b))
        , rule(ruleThickness(sz))
        , gap(std::max(1.5, sz * 0.12))
    {
        const double depth = std::max(body->desc, sz * 0.05) + sz * 0.06;
        asc = std::max(body->asc, sz * 0.62) + gap + rule;
        desc = depth;
        sign = sz * 0.52 + height() * 0.05;
        lead = sz * 0.04;
        w = lead + sign + sz * 0.06 + body->w + sz * 0.08;
    }
    void draw(QPainter &p, double x, double y) const override
    {
        const double top = std::round(y - asc) + rule / 2;
        const double bottom = y + desc;
        const double h = bottom - top;
        const double x0 = x + lead;
        p.save();
        p.setBrush(Qt::NoBrush);
        QPainterPath tick;
        tick.moveTo(x0, top + h * 0.58);
        tick.lineTo(x0 + sign * 0.22, top + h * 0.50);
        p.setPen(QPen(Qt::black, rule, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPath(tick);
        p.setPen(QPen(Qt::black, rule * 1.7, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawLine(QPointF(x0 + sign * 0.22, top + h * 0.50), QPointF(x0 + sign * 0.55, bottom));
        QPainterPath stem;
        stem.moveTo(x0 + sign * 0.55, bottom);
        stem.lineTo(x0 + sign, top);
        stem.lineTo(x + w, top);
        p.setPen(QPen(Qt::black, rule, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPath(stem);
        p.restore();
        body->draw(p, x0 + sign + (w - lead - sign - body->w - 0) * 0.45, y);
    }
};

// A base with a superscript, a subscript or both.
struct Scripts : Box
{
    B base, sup, sub;
    double supShift = 0, subShift = 0, kern;
    Scripts(B b, B up, B down, double sz)
        : base(std::move(b))
        , sup(std::move(up))
        , sub(std::move(down))
        , kern(sz * 0.04)
    {
        asc = base->asc;
        desc = base->desc;
        double scriptW = 0;
        if (sup) {
            supShift = std::max(sz * 0.40, base->asc - sup->asc * 0.55);
            asc = std::max(asc, supShift + sup->asc);
            scriptW = sup->w;
        }
        if (sub) {
            subShift = std::max(sz * 0.20, base->desc + sub->asc * 0.45);
            desc = std::max(desc, subShift + sub->desc);
            scriptW = std::max(scriptW, sub->w);
        }
        w = base->w + kern + scriptW;
    }
    void draw(QPainter &p, double x, double y) const override
    {
        base->draw(p, x, y);
        if (sup)
            sup->draw(p, x + base->w + kern, y - supShift);
        if (sub)
            sub->draw(p, x + base->w, y + subShift);
    }
};

// Round brackets or absolute-value bars that grow with what they enclose.
struct Fence : Box
{
    B body;
    QChar kind;
    double sz, rule, side, top, bottom, inner = 0;
    Fence(B b, QChar k, double size)
        : body(std::move(b))
        , kind(k)
        , sz(size)
        , rule(ruleThickness(size))
    {
        top = std::max(body->asc + sz * 0.08, sz * 0.72);
        bottom = std::max(body->desc + sz * 0.08, sz * 0.22);
        side = kind == QLatin1Char('|') ? sz * 0.24 : sz * 0.36;
        asc = top;
        desc = bottom;
        inner = sz * 0.06; // room for a script that overhangs its advance
        w = 2 * side + body->w + inner;
    }
    void drawSide(QPainter &p, double x, double y, bool left) const
    {
        if (kind == QLatin1Char('|')) {
            const double left = std::round(x + (side - rule) / 2);
            p.fillRect(QRectF(left, std::round(y - top), rule, std::round(top + bottom)), Qt::black);
            return;
        }
        // a crescent: thin at the ends, thickest in the middle
        const double h = top + bottom;
        const double thick = std::max(rule * 1.25, sz * 0.075);
        const double outer = left ? x + side * 0.25 : x + side * 0.75;
        const double end = left ? x + side * 0.85 : x + side * 0.15;
        const double dir = left ? 1 : -1;
        const double bulge = std::min(side * 0.9, h * 0.28);
        QPainterPath path;
        path.moveTo(end, y - top);
        path.cubicTo(outer - dir * bulge * 0.15, y - top + h * 0.22, outer - dir * bulge * 0.15,
                     y + bottom - h * 0.22, end, y + bottom);
        path.lineTo(end + dir * rule * 0.4, y + bottom);
        path.cubicTo(outer + dir * thick, y + bottom - h * 0.24, outer + dir * thick, y - top + h * 0.24,
                     end + dir * rule * 0.4, y - top);
        path.closeSubpath();
        p.fillPath(path, Qt::black);
    }
    void draw(QPainter &p, double x, double y) const override
    {
        drawSide(p, x, y, true);
        body->draw(p, x + side, y);
        drawSide(p, x + side + body->w + inner, y, false);
    }
};

// ------------------------------------------------------------- builders

// A typesetting context at one type size.
struct Math
{
    double sz;

    double script() const { return sz * 0.68; }
    B var(const QString &t) const { return std::make_shared<Glyphs>(t, sz, true); }
    B rm(const QString &t) const { return std::make_shared<Glyphs>(t, sz, false); }
    B space(double em) const { return std::make_shared<Space>(sz * em); }
    // A binary operation or relation sign with its spacing around it.
    B op(const QString &t, double em = 0.2) const
    {
        return row({space(em), rm(t), space(em)});
    }
    B plus() const { return op(QStringLiteral("+")); }
    B minus() const { return op(QString(QChar(0x2212))); }
    B dot() const { return op(QString(QChar(0x00B7)), 0.08); }
    B row(std::vector<B> items) const { return std::make_shared<Row>(std::move(items)); }
    B frac(B n, B d) const { return std::make_shared<Fraction>(std::move(n), std::move(d), sz); }
    B sqrt(B b) const { return std::make_shared<Radical>(std::move(b), sz); }
    B paren(B b) const { return std::make_shared<Fence>(std::move(b), QLatin1Char('('), sz); }
    B abs(B b) const { return std::make_shared<Fence>(std::move(b), QLatin1Char('|'), sz); }
    B sup(B base, const QString &up) const
    {
        return std::make_shared<Scripts>(std::move(base), Math{script()}.rm(up), nullptr, sz);
    }
    B sub(B base, const QString &down) const
    {
        return std::make_shared<Scripts>(std::move(base), nullptr, Math{script()}.rm(down), sz);
    }
    B subsup(B base, const QString &down, const QString &up) const
    {
        return std::make_shared<Scripts>(std::move(base), Math{script()}.rm(up), Math{script()}.rm(down), sz);
    }
    // A function name followed by its argument, "sin x".
    B fn(const QString &name, B arg) const { return row({rm(name), space(0.17), std::move(arg)}); }
};

using Formula = std::function<B(const Math &)>;

QImage canvas(int w, int h, const QColor &ground)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(ground);
    return image;
}

void save(const QImage &image, const QString &path)
{
    if (!image.save(path, "JPEG", 95)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

// Typesets `formula` at the largest size (up to maxSize) that fits the
// picture with the given margins and draws it centred, black on white.
QImage typeset(int w, int h, const Formula &formula, double maxSize, int margin = 3, int bottomMargin = 3)
{
    B box;
    double size = maxSize;
    for (; size >= 8; size -= 0.5) {
        box = formula(Math{size});
        if (box->w <= w - 2 * margin && box->height() <= h - margin - bottomMargin)
            break;
    }
    QImage image = canvas(w, h, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    const double x = std::round((w - box->w) / 2);
    const double free = h - margin - bottomMargin - box->height();
    const double y = std::round(margin + free / 2 + box->asc);
    box->draw(p, x, y);
    std::printf("%dx%d at %.1f px type\n", w, h, size);
    return image;
}

QString comma(const char *number) { return QString::fromLatin1(number); }

// ------------------------------------------------------------- Task 8

// 5a > m/2
B expression1(const Math &m)
{
    return m.row({m.rm("5"), m.var("a"), m.op(">"), m.frac(m.var("m"), m.rm("2"))});
}

// (a − b) / 7c
B expression2(const Math &m)
{
    return m.frac(m.row({m.var("a"), m.minus(), m.var("b")}), m.row({m.rm("7"), m.var("c")}));
}

// 3,2a²
B expression3(const Math &m)
{
    return m.row({m.rm(comma("3,2")), m.sup(m.var("a"), "2")});
}

// 2x + 6 ≥ 67,5x²
B expression4(const Math &m)
{
    return m.row({m.rm("2"), m.var("x"), m.plus(), m.rm("6"), m.op(QString(QChar(0x2265))), m.rm(comma("67,5")),
                  m.sup(m.var("x"), "2")});
}

// (k² + 17) / 1,7d² + 5
B expression5(const Math &m)
{
    return m.row({m.frac(m.row({m.sup(m.var("k"), "2"), m.plus(), m.rm("17")}),
                         m.row({m.rm(comma("1,7")), m.sup(m.var("d"), "2")})),
                  m.plus(), m.rm("5")});
}

// sin x + cos x − sin² x
B expression6(const Math &m)
{
    return m.row({m.fn("sin", m.var("x")), m.plus(), m.fn("cos", m.var("x")), m.minus(),
                  m.sup(m.rm("sin"), "2"), m.space(0.17), m.var("x")});
}

// ------------------------------------------------------------- Task 9

B xSquared(const Math &m) { return m.sup(m.var("x"), "2"); }

// y = x / (x² + 3 / (x² + 9 / (x² + 18 / (x² + 36 / x²)))), as a continued fraction
B formula1(const Math &m)
{
    B inner = m.frac(m.rm("36"), xSquared(m));
    for (const char *n : {"18", "9", "3"})
        inner = m.frac(m.rm(n), m.row({xSquared(m), m.plus(), inner}));
    return m.row({m.var("y"), m.op("="), m.frac(m.var("x"), m.row({xSquared(m), m.plus(), inner}))});
}

// t = (√|x₄ − 1| − √|y²|) / √(1 + x₂⁴/4 + y₃³/3) + (tg x + x²)·√(23 sin x)
B formula2(const Math &m)
{
    const Math s{m.sz * 0.9};
    B numerator = m.row({m.sqrt(m.abs(m.row({m.sub(m.var("x"), "4"), m.minus(), m.rm("1")}))), m.minus(),
                         m.sqrt(m.abs(m.sup(m.var("y"), "2")))});
    B denominator = m.sqrt(m.row({m.rm("1"), m.plus(), s.frac(s.subsup(s.var("x"), "2", "4"), s.rm("4")), m.plus(),
                                  s.frac(s.subsup(s.var("y"), "3", "3"), s.rm("3"))}));
    return m.row({m.var("t"), m.op("="), m.frac(numerator, denominator), m.plus(),
                  m.paren(m.row({m.fn("tg", m.var("x")), m.plus(), xSquared(m)})), m.dot(),
                  m.sqrt(m.row({m.rm("23"), m.space(0.1), m.fn("sin", m.var("x"))}))});
}

// z = (1 + 2,5·y₂)·(x + y³/(x² + 14)) / (sin² x + 1/√(x₁ + y²))
B formula3(const Math &m)
{
    const Math s{m.sz * 0.8};
    B numerator = m.row({m.paren(m.row({m.rm("1"), m.plus(), m.rm(comma("2,5")), m.dot(), m.sub(m.var("y"), "2")})),
                         m.dot(),
                         m.paren(m.row({m.var("x"), m.plus(),
                                        s.frac(s.sup(s.var("y"), "3"),
                                               s.row({s.sup(s.var("x"), "2"), s.plus(), s.rm("14")}))}))});
    B denominator = m.row({m.sup(m.rm("sin"), "2"), m.space(0.17), m.var("x"), m.plus(),
                           s.frac(s.rm("1"), s.sqrt(s.row({s.sub(s.var("x"), "1"), s.plus(), s.sup(s.var("y"), "2")})))});
    return m.row({m.var("z"), m.op("="), m.frac(numerator, denominator)});
}

// ------------------------------------------------------ reference table

// The reference table: operations, their mathematical notation and their
// notation in a flowchart and in Pascal, on the pale yellow of the form.
QImage referenceTable()
{
    const int w = 650, h = 446;
    const int heading = 38, rowH = 37;
    const int cols[] = {0, 190, 405, w - 1};
    QImage image = canvas(w, h, paleYellow);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QFont head(QStringLiteral("Liberation Sans"));
    head.setPixelSize(15);
    head.setBold(true);
    QFont text(QStringLiteral("Liberation Sans"));
    text.setPixelSize(15);
    QFont code(QStringLiteral("Liberation Mono"));
    code.setPixelSize(16);
    code.setBold(true);

    p.setPen(Qt::black);
    const QStringList headings{QStringLiteral("Операции"), QStringLiteral("На языке математики"),
                               QStringLiteral("На блок-схеме и Паскале")};
    p.setFont(head);
    for (int c = 0; c < 3; ++c)
        p.drawText(QRectF(cols[c], 0, cols[c + 1] - cols[c], heading), Qt::AlignCenter, headings[c]);

    const Math m{22};
    const auto a = [&] { return m.var("a"); };
    const auto b = [&] { return m.var("b"); };
    const auto rel = [&](QChar sign) { return m.row({a(), m.op(QString(sign)), b()}); };
    struct Line
    {
        QString meaning;
        B math;
        QString program;
    };
    const std::vector<Line> lines{
        {QStringLiteral("Сложение"), m.row({a(), m.plus(), b()}), QStringLiteral("a + b")},
        {QStringLiteral("Умножение"), m.row({a(), b()}), QStringLiteral("a*b")},
        {QStringLiteral("Кв. корень"), m.sqrt(a()), QStringLiteral("Sqrt(a)")},
        {QStringLiteral("Квадрат"), m.sup(a(), "2"), QStringLiteral("Sqr(a) или a*a")},
        {QStringLiteral("Синус a"), m.fn("Sin", a()), QStringLiteral("Sin(a)")},
        {QStringLiteral("косинус a"), m.fn("Cos", a()), QStringLiteral("Cos(a)")},
        {QStringLiteral("a больше b"), rel(QLatin1Char('>')), QStringLiteral("a > b")},
        {QStringLiteral("a меньше b"), rel(QLatin1Char('<')), QStringLiteral("a < b")},
        {QStringLiteral("a больше или равно b"), rel(QChar(0x2265)), QStringLiteral("a >= b")},
        {QStringLiteral("a меньше или равно b"), rel(QChar(0x2264)), QStringLiteral("a <= b")},
        {QStringLiteral("Модуль a"), m.abs(a()), QStringLiteral("abs(a)")},
    };
    for (int r = 0; r < int(lines.size()); ++r) {
        const int top = heading + r * rowH;
        const Line &line = lines[size_t(r)];
        p.setFont(text);
        p.drawText(QRectF(cols[0] + 10, top, cols[1] - cols[0] - 12, rowH), Qt::AlignVCenter | Qt::AlignLeft,
                   line.meaning);
        const double mx = std::round(cols[1] + (cols[2] - cols[1] - line.math->w) / 2);
        const double my = std::round(top + (rowH - line.math->height()) / 2 + line.math->asc);
        line.math->draw(p, mx, my);
        p.setFont(code);
        p.drawText(QRectF(cols[2], top, cols[3] - cols[2], rowH), Qt::AlignCenter, line.program);
    }

    // the ruled grid, drawn last so that nothing covers a line
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    for (int c : cols)
        p.drawLine(c, 0, c, h - 1);
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, heading - 1, w - 1, heading - 1);
    p.drawLine(0, heading, w - 1, heading);
    for (int r = 1; r <= int(lines.size()); ++r)
        p.drawLine(0, heading + r * rowH, w - 1, heading + r * rowH);
    p.drawLine(0, h - 1, w - 1, h - 1);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_formulas <assets-dir>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));

    save(referenceTable(), out.filePath("table.jpg"));

    // Task 8: each picture at its own size; the form stretches some of them.
    save(typeset(75, 52, expression1, 30), out.filePath("expressionNotation1.jpg"));
    save(typeset(61, 71, expression2, 30), out.filePath("expressionNotation2.jpg"));
    save(typeset(84, 46, expression3, 40), out.filePath("expressionNotation3.jpg"));
    save(typeset(192, 31, expression4, 30, 2, 2), out.filePath("expressionNotation4.jpg"));
    // the form shows only the top 65 rows of this one
    save(typeset(114, 67, expression5, 30, 3, 5), out.filePath("expressionNotation5.jpg"));
    save(typeset(201, 25, expression6, 30, 1, 1), out.filePath("expressionNotation6.jpg"));

    // Task 9: drawn at their own size.
    save(typeset(313, 127, formula1, 30, 4, 4), out.filePath("formulaNotation1.jpg"));
    save(typeset(319, 90, formula2, 30, 3, 3), out.filePath("formulaNotation2.jpg"));
    save(typeset(297, 105, formula3, 30, 3, 3), out.filePath("formulaNotation3.jpg"));
    return 0;
}
