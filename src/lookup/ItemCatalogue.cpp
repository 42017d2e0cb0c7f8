#include "lookup/ItemCatalogue.h"

#include "db/OnePass.h"
#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "lookup/CaseFold.h"
#include "lookup/SearchTextBuilder.h"
#include "platform/FreeMemory.h"
#include "platform/NumberText.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <unordered_map>

namespace vanta::lookup {

namespace {
constexpr char kSeparator = SearchText::kSeparator;

// Table order; the catalogue sorts by name itself (a sort inside the query
// moves whole rows and costs more than the read).
const QString kSql = QStringLiteral(
    "SELECT \"Item Index\", \"Name\", \"desc short\", \"qty\", \"Hidden\", \"LIST PRICE\", \"category\", "
    "\"QuantityTrack\", \"uomid\", \"customUOM\", "
    "\"Name\", \"desc short\", \"desc long\", \"label4\", \"label5\", \"label3\", \"label6\", \"label7\", "
    "\"label2\", \"label1\", \"barcode label\", \"accounting name\", \"customUOM\" FROM \"Items\"");
// The thirteen searched columns of the query: the item's own (the name
// first and the short description second, as the shown texts expect), and
// those that tend to repeat from item to item.
constexpr int kOwnColumns[] = {10, 11, 20};
constexpr int kSharedColumns[] = {12, 13, 14, 15, 16, 17, 18, 19, 21, 22};

constexpr int kQtyColumn = 3;
constexpr int kIndexColumn = 0;
// Beyond this many changed items a pass over all of them is quicker.
constexpr qsizetype kMostRowsRereadOneByOne = 2000;
const QString kKeptKey = QStringLiteral("lookup::ItemCatalogue");
const QString kUnitsSql = QStringLiteral("SELECT \"UOMID\", \"UOM\" FROM \"UOM\"");
// What the catalogue is read from, as the store's notes of changes name it.
const QStringList kItemTables{QStringLiteral("Items"), QStringLiteral("UOM")};
const QString kStockPart = QStringLiteral("Items stock");

// A shown text that is plain ASCII is kept as a mask of its capitals, one
// bit a character: its letters are in the folded searched text already.
size_t partSize(size_t length, bool masked) { return masked ? (length + 7) / 8 : length; }

// Appends the text or its capitals' mask; true for the mask.
bool appendShown(std::string &out, std::string_view s)
{
    const bool plain = std::all_of(s.begin(), s.end(), [](char c) { return (unsigned char)c < 0x80 && c != kSeparator; });
    if (!plain) {
        out.append(s);
        return false;
    }
    for (size_t i = 0; i < s.size(); i += 8) {
        quint8 bits = 0;
        for (size_t b = 0; b < 8 && i + b < s.size(); ++b)
            if (s[i + b] >= 'A' && s[i + b] <= 'Z')
                bits |= quint8(1u << b);
        out.push_back(char(bits));
    }
    return true;
}

// A fingerprint of a row's columns other than the quantity: equal
// fingerprints mean the item reads the same apart from its stock.
quint64 rowHash(const db::Statement &st, int columns)
{
    quint64 h = 1469598103934665603ULL;
    for (int c = 0; c < columns; ++c) {
        if (c == kQtyColumn)
            continue;
        const size_t seed = size_t(h) ^ size_t(c * 2 + (st.isNull(c) ? 1 : 0));
        if (st.isNumber(c)) {
            // Numbers by value: reading them as text would format each one.
            const double v = st.real(c);
            h = qHashBits(&v, sizeof v, seed);
        } else {
            const std::string_view v = st.utf8(c);
            h = qHashBits(v.data(), v.size(), seed);
        }
    }
    return h;
}

// The units, read in full (a short table), with their fingerprint.
QHash<qint32, QString> readUnits(db::Connection &conn, quint64 &hash)
{
    QHash<qint32, QString> units;
    hash = 0;
    db::StatementLease st = conn.prepare(kUnitsSql);
    st->bind({});
    while (st->step()) {
        units.insert(qint32(st->real(0)), QString::fromUtf8(st->utf8(1).data(), qsizetype(st->utf8(1).size())));
        hash = hash * 31 + rowHash(*st, 2);
    }
    return units;
}
} // namespace

QString CatalogueItem::listUnit() const
{
    if (uomId != 0)
        return uomFound ? uom : QStringLiteral("-");
    return customUom.isEmpty() ? QStringLiteral("None") : customUom;
}

std::optional<QString> CatalogueItem::treeUnit() const
{
    if (uomId != 0)
        return uomFound ? std::optional<QString>(uom) : std::nullopt;
    return customUom;
}

std::string ItemCatalogue::fold(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::string out;
    appendFolded(out, std::string_view(utf8.constData(), size_t(utf8.size())));
    return out;
}

ItemCatalogue::ItemCatalogue(db::Store &store)
{
    diag::run("frmFind", "LoadItems", [&] { load(store.database().connection()); });
}

namespace {
// Text lengths and offsets are kept in 16 and 32 bits to keep an item small.
quint16 shortLength(size_t n) { return quint16(std::min<size_t>(n, std::numeric_limits<quint16>::max())); }

quint32 offset(size_t at)
{
    if (at > std::numeric_limits<quint32>::max())
        throw std::length_error("the item catalogue's text is over 4 GB");
    return quint32(at);
}
} // namespace

void ItemCatalogue::load(db::Connection &conn)
{
    read(conn);
    // The read's scratch buffers, as large as the catalogue, go back to the
    // system.
    platform::returnFreeMemory();
}

void ItemCatalogue::read(db::Connection &conn)
{
    auto body = std::make_shared<Body>();
    body->units = readUnits(conn, body->unitsHash);

    // Read in table order into buffers of their own, then laid out in name
    // order once: each buffer is copied once, and no item owns heap memory.
    std::vector<Entry> entries;
    std::vector<double> qty;
    std::vector<quint64> hashes;
    std::string shownText;
    const size_t expected = size_t(conn.scalar(QStringLiteral("SELECT count(*) FROM \"Items\"")).toLongLong());
    entries.reserve(expected);
    qty.reserve(expected);
    hashes.reserve(expected);
    SearchTextBuilder text(expected);
    std::array<std::string_view, std::size(kOwnColumns)> own;
    std::array<std::string_view, std::size(kSharedColumns)> shared;
    const db::OnePass pass(conn);
    db::StatementLease st = conn.prepare(kSql);
    st->bind({});
    const int columns = st->columnCount();
    while (st->step()) {
        hashes.push_back(rowHash(*st, columns));
        Entry e;
        e.index = qint32(st->real(0));
        e.price = float(st->real(5));
        e.category = qint32(st->real(6));
        e.uomId = qint32(st->real(8));
        e.flags = quint8((db::asBool(st->column(4)) ? kHidden : 0) | (db::asBool(st->column(7)) ? kQuantityTrack : 0));
        e.shown = offset(shownText.size());
        const std::string_view name = st->utf8(1), desc = st->utf8(2), custom = st->utf8(9);
        e.nameLength = shortLength(name.size());
        e.descLength = shortLength(desc.size());
        e.customLength = shortLength(custom.size());
        if (appendShown(shownText, name.substr(0, e.nameLength)))
            e.flags |= kNameMasked;
        if (!desc.empty() && desc == name)
            e.flags |= kDescIsName;
        else if (appendShown(shownText, desc.substr(0, e.descLength)))
            e.flags |= kDescMasked;
        shownText.append(custom.substr(0, e.customLength));
        qty.push_back(st->real(3));
        for (size_t c = 0; c < own.size(); ++c)
            own[c] = st->utf8(kOwnColumns[c]);
        for (size_t c = 0; c < shared.size(); ++c)
            shared[c] = st->utf8(kSharedColumns[c]);
        const quint32 kept = text.add(own, shared);
        if (!desc.empty() && !(kept & 2))
            e.flags |= kDescInName;
        entries.push_back(e);
    }

    // Name order without regard to case (the folded name leads each
    // item's text), then by item number.
    std::vector<int> order(entries.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = text.name(size_t(a)).compare(text.name(size_t(b)));
        return c != 0 ? c < 0 : entries[size_t(a)].index < entries[size_t(b)].index;
    });
    body->text = text.build(order);
    body->entries.reserve(entries.size());
    body->rowHash.reserve(entries.size());
    mQty.reserve(entries.size());
    body->shown.reserve(shownText.size());
    for (int i : order) {
        Entry e = entries[size_t(i)];
        body->shown.append(shownText, e.shown, shownSize(e));
        e.shown = offset(body->shown.size() - shownSize(e));
        body->entries.push_back(e);
        body->rowHash.push_back(hashes[size_t(i)]);
        mQty.push_back(qty[size_t(i)]);
    }
    const std::vector<Entry> &listed = body->entries;
    body->positions = PositionIndex(int(listed.size()), [&](int pos) { return listed[size_t(pos)].index; });
    mBody = std::move(body);
}

