#include "platform_ui/ButtonRow.h"

#include <QHBoxLayout>

namespace vanta::platform {

QHBoxLayout *buttonRow(std::initializer_list<QWidget *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QWidget *b : buttons)
        row->addWidget(b);
    return row;
}

} // namespace vanta::platform
