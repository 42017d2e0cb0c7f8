#include "lookup/ItemCatalogue.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "platform/NumberText.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace vanta::lookup {

namespace {
constexpr char kSeparator = '\x01';
constexpr int kSearched = 13; // columns 9..21 of the query below

// Table order; the catalogue sorts by name itself (a sort inside the query
// moves whole rows and costs more than the read).
const QString kSql = QStringLiteral(
    "SELECT \"Item Index\", \"Name\", \"desc short\", \"qty\", \"Hidden\", \"LIST PRICE\", \"category\", "
    "\"QuantityTrack\", \"uomid\", \"customUOM\", "
    "\"Name\", \"desc short\", \"desc long\", \"label4\", \"label5\", \"label3\", \"label6\", \"label7\", "
    "\"label2\", \"label1\", \"barcode label\", \"accounting name\", \"customUOM\" FROM \"Items\"");
constexpr int kFirstSearched = 10;

constexpr int kQtyColumn = 3;
constexpr int kIndexColumn = 0;
// Beyond this many changed items a pass over all of them is quicker.
constexpr qsizetype kMostRowsRereadOneByOne = 2000;
const QString kUnitsSql = QStringLiteral("SELECT \"UOMID\", \"UOM\" FROM \"UOM\"");

QString text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

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

// Case folding for matching: ASCII bytes directly, anything else through
// Unicode simple case folding of the composed form.
void appendFolded(std::string &out, std::string_view s)
{
    const bool ascii = std::all_of(s.begin(), s.end(), [](char c) { return (unsigned char)c < 0x80; });
    if (ascii) {
        for (char c : s)
            out.push_back(c >= 'A' && c <= 'Z' ? char(c + 32) : c);
        return;
    }
    const QByteArray folded = text(s).normalized(QString::NormalizationForm_C).toCaseFolded().toUtf8();
    out.append(folded.constData(), size_t(folded.size()));
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
    diag::run("frmFind", "LoadItems", [&] {
        db::Connection &conn = store.database().connection();
        const QHash<qint32, QString> units = readUnits(conn, mUnitsHash);

        std::vector<CatalogueItem> items;
        std::vector<quint64> hashes;
        std::string text;
        std::vector<size_t> start;
        const int expected = conn.scalar(QStringLiteral("SELECT count(*) FROM \"Items\"")).toInt();
        items.reserve(size_t(expected));
        start.reserve(size_t(expected) + 1);
        text.reserve(size_t(expected) * 128);
        db::StatementLease st = conn.prepare(kSql);
        st->bind({});
        const int columns = st->columnCount();
        while (st->step()) {
            hashes.push_back(rowHash(*st, columns));
            CatalogueItem item;
            item.index = qint32(st->real(0));
            item.name = QString::fromUtf8(st->utf8(1).data(), qsizetype(st->utf8(1).size()));
            item.descShort = QString::fromUtf8(st->utf8(2).data(), qsizetype(st->utf8(2).size()));
            item.qty = st->real(3);
            item.hidden = db::asBool(st->column(4));
            item.price = float(st->real(5));
            item.category = qint32(st->real(6));
            item.quantityTrack = db::asBool(st->column(7));
            item.uomId = qint32(st->real(8));
            if (item.uomId != 0) {
                const auto unit = units.constFind(item.uomId);
                item.uomFound = unit != units.constEnd();
                if (item.uomFound)
                    item.uom = *unit;
            }
            if (!st->isNull(9))
                item.customUom = QString::fromUtf8(st->utf8(9).data(), qsizetype(st->utf8(9).size()));
            start.push_back(text.size());
            for (int c = kFirstSearched; c < kFirstSearched + kSearched; ++c) {
                appendFolded(text, st->utf8(c));
                text.push_back(kSeparator);
            }
            items.push_back(std::move(item));
        }
        start.push_back(text.size());

        // Name order without regard to case (the folded name leads each
        // item's text), then by item number.
        const auto nameOf = [&](size_t i) {
            const std::string_view all(text.data() + start[i], start[i + 1] - start[i]);
            return all.substr(0, all.find(kSeparator));
        };
        std::vector<int> order(items.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = int(i);
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = nameOf(size_t(a)).compare(nameOf(size_t(b)));
            return c != 0 ? c < 0 : items[size_t(a)].index < items[size_t(b)].index;
        });
        mItems.reserve(items.size());
        mStart.reserve(items.size() + 1);
        mText.reserve(text.size());
        mPos.reserve(qsizetype(items.size()));
        mRowHash.reserve(items.size());
        for (int i : order) {
            mRowHash.push_back(hashes[size_t(i)]);
            mStart.push_back(mText.size());
            mText.append(text, start[size_t(i)], start[size_t(i) + 1] - start[size_t(i)]);
            mPos.insert(items[size_t(i)].index, int(mItems.size()));
            mItems.push_back(std::move(items[size_t(i)]));
        }
        mStart.push_back(mText.size());
    });
}

