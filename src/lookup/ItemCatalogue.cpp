#include "lookup/ItemCatalogue.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace vanta::lookup {

namespace {
constexpr char kSeparator = '\x01';
constexpr int kSearched = 13; // columns 9..21 of the query below

const QString kSql = QStringLiteral(
    "SELECT i.\"Item Index\", i.\"Name\", i.\"desc short\", i.\"qty\", i.\"Hidden\", i.\"LIST PRICE\", "
    "i.\"category\", i.\"QuantityTrack\", i.\"uomid\", u.\"UOMID\", u.\"UOM\", "
    "i.\"Name\", i.\"desc short\", i.\"desc long\", i.\"label4\", i.\"label5\", i.\"label3\", i.\"label6\", "
    "i.\"label7\", i.\"label2\", i.\"label1\", i.\"barcode label\", i.\"accounting name\", i.\"customUOM\" "
    "FROM \"Items\" i LEFT JOIN \"UOM\" u ON u.\"UOMID\" = i.\"uomid\" "
    "ORDER BY i.\"Name\" COLLATE NOCASE, i.\"Item Index\"");

QString text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

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
        db::StatementLease st = conn.prepare(kSql);
        st->bind({});
        mText.reserve(1 << 20);
        while (st->step()) {
            CatalogueItem item;
            item.index = qint32(st->real(0));
            item.name = text(st->utf8(1));
            item.descShort = text(st->utf8(2));
            item.qty = st->real(3);
            item.hidden = db::asBool(st->column(4));
            item.price = float(st->real(5));
            item.category = qint32(st->real(6));
            item.quantityTrack = db::asBool(st->column(7));
            item.uomId = qint32(st->real(8));
            item.uomFound = !st->isNull(9);
            item.uom = text(st->utf8(10));
            item.customUom = text(st->utf8(23));
            mStart.push_back(mText.size());
            for (int c = 11; c < 11 + kSearched; ++c) {
                appendFolded(mText, st->utf8(c));
                mText.push_back(kSeparator);
            }
            mPos.insert(item.index, int(mItems.size()));
            mItems.push_back(std::move(item));
        }
        mStart.push_back(mText.size());
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