size_t ItemCatalogue::shownSize(const Entry &e)
{
    const size_t desc = e.flags & kDescIsName ? 0 : partSize(e.descLength, e.flags & kDescMasked);
    return partSize(e.nameLength, e.flags & kNameMasked) + desc + e.customLength;
}

QString ItemCatalogue::shown(int position, int part) const
{
    const Entry &e = entry(position);
    if (e.flags & kDescIsName)
        part = 0;
    const bool masked = e.flags & (part == 0 ? kNameMasked : kDescMasked);
    const size_t length = part == 0 ? e.nameLength : e.descLength;
    const size_t from = e.shown + (part == 0 ? 0 : partSize(e.nameLength, e.flags & kNameMasked));
    const char *at = mBody->shown.data() + from;
    if (!masked)
        return QString::fromUtf8(at, qsizetype(length));
    // The searched text's column holds the letters, folded; the mask says
    // which were capitals. The name is the first column, the description
    // the second unless it folds to the name.
    const std::string_view text = mBody->text.own(position);
    const std::string_view column =
        part == 0 || (e.flags & kDescInName) ? text : text.substr(text.find(kSeparator) + 1);
    QString out(qsizetype(length), Qt::Uninitialized);
    for (size_t i = 0; i < length; ++i) {
        const bool capital = (quint8(at[i / 8]) >> (i % 8)) & 1;
        out[qsizetype(i)] = QLatin1Char(capital ? char(column[i] - 32) : column[i]);
    }
    return out;
}

