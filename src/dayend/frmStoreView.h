#pragma once

#include "dayend/StoreFigures.h"

#include <QDialog>

class QChartView;
class QComboBox;
class QDateEdit;
class QLabel;
class QTabBar;
class QTableWidget;

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
}

namespace vanta::dayend {

// The store's figures as charts with the numbers beside them: sales by hour
// of a chosen day, by day of its month, by category and by pay type, of
// every register or one; each can be saved as CSV.
class frmStoreView : public QDialog {
    Q_OBJECT
public:
    frmStoreView(db::Store &store, platform::Prompt &prompt, const QDate &day, QWidget *parent = nullptr);

    void setDay(const QDate &day);
    // Empty: every register.
    void setRegister(const QString &registerName);
    void showView(StoreView view);
    const std::vector<Tally> &shown() const { return mShown; }
    // Asks where, then writes the figures shown as CSV.
    void cmdExport_Click();

private:
    void refresh();
    StoreQuery query() const;
    QString viewName() const;

    db::Store &mStore;
    platform::Prompt &mPrompt;
    QDateEdit *dtDay;
    QComboBox *cboRegister;
    QTabBar *tabViews;
    QChartView *chart;
    QTableWidget *lvFigures;
    QLabel *lblTotal;
    std::vector<Tally> mShown;
};

} // namespace vanta::dayend
