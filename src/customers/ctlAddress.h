#pragma once

#include <QString>
#include <QWidget>
#include <array>

class QLineEdit;

namespace vanta {

// The five-line address editor of the customer form's billing and shipping
// addresses. `LineEdited` reports a line (1 to 5) whose text changed between
// the box getting and losing the focus.
class ctlAddress : public QWidget {
    Q_OBJECT
public:
    static constexpr int LineCount = 5;
    static constexpr int MaxLineLength = 255;

    explicit ctlAddress(QWidget *parent = nullptr);

    // Each box gets its line with blanks around it removed.
    void SetAddressLine(const QString &line1, const QString &line2, const QString &line3, const QString &line4,
                        const QString &line5);
    // Each line is its box's text without blanks around it.
    void GetAddressLine(QString &line1, QString &line2, QString &line3, QString &line4, QString &line5) const;
    QLineEdit *txtAddress(int index) const { return mBoxes[size_t(index)]; }
    // Names the boxes for screen readers: "ADDRESS, line 1" and so on
    // ("Address, line N" until named).
    void nameLines(const QString &address);

signals:
    void LineEdited(qint32 line, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QLineEdit *, LineCount> mBoxes{};
    std::array<QString, LineCount> mAtFocus;
};

} // namespace vanta
