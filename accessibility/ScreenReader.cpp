#include "ScreenReader.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace {

const char *const announcerName = "screenReaderAnnouncer";

// A zero-sized, unfocusable child of a window whose accessible name is the
// text to say; shown afresh for each text, as Orca reads a notification when
// it appears. Orca asks for the name only once it handles the event, so the
// texts of one keystroke go out together, as one notification.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *window)
        : QWidget(window)
    {
        setObjectName(QLatin1String(announcerName));
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 0, 0, 0);
        ScreenReader::setRole(this, QAccessible::Notification);
        hide();
    }

    void add(const QString &text)
    {
        if (m_pending.isEmpty())
            QMetaObject::invokeMethod(this, &Announcer::sayPending, Qt::QueuedConnection);
        else
            m_pending += QLatin1Char(' ');
        m_pending += text;
    }

    // What is said next, or else what was said last.
    QString text() const { return m_pending.isEmpty() ? accessibleName() : m_pending; }

private:
    void sayPending()
    {
        setAccessibleName(m_pending);
        m_pending.clear();
        hide();
        show();
    }

    QString m_pending;
};

const char *const roleProperty = "screenReaderRole";

// The one factory of the program's roles: a widget whose class gave it a
// role (see setRole) is heard by it; every other widget keeps Qt's own.
QAccessibleInterface *programRoles(const QString &, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    const QVariant role = object->property(roleProperty);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Role(role.toInt()));
}

} // namespace

namespace ScreenReader {

void installRoles()
{
    QAccessible::installFactory(programRoles);
}

void setRole(QWidget *widget, QAccessible::Role role)
{
    widget->setProperty(roleProperty, int(role));
}

void announce(QWidget *widget, const QString &text)
{
    QWidget *window = widget->window();
    auto *announcer = window->findChild<Announcer *>(QLatin1String(announcerName), Qt::FindDirectChildrenOnly);
    if (!announcer)
        announcer = new Announcer(window);
    announcer->add(text);
}

QString lastAnnouncement(const QWidget *window)
{
    const auto *announcer =
        window->findChild<const Announcer *>(QLatin1String(announcerName), Qt::FindDirectChildrenOnly);
    return announcer ? announcer->text() : QString();
}

} // namespace ScreenReader

#include "ScreenReader.moc"
