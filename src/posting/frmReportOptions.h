#pragma once

#include "posting/ReportSettings.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vanta::platform {
class ProfileFile;
}

namespace vanta {

// Report Options: where reports go and how their window shows, for the
// current employee. OK makes the choices the employee's report settings and,
// with "Set as Default" checked, stores them in Users.ini under the
// employee's name. OK stays disabled until something is changed.
class frmReportOptions : public QDialog {
    Q_OBJECT
public:
    // `settings`: the employee's settings in use; `users`: Users.ini.
    frmReportOptions(posting::ReportSettings &settings, platform::ProfileFile &users, const QString &employeeName,
                     QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void optDest_Click(int index);
    void optReportDisplay_Click(int index);
    void optWindowDisplay_Click(int index);
    void chkAlwaysOnTop_Click();
    void chkDefault_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

    posting::ReportSettings &mSettings;
    platform::ProfileFile &mUsers;
    QString mEmployeeName;
    // The dialog's values, one per frame.
    int miDestination = 0;
    int miReportDisplay = 0;
    int miWindowDisplay = 0;

    QGroupBox *fraDestination;
    QGroupBox *fraReportDisplay;
    QGroupBox *fraWindowDisplay;
    QGroupBox *fraOptions;
    std::array<QRadioButton *, 2> optDest{};
    std::array<QRadioButton *, 3> optReportDisplay{};
    std::array<QRadioButton *, 2> optWindowDisplay{};
    QCheckBox *chkAlwaysOnTop;
    QCheckBox *chkDefault;
    QPushButton *cmdOk;
    QPushButton *cmdCancel;
};

} // namespace vanta
