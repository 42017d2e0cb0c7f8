#pragma once

#include <QString>
#include <Qt>
#include <vector>

class QStandardItem;
class QStandardItemModel;

namespace vanta::db {
class Store;
}

namespace vanta::lookup {

class ItemCatalogue;

// Roles of the finder's tree nodes.
constexpr int KeyRole = Qt::UserRole + 1;     // "CAT12", "KEY1001", "Item1001", "Subi5001", ...
constexpr int PriceRole = Qt::UserRole + 2;   // the item's list price (item nodes of the category tree)
constexpr int PendingRole = Qt::UserRole + 3; // a category whose items are filled when it is first expanded

// The category tree (`trv`): "Top Level", then every category under its
// parent, depth first, each category once (a parent chain that loops is not
// followed again), with its items. `itemsNow` fills every category's items
// at once; otherwise each category's items come when it is expanded
// (fillCategoryItems), so a store of thousands of categories shows at once.
void fillCategoryTree(QStandardItemModel &model, db::Store &store, const ItemCatalogue &catalogue,
                      bool inStockOnly, bool itemsNow);
// Fills a pending category's items; nothing for any other node.
void fillCategoryItems(QStandardItem *category, const ItemCatalogue &catalogue, bool inStockOnly);

// The results tree (`trvFind`) for catalogue positions: item nodes, with
// the variants of stock-tracked items under them.
void fillResultsTree(QStandardItemModel &model, db::Store &store, const ItemCatalogue &catalogue,
                     const std::vector<int> &positions, bool inStockOnly);
// The results tree with only its root, reading "No Matching Items".
void showNoMatches(QStandardItemModel &model);

// The number after a key's prefix: 3 characters for "CAT", "KEY" and "key",
// 4 for "Item" and "Subi".
qint32 keyNumber(const QString &key);

} // namespace vanta::lookup
