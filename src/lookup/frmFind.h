#pragma once

#include "lookup/AddItemFn.h"
#include "platform_ui/HelpComponent.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTabWidget;
class QTreeView;

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
class DialogRunner;
} // namespace vanta::platform

namespace vanta::lookup {

class CatalogueRefresh;
class ItemCatalogue;
class ItemListModel;

// What the finder works with: the store, the boxes and dialogs, the
// pictures folder, and the register's Add_Item and UpdateTotals.
struct FinderContext {
    db::Store &store;
    platform::Prompt &prompt;
    platform::DialogRunner &dialogs;
    QString picturesPath; // the data folder's "Pictures" folder, with a trailing separator
    AddItemFn addItem;
    std::function<void()> updateTotals;
};

// The item finder: all items, the category tree and a text search, each
// with check boxes; "Add Item(s)" adds the ticked entries of the current tab
// (items with options through the option dialog); "Close" closes it.
// With a background reader of the catalogue, a finder opened before the
// catalogue is ready says it is reading the items and fills itself when
// they arrive; without one it reads them itself.
class frmFind : public QDialog {
    Q_OBJECT
public:
    enum Tab { AllItems = 0, ByCategories = 1, Results = 2 };

    explicit frmFind(FinderContext context, QWidget *parent = nullptr, CatalogueRefresh *reader = nullptr);
    ~frmFind() override;

    void FillLVAll(int sortColumn, bool descending);
    void FillCategoryTree();
    void FillFindItemTree();
    void GetPicture(qint32 itemIndex);
    bool ItemhasOptions(qint32 itemIndex);
    bool HasOptions(qint32 itemIndex);

    qint32 selectedItem() const { return mSelectedItem; }
    float selectedPrice() const { return mSelectedPrice; }
    int sortColumn() const { return mSortColumn; }
    bool sortDescending() const { return mDescending; }
    bool loading() const { return !mCatalogue; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void SSTab1_Click(int tab);
    void chkStock_Click();
    void cmdFind_Click();
    void cmdAddGroup_Click();
    void lvAll_ColumnClick(int section);
    void lvAll_ItemClick(const QModelIndex &index);
    void trv_NodeClick(const QModelIndex &index);
    void trvFind_NodeClick(const QModelIndex &index);
    void AddSelectedLVAll();
    void AddSelectedTRV();
    void UncheckOptionItems();
    void AddSelectedTRVFind();
    void UncheckAll();
    void openOptions(qint32 itemIndex, float basePrice);
    bool inStockOnly() const;
    void sizeColumns();
    // The catalogue in place: the list filled and the controls enabled.
    void catalogueReady();
    // A background read ended: its catalogue taken, else read here.
    void catalogueRead();
    // Everything but "Close" works only with the catalogue in place.
    void enableControls(bool on);
    // Ticked nodes of a tree, depth first.
    std::vector<QStandardItem *> checkedNodes(QStandardItemModel &model) const;

    FinderContext mContext;
    platform::HelpComponent mHelp;
    std::shared_ptr<const ItemCatalogue> mCatalogue;
    qint32 mSelectedItem = 0;
    float mSelectedPrice = 0;
    int mSortColumn = 1;
    bool mDescending = false;

    QTabWidget *SSTab1;
    QTreeView *lvAll;
    ItemListModel *mList = nullptr;
    QLabel *lblLoading;
    QTreeView *trv;
    QStandardItemModel *mCategories;
    QTreeView *trvFind;
    QStandardItemModel *mResults;
    QLineEdit *txtFind;
    QPushButton *cmdFind;
    QCheckBox *chkStock;
    QPushButton *cmdAddGroup;
    QPushButton *cmdClose;
    std::array<QPushButton *, 2> cmdAdd{};
    QLabel *imgItem;
};

} // namespace vanta::lookup
