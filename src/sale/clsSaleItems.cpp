#include "sale/clsSaleItems.h"

#include "diagnostics/Trace.h"
#include "sale/OrderedCollection.h"

#include <algorithm>

namespace vanta::sale {

namespace {

const char *const kModule = "clsSaleItems";

QString describe(const Good &good)
{
    return good.isVariant() ? QStringLiteral("variant %1").arg(good.id)
                            : QStringLiteral("item %1 (options %2, %3, %4)")
                                  .arg(good.id)
                                  .arg(good.options[0])
                                  .arg(good.options[1])
                                  .arg(good.options[2]);
}

} // namespace

void clsSaleItems::Clear()
{
    diag::run(kModule, "Clear", [&] { mLines.clear(); });
}

qint16 clsSaleItems::Count() const
{
    return diag::run(kModule, "Count", qint16(0), [&] { return qint16(mLines.size()); });
}

// Item, AddSaleItem and RemoveSaleItem are traced but do not trap: their
// failures belong to the caller.
clsSaleItems::Line clsSaleItems::Item(int position) const
{
    diag::ProcGuard guard(kModule, "Item");
    if (position < 1 || position > int(mLines.size()))
        throw VantaError(ErrSubscriptOutOfRange, QStringLiteral("Subscript out of range"), kModule);
    return mLines[size_t(position - 1)];
}

clsSaleItems::Line clsSaleItems::Find(const Good &good) const
{
    const auto it = std::find_if(mLines.begin(), mLines.end(), [&](const Line &l) { return l->good() == good; });
    return it == mLines.end() ? nullptr : *it;
}

int clsSaleItems::PositionOf(const clsSaleItem *line) const
{
    const auto it = std::find_if(mLines.begin(), mLines.end(), [&](const Line &l) { return l.get() == line; });
    return it == mLines.end() ? 0 : int(it - mLines.begin()) + 1;
}

void clsSaleItems::AddSaleItem(Line line)
{
    diag::ProcGuard guard(kModule, "AddSaleItem");
    if (Find(line->good()))
        throw VantaError(ErrDuplicateKey,
                         QStringLiteral("The sale already has a line for %1").arg(describe(line->good())), kModule);
    mLines.push_back(std::move(line));
}

void clsSaleItems::RemoveSaleItem(const Good &good)
{
    diag::ProcGuard guard(kModule, "RemoveSaleItem");
    const auto it = std::find_if(mLines.begin(), mLines.end(), [&](const Line &l) { return l->good() == good; });
    if (it == mLines.end())
        throw VantaError(ErrInvalidKey, QStringLiteral("The sale has no line for %1").arg(describe(good)), kModule);
    mLines.erase(it);
}

} // namespace vanta::sale
