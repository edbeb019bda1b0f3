#include "WindowDesign.h"

#include <QColor>
#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QRegularExpression>
#include <QSet>
#include <QVariant>
#include <QWidget>

namespace WindowDesign {

namespace {

// The forms' named styles, read once. Each rule selects its controls by
// [textStyle="name"]; the sheet is set on each control that names a style
// (not on the application, which would restyle every button and menu).
struct FormStyles
{
    QString sheet;
    QSet<QString> names;

    FormStyles()
    {
        QFile file(QStringLiteral(":/formstyles/forms.qss"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            qFatal("The forms' style sheet is missing from the program");
        sheet = QString::fromUtf8(file.readAll());
        static const QRegularExpression selector(QStringLiteral("\\[textStyle=\"(\\w+)\"\\]"));
        for (auto match = selector.globalMatch(sheet); match.hasNext();)
            names.insert(match.next().captured(1));
    }
};

void applyStyle(QWidget *widget)
{
    const QVariant style = widget->property("textStyle");
    if (!style.isValid())
        return;
    static const FormStyles styles;
    // A misspelt style would leave the control silently unstyled.
    if (!styles.names.contains(style.toString())) {
        qFatal("%s names the style \"%s\", which the forms' style sheet lacks", qPrintable(widget->objectName()),
               qPrintable(style.toString()));
    }
    widget->setStyleSheet(styles.sheet);
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
