#include "lookup/frmFind.h"

#include "db/Lookups.h"
#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "lookup/CatalogueRefresh.h"
#include "lookup/FinderTrees.h"
#include "lookup/ItemCatalogue.h"
#include "lookup/ItemListModel.h"
#include "lookup/frmOptions.h"
#include "platform/DialogRunner.h"
#include "platform/NumberText.h"
#include "platform/Prompt.h"
#include "platform_ui/AccessibleNames.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <cmath>

namespace vanta::lookup {

namespace {
const char *const kModule = "frmFind";
// Stores up to this many items show the whole category tree opened;
// larger ones fill a category's items when it is opened.
constexpr int kWholeTreeLimit = 5000;
// Results up to this many show their variants opened.
constexpr int kExpandResultsLimit = 500;
// The results tree shows at most this many items (each may read its
// variants): a search that matches most of a large store (nothing typed,
// say) would otherwise build rows for every item.
constexpr size_t kMostResultsShown = 2000;

template <typename W>
W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}

QTreeView *treeView(QWidget *parent, const char *name)
{
    auto *v = named(new QTreeView(parent), QLatin1String(name));
    v->setUniformRowHeights(true);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return v;
}

bool startsWith(const QString &key, const char *prefix) { return key.startsWith(QLatin1String(prefix), Qt::CaseInsensitive); }
} // namespace

