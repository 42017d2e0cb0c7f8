#include "posting/frmReportOptions.h"

#include "diagnostics/Trace.h"
#include "platform_ui/ButtonRow.h"
#include "platform/ProfileFile.h"
#include "posting/ReportSettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace vanta {

namespace {

const char *const kModule = "frmReportOptions";

QGroupBox *frame(const QString &title, const char *name, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    new QVBoxLayout(box);
    return box;
}

// One option of a frame's group, named after the group and its index
// (optDest0, optDest1, ...).
template <size_t N>
void addOptions(std::array<QRadioButton *, N> &options, QGroupBox *box, const char *name,
                const std::array<const char *, N> &captions)
{
    for (size_t i = 0; i < N; ++i) {
        options[i] = new QRadioButton(QString::fromUtf8(captions[i]), box);
        options[i]->setObjectName(QLatin1String(name) + QString::number(i));
        box->layout()->addWidget(options[i]);
    }
}

QCheckBox *checkBox(const QString &caption, const char *name, QGroupBox *box)
{
    auto *c = new QCheckBox(caption, box);
    c->setObjectName(QLatin1String(name));
    box->layout()->addWidget(c);
    return c;
}

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

frmReportOptions::frmReportOptions(posting::ReportSettings &settings, platform::ProfileFile &users,
                                   const QString &employeeName, QWidget *parent)
    : QDialog(parent), mSettings(settings), mUsers(users), mEmployeeName(employeeName),
      fraDestination(frame(QStringLiteral("Destination"), "fraDestination", this)),
      fraReportDisplay(frame(QStringLiteral("Report Display"), "fraReportDisplay", this)),
      fraWindowDisplay(frame(QStringLiteral("Window Display"), "fraWindowDisplay", this)),
      fraOptions(frame(QStringLiteral("Options"), "fraOptions", this)),
      chkAlwaysOnTop(nullptr), chkDefault(nullptr),
      cmdOk(button(QStringLiteral("&Ok"), "cmdOk", this)),
      cmdCancel(button(QStringLiteral("&Cancel"), "cmdCancel", this))
{
    setWindowTitle(QStringLiteral("Report Options"));

    addOptions<2>(optDest, fraDestination, "optDest", {"Display on Screen", "Print to Printer"});
    addOptions<3>(optReportDisplay, fraReportDisplay, "optReportDisplay", {"Normal", "Minimized", "Maximized"});
    addOptions<2>(optWindowDisplay, fraWindowDisplay, "optWindowDisplay", {"Normal", "Minimized"});
    chkAlwaysOnTop = checkBox(QStringLiteral("Always on Top"), "chkAlwaysOnTop", fraWindowDisplay);
    chkDefault = checkBox(QStringLiteral("Set as Default"), "chkDefault", fraOptions);
    chkDefault->setToolTip(QStringLiteral("Use these settings next time you log on"));

    // Options sit at the top of frames that are taller than they need.
    for (QGroupBox *box : {fraDestination, fraReportDisplay, fraWindowDisplay, fraOptions})
        static_cast<QVBoxLayout *>(box->layout())->addStretch();

    auto *grid = new QGridLayout(this);
    grid->addWidget(fraDestination, 0, 0);
    grid->addWidget(fraReportDisplay, 0, 1);
    grid->addWidget(fraWindowDisplay, 1, 0);
    grid->addWidget(fraOptions, 1, 1);
    QHBoxLayout *buttons = platform::buttonRow({cmdOk, cmdCancel});
    grid->addLayout(buttons, 2, 0, 1, 2);

    for (int i = 0; i < int(optDest.size()); ++i)
        connect(optDest[i], &QRadioButton::clicked, this, [this, i] { optDest_Click(i); });
    for (int i = 0; i < int(optReportDisplay.size()); ++i)
        connect(optReportDisplay[i], &QRadioButton::clicked, this, [this, i] { optReportDisplay_Click(i); });
    for (int i = 0; i < int(optWindowDisplay.size()); ++i)
        connect(optWindowDisplay[i], &QRadioButton::clicked, this, [this, i] { optWindowDisplay_Click(i); });
    connect(chkAlwaysOnTop, &QCheckBox::clicked, this, &frmReportOptions::chkAlwaysOnTop_Click);
    connect(chkDefault, &QCheckBox::clicked, this, &frmReportOptions::chkDefault_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmReportOptions::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmReportOptions::cmdCancel_Click);

    Form_Load();
}

void frmReportOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        cmdCancel->setFocus(Qt::OtherFocusReason);
}

void frmReportOptions::Form_Load()
{
    diag::run(kModule, "Form_Load", [&] {
        const posting::ReportSettings &s = mSettings;
        miDestination = s.destination;
        miReportDisplay = s.reportDisplay;
        miWindowDisplay = s.windowDisplay;
        // A stored value outside a frame's range selects none of its options.
        auto select = [](auto &options, int value) {
            if (value >= 0 && value < int(options.size()))
                options[size_t(value)]->setChecked(true);
        };
        select(optDest, s.destination);
        select(optReportDisplay, s.reportDisplay);
        select(optWindowDisplay, s.windowDisplay);
        chkAlwaysOnTop->setChecked(s.alwaysOnTop);
        cmdOk->setEnabled(false);
    });
}

void frmReportOptions::optDest_Click(int index)
{
    diag::run(kModule, "optDest_Click", [&] {
        miDestination = index;
        cmdOk->setEnabled(true);
    });
}

void frmReportOptions::optReportDisplay_Click(int index)
{
    diag::run(kModule, "optReportDisplay_Click", [&] {
        miReportDisplay = index;
        cmdOk->setEnabled(true);
    });
}

void frmReportOptions::optWindowDisplay_Click(int index)
{
    diag::run(kModule, "optWindowDisplay_Click", [&] {
        miWindowDisplay = index;
        cmdOk->setEnabled(true);
    });
}

void frmReportOptions::chkAlwaysOnTop_Click()
{
    diag::run(kModule, "chkAlwaysOnTop_Click", [&] { cmdOk->setEnabled(true); });
}

void frmReportOptions::chkDefault_Click()
{
    diag::run(kModule, "chkDefault_Click", [&] { cmdOk->setEnabled(true); });
}

void frmReportOptions::cmdOk_Click()
{
    diag::run(kModule, "cmdOk_Click", [&] {
        posting::ReportSettings s;
        s.destination = miDestination;
        s.reportDisplay = miReportDisplay;
        s.windowDisplay = miWindowDisplay;
        s.alwaysOnTop = chkAlwaysOnTop->isChecked();
        if (chkDefault->isChecked())
            posting::SaveReportSettings(mUsers, mEmployeeName, s);
        mSettings = s;
        accept();
    });
}

void frmReportOptions::cmdCancel_Click()
{
    diag::run(kModule, "cmdCancel_Click", [&] { reject(); });
}

} // namespace vanta
