#include "lookup/FinderTrees.h"

#include "db/Lookups.h"
#include "db/Store.h"
#include "lookup/ItemCatalogue.h"
#include "platform/Currency.h"

#include <QHash>
#include <QSet>
#include <QStandardItemModel>

namespace vanta::lookup {

namespace {

QStandardItem *node(const QString &key, const QString &text, bool checkable)
{
    auto *n = new QStandardItem(text);
    n->setData(key, KeyRole);
    n->setEditable(false);
    n->setCheckable(checkable);
    return n;
}

QString categoryItemText(const CatalogueItem &item)
{
    const std::optional<QString> unit = item.treeUnit();
    return item.name + QStringLiteral(" -- ") + item.descShort + QStringLiteral("  (Qty = ") + formatPlain(item.qty)
           + (unit ? QLatin1Char(' ') + *unit : QString()) + QStringLiteral(") Price: ") + formatCurrency(item.price);
}

struct Category {
    qint32 id;
    QString name;
};

// The category's items in name order, hidden ones included.
std::vector<int> itemsOf(const ItemCatalogue &catalogue, qint32 category, bool inStockOnly)
{
    std::vector<int> positions;
    for (int pos = 0; pos < catalogue.size(); ++pos)
        if (catalogue.categoryAt(pos) == category && (!inStockOnly || catalogue.qtyAt(pos) > 0))
            positions.push_back(pos);
    return positions;
}

void appendItems(QStandardItem *category, const ItemCatalogue &catalogue, const std::vector<int> &positions,
                 int row)
{
    for (int pos : positions) {
        const CatalogueItem item = catalogue.at(pos);
        QStandardItem *n = node(QStringLiteral("KEY") + QString::number(item.index), categoryItemText(item), true);
        n->setData(double(item.price), PriceRole);
        category->insertRow(row++, n);
    }
}

} // namespace

qint32 keyNumber(const QString &key)
{
    const bool four = key.startsWith(QLatin1String("Item"), Qt::CaseInsensitive)
                      || key.startsWith(QLatin1String("Subi"), Qt::CaseInsensitive);
    return four ? qint32(key.mid(4).toLongLong()) : db::GetID(key);
}

void fillCategoryTree(QStandardItemModel &model, db::Store &store, const ItemCatalogue &catalogue, bool inStockOnly,
                      bool itemsNow)
{
    model.clear();
    QStandardItem *root = node(QStringLiteral("CAT-1"), QStringLiteral("Top Level"), false);
    model.appendRow(root);

    QHash<qint32, std::vector<Category>> children;
    db::Recordset rs = store.database().openQuery(
        QStringLiteral("SELECT \"id\", \"ParentID\", \"Category\" FROM \"Categories\" ORDER BY \"Category\" COLLATE NOCASE"));
    for (; !rs.eof(); rs.moveNext())
        children[db::asLong(rs.field(1))].push_back({db::asLong(rs.field(0)), rs.text(QStringLiteral("Category"))});

    // Items grouped by category once, in name order.
    QHash<qint32, std::vector<int>> items;
    if (itemsNow)
        for (int pos = 0; pos < catalogue.size(); ++pos)
            if (!inStockOnly || catalogue.qtyAt(pos) > 0)
                items[catalogue.categoryAt(pos)].push_back(pos);
    QSet<qint32> withItems;
    if (!itemsNow)
        for (int pos = 0; pos < catalogue.size(); ++pos)
            if (!inStockOnly || catalogue.qtyAt(pos) > 0)
                withItems.insert(catalogue.categoryAt(pos));

    // Depth first without recursion; a category is built once only.
    QSet<qint32> built{-1};
    struct Frame {
        QStandardItem *parent;
        qint32 id;
    };
    std::vector<Frame> stack{{root, -1}};
    while (!stack.empty()) {
        const Frame f = stack.back();
        stack.pop_back();
        const auto kids = children.value(f.id);
        std::vector<Frame> next;
        for (const Category &c : kids) {
            if (built.contains(c.id))
                continue;
            built.insert(c.id);
            QStandardItem *n = node(QStringLiteral("CAT") + QString::number(c.id), c.name, false);
            f.parent->appendRow(n);
            if (itemsNow) {
                appendItems(n, catalogue, items.value(c.id), 0);
            } else if (withItems.contains(c.id)) {
                n->setData(true, PendingRole);
                n->appendRow(node(QString(), QStringLiteral("..."), false));
            }
            next.push_back({n, c.id});
        }
        for (auto it = next.rbegin(); it != next.rend(); ++it)
            stack.push_back(*it);
    }
}

void fillCategoryItems(QStandardItem *category, const ItemCatalogue &catalogue, bool inStockOnly)
{
    if (!category || !category->data(PendingRole).toBool())
        return;
    category->setData(false, PendingRole);
    category->removeRow(category->rowCount() - 1); // the placeholder
    appendItems(category, catalogue, itemsOf(catalogue, keyNumber(category->data(KeyRole).toString()), inStockOnly),
                0);
}

void showNoMatches(QStandardItemModel &model)
{
    model.clear();
    model.appendRow(node(QStringLiteral("Items-1"), QStringLiteral("No Matching Items"), false));
}

void fillResultsTree(QStandardItemModel &model, db::Store &store, const ItemCatalogue &catalogue,
                     const std::vector<int> &positions, bool inStockOnly)
{
    model.clear();
    QStandardItem *root = node(QStringLiteral("Items-1"), QStringLiteral("Matching Items"), false);
    model.appendRow(root);
    const db::Database &db = store.database();
    const QString variantsSql = inStockOnly
        ? QStringLiteral("SELECT * FROM \"Subitems\" WHERE \"ItemID\" = ? AND \"quantity\" > 0 ORDER BY rowid")
        : QStringLiteral("SELECT * FROM \"Subitems\" WHERE \"ItemID\" = ? ORDER BY rowid");
    const QString valueSql = QStringLiteral(
        "SELECT a.\"Name\", v.\"Value\", v.\"additionalcharge\" FROM \"Values\" v "
        "JOIN \"Attributes\" a ON a.\"AttributeID\" = v.\"AttributeID\" WHERE v.\"ValueID\" = ?");

    for (int pos : positions) {
        const CatalogueItem item = catalogue.at(pos);
        const QString key = QStringLiteral("Item") + QString::number(item.index);
        const std::optional<QString> unit = item.treeUnit();
        std::vector<QStandardItem *> variants;
        if (item.quantityTrack) {
            db::Recordset rs = db.openQuery(variantsSql, {item.index});
            for (; !rs.eof(); rs.moveNext()) {
                QString text = item.name + QLatin1Char(' ');
                for (int c = 2; c <= 4; ++c) {
                    const qint32 value = db::asLong(rs.field(c));
                    if (value <= 0)
                        continue;
                    db::Recordset v = db.openQuery(valueSql, {value});
                    if (!v.eof())
                        text += QLatin1Char(' ') + v.text(QStringLiteral("Name")) + QStringLiteral(" - ")
                                + v.text(QStringLiteral("Value")) + QStringLiteral(" (")
                                + formatPlain(db::asSingle(v.field(2))) + QLatin1Char(')');
                }
                text += QStringLiteral(" (QTY= ") + formatPlain(db::asDouble(rs.field(QStringLiteral("quantity"))))
                        + unit.value_or(QString()) + QLatin1Char(')');
                variants.push_back(
                    node(QStringLiteral("Subi") + QString::number(db::asLong(rs.field(0))), text, true));
            }
        }
        QStandardItem *n;
        if (!variants.empty()) {
            n = node(key, item.name + QStringLiteral(" - ") + item.descShort, true);
            for (QStandardItem *v : variants)
                n->appendRow(v);
        } else {
            n = node(key,
                     item.name + QStringLiteral(" - ") + item.descShort + QStringLiteral(" (QTY= ")
                         + formatPlain(item.qty) + (unit ? QLatin1Char(' ') + *unit : QString()) + QLatin1Char(')'),
                     true);
        }
        root->appendRow(n);
    }
}

} // namespace vanta::lookup
