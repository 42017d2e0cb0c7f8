#pragma once

#include <QDialog>

class QCommandLinkButton;
class QLabel;
class QPushButton;

namespace vanta {

// What the start window was asked for.
enum class StartChoice { None, DemoStore, NewStore, StoreFile, SharedStore };

// The start window, shown when the register has no store to open: the demo
// store, a new empty store, a store file made before, or a shared store on
// a server. A choice closes it as accepted; Quit rejects it.
class frmStart : public QDialog {
    Q_OBJECT
public:
    // `note`: why it is shown (a store that was set but is gone); may be empty.
    explicit frmStart(const QString &note, QWidget *parent = nullptr);

    StartChoice choice() const { return mChoice; }

    QCommandLinkButton *cmdDemoStore;
    QCommandLinkButton *cmdNewStore;
    QCommandLinkButton *cmdStoreFile;
    QCommandLinkButton *cmdSharedStore;
    QPushButton *cmdQuit;
    QLabel *lblNote;

private:
    QCommandLinkButton *choiceButton(const char *name, const QString &text, const QString &description,
                                     StartChoice choice);

    StartChoice mChoice = StartChoice::None;
};

} // namespace vanta
