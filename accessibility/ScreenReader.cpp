#include "ScreenReader.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

QAccessibleInterface *programRoles(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("PageWindow") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("QFrame"))
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    if (className == QLatin1String("Announcer"))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

} // namespace

namespace ScreenReader {

void installRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(programRoles);
        return true;
    }();
    Q_UNUSED(installed);
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