std::string_view ItemCatalogue::customUomOf(const Entry &e) const
{
    return std::string_view(mBody->shown).substr(size_t(e.shown) + shownSize(e) - e.customLength, e.customLength);
}

CatalogueItem ItemCatalogue::at(int position) const
{
    const Entry &e = entry(position);
    CatalogueItem item;
    item.index = e.index;
    item.name = shown(position, 0);
    item.descShort = shown(position, 1);
    item.qty = mQty[size_t(position)];
    item.price = e.price;
    item.hidden = e.flags & kHidden;
    item.quantityTrack = e.flags & kQuantityTrack;
    item.category = e.category;
    item.uomId = e.uomId;
    if (e.uomId != 0) {
        const auto unit = mBody->units.constFind(e.uomId);
        item.uomFound = unit != mBody->units.constEnd();
        if (item.uomFound)
            item.uom = *unit;
    }
    const std::string_view custom = customUomOf(e);
    item.customUom = QString::fromUtf8(custom.data(), qsizetype(custom.size()));
    return item;
}

QString ItemCatalogue::nameAt(int position) const
{
    return shown(position, 0);
}

int ItemCatalogue::positionOf(qint32 itemIndex) const { return mBody->positions.positionOf(itemIndex); }

std::vector<int> ItemCatalogue::unitRanks() const
{
    // Each distinct unit text once (a store has few), then a rank per item.
    std::unordered_map<qint32, int> unitSlot;
    std::unordered_map<std::string_view, int> customSlot;
    std::vector<QString> texts; // folded, by slot
    const auto slotFor = [&](auto &known, auto key, auto makeText) {
        const auto [it, added] = known.try_emplace(key, int(texts.size()));
        if (added)
            texts.push_back(makeText().toCaseFolded());
        return it->second;
    };
    std::vector<int> ranks(mQty.size());
    for (int pos = 0; pos < size(); ++pos) {
        const Entry &e = entry(pos);
        const std::string_view custom = customUomOf(e);
        ranks[size_t(pos)] = e.uomId != 0
            ? slotFor(unitSlot, e.uomId, [&] { return mBody->units.value(e.uomId, QStringLiteral("-")); })
            : slotFor(customSlot, custom, [&] {
                  return custom.empty() ? QStringLiteral("None")
                                        : QString::fromUtf8(custom.data(), qsizetype(custom.size()));
              });
    }
    std::vector<int> bySlot(texts.size());
    for (size_t i = 0; i < bySlot.size(); ++i)
        bySlot[i] = int(i);
    std::sort(bySlot.begin(), bySlot.end(), [&](int a, int b) { return texts[size_t(a)] < texts[size_t(b)]; });
    std::vector<int> rankOfSlot(texts.size());
    for (size_t r = 0; r < bySlot.size(); ++r)
        rankOfSlot[size_t(bySlot[r])] = r > 0 && texts[size_t(bySlot[r])] == texts[size_t(bySlot[r - 1])]
                                            ? rankOfSlot[size_t(bySlot[r - 1])]
                                            : int(r);
    for (int &r : ranks)
        r = rankOfSlot[size_t(r)];
    return ranks;
}

