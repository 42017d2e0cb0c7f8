#include "lookup/frmOptions.h"

#include "db/Lookups.h"
#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "platform_ui/AccessibleNames.h"
#include "platform_ui/ButtonRow.h"
#include "platform/Currency.h"
#include "platform/Prompt.h"
#include "sale/StockCheck.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

namespace vanta::lookup {

namespace {
const char *const kModule = "frmOptions";
const QString kTitle = QStringLiteral("Vanta! POS");

template <typename W>
W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}

// "Red +($1.00)" for a charge of 0 or more, "Blaze Orange -($1.50)" below 0.
QString entryText(const QString &value, float charge)
{
    if (charge >= 0)
        return value + QStringLiteral(" +(") + formatCurrency(charge) + QLatin1Char(')');
    return value + QStringLiteral(" -") + formatCurrency(charge);
}
} // namespace

frmOptions::frmOptions(db::Store &store, platform::Prompt &prompt, AddItemFn addItem, QWidget *parent)
    : QDialog(parent), mStore(store), mPrompt(prompt), mAddItem(std::move(addItem)),
      fraOptions(named(new QGroupBox(this), QStringLiteral("fraOptions"))),
      lblPart(named(new QLabel(QStringLiteral("Root Item: "), fraOptions), QStringLiteral("lblPart"))),
      lblQty(named(new QLabel(QStringLiteral("QTY: 0"), fraOptions), QStringLiteral("lblQty"))),
      lblPrice(named(new QLabel(QStringLiteral("Price: $0.00"), fraOptions), QStringLiteral("lblPrice"))),
      lblDesc(named(new QLabel(fraOptions), QStringLiteral("lblDesc"))),
      cmdOK(named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"))),
      cmdCancel(named(new QPushButton(QStringLiteral("Cancel"), this), QStringLiteral("cmdCancel")))
{
    setWindowTitle(QStringLiteral("Select options"));
    auto *grid = new QGridLayout(fraOptions);
    grid->addWidget(lblPart, 0, 0, 1, 2);
    for (int k = 0; k < 3; ++k) {
        lblOption[size_t(k)] = named(new QLabel(fraOptions), QStringLiteral("lblOption%1").arg(k));
        cmbOption[size_t(k)] = named(new QComboBox(fraOptions), QStringLiteral("cmbOption%1").arg(k));
        cmbOption[size_t(k)]->setMinimumWidth(220);
        grid->addWidget(lblOption[size_t(k)], k + 1, 0);
        grid->addWidget(cmbOption[size_t(k)], k + 1, 1);
        connect(cmbOption[size_t(k)], &QComboBox::activated, this, [this, k] { cmbOption_Click(k); });
    }
    grid->addWidget(lblQty, 4, 0);
    grid->addWidget(lblPrice, 4, 1);
    grid->addWidget(lblDesc, 5, 0, 1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraOptions);
    QHBoxLayout *buttons = platform::buttonRow({cmdOK, cmdCancel});
    layout->addLayout(buttons);
    cmdOK->setDefault(true);

    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { mHelp.ShowTopic(QStringLiteral("Point_of_Sale.htm")); });
    platform::nameFields(this); // fields found by what they are
}

void frmOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && !mLoaded) {
        mLoaded = true;
        FillOptionCombos(ItemID);
        if (cmbOption[0]->isVisible())
            cmbOption[0]->setFocus();
    }
}

void frmOptions::HideOptions()
{
    for (int k = 0; k < 3; ++k) {
        lblOption[size_t(k)]->hide();
        cmbOption[size_t(k)]->hide();
        cmbOption[size_t(k)]->clear();
        mCharges[size_t(k)].clear();
    }
}

void frmOptions::FillOptionCombos(qint32 item)
{
    diag::run(kModule, "FillOptionCombos", [&] {
        HideOptions();
        const db::Database &db = mStore.database();
        db::Recordset items = db.openTable(QStringLiteral("Items"));
        items.setIndex(QStringLiteral("Item Index"));
        if (items.seek(item)) {
            mItemName = items.text(QStringLiteral("Name"));
            lblPart->setText(QStringLiteral("Root Item: ") + mItemName);
            setWindowTitle(QStringLiteral("Select options for ") + mItemName);
        }
        db::Recordset attributes = db.openQuery(
            QStringLiteral("SELECT * FROM \"Attributes\" WHERE \"ItemID\" = ? ORDER BY rowid"), {item});
        int k = 0;
        // Only three lists exist: further attributes are not offered.
        for (; !attributes.eof() && k < 3; attributes.moveNext()) {
            const qint32 attribute = db::asLong(attributes.field(QStringLiteral("AttributeID")));
            if (!db::AttributeHasValues(mStore, attribute))
                continue;
            lblOption[size_t(k)]->setText(attributes.text(QStringLiteral("Name")));
            QComboBox *list = cmbOption[size_t(k)];
            db::Recordset values = db.openQuery(
                QStringLiteral("SELECT * FROM \"Values\" WHERE \"AttributeID\" = ? ORDER BY \"Value\""), {attribute});
            for (; !values.eof(); values.moveNext()) {
                const float charge = db::asSingle(values.field(QStringLiteral("additionalcharge")));
                list->addItem(entryText(values.text(QStringLiteral("Value")), charge),
                              db::asLong(values.field(QStringLiteral("ValueID"))));
                mCharges[size_t(k)].push_back(charge);
            }
            list->addItem(QStringLiteral("None +($0.00)"), 0);
            mCharges[size_t(k)].push_back(0);
            list->setCurrentIndex(-1);
            lblOption[size_t(k)]->show();
            list->show();
            ++k;
        }
        GetSubitemQTY();
    });
}

