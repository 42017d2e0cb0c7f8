#include "platform_ui/AccessibleNames.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace vanta::platform {

namespace {

bool typedInto(const QWidget *w)
{
    if (qobject_cast<const QLineEdit *>(w))
        return !qobject_cast<const QAbstractSpinBox *>(w->parentWidget())
               && !qobject_cast<const QComboBox *>(w->parentWidget()); // part of a spin or combo box
    return qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QComboBox *>(w)
           || qobject_cast<const QTextEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w);
}

// A label's text as it is read: no mnemonic marks, no trailing colon.
QString spoken(QString text)
{
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

QString labelTextFor(const QWidget *form, QWidget *field)
{
    for (const QLabel *label : form->findChildren<QLabel *>())
        if (label->buddy() == field)
            return spoken(label->text());
    if (field->parentWidget())
        if (auto *rows = qobject_cast<QFormLayout *>(field->parentWidget()->layout()))
            if (auto *label = qobject_cast<QLabel *>(rows->labelForField(field)))
                return spoken(label->text());
    return QString();
}

QString placeholderOf(const QWidget *field)
{
    if (auto *line = qobject_cast<const QLineEdit *>(field))
        return line->placeholderText();
    if (auto *combo = qobject_cast<const QComboBox *>(field))
        return combo->placeholderText();
    return QString();
}

} // namespace

QList<QWidget *> typedFields(const QWidget *form)
{
    QList<QWidget *> fields;
    for (QWidget *w : form->findChildren<QWidget *>())
        if (typedInto(w))
            fields << w;
    return fields;
}

void nameFields(QWidget *form)
{
    for (QWidget *field : typedFields(form)) {
        if (!field->accessibleName().isEmpty())
            continue;
        for (const QString &name : {labelTextFor(form, field), field->toolTip(), placeholderOf(field)})
            if (!name.isEmpty()) {
                field->setAccessibleName(name);
                break;
            }
    }
}

} // namespace vanta::platform
