#include "register/UpDown.h"

#include <QToolButton>
#include <algorithm>

namespace vanta {

namespace {
QToolButton *arrowButton(QWidget *parent, Qt::ArrowType arrow, const char *name)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setArrowType(arrow);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    return b;
}
} // namespace

UpDown::UpDown(QWidget *parent)
    : QWidget(parent), mUp(arrowButton(this, Qt::UpArrow, "up")), mDown(arrowButton(this, Qt::DownArrow, "down"))
{
    setFocusPolicy(Qt::NoFocus);
    connect(mUp, &QToolButton::clicked, this, [this] {
        setValue(mValue + 1);
        emit UpClick();
    });
    connect(mDown, &QToolButton::clicked, this, [this] {
        setValue(mValue - 1);
        emit DownClick();
    });
}

void UpDown::setValue(int value) { mValue = std::clamp(value, mMin, mMax); }

void UpDown::setRange(int minimum, int maximum)
{
    mMin = minimum;
    mMax = std::max(minimum, maximum);
    setValue(mValue);
}

void UpDown::resizeEvent(QResizeEvent *)
{
    const int upper = height() / 2;
    mUp->setGeometry(0, 0, width(), upper);
    mDown->setGeometry(0, upper, width(), height() - upper);
}

} // namespace vanta
