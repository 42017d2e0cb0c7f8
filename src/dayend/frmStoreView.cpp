#include "dayend/frmStoreView.h"

#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "platform/ProgramFiles.h"
#include "platform/Prompt.h"
#include "platform_ui/ButtonRow.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QHorizontalBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>

namespace vanta::dayend {

namespace {

const char *const kModule = "frmStoreView";
const StoreView kViews[] = {StoreView::ByHour, StoreView::ByDay, StoreView::ByCategory, StoreView::ByPayType};
const char *const kViewNames[] = {"By Hour", "By Day", "By Category", "By Pay Type"};
const char *const kNameHeadings[] = {"Hour", "Day", "Category", "Pay type"};
// By category the lines are counted: one sale may hold several categories.
const char *const kCountHeadings[] = {"Sales", "Sales", "Lines", "Sales"};

} // namespace

frmStoreView::frmStoreView(db::Store &store, platform::Prompt &prompt, const QDate &day, QWidget *parent)
    : QDialog(parent), mStore(store), mPrompt(prompt), dtDay(new QDateEdit(day, this)), cboRegister(new QComboBox(this)),
      tabViews(new QTabBar(this)), chart(new QChartView(this)), lvFigures(new QTableWidget(this)),
      lblTotal(new QLabel(this))
{
    setObjectName(QStringLiteral("frmStoreView"));
    setWindowTitle(QStringLiteral("Store Figures"));
    resize(1000, 560);
    dtDay->setObjectName(QStringLiteral("dtDay"));
    dtDay->setCalendarPopup(true);
    dtDay->setAccessibleName(QStringLiteral("Day"));
    cboRegister->setObjectName(QStringLiteral("cboRegister"));
    cboRegister->setAccessibleName(QStringLiteral("Register"));
    cboRegister->addItem(QStringLiteral("All registers"), QString());
    for (const QString &name : shiftRegisters(store))
        cboRegister->addItem(name, name);
    for (const char *name : kViewNames)
        tabViews->addTab(QString::fromLatin1(name));
    tabViews->setObjectName(QStringLiteral("tabViews"));
    chart->setObjectName(QStringLiteral("chart"));
    chart->setRenderHint(QPainter::Antialiasing);
    lvFigures->setObjectName(QStringLiteral("lvFigures"));
    lvFigures->setColumnCount(3);
    lvFigures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvFigures->verticalHeader()->hide();
    lvFigures->verticalHeader()->setDefaultSectionSize(lvFigures->fontMetrics().height() + 6);
    // The numbers as wide as they need, the names the rest.
    lvFigures->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvFigures->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    lvFigures->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    lvFigures->setMinimumWidth(300);
    lblTotal->setObjectName(QStringLiteral("lblTotal"));

    auto *cmdExport = new QPushButton(QStringLiteral("&Export CSV..."), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    auto *cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("&Day:"), this));
    top->addWidget(dtDay);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("&Register:"), this));
    top->addWidget(cboRegister);
    top->addStretch();
    qobject_cast<QLabel *>(top->itemAt(0)->widget())->setBuddy(dtDay);
    qobject_cast<QLabel *>(top->itemAt(3)->widget())->setBuddy(cboRegister);
    auto *figures = new QVBoxLayout;
    figures->addWidget(lvFigures);
    figures->addWidget(lblTotal);
    auto *body = new QHBoxLayout;
    body->addWidget(chart, 3);
    body->addLayout(figures, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabViews);
    layout->addLayout(body, 1);
    layout->addLayout(platform::buttonRow({cmdExport, cmdClose}));

    connect(dtDay, &QDateEdit::dateChanged, this, &frmStoreView::refresh);
    connect(cboRegister, &QComboBox::currentIndexChanged, this, &frmStoreView::refresh);
    connect(tabViews, &QTabBar::currentChanged, this, &frmStoreView::refresh);
    connect(cmdExport, &QPushButton::clicked, this, &frmStoreView::cmdExport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void frmStoreView::setDay(const QDate &day) { dtDay->setDate(day); }

void frmStoreView::setRegister(const QString &registerName)
{
    cboRegister->setCurrentIndex(std::max(0, cboRegister->findData(registerName)));
}

void frmStoreView::showView(StoreView view) { tabViews->setCurrentIndex(int(view)); }

StoreQuery frmStoreView::query() const
{
    return {kViews[std::clamp(tabViews->currentIndex(), 0, 3)], dtDay->date(), cboRegister->currentData().toString()};
}

QString frmStoreView::viewName() const { return QString::fromLatin1(kViewNames[int(query().view)]); }

void frmStoreView::refresh()
{
    diag::run(kModule, "refresh", [&] {
        const StoreQuery q = query();
        mShown = readStoreFigures(mStore, q);
        QStringList names;
        QList<qreal> amounts;
        qint64 total = 0, most = 0, least = 0;
        int count = 0;
        lvFigures->setRowCount(int(mShown.size()));
        lvFigures->setHorizontalHeaderLabels(
            {QString::fromLatin1(kNameHeadings[int(q.view)]), QString::fromLatin1(kCountHeadings[int(q.view)]),
             QStringLiteral("Amount")});
        for (size_t i = 0; i < mShown.size(); ++i) {
            const Tally &t = mShown[i];
            amounts << double(t.cents) / 100.0;
            // Hours and days by their number under the bars; names in full.
            names << (q.view == StoreView::ByHour  ? QString::number(i)
                      : q.view == StoreView::ByDay ? QString::number(i + 1)
                                                   : t.name);
            total += t.cents;
            count += t.count;
            most = std::max(most, t.cents);
            least = std::min(least, t.cents);
            const QString cells[] = {t.name, QString::number(t.count), formatCurrencyCents(t.cents)};
            for (int c = 0; c < 3; ++c) {
                auto *item = new QTableWidgetItem(cells[c]);
                if (c > 0)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                lvFigures->setItem(int(i), c, item);
            }
        }
        lblTotal->setText(QStringLiteral("Total: %1 %2, %3")
                              .arg(count)
                              .arg(QString::fromLatin1(kCountHeadings[int(q.view)]).toLower(),
                                   formatCurrencyCents(total)));

        // Names read across: categories and pay types as bars lying down,
        // the first at the top as in the table.
        const bool byName = q.view == StoreView::ByCategory || q.view == StoreView::ByPayType;
        if (byName) {
            std::reverse(names.begin(), names.end());
            std::reverse(amounts.begin(), amounts.end());
        }
        auto *set = new QBarSet(QStringLiteral("Sales"));
        set->setColor(QColor(0x1f, 0x3a, 0x5f));
        set->append(amounts);
        QAbstractBarSeries *series = byName ? static_cast<QAbstractBarSeries *>(new QHorizontalBarSeries)
                                            : new QBarSeries;
        series->append(set);
        auto *c = new QChart;
        c->addSeries(series);
        c->setTitle(QStringLiteral("%1 — %2").arg(viewName(), cboRegister->currentText()));
        c->legend()->hide();
        auto *nameAxis = new QBarCategoryAxis;
        nameAxis->append(names);
        nameAxis->setTruncateLabels(false); // "10" under a narrow bar, not "..."
        c->addAxis(nameAxis, byName ? Qt::AlignLeft : Qt::AlignBottom);
        series->attachAxis(nameAxis);
        // Returns may take a bar below 0.
        auto *y = new QValueAxis;
        y->setRange(double(least) / 100.0 * 1.1, double(std::max<qint64>(most, 100)) / 100.0 * 1.1);
        y->applyNiceNumbers();
        y->setLabelFormat(QStringLiteral("$%.0f"));
        c->addAxis(y, byName ? Qt::AlignBottom : Qt::AlignLeft);
        series->attachAxis(y);
        QChart *old = chart->chart();
        chart->setChart(c);
        delete old;
    });
}

void frmStoreView::cmdExport_Click()
{
    diag::run(kModule, "cmdExport_Click", [&] {
        const StoreQuery q = query();
        const QString period = q.view == StoreView::ByHour ? q.day.toString(Qt::ISODate) : q.day.toString(QStringLiteral("yyyy-MM"));
        const QString suggested = QDir(platform::userDataFolder())
                                      .filePath(QStringLiteral("sales-%1-%2.csv")
                                                    .arg(viewName().toLower().replace(QLatin1Char(' '), QLatin1Char('-')), period));
        const std::optional<QString> path =
            mPrompt.saveFile(QStringLiteral("Export CSV"), QStringLiteral("CSV files (*.csv)"), suggested);
        if (!path)
            return;
        QFile file(*path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)
            || file.write(tallyCsv(QString::fromLatin1(kNameHeadings[int(q.view)]),
                                  QString::fromLatin1(kCountHeadings[int(q.view)]), mShown).toUtf8()) < 0 || !file.flush()) {
            mPrompt.message(QStringLiteral("The figures could not be saved in %1: %2").arg(*path, file.errorString()),
                            platform::Buttons::Ok, platform::Icon::Exclamation, QStringLiteral("Export CSV"));
        }
    });
}

} // namespace vanta::dayend
