// The finder's search text, typed by the cashier, against a small catalogue
// made once per process in a store of its own. Every item found holds the
// text in one of its searched columns (or has the number it starts with),
// and every such item is found.
#include "FuzzInput.h"
#include "db/RowWriter.h"
#include "db/Store.h"
#include "lookup/ItemCatalogue.h"
#include "platform/NumberText.h"

#include <QTemporaryDir>
#include <cmath>
#include <memory>

using namespace vanta;

namespace {

const QStringList kSearched = {"Name", "desc short", "desc long", "label4", "label5", "label3", "label6",
                               "label7", "label2", "label1", "barcode label", "accounting name", "customUOM"};

struct Row {
    qint32 index;
    double qty;
    bool hidden;
    QStringList texts; // the searched columns, in the order above
};

QStringList texts(const char *name, const char *desc, const char *barcode, const char *unit, const char *account,
                  const char *label = "")
{
    QStringList t(kSearched.size());
    t[0] = QString::fromUtf8(name);
    t[1] = QString::fromUtf8(desc);
    t[9] = QString::fromUtf8(label);
    t[10] = QString::fromUtf8(barcode);
    t[11] = QString::fromUtf8(account);
    t[12] = QString::fromUtf8(unit);
    return t;
}

// Some columns repeat others of the item or of other items, as in a store.
const std::vector<Row> kRows = {
    {1, 5, false, texts("100% Cotton Tee", "soft", "0123456789012", "each", "Apparel", "Cotton")},
    {2, 0, false, texts("Snap_Hook", "[1/2] inch", "", "", "Hardware")},
    {3, -2, false, texts("Backorder Tee", "O'Brien's", "", "", "Apparel")},
    {4, 3, true, texts("Hidden Tee", "", "", "", "Apparel")},
    {5, 1, false, texts("Café Crème", "Straße", "", "Dz", "Épicerie", "STRASSE")},
    {6, 9, false, texts("中文 Notebook", "\"quoted\" \\ back", "", "", "Hardware")},
    {7, 1, false, texts("Snap Hook", "SNAP HOOK", "7", "each", "Hardware", "snap")},
    {1000, 2, false, texts("ǅ Digraph ΣΑΣ", "ﬁ ligature", "", "", "Épicerie")},
    {-7, 4, false, texts("", "", "", "", "")},
};

struct Catalogue {
    QTemporaryDir dir;
    std::unique_ptr<db::Store> store;
    std::unique_ptr<lookup::ItemCatalogue> catalogue;

    Catalogue()
    {
        db::Store::create(dir.path());
        store = std::make_unique<db::Store>(dir.path());
        QStringList columns = {"Item Index", "qty", "Hidden"};
        columns += kSearched;
        db::RowWriter writer(store->database().connection(), "Items", columns);
        for (const Row &r : kRows) {
            QVariantList values = {r.index, r.qty, r.hidden};
            for (int c = 0; c < kSearched.size(); ++c)
                values << r.texts[c];
            writer.add(values);
        }
        catalogue = std::make_unique<lookup::ItemCatalogue>(*store);
    }
};

bool holds(const Row &r, const std::string &needle)
{
    for (const QString &t : r.texts)
        if (lookup::ItemCatalogue::fold(t).find(needle) != std::string::npos)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Catalogue c;
    if (size == 0)
        return 0;
    const bool inStockOnly = data[0] & 1;
    const QString input = fuzz::text(data + 1, size - 1);
    const std::vector<int> found = c.catalogue->search(input, inStockOnly);

    QString plain = input;
    plain.remove(QLatin1Char('"'));
    std::string needle = lookup::ItemCatalogue::fold(plain);
    std::erase(needle, '\x01');
    const double number = leadingNumber(plain);
    for (const Row &r : kRows) {
        const int pos = c.catalogue->positionOf(r.index);
        fuzz::require(pos >= 0, "every item is in the catalogue", input);
        const bool listed = !r.hidden && (inStockOnly ? r.qty > 0 : r.qty >= 0);
        const bool matches = holds(r, needle) || double(r.index) == number;
        const bool isFound = std::find(found.begin(), found.end(), pos) != found.end();
        fuzz::require(isFound == (listed && matches), "found exactly the listed items that hold the text", input);
    }
    fuzz::require(std::is_sorted(found.begin(), found.end()), "found in name order", input);
    fuzz::require(std::adjacent_find(found.begin(), found.end()) == found.end(), "found once each", input);
    return 0;
}