std::shared_ptr<const ItemCatalogue> ItemCatalogue::current(db::Store &store)
{
    struct Kept {
        QPair<qint64, qint64> stamp;
        qint64 writeMark = -1; // the connection's own writes when the stamp was taken
        std::shared_ptr<const ItemCatalogue> catalogue;
    };
    const QString key = QStringLiteral("lookup::ItemCatalogue");
    db::Connection &conn = store.database().connection();
    const QPair<qint64, qint64> stamp = conn.changeStamp();
    const qint64 mark = conn.writeMark();
    auto kept = std::static_pointer_cast<Kept>(store.attachment(key));
    if (kept && kept->stamp == stamp)
        return kept->catalogue;
    std::shared_ptr<const ItemCatalogue> catalogue;
    // No other connection committed (the first half of the stamp is the
    // same): the connection's own writes say what changed.
    if (kept && kept->stamp.first == stamp.first)
        if (const auto writes = conn.writesSince(kept->writeMark))
            catalogue = withOwnWrites(store, kept->catalogue, *writes);
    if (!catalogue && kept)
        catalogue = withNewQuantities(store, *kept->catalogue);
    if (!catalogue)
        catalogue = std::make_shared<const ItemCatalogue>(store);
    store.attach(key, std::make_shared<Kept>(Kept{stamp, mark, catalogue}));
    return catalogue;
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
        db::StatementLease st = conn.prepare(kSql + QStringLiteral(" WHERE rowid = ?"));
        const int columns = st->columnCount();
        std::vector<std::pair<int, double>> stock;
        for (qint64 row : rows) {
            st->bind({row});
            const bool found = st->step();
            const int pos = found ? previous->positionOf(qint32(st->real(kIndexColumn))) : -1;
            const bool same = pos >= 0 && rowHash(*st, columns) == previous->mRowHash[size_t(pos)];
            if (same)
                stock.emplace_back(pos, st->real(kQtyColumn));
            st->reset();
            if (!same)
                return std::shared_ptr<const ItemCatalogue>(); // more than the stock changed
        }
        auto copy = std::shared_ptr<ItemCatalogue>(new ItemCatalogue(*previous));
        for (const auto &[pos, qty] : stock)
            copy->mItems[size_t(pos)].qty = qty;
        return std::shared_ptr<const ItemCatalogue>(std::move(copy));
    });
}

std::shared_ptr<const ItemCatalogue> ItemCatalogue::withNewQuantities(db::Store &store,
                                                                       const ItemCatalogue &previous)
{
    return diag::run("frmFind", "RefreshQuantities", std::shared_ptr<const ItemCatalogue>(), [&] {
        db::Connection &conn = store.database().connection();
        quint64 unitsHash = 0;
        readUnits(conn, unitsHash);
        if (unitsHash != previous.mUnitsHash)
            return std::shared_ptr<const ItemCatalogue>();
        std::vector<double> qty(previous.mItems.size());
        std::vector<bool> seen(previous.mItems.size());
        db::StatementLease st = conn.prepare(kSql);
        st->bind({});
        const int columns = st->columnCount();
        size_t rows = 0;
        while (st->step()) {
            const int pos = previous.positionOf(qint32(st->real(kIndexColumn)));
            if (pos < 0 || seen[size_t(pos)] || rowHash(*st, columns) != previous.mRowHash[size_t(pos)])
                return std::shared_ptr<const ItemCatalogue>(); // an item added, changed or doubled
            seen[size_t(pos)] = true;
            qty[size_t(pos)] = st->real(kQtyColumn);
            ++rows;
        }
        if (rows != previous.mItems.size())
            return std::shared_ptr<const ItemCatalogue>(); // an item removed
        auto copy = std::shared_ptr<ItemCatalogue>(new ItemCatalogue(previous));
        for (size_t i = 0; i < qty.size(); ++i)
            copy->mItems[i].qty = qty[i];
        return std::shared_ptr<const ItemCatalogue>(std::move(copy));
    });
}

std::vector<int> ItemCatalogue::search(const QString &rawText, bool inStockOnly) const
{
    QString t = rawText;
    t.remove(QLatin1Char('"'));
    std::string needle = fold(t);
    std::erase(needle, kSeparator);

    std::vector<int> found;
    const auto keep = [&](int pos) {
        const CatalogueItem &item = mItems[size_t(pos)];
        return !item.hidden && (inStockOnly ? item.qty > 0 : item.qty >= 0);
    };
    const char *base = mText.data();
    size_t from = 0;
    const int count = int(mItems.size());
    while (from < mText.size()) {
        const void *hit = needle.empty() ? base + from
                                         : memmem(base + from, mText.size() - from, needle.data(), needle.size());
        if (!hit)
            break;
        const size_t at = size_t(static_cast<const char *>(hit) - base);
        const int pos = int(std::upper_bound(mStart.begin(), mStart.end(), at) - mStart.begin()) - 1;
        if (pos >= count)
            break;
        if (keep(pos))
            found.push_back(pos);
        from = mStart[size_t(pos) + 1];
    }

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
