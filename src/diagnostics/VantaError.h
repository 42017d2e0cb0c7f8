#pragma once

#include <QString>
#include <stdexcept>

namespace vanta {

// A failure inside the register: carries the number, description and source
// that the error trap records and the error report shows.
class VantaError : public std::runtime_error {
public:
    VantaError(int number, const QString &description, const QString &source)
        : std::runtime_error(description.toStdString()),
          mNumber(number), mDescription(description), mSource(source) {}

    int number() const { return mNumber; }
    const QString &description() const { return mDescription; }
    const QString &source() const { return mSource; }

private:
    int mNumber;
    QString mDescription;
    QString mSource;
};

} // namespace vanta