ItemCatalogue::Footprint ItemCatalogue::footprint() const
{
    const Body &b = *mBody;
    return {b.text.bytes(), b.shown.capacity(),
            b.entries.capacity() * sizeof(Entry) + b.rowHash.capacity() * sizeof(quint64) + b.positions.bytes()
                + mQty.capacity() * sizeof(double)};
}

std::shared_ptr<const ItemCatalogue> ItemCatalogue::withQuantities(std::vector<double> qty) const
{
    auto copy = std::shared_ptr<ItemCatalogue>(new ItemCatalogue());
    copy->mBody = mBody;
    copy->mQty = std::move(qty);
    return copy;
}

std::shared_ptr<const ItemCatalogue::Kept> ItemCatalogue::kept(db::Store &store)
{
    return std::static_pointer_cast<const Kept>(store.attachment(kKeptKey));
}

void ItemCatalogue::keep(db::Store &store, Kept kept)
{
    store.attach(kKeptKey, std::make_shared<Kept>(std::move(kept)));
}

std::shared_ptr<const ItemCatalogue> ItemCatalogue::currentIfQuick(db::Store &store)
{
    const std::shared_ptr<const Kept> before = kept(store);
    if (!before)
        return nullptr;
    if (auto heard = withHeardChanges(store, *before))
        return heard;
    db::Connection &conn = store.database().connection();
    const QPair<qint64, qint64> stamp = conn.changeStamp();
    if (before->stamp == stamp)
        return before->catalogue;
    // No other connection committed (the first half of the stamp is the
    // same): the connection's own writes say what changed.
    if (before->stamp.first != stamp.first)
        return nullptr;
    const qint64 mark = conn.writeMark();
    const auto writes = conn.writesSince(before->writeMark);
    std::shared_ptr<const ItemCatalogue> catalogue;
    if (writes)
        catalogue = withOwnWrites(store, before->catalogue, *writes);
    if (catalogue)
        keep(store, Kept{stamp, mark, catalogue, before->itemsStamp, before->stockStamp});
    return catalogue;
}