frmFind::frmFind(FinderContext context, QWidget *parent, CatalogueRefresh *reader)
    : QDialog(parent), mContext(std::move(context)),
      SSTab1(named(new QTabWidget(this), QStringLiteral("SSTab1"))),
      lvAll(treeView(this, "lvAll")),
      trv(treeView(this, "trv")),
      mCategories(new QStandardItemModel(this)),
      trvFind(treeView(this, "trvFind")),
      mResults(new QStandardItemModel(this)),
      txtFind(named(new QLineEdit(this), QStringLiteral("txtFind"))),
      cmdFind(named(new QPushButton(QStringLiteral("&Find"), this), QStringLiteral("cmdFind"))),
      chkStock(named(new QCheckBox(QStringLiteral("Show In-Stock Items Only"), this), QStringLiteral("chkStock"))),
      cmdAddGroup(named(new QPushButton(QStringLiteral("Add Item(s)"), this), QStringLiteral("cmdAddGroup"))),
      cmdClose(named(new QPushButton(QStringLiteral("Close"), this), QStringLiteral("cmdClose"))),
      imgItem(named(new QLabel(this), QStringLiteral("imgItem")))
{
    setWindowTitle(QStringLiteral("Find Item"));
    resize(900, 560);
    lblLoading = named(new QLabel(QStringLiteral("Loading the items..."), this), QStringLiteral("lblLoading"));
    // The kept catalogue when it is ready; else the background read is
    // waited for without blocking, or, without one, the items read here.
    mCatalogue = ItemCatalogue::currentIfQuick(mContext.store);
    if (!mCatalogue && !(reader && reader->readForFinder()))
        mCatalogue = ItemCatalogue::current(mContext.store);
    if (!mCatalogue)
        connect(reader, &CatalogueRefresh::finishedReading, this, &frmFind::catalogueRead);

    // Tabs: the list, the category tree, the search results.
    const char *const tabNames[] = {"All Items", "By Categories", "Results"};
    QTreeView *views[] = {lvAll, trv, trvFind};
    for (int t = 0; t < 3; ++t) {
        auto *page = new QWidget(SSTab1);
        auto *v = new QVBoxLayout(page);
        v->addWidget(views[t], 1);
        if (t < 2) {
            cmdAdd[size_t(t)] = named(new QPushButton(QStringLiteral("&Add Item"), page), QStringLiteral("cmdAdd%1").arg(t));
            auto *row = new QHBoxLayout;
            row->addStretch();
            row->addWidget(cmdAdd[size_t(t)]);
            v->addLayout(row);
            connect(cmdAdd[size_t(t)], &QPushButton::clicked, this, &frmFind::cmdAddGroup_Click);
        }
        SSTab1->addTab(page, QLatin1String(tabNames[t]));
    }
    lvAll->setRootIsDecorated(false);
    lvAll->header()->setSectionsClickable(true);
    lvAll->header()->setSortIndicatorShown(true);
    trv->setModel(mCategories);
    trv->setHeaderHidden(true);
    trvFind->setModel(mResults);
    trvFind->setHeaderHidden(true);

    imgItem->setFixedSize(180, 180);
    imgItem->setAlignment(Qt::AlignCenter);
    auto *side = new QVBoxLayout;
    auto *searchFor = new QLabel(QStringLiteral("Search for:"), this);
    searchFor->setBuddy(txtFind);
    side->addWidget(searchFor);
    side->addWidget(txtFind);
    side->addWidget(cmdFind);
    side->addWidget(chkStock);
    side->addWidget(imgItem);
    side->addStretch();
    side->addWidget(cmdAddGroup);
    side->addWidget(cmdClose);
    auto *left = new QVBoxLayout;
    left->addWidget(lblLoading);
    left->addWidget(SSTab1, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);

    connect(SSTab1, &QTabWidget::currentChanged, this, &frmFind::SSTab1_Click);
    connect(chkStock, &QCheckBox::toggled, this, &frmFind::chkStock_Click);
    connect(cmdFind, &QPushButton::clicked, this, &frmFind::cmdFind_Click);
    connect(cmdAddGroup, &QPushButton::clicked, this, &frmFind::cmdAddGroup_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(lvAll->header(), &QHeaderView::sectionClicked, this, [this](int s) { lvAll_ColumnClick(s + 1); });
    connect(trv, &QTreeView::clicked, this, &frmFind::trv_NodeClick);
    connect(trv, &QTreeView::expanded, this, [this](const QModelIndex &i) {
        fillCategoryItems(mCategories->itemFromIndex(i), *mCatalogue, inStockOnly());
    });
    connect(mCategories, &QStandardItemModel::itemChanged, this, [this](QStandardItem *n) {
        if (n->checkState() == Qt::Checked)
            trv->setCurrentIndex(n->index());
    });
    connect(trvFind, &QTreeView::clicked, this, &frmFind::trvFind_NodeClick);
    txtFind->installEventFilter(this);
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { mHelp.ShowTopic(QStringLiteral("Add_an_Item.htm")); });

    diag::run(kModule, "Form_Load", [&] {
        SSTab1->setCurrentIndex(AllItems);
        if (mCatalogue)
            catalogueReady();
        else
            enableControls(false);
        const QString nopic = mContext.picturesPath + QStringLiteral("nopic.jpg");
        if (QFileInfo::exists(nopic))
            imgItem->setPixmap(QPixmap(nopic).scaled(imgItem->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    });
    platform::nameFields(this); // fields found by what they are
}

void frmFind::catalogueReady()
{
    mList = new ItemListModel(*mCatalogue, this);
    lvAll->setModel(mList);
    connect(lvAll->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) { lvAll_ItemClick(i); });
    connect(mList, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &tl, const QModelIndex &br) {
        if (tl == br && tl.data(Qt::CheckStateRole).toInt() == Qt::Checked)
            lvAll->setCurrentIndex(tl);
    });
    lblLoading->hide();
    enableControls(true);
    FillLVAll(1, false);
}

void frmFind::enableControls(bool on)
{
    for (QWidget *w : {static_cast<QWidget *>(SSTab1), static_cast<QWidget *>(txtFind),
                       static_cast<QWidget *>(cmdFind), static_cast<QWidget *>(chkStock),
                       static_cast<QWidget *>(cmdAddGroup)})
        w->setEnabled(on);
}

