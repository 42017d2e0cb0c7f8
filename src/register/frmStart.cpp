#include "register/frmStart.h"

#include "diagnostics/ApplicationTitle.h"

#include <QCommandLinkButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vanta {

frmStart::frmStart(const QString &note, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(applicationTitle());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);

    auto *heading = new QLabel(QStringLiteral("Welcome to %1").arg(applicationTitle()), this);
    heading->setObjectName(QStringLiteral("lblWelcome"));
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    heading->setFont(big);
    layout->addWidget(heading);
    layout->addWidget(new QLabel(QStringLiteral("Choose the store this register sells from."), this));
    lblNote = new QLabel(note, this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    lblNote->setVisible(!note.isEmpty());
    layout->addWidget(lblNote);
    layout->addSpacing(8);

    cmdDemoStore = choiceButton("cmdDemoStore", QStringLiteral("Open the &demo store"),
                                QStringLiteral("Try the register on a sample store with items, customers and "
                                               "employees, made in your data folder."),
                                StartChoice::DemoStore);
    cmdNewStore = choiceButton("cmdNewStore", QStringLiteral("Create a &new store"),
                               QStringLiteral("An empty store in a folder you choose, ready for your own items."),
                               StartChoice::NewStore);
    cmdStoreFile = choiceButton("cmdStoreFile", QStringLiteral("Open a store &file"),
                                QStringLiteral("A store database (vanta.mdb) made before, on this computer or a "
                                               "drive."),
                                StartChoice::StoreFile);
    cmdSharedStore = choiceButton("cmdSharedStore", QStringLiteral("Connect to a &shared store"),
                                  QStringLiteral("A store on a PostgreSQL server that several registers sell "
                                                 "from."),
                                  StartChoice::SharedStore);
    for (QCommandLinkButton *b : {cmdDemoStore, cmdNewStore, cmdStoreFile, cmdSharedStore})
        layout->addWidget(b);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    cmdQuit = new QPushButton(QStringLiteral("&Quit"), this);
    cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    cmdQuit->setAutoDefault(false);
    connect(cmdQuit, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(cmdQuit);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    setMinimumWidth(480);
    cmdDemoStore->setFocus();
}

QCommandLinkButton *frmStart::choiceButton(const char *name, const QString &text, const QString &description,
                                           StartChoice choice)
{
    auto *b = new QCommandLinkButton(text, description, this);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleDescription(description);
    connect(b, &QCommandLinkButton::clicked, this, [this, choice] {
        mChoice = choice;
        accept();
    });
    return b;
}

} // namespace vanta