std::shared_ptr<const ItemCatalogue> ItemCatalogue::current(db::Store &store)
{
    if (auto quick = currentIfQuick(store))
        return quick;
    db::Connection &conn = store.database().connection();
    // The stamps are read before the items: a change made meanwhile is
    // caught by the next look.
    conn.awaitNotes();
    const auto itemsStamp = conn.tablesStamp(kItemTables);
    const auto stockStamp = conn.tablesStamp({kStockPart});
    const QPair<qint64, qint64> stamp = conn.changeStamp();
    const qint64 mark = conn.writeMark();
    const std::shared_ptr<const Kept> before = kept(store);
    std::shared_ptr<const ItemCatalogue> catalogue;
    if (before)
        catalogue = withNewQuantities(store, *before->catalogue);
    if (!catalogue)
        catalogue = std::make_shared<const ItemCatalogue>(store);
    keep(store, Kept{stamp, mark, catalogue, itemsStamp, stockStamp});
    return catalogue;
}

std::shared_ptr<const ItemCatalogue> ItemCatalogue::withHeardChanges(db::Store &store, const Kept &before)
{
    return diag::run("frmFind", "RefreshHeardChanges", std::shared_ptr<const ItemCatalogue>(), [&] {
        db::Connection &conn = store.database().connection();
        if (!before.itemsStamp)
            return std::shared_ptr<const ItemCatalogue>();
        conn.awaitNotes();
        const auto items = conn.tablesStamp(kItemTables);
        const auto stock = conn.tablesStamp({kStockPart});
        if (!items || !stock || !before.stockStamp || *items != *before.itemsStamp
            || stock->second != before.stockStamp->second)
            return std::shared_ptr<const ItemCatalogue>();
        if (*stock == *before.stockStamp)
            return before.catalogue;
        const auto keys = conn.changedKeys(kStockPart, before.stockStamp->first, stock->first);
        if (!keys || qsizetype(keys->size()) > kMostRowsRereadOneByOne)
            return std::shared_ptr<const ItemCatalogue>();
        auto catalogue = withStockOf(conn, *before.catalogue, QStringLiteral("\"Item Index\""), *keys);
        if (catalogue)
            keep(store, Kept{before.stamp, conn.writeMark(), catalogue, items, stock});
        return catalogue;
    });
}

std::shared_ptr<const ItemCatalogue> ItemCatalogue::withStockOf(db::Connection &conn, const ItemCatalogue &previous,
                                                                const QString &where, const std::vector<qint64> &keys)
{
    if (keys.empty())
        return previous.withQuantities(previous.mQty);
    db::StatementLease st = conn.prepare(kSql + QStringLiteral(" WHERE %1 = ?").arg(where));
    const int columns = st->columnCount();
    std::vector<double> qty = previous.mQty;
    for (qint64 key : keys) {
        st->bind({key});
        const bool found = st->step();
        const int pos = found ? previous.positionOf(qint32(st->real(kIndexColumn))) : -1;
        const bool same = pos >= 0 && rowHash(*st, columns) == previous.mBody->rowHash[size_t(pos)];
        if (same)
            qty[size_t(pos)] = st->real(kQtyColumn);
        st->reset();
        if (!same)
            return nullptr; // more than the stock changed
    }
    return previous.withQuantities(std::move(qty));
}

