#include "customers/ctlAddress.h"

#include "diagnostics/Trace.h"

#include <QEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vanta {

ctlAddress::ctlAddress(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (int i = 0; i < LineCount; ++i) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtAddress%1").arg(i));
        box->setMaxLength(MaxLineLength);
        box->installEventFilter(this);
        layout->addWidget(box);
        mBoxes[size_t(i)] = box;
    }
    nameLines(QStringLiteral("Address"));
}

void ctlAddress::nameLines(const QString &address)
{
    for (int i = 0; i < LineCount; ++i)
        mBoxes[size_t(i)]->setAccessibleName(QStringLiteral("%1, line %2").arg(address).arg(i + 1));
}

void ctlAddress::SetAddressLine(const QString &line1, const QString &line2, const QString &line3,
                                const QString &line4, const QString &line5)
{
    diag::run("ctlAddress", "SetAddressLine", [&] {
        const std::array<const QString *, LineCount> lines{&line1, &line2, &line3, &line4, &line5};
        for (int i = 0; i < LineCount; ++i) {
            mBoxes[size_t(i)]->setText(lines[size_t(i)]->trimmed());
            mAtFocus[size_t(i)] = mBoxes[size_t(i)]->text();
        }
    });
}

void ctlAddress::GetAddressLine(QString &line1, QString &line2, QString &line3, QString &line4,
                                QString &line5) const
{
    diag::run("ctlAddress", "GetAddressLine", [&] {
        const std::array<QString *, LineCount> lines{&line1, &line2, &line3, &line4, &line5};
        for (int i = 0; i < LineCount; ++i)
            *lines[size_t(i)] = mBoxes[size_t(i)]->text().trimmed();
    });
}

bool ctlAddress::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < LineCount; ++i) {
        if (watched != mBoxes[size_t(i)])
            continue;
        if (event->type() == QEvent::FocusIn) {
            mAtFocus[size_t(i)] = mBoxes[size_t(i)]->text();
        } else if (event->type() == QEvent::FocusOut) {
            diag::run("ctlAddress", "txtAddress_LostFocus", [&] {
                const QString text = mBoxes[size_t(i)]->text();
                if (text != mAtFocus[size_t(i)]) {
                    mAtFocus[size_t(i)] = text;
                    emit LineEdited(i + 1, text);
                }
            });
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vanta
