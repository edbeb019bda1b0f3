#pragma once

#include <QChar>

// The key filter of the forms whose answers are written without blanks:
// a typed blank is dropped before it reaches the focused edit box. Pasted
// text does not pass through here and is left as it is.
namespace SpaceFilter {

inline void apply(QChar &key)
{
    if (key == QLatin1Char(' '))
        key = QChar();
}

} // namespace SpaceFilter
