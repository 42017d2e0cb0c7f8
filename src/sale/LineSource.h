#pragma once

#include "sale/clsSaleItem.h"

#include <QString>
#include <optional>

namespace vanta::db {
class Store;
}

namespace vanta::sale {

// What a new or growing sale line needs to know of an item.
struct ItemRecord {
    qint32 index = 0;
    double stock = 0;     // `qty`
    QString name;
    float weight = 0;
    qint32 uomid = 0;
    QString customUOM;
    bool bulk = false;    // `bulkdiscount`
    Money listPrice;
    bool taxable = false;
    qint32 taxRuleId = 0;
    qint16 formatId = 0;  // `FormatID`, for bulk levels
    // The `UOM` row of a positive `uomid`, when read together with the item.
    bool unitsRead = false;
    bool unitsFound = false;
    QString uomCode;
    QString uomName;
};

struct SubItemRecord {
    qint32 id = 0;
    qint32 itemId = 0;    // the parent item
    double stock = 0;     // `quantity`
};

// Reads of the register's shared connection.
std::optional<ItemRecord> readItem(db::Store &store, qint32 itemIndex);
// The item whose `barcode label` is exactly the code (the one the barcode
// lookup finds), with its units, in one statement; none when no label matches.
std::optional<ItemRecord> readItemByLabel(db::Store &store, const QString &code);
std::optional<SubItemRecord> readSubItem(db::Store &store, qint32 subItemId);

// Unit and long unit of a line: the `UOM` row of a positive `uomid`
// (unchanged when there is none), or "**" and the item's own text. Units
// read with the item are not read again.
void setUnits(db::Store &store, clsSaleItem &line, const ItemRecord &item);
// Copies weight, units, taxable and tax rule of the item to the line.
void copyItemDetails(db::Store &store, clsSaleItem &line, const ItemRecord &item);

// "Name/Value/Value" for the non-zero option values that exist.
QString GetOptionName(db::Store &store, const QString &baseName, qint32 option1, qint32 option2, qint32 option3);
// "Parent-Value/Value" for a variant, cut to 50 characters.
QString GetSubItemName(db::Store &store, const ItemRecord &parent, qint32 subItemId);

// Unit price of a catalogue item line for quantity q: list or bulk level
// price, plus the charges of the options when option 1 is set.
Money itemUnitPrice(db::Store &store, const ItemRecord &item, float q, qint32 option1, qint32 option2,
                    qint32 option3);
// Prices a catalogue item line for its quantity: unit price to the cent and
// subtotal (with the line discount for items not priced by bulk levels).
void priceItemLine(db::Store &store, clsSaleItem &line, const ItemRecord &item);
// Prices a variant line for quantity q (subtotal q x unit price, no discount);
// a bulk parent without a level price for q keeps the line's price.
void priceSubItemLine(db::Store &store, clsSaleItem &line, const ItemRecord &parent, float q);

} // namespace vanta::sale
