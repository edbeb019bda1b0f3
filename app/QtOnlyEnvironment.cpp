#include "QtOnlyEnvironment.h"

#include <QtGlobal>

#include <algorithm>

void QtOnlyEnvironment::set(const char *name, const QByteArray &value)
{
    const bool seen = std::any_of(m_started.begin(), m_started.end(),
                                  [name](const Started &started) { return started.name == name; });
    if (!seen)
        m_started.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
    qputenv(name, value);
}

void QtOnlyEnvironment::restore()
{
    // Backwards, so that a variable set twice ends as it started.
    for (auto started = m_started.rbegin(); started != m_started.rend(); ++started) {
        if (started->wasSet)
            qputenv(started->name.constData(), started->value);
        else
            qunsetenv(started->name.constData());
    }
    m_started.clear();
}