std::shared_ptr<const ItemCatalogue>
ItemCatalogue::withOwnWrites(db::Store &store, const std::shared_ptr<const ItemCatalogue> &previous,
                             const std::vector<db::Connection::RowWrite> &writes)
{
    return diag::run("frmFind", "RefreshOwnWrites", std::shared_ptr<const ItemCatalogue>(), [&] {
        QSet<qint64> rows;
        for (const db::Connection::RowWrite &w : writes) {
            if (w.table.compare(QLatin1String("UOM"), Qt::CaseInsensitive) == 0)
                return std::shared_ptr<const ItemCatalogue>(); // a unit's text may have changed
            if (w.table.compare(QLatin1String("Items"), Qt::CaseInsensitive) != 0)
                continue;
            if (!w.update || rows.size() >= kMostRowsRereadOneByOne)
                return std::shared_ptr<const ItemCatalogue>(); // an item added or removed, or many changed
            rows.insert(w.row);
        }
        db::Connection &conn = store.database().connection();
        // A table emptied in one statement leaves no row entries behind.
        if (conn.scalar(QStringLiteral("SELECT count(*) FROM \"Items\"")).toLongLong() != previous->size())
            return std::shared_ptr<const ItemCatalogue>();
        if (rows.isEmpty())
            return previous;
        return withStockOf(conn, *previous, QStringLiteral("rowid"), std::vector<qint64>(rows.begin(), rows.end()));
    });
}

std::shared_ptr<const ItemCatalogue> ItemCatalogue::withNewQuantities(db::Store &store,
                                                                       const ItemCatalogue &previous)
{
    return diag::run("frmFind", "RefreshQuantities", std::shared_ptr<const ItemCatalogue>(),
                     [&] { return quantitiesFrom(store.database().connection(), previous); });
}

std::shared_ptr<const ItemCatalogue> ItemCatalogue::quantitiesFrom(db::Connection &conn, const ItemCatalogue &previous)
{
    quint64 unitsHash = 0;
    readUnits(conn, unitsHash);
    if (unitsHash != previous.mBody->unitsHash)
        return nullptr;
    std::vector<double> qty(previous.mQty.size());
    std::vector<bool> seen(previous.mQty.size());
    const db::OnePass pass(conn);
    db::StatementLease st = conn.prepare(kSql);
    st->bind({});
    const int columns = st->columnCount();
    size_t rows = 0;
    while (st->step()) {
        const int pos = previous.positionOf(qint32(st->real(kIndexColumn)));
        if (pos < 0 || seen[size_t(pos)] || rowHash(*st, columns) != previous.mBody->rowHash[size_t(pos)])
            return nullptr; // an item added, changed or doubled
        seen[size_t(pos)] = true;
        qty[size_t(pos)] = st->real(kQtyColumn);
        ++rows;
    }
    if (rows != previous.mQty.size())
        return nullptr; // an item removed
    return previous.withQuantities(std::move(qty));
}

std::shared_ptr<const ItemCatalogue> ItemCatalogue::readOn(db::Connection &conn,
                                                           const std::shared_ptr<const ItemCatalogue> &previous)
{
    if (previous)
        if (auto refreshed = quantitiesFrom(conn, *previous))
            return refreshed;
    auto fresh = std::shared_ptr<ItemCatalogue>(new ItemCatalogue());
    fresh->load(conn);
    return fresh;
}

std::vector<int> ItemCatalogue::search(const QString &rawText, bool inStockOnly) const
{
    QString t = rawText;
    t.remove(QLatin1Char('"'));
    std::string needle = fold(t);
    std::erase(needle, kSeparator);

    const auto keep = [&](int pos) {
        const double qty = mQty[size_t(pos)];
        return !hiddenAt(pos) && (inStockOnly ? qty > 0 : qty >= 0);
    };
    std::vector<int> found = mBody->text.find(needle);
    std::erase_if(found, [&](int pos) { return !keep(pos); });

    // The item whose index is the number the text starts with.
    const double number = leadingNumber(t);
    if (number == std::floor(number) && std::abs(number) <= double(std::numeric_limits<qint32>::max())) {
        const int pos = positionOf(qint32(number));
        if (pos >= 0 && keep(pos)) {
            const auto at = std::lower_bound(found.begin(), found.end(), pos);
            if (at == found.end() || *at != pos)
                found.insert(at, pos);
        }
    }
    return found;
}

} // namespace vanta::lookup
