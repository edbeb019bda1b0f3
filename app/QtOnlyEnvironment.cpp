#include "QtOnlyEnvironment.h"

#include <QtGlobal>

#include <algorithm>

void QtOnlyEnvironment::set(const char *name, const QByteArray &value)
{
    // Only the first value is the user's.
    const bool seen = std::any_of(m_started.begin(), m_started.end(),
                                  [name](const Started &started) { return started.name == name; });
    if (!seen)
        m_started.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
    qputenv(name, value);
}

void QtOnlyEnvironment::restore()
{
    for (const Started &started : m_started) {
        if (started.wasSet)
            qputenv(started.name.constData(), started.value);
        else
            qunsetenv(started.name.constData());
    }
    m_started.clear();
}
