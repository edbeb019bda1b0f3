#include "WindowDesign.h"

#include <QColor>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QPalette>
#include <QRegularExpression>
#include <QSet>
#include <QVariant>
#include <QWidget>

namespace WindowDesign {

namespace {

// The forms' named styles, read once and split by name. Each rule selects
// its controls by [textStyle="name"]; a control that names a style gets
// that style's rules as its own sheet, as a sheet of its own would be (not
// the application's, which would restyle every button and menu).
class FormStyles
{
public:
    FormStyles()
    {
        QFile file(QStringLiteral(":/formstyles/forms.qss"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            qFatal("The forms' style sheet is missing from the program");
        QString sheet = QString::fromUtf8(file.readAll());
        sheet.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"),
                                        QRegularExpression::DotMatchesEverythingOption));
        static const QRegularExpression rule(QStringLiteral("[^{}]+\\{[^}]*\\}"));
        static const QRegularExpression name(QStringLiteral("\\[textStyle=\"(\\w+)\"\\]"));
        for (auto rules = rule.globalMatch(sheet); rules.hasNext();) {
            const QString text = rules.next().captured().trimmed();
            QSet<QString> named;
            for (auto names = name.globalMatch(text); names.hasNext();)
                named.insert(names.next().captured(1));
            for (const QString &style : std::as_const(named))
                m_rules[style] += text + QLatin1Char('\n');
        }
    }

    // The rules of `style`; a null string when the sheet has no such style.
    QString rules(const QString &style) const { return m_rules.value(style); }

private:
    QHash<QString, QString> m_rules;
};

void applyStyle(QWidget *widget)
{
    const QVariant style = widget->property("textStyle");
    if (!style.isValid())
        return;
    static const FormStyles styles;
    const QString rules = styles.rules(style.toString());
    // A misspelt style would leave the control silently unstyled.
    if (rules.isNull()) {
        qFatal("%s names the style \"%s\", which the forms' style sheet lacks", qPrintable(widget->objectName()),
               qPrintable(style.toString()));
    }
    widget->setStyleSheet(rules);
}

void applyColor(QWidget *widget)
{
    const QVariant color = widget->property("backgroundColour");
    if (!color.isValid())
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color.value<QColor>());
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Labels without word wrap grow to their text, as their designed sizes were
// measured with the designer's font; a substitute font may be a little wider.
void growLabel(QLabel *label)
{
    if (label->wordWrap())
        return;
    const QSize hint = label->sizeHint();
    if (hint.width() > label->width())
        label->resize(hint.width(), label->height());
}

} // namespace

void placeAtDesignedPosition(QWidget *form)
{
    const QVariant left = form->property("designedLeft");
    const QVariant top = form->property("designedTop");
    if (left.isValid() && top.isValid())
        form->move(left.toInt(), top.toInt());
}

void alignPanels(QWidget *form)
{
    for (QWidget *child : form->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->property("dockedTo").toString() == QLatin1String("bottom"))
            child->setGeometry(0, form->height() - child->height(), form->width(), child->height());
    }
}

void applyBorder(QWidget *form)
{
    const QString border = form->property("borderStyle").toString();
    if (border == QLatin1String("single") || border == QLatin1String("dialog"))
        form->setFixedSize(form->size());
    if (border == QLatin1String("dialog"))
        form->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    else if (border == QLatin1String("single"))
        form->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                             | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

void apply(QWidget *form)
{
    applyBorder(form);
    applyColor(form);
    for (QWidget *child : form->findChildren<QWidget *>()) {
        applyStyle(child);
        applyColor(child);
        if (auto *label = qobject_cast<QLabel *>(child))
            growLabel(label);
    }
    alignPanels(form);
    placeAtDesignedPosition(form);
}

} // namespace WindowDesign
