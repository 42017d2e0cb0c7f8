#pragma once

#include "lookup/FinderTrees.h"
#include "lookup/frmFind.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTreeView>

namespace vanta::test {

// Cashier's moves in the item finder.

// The row (or node, searched depth first) whose text starts with `text`.
inline QModelIndex findRow(QTreeView *view, const QString &text, const QModelIndex &parent = QModelIndex())
{
    QAbstractItemModel *m = view->model();
    for (int r = 0; r < m->rowCount(parent); ++r) {
        const QModelIndex i = m->index(r, 0, parent);
        if (i.data().toString().startsWith(text))
            return i;
        const QModelIndex below = findRow(view, text, i);
        if (below.isValid())
            return below;
    }
    return {};
}

// Ticks a row's check box by clicking it, as a cashier would.
inline void tick(QTreeView *view, const QModelIndex &index)
{
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    // The check box sits at the left of the text, after the indentation.
    QStyleOptionViewItem opt;
    opt.rect = rect;
    opt.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
}

// A finder opened while the register still reads the items in the
// background: events are taken until they are in.
inline void waitForItems(QDialog &dlg)
{
    auto *finder = qobject_cast<lookup::frmFind *>(&dlg);
    while (finder && finder->loading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

inline void press(QDialog &dlg, const char *name)
{
    QTest::mouseClick(dlg.findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

} // namespace vanta::test
