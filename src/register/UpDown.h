#pragma once

#include <QWidget>

class QToolButton;

namespace vanta {

// A pair of arrow buttons holding a whole number between a lower and an
// upper limit, attached beside a text field. A click moves the value by one
// within the limits and then reports UpClick or DownClick. The buttons never
// take the focus, so the field they belong to keeps it.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);

    int value() const { return mValue; }
    void setValue(int value); // kept within the limits; reports nothing
    int minimum() const { return mMin; }
    int maximum() const { return mMax; }
    void setRange(int minimum, int maximum);

signals:
    void UpClick();
    void DownClick();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *mUp;
    QToolButton *mDown;
    int mValue = 0;
    int mMin = 0;
    int mMax = 100;
};

} // namespace vanta
