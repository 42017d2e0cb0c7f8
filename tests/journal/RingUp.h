#pragma once

#include "register/POSItem.h"
#include "register/frmPOS.h"
#include "sale/clsSaleItems.h"
#include "storegen/DemoStore.h"
#include "support/ScriptedDialogRunner.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <random>

namespace vanta::test::ringup {

// A sale rung up on the demo store as a cashier would, one change at a
// time: scans, a variant, quantities, discounts, tax-exempt marks, price
// edits, customer, pay type, shipping and removals, drawn from a seed. The
// same seed rings up the same sale. Questions take the prompt's default
// answer (Yes: add beyond the stock, remove the line).
class RingUp {
public:
    RingUp(frmPOS &pos, const sale::clsSaleItems &items, ScriptedDialogRunner &dialogs, unsigned seed)
        : mPos(pos), mItems(items), mDialogs(dialogs), mRng(seed)
    {
    }

    // Makes the next change of the sale, and lets the register handle what
    // it queued (as its event loop would before the screen shows the
    // change); returns what it was.
    QString step()
    {
        const QString what = change();
        QApplication::processEvents();
        return what;
    }

private:
    QString change()
    {
        const int rows = std::min<int>(mItems.Count(), frmPOS::RowCount);
        const int kind = rows == 0 ? 0 : pick(12);
        const int row = rows == 0 ? 0 : pick(rows);
        switch (kind) {
        case 0:
        case 1:
        case 2: {
            static const QStringList codes{"073256120013", "073256120037", "044105008110", "VCSGLOVE01",
                                           "GIFTCARD25",   "1002",         "1005",         "1007"};
            const QString code = codes[pick(int(codes.size()))];
            scan(code);
            return "scan " + code;
        }
        case 3:
            mPos.Add_Item(sale::Good::variant(storegen::demo::FirstVariant));
            return "variant";
        case 4:
            retype(row, "txtQty", QString::number(1 + pick(12)));
            return "quantity";
        case 5:
            retype(row, "txtDisc", QString::number(pick(6) * 5));
            return "discount";
        case 6:
            QTest::mouseClick(mPos.row(row)->findChild<QCheckBox *>("chk1"), Qt::LeftButton);
            return "tax exempt";
        case 7:
            editPrice(row, QString::number(1 + pick(4000)) + ".25");
            return "price";
        case 8: {
            QComboBox *customers = mPos.findChild<QComboBox *>("cmbCustomers");
            customers->setCurrentIndex(pick(std::min(customers->count(), 6)));
            return "customer";
        }
        case 9: {
            QComboBox *payTypes = mPos.findChild<QComboBox *>("cmbPayType");
            payTypes->setCurrentIndex(pick(payTypes->count()));
            return "pay type";
        }
        case 10:
            shipping();
            return "shipping";
        default:
            if (rows < 3)
                return change();
            mPos.row(row)->findChild<QLineEdit *>("txtQty")->setFocus();
            QApplication::processEvents();
            QTest::mouseClick(mPos.findChild<QPushButton *>("cmdRemove"), Qt::LeftButton);
            return "remove";
        }
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(mRng); }

    void scan(const QString &code)
    {
        QWindow *w = mPos.windowHandle();
        QTest::keyClick(w, Qt::Key_BracketRight, Qt::ControlModifier);
        for (QChar c : code)
            QTest::keyClick(w, c.toLatin1());
        QTest::keyClick(w, Qt::Key_Backslash, Qt::ControlModifier);
    }

    void retype(int row, const char *field, const QString &text)
    {
        QLineEdit *box = mPos.row(row)->findChild<QLineEdit *>(field);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        mPos.findChild<QComboBox *>("cmbCustomers")->setFocus(); // leaving the field completes the edit
    }

    void editPrice(int row, const QString &price)
    {
        mDialogs.then([price](QDialog &dlg) {
            dlg.findChild<QLineEdit *>("txtPrice")->setText(price);
            QTest::mouseClick(dlg.findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
            return dlg.result();
        });
        QTest::mouseDClick(mPos.row(row)->findChild<QLineEdit *>("txtPrice"), Qt::LeftButton);
    }

    void shipping()
    {
        QPushButton *button = mPos.findChild<QPushButton *>("cmdShipping");
        if (!button->isEnabled())
            return;
        const QString level = QStringLiteral("optship%1").arg(pick(3));
        mDialogs.then([level](QDialog &dlg) {
            QRadioButton *b = dlg.findChild<QRadioButton *>(level);
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
            QTest::mouseClick(dlg.findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
            return dlg.result();
        });
        QTest::mouseClick(button, Qt::LeftButton);
    }

    frmPOS &mPos;
    const sale::clsSaleItems &mItems;
    ScriptedDialogRunner &mDialogs;
    std::mt19937 mRng;
};

} // namespace vanta::test::ringup
