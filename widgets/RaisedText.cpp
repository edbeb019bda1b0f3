#include "RaisedText.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QList>

#include <cmath>

namespace RaisedText {

namespace {

// Where one mark of the raised text starts, before any spacing is added.
struct Mark
{
    qreal advance;  // of the text before it
    int chars;      // characters before it: each is widened by the letter spacing
    int blankRuns;  // runs of blanks before it: each is widened once by the word spacing
};

QList<Mark> marksOf(const QString &text, const QFontMetricsF &metrics)
{
    QList<Mark> marks;
    int blankRuns = 0;
    for (int i = 0; i < text.size(); ++i) {
        const bool blank = text[i] == QLatin1Char(' ');
        const bool afterBlank = i > 0 && text[i - 1] == QLatin1Char(' ');
        if (blank && !afterBlank)
            ++blankRuns;
        if (!blank && (i == 0 || afterBlank))
            marks.append({metrics.horizontalAdvance(text.left(i)), i, blankRuns});
    }
    return marks;
}

// Where a left-aligned label's text begins, in its parent's coordinates.
int textLeft(const QLabel *label)
{
    return label->x() + label->contentsRect().left() + label->margin();
}

} // namespace

void placeAfter(QLabel *raised, const QLabel *base, const QStringList &after)
{
    raised->ensurePolished();
    base->ensurePolished();

    // Each mark starts where its word of the base text ends.
    const QString baseText = base->text();
    const QFontMetricsF baseMetrics(base->font());
    QList<qreal> targets;
    int from = 0;
    for (const QString &word : after) {
        const int at = baseText.indexOf(word, from);
        if (at < 0) {
            qWarning("RaisedText: no \"%s\" in \"%s\"", qPrintable(word), qPrintable(baseText));
            return;
        }
        from = at + word.size();
        targets << textLeft(base) + baseMetrics.horizontalAdvance(baseText.left(from));
    }
    QFont font = raised->font();
    const QList<Mark> marks = marksOf(raised->text(), QFontMetricsF(font));
    if (marks.size() != targets.size()) {
        qWarning("RaisedText: \"%s\" has %d marks for %d words", qPrintable(raised->text()), int(marks.size()),
                 int(targets.size()));
        return;
    }

    // The gap between two marks grows by the letter spacing for every
    // character in it and by the word spacing for every run of blanks; fit
    // both to the gaps the base text asks for (least squares, exact for two
    // gaps of different lengths).
    qreal cc = 0, cb = 0, bb = 0, cr = 0, br = 0;
    for (int k = 1; k < marks.size(); ++k) {
        const qreal c = marks[k].chars - marks[k - 1].chars;
        const qreal b = marks[k].blankRuns - marks[k - 1].blankRuns;
        const qreal r = (targets[k] - targets[k - 1]) - (marks[k].advance - marks[k - 1].advance);
        cc += c * c;
        cb += c * b;
        bb += b * b;
        cr += c * r;
        br += b * r;
    }
    qreal letterSpacing = 0;
    qreal wordSpacing = 0;
    const qreal det = cc * bb - cb * cb;
    if (std::abs(det) > 1e-9) {
        letterSpacing = (cr * bb - cb * br) / det;
        wordSpacing = (cc * br - cb * cr) / det;
    } else if (bb > 0) {
        wordSpacing = br / bb;
    }
    font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    font.setWordSpacing(wordSpacing);
    raised->setFont(font);

    qreal shift = 0;
    for (int k = 0; k < marks.size(); ++k)
        shift += targets[k] - (marks[k].advance + letterSpacing * marks[k].chars + wordSpacing * marks[k].blankRuns);
    shift /= marks.size();
    raised->move(qRound(shift) - (textLeft(raised) - raised->x()), raised->y());
    raised->resize(qMax(raised->width(), raised->sizeHint().width()), raised->height());
}

} // namespace RaisedText