qint32 frmOptions::chosenValue(int k) const
{
    const QComboBox *list = cmbOption[size_t(k)];
    return list->isVisibleTo(this) && list->currentIndex() >= 0 ? list->currentData().toInt() : 0;
}

bool frmOptions::OptionsSelected()
{
    return diag::run(kModule, "OptionsSelected", false, [&] {
        for (QComboBox *list : cmbOption)
            if (list->isVisibleTo(this) && list->currentIndex() < 0) {
                list->setFocus();
                return false;
            }
        return true;
    });
}

qint32 frmOptions::GetSubitemID()
{
    return diag::run(kModule, "GetSubitemID", qint32(0), [&] {
        if (!mChoosing)
            for (QComboBox *list : cmbOption)
                if (list->isVisibleTo(this) && list->currentIndex() < 0) {
                    mPrompt.message(QStringLiteral("You must select a value for each option for the selected item."),
                                    platform::Buttons::Ok, platform::Icon::Information, kTitle);
                    list->setFocus();
                    return qint32(0);
                }
        db::Recordset rs = mStore.database().openQuery(
            QStringLiteral("SELECT \"SubItemID\" FROM \"Subitems\" WHERE \"ItemID\" = ? AND \"valueid1\" = ? "
                           "AND \"valueid2\" = ? AND \"valueid3\" = ? ORDER BY rowid"),
            {ItemID, chosenValue(0), chosenValue(1), chosenValue(2)});
        return rs.eof() ? qint32(0) : db::asLong(rs.field(0));
    });
}

void frmOptions::GetSubitemQTY()
{
    diag::run(kModule, "GetSubitemQTY", [&] {
        const bool wasChoosing = mChoosing;
        mChoosing = true; // an incomplete choice simply shows no stock
        const qint32 s = GetSubitemID();
        mChoosing = wasChoosing;
        QString qty = QStringLiteral("0");
        if (s >= 1) {
            db::Recordset rs = mStore.database().openTable(QStringLiteral("Subitems"));
            rs.setIndex(QStringLiteral("SubItemID"));
            if (rs.seek(s))
                qty = formatPlain(db::asDouble(rs.field(QStringLiteral("quantity"))));
        }
        lblQty->setText(QStringLiteral("QTY: ") + qty);
        double price = double(BasePrice);
        for (int k = 0; k < 3; ++k) {
            const QComboBox *list = cmbOption[size_t(k)];
            if (list->isVisibleTo(this) && list->currentIndex() >= 0)
                price += double(mCharges[size_t(k)][size_t(list->currentIndex())]);
        }
        lblPrice->setText(QStringLiteral("Price: ") + (price <= 0 ? QStringLiteral("$0.00") : formatCurrency(price)));
    });
}

void frmOptions::cmbOption_Click(int)
{
    diag::run(kModule, "cmbOption_Click", [&] {
        mChoosing = true;
        GetSubitemQTY();
        mChoosing = false;
    });
}

void frmOptions::cmdOK_Click()
{
    diag::run(kModule, "cmdOK_Click", [&] {
        if (!OptionsSelected()) {
            mPrompt.message(QStringLiteral("You must select a value for each option."), platform::Buttons::Ok,
                            platform::Icon::Information, kTitle);
            return;
        }
        if (sale::CheckQTY(mStore, ItemID)) {
            const qint32 s = GetSubitemID();
            if (s < 1) {
                mPrompt.message(QStringLiteral("There are no items with the selected options."),
                                platform::Buttons::Ok, platform::Icon::Information, kTitle);
                return;
            }
            mAddItem(sale::Good::variant(s));
        } else {
            mAddItem(sale::Good::item(ItemID, {chosenValue(0), chosenValue(1), chosenValue(2)}));
        }
        accept();
    });
}

// Escape and the close box ask the same question as Cancel.
void frmOptions::reject() { cmdCancel_Click(); }

void frmOptions::cmdCancel_Click()
{
    diag::run(kModule, "cmdCancel_Click", [&] {
        if (mPrompt.message(QStringLiteral("Are you sure that you want to proceed without adding - ") + mItemName,
                            platform::Buttons::YesNo, platform::Icon::None, QStringLiteral("Vanta!POS"))
            == platform::Answer::Yes)
            done(QDialog::Rejected);
    });
}

} // namespace vanta::lookup
