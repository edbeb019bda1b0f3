#include "ScreenReader.h"

#include "QtVersion.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QVariant>
#include <QWidget>

namespace {

const char *const announcerName = "screenReaderAnnouncer";

// An accessible object that no screen reader ever meets: it only holds its
// id for as long as its object lives.
class IdPlaceholder : public QAccessibleObject
{
public:
    using QAccessibleObject::QAccessibleObject;
    QAccessibleInterface *parent() const override { return nullptr; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::Role role() const override { return QAccessible::NoRole; }
    QAccessible::State state() const override { return QAccessible::State(); }
};

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
        // Where Qt gives a new accessible object the id of the one made last
        // once that one is gone (Qt 5), the announcer would take the id of
        // the text of a message box just closed, say. A screen reader still
        // knows the id by that object's role, a label, and would not read
        // the announcements. A placeholder takes the id for as long as the
        // announcer lives, and the announcer takes an id never used before.
        if constexpr (QtVersion::reusesAccessibleIds) {
            QAccessible::registerAccessibleInterface(new IdPlaceholder(new QObject(this)));
            QAccessible::queryAccessibleInterface(this);
        }
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
const char *const programFileProperty = "screenReaderProgramFile";

// Qt describes the application by the process's file, which is the
// system's loader where the loader was asked to run the program.
class ProgramApplication : public QAccessibleApplication
{
public:
    explicit ProgramApplication(const QString &programFile)
        : m_programFile(programFile)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Description ? m_programFile : QAccessibleApplication::text(t);
    }

private:
    const QString m_programFile;
};

// The one factory of the program's roles: a widget whose class gave it a
// role (see setRole) is heard by it; every other widget keeps Qt's own.
// The application is described by the program's own file.
QAccessibleInterface *programRoles(const QString &, QObject *object)
{
    if (object && object == QCoreApplication::instance())
        return new ProgramApplication(object->property(programFileProperty).toString());
    if (!object || !object->isWidgetType())
        return nullptr;
    const QVariant role = object->property(roleProperty);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Role(role.toInt()));
}

} // namespace

namespace ScreenReader {

void installRoles(const QString &programFile)
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->setProperty(programFileProperty, programFile);
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
