#include "sale/clsSaleItems.h"

#include "diagnostics/Trace.h"

namespace vanta::sale {

namespace {
const char *const kModule = "clsSaleItems";
}

QString clsSaleItems::KeySuffix(qint32 itemIndex, qint32 option1, qint32 option2, qint32 option3)
{
    return QString::number(itemIndex) + QString::number(option1) + QString::number(option2)
           + QString::number(option3);
}

QString clsSaleItems::KeyOf(qint32 itemIndex, qint32 option1, qint32 option2, qint32 option3)
{
    return QStringLiteral("Key") + KeySuffix(itemIndex, option1, option2, option3);
}

QString clsSaleItems::KeyOf(const clsSaleItem &line)
{
    return KeyOf(line.ITEMINDEX(), line.OptionID1(), line.OptionID2(), line.OptionID3());
}

void clsSaleItems::Clear()
{
    diag::run(kModule, "Clear", [&] {
        while (mCol.count() > 0)
            mCol.remove(1);
    });
}

qint16 clsSaleItems::Count() const
{
    return diag::run(kModule, "Count", qint16(0), [&] { return qint16(mCol.count()); });
}

// Item, AddSaleItem and RemoveSaleItem are traced but do not trap: their
// failures belong to the caller.
clsSaleItems::Line clsSaleItems::Item(int position) const
{
    diag::ProcGuard guard(kModule, "Item");
    if (position >= 1 && position <= mCol.count())
        return mCol.item(position);
    return mCol.item(QString::number(position) + QStringLiteral("000"));
}

clsSaleItems::Line clsSaleItems::Item(const QString &key) const
{
    diag::ProcGuard guard(kModule, "Item");
    if (mCol.contains(key))
        return mCol.item(key);
    return mCol.item(key + QStringLiteral("000"));
}

void clsSaleItems::AddSaleItem(Line line)
{
    diag::ProcGuard guard(kModule, "AddSaleItem");
    const QString key = KeyOf(*line);
    mCol.add(std::move(line), key);
}

void clsSaleItems::RemoveSaleItem(const QString &keySuffix)
{
    diag::ProcGuard guard(kModule, "RemoveSaleItem");
    mCol.remove(QStringLiteral("Key") + keySuffix);
}

bool clsSaleItems::SaleItemExists(qint32 itemIndex, qint32 option1, qint32 option2, qint32 option3) const
{
    return diag::run(kModule, "SaleItemExists", false, [&] {
        for (const Line &line : mCol)
            if (line->ITEMINDEX() == itemIndex && line->OptionID1() == option1 && line->OptionID2() == option2
                && line->OptionID3() == option3)
                return true;
        return false;
    });
}

} // namespace vanta::sale
