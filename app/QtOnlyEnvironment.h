#pragma once

#include <QByteArray>

#include <vector>

// Variables that the program sets for its own Qt alone: the platform it
// prefers, the scale of a desktop that announces none. Qt reads them while
// the application is made; restore() then puts back what the program was
// started with, so that what it starts (the browser of the About form's
// link) gets the user's environment, not the program's settings.
class QtOnlyEnvironment
{
public:
    QtOnlyEnvironment() = default;
    QtOnlyEnvironment(const QtOnlyEnvironment &) = delete;
    QtOnlyEnvironment &operator=(const QtOnlyEnvironment &) = delete;
    ~QtOnlyEnvironment() { restore(); }

    void set(const char *name, const QByteArray &value);
    void restore();

private:
    struct Started {
        QByteArray name;
        bool wasSet;
        QByteArray value;
    };
    std::vector<Started> m_started;
};
