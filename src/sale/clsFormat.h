#pragma once

#include <QString>
#include <QtGlobal>

namespace vanta::sale {

// A unit format: how an item is counted. Increment is the smallest step of
// quantity (1 for whole units, 0.1 for tenths of a pound...).
class clsFormat {
public:
    qint16 FormatID() const { return mFormatID; }
    void setFormatID(qint16 v) { mFormatID = v; }
    const QString &Format() const { return mFormat; }
    void setFormat(const QString &v) { mFormat = v; }
    float Increment() const { return mIncrement; }
    void setIncrement(float v) { mIncrement = v; }
    const QString &Name() const { return mName; }
    void setName(const QString &v) { mName = v; }
    const QString &Description() const { return mDescription; }
    void setDescription(const QString &v) { mDescription = v; }

private:
    qint16 mFormatID = 0;
    QString mFormat;
    float mIncrement = 0;
    QString mName;
    QString mDescription;
};

} // namespace vanta::sale