void frmFind::catalogueRead()
{
    diag::run(kModule, "CatalogueRead", [&] {
        if (mCatalogue)
            return;
        // A read dropped because the store moved on is not waited for again.
        mCatalogue = ItemCatalogue::currentIfQuick(mContext.store);
        if (!mCatalogue)
            mCatalogue = ItemCatalogue::current(mContext.store);
        catalogueReady();
    });
}

frmFind::~frmFind()
{
    // The list model reads the catalogue, which goes before the widgets do.
    lvAll->setModel(nullptr);
    delete mList;
}

// "Item Name" takes half of the list's width, the other three a sixth each.
void frmFind::sizeColumns()
{
    const int w = int(std::nearbyint((lvAll->width() - 90) / 6.0));
    if (w <= 0)
        return;
    lvAll->setColumnWidth(0, 3 * w);
    for (int c = 1; c < 4; ++c)
        lvAll->setColumnWidth(c, w);
}

void frmFind::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    sizeColumns();
}

void frmFind::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    layout()->activate();
    sizeColumns();
}

bool frmFind::inStockOnly() const { return chkStock->isChecked(); }

bool frmFind::eventFilter(QObject *watched, QEvent *event)
{
    // While the search text has the focus, Enter runs the search.
    if (watched == txtFind && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        cmdFind->setDefault(event->type() == QEvent::FocusIn);
    return QDialog::eventFilter(watched, event);
}

void frmFind::FillLVAll(int sortColumn, bool descending)
{
    diag::run(kModule, "FillLVAll", [&] {
        if (!mCatalogue)
            return;
        mSortColumn = sortColumn;
        mDescending = descending;
        mList->fill(inStockOnly(), sortColumn, descending);
        sizeColumns();
        lvAll->header()->setSortIndicator(sortColumn - 1, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        if (mList->rowCount() > 0)
            mSelectedItem = mCatalogue->indexAt(mList->positionAt(0));
    });
}

void frmFind::FillCategoryTree()
{
    diag::run(kModule, "FillCategoryTree", [&] {
        if (!mCatalogue)
            return;
        const bool whole = mCatalogue->size() <= kWholeTreeLimit;
        fillCategoryTree(*mCategories, mContext.store, *mCatalogue, inStockOnly(), whole);
        if (whole)
            trv->expandAll();
        else
            trv->expand(mCategories->index(0, 0));
    });
}

void frmFind::FillFindItemTree()
{
    diag::run(kModule, "FillFindItemTree", [&] {
        if (!mCatalogue)
            return;
        std::vector<int> found = mCatalogue->search(txtFind->text(), inStockOnly());
        if (found.empty() && txtFind->text().size() < 10) {
            // A variant's number finds its item.
            QString t = txtFind->text();
            t.remove(QLatin1Char('"'));
            const double n = leadingNumber(t);
            const qint32 root = n == std::floor(n) && std::abs(n) < 2147483648.0
                                    ? db::GetRootItemID(mContext.store, qint32(n))
                                    : -1;
            if (root == -1) {
                showNoMatches(*mResults);
                return;
            }
            found = mCatalogue->search(QString::number(root), inStockOnly());
        }
        const size_t matched = found.size();
        if (matched > kMostResultsShown)
            found.resize(kMostResultsShown);
        fillResultsTree(*mResults, mContext.store, *mCatalogue, found, inStockOnly());
        if (matched > kMostResultsShown) {
            const QLocale counts(QLocale::English, QLocale::UnitedStates); // "2,000" as the store's amounts are
            mResults->item(0)->setText(
                QStringLiteral("Matching Items: the first %1 of %2 (type more of the name to narrow the search)")
                    .arg(counts.toString(qlonglong(kMostResultsShown)), counts.toString(qlonglong(matched))));
        }
        if (found.size() <= size_t(kExpandResultsLimit))
            trvFind->expandAll();
        else
            trvFind->expand(mResults->index(0, 0));
    });
}

void frmFind::cmdFind_Click()
{
    diag::run(kModule, "cmdFind_Click", [&] {
        FillFindItemTree();
        SSTab1->setCurrentIndex(Results);
    });
}

void frmFind::SSTab1_Click(int tab)
{
    diag::run(kModule, "SSTab1_Click", [&] {
        if (tab == ByCategories)
            FillCategoryTree();
    });
}

void frmFind::chkStock_Click()
{
    diag::run(kModule, "chkStock_Click", [&] {
        switch (SSTab1->currentIndex()) {
        case AllItems: FillLVAll(1, false); break;
        case ByCategories: FillCategoryTree(); break;
        default: FillFindItemTree(); break;
        }
    });
}

void frmFind::lvAll_ColumnClick(int column)
{
    diag::run(kModule, "lvAll_ColumnClick", [&] {
        // The same column again flips the order; another column sorts ascending.
        FillLVAll(column, column == mSortColumn && !mDescending);
    });
}

void frmFind::lvAll_ItemClick(const QModelIndex &index)
{
    diag::run(kModule, "lvAll_ItemClick", [&] {
        if (!index.isValid())
            return;
        const int pos = mList->positionAt(index.row());
        mSelectedItem = mCatalogue->indexAt(pos);
        if (mSelectedItem > 0)
            GetPicture(mSelectedItem);
        mSelectedPrice = mCatalogue->priceAt(pos);
    });
}

void frmFind::trv_NodeClick(const QModelIndex &index)
{
    diag::run(kModule, "trv_NodeClick", [&] {
        const QString key = index.data(KeyRole).toString();
        if (key.isEmpty() || startsWith(key, "CAT"))
            return;
        const qint32 n = keyNumber(key);
        if (n > 0) {
            GetPicture(n);
            mSelectedItem = n;
            mSelectedPrice = index.data(PriceRole).toFloat();
        }
    });
}

void frmFind::trvFind_NodeClick(const QModelIndex &index)
{
    diag::run(kModule, "trvFind_NodeClick", [&] {
        const QString key = index.data(KeyRole).toString();
        if (startsWith(key, "Items"))
            return;
        qint32 n = keyNumber(key);
        // Pictures are kept per item: a variant shows its item's.
        if (startsWith(key, "Subi"))
            n = db::GetRootItemID(mContext.store, n);
        if (n > 0)
            GetPicture(n);
    });
}

void frmFind::GetPicture(qint32 itemIndex)
{
    diag::run(kModule, "GetPicture", [&] {
        db::Recordset rs = mContext.store.database().openTable(QStringLiteral("Pictures"));
        rs.setIndex(QStringLiteral("Item index"));
        const QString file = rs.seek(itemIndex) ? mContext.picturesPath + rs.text(QStringLiteral("Picture")) : QString();
        const QPixmap picture = !file.isEmpty() && QFileInfo(file).isFile() ? QPixmap(file) : QPixmap();
        if (picture.isNull()) {
            imgItem->hide();
            return;
        }
        imgItem->setPixmap(picture.scaled(imgItem->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        imgItem->show();
    });
}

bool frmFind::ItemhasOptions(qint32 itemIndex)
{
    return diag::run(kModule, "ItemhasOptions", false, [&] {
        const QVariant hit = mContext.store.database().scalar(
            QStringLiteral("SELECT 1 FROM \"Attributes\" a WHERE a.\"ItemID\" = ? AND EXISTS "
                           "(SELECT 1 FROM \"Values\" v WHERE v.\"AttributeID\" = a.\"AttributeID\") LIMIT 1"),
            {itemIndex});
        return !hit.isNull();
    });
}

bool frmFind::HasOptions(qint32 itemIndex)
{
    return diag::run(kModule, "HasOptions", false, [&] {
        db::Recordset rs = mContext.store.database().openTable(QStringLiteral("Subitems"));
        rs.setIndex(QStringLiteral("ItemID"));
        return rs.seek(itemIndex);
    });
}

void frmFind::openOptions(qint32 itemIndex, float basePrice)
{
    frmOptions dlg(mContext.store, mContext.prompt, mContext.addItem, this);
    dlg.ItemID = itemIndex;
    dlg.BasePrice = basePrice;
    mContext.dialogs.run(dlg);
}

std::vector<QStandardItem *> frmFind::checkedNodes(QStandardItemModel &model) const
{
    std::vector<QStandardItem *> out;
    std::vector<QStandardItem *> stack;
    for (int r = model.rowCount() - 1; r >= 0; --r)
        stack.push_back(model.item(r));
    while (!stack.empty()) {
        QStandardItem *n = stack.back();
        stack.pop_back();
        if (n->isCheckable() && n->checkState() == Qt::Checked)
            out.push_back(n);
        for (int r = n->rowCount() - 1; r >= 0; --r)
            stack.push_back(n->child(r));
    }
    return out;
}

void frmFind::AddSelectedLVAll()
{
    diag::run(kModule, "AddSelectedLVAll", [&] {
        for (int row : mList->checkedRows()) {
            const int pos = mList->positionAt(row);
            if (ItemhasOptions(mCatalogue->indexAt(pos)))
                openOptions(mCatalogue->indexAt(pos), mCatalogue->priceAt(pos));
            else
                mContext.addItem(sale::Good::item(mCatalogue->indexAt(pos)));
        }
    });
}

void frmFind::AddSelectedTRV()
{
    diag::run(kModule, "AddSelectedTRV", [&] {
        for (QStandardItem *n : checkedNodes(*mCategories)) {
            const QString key = n->data(KeyRole).toString();
            if (startsWith(key, "CAT"))
                continue;
            const qint32 id = keyNumber(key);
            if (ItemhasOptions(id))
                openOptions(id, n->data(PriceRole).toFloat());
            else
                mContext.addItem(sale::Good::item(id));
        }
    });
}

void frmFind::UncheckOptionItems()
{
    diag::run(kModule, "UncheckOptionItems", [&] {
        for (QStandardItem *n : checkedNodes(*mResults)) {
            const QString key = n->data(KeyRole).toString();
            if (startsWith(key, "Items") || !HasOptions(keyNumber(key)))
                continue;
            n->setCheckState(Qt::Unchecked);
            mContext.prompt.message(n->text() + QStringLiteral(" has options and cannot be added without selecting them."),
                                    platform::Buttons::Ok, platform::Icon::Information, QStringLiteral("Vanta POS"));
        }
    });
}

void frmFind::AddSelectedTRVFind()
{
    diag::run(kModule, "AddSelectedTRVFind", [&] {
        for (QStandardItem *n : checkedNodes(*mResults)) {
            const QString key = n->data(KeyRole).toString();
            if (!startsWith(key, "Items"))
                mContext.addItem(startsWith(key, "Subi") ? sale::Good::variant(keyNumber(key))
                                                         : sale::Good::item(keyNumber(key)));
        }
    });
}

void frmFind::UncheckAll()
{
    diag::run(kModule, "UncheckAll", [&] {
        if (SSTab1->currentIndex() == AllItems) {
            mList->uncheckAll();
            return;
        }
        for (QStandardItem *n : checkedNodes(SSTab1->currentIndex() == ByCategories ? *mCategories : *mResults))
            n->setCheckState(Qt::Unchecked);
    });
}

void frmFind::cmdAddGroup_Click()
{
    diag::run(kModule, "cmdAddGroup_Click", [&] {
        if (!mCatalogue)
            return;
        switch (SSTab1->currentIndex()) {
        case AllItems: AddSelectedLVAll(); break;
        case ByCategories: AddSelectedTRV(); break;
        default:
            UncheckOptionItems();
            AddSelectedTRVFind();
            break;
        }
        UncheckAll();
        if (mContext.updateTotals)
            mContext.updateTotals();
    });
}

} // namespace vanta::lookup
