#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vanta::dayend {

// The notes and coins a drawer is counted in, largest first.
struct Denomination {
    qint64 cents;
    QString name; // "$100 bills", "Quarters"
};
const std::vector<Denomination> &denominations();

// A drawer counted: how many of each denomination (a count left empty is
// none), or the whole amount typed instead. Either gives the cents counted
// or why not, in plain words.
struct DrawerCount {
    QStringList counts; // one per denomination, in their order
    QString wholeAmount;

    std::optional<qint64> cents(QString *problem = nullptr) const;
};

} // namespace vanta::dayend
