#pragma once

#include <QStringList>

class QLabel;

// A label of raised digits or indices ("2       2         2 ") stands over
// the label it belongs to, its marks spaced by runs of blanks so that each
// falls after a letter of the text below. The blanks fit only the font the
// form was designed with; this places the label and sets its font's letter
// and word spacing from the metrics of the fonts in use, so that each mark
// starts right after its letter. The texts stay as they are.
namespace RaisedText {

// `after` names, in order, the word of `base`'s text that each mark of
// `raised` follows: {"a", "b", "c"} over "a = b + c - 2 bc cos x". Call
// once the form's design is applied.
void placeAfter(QLabel *raised, const QLabel *base, const QStringList &after);

} // namespace RaisedText
