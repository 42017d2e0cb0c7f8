#pragma once

#include <QPointer>
#include <QString>

class QTextBrowser;
class QWidget;

namespace vanta::platform {

// Shows the program's help topics (HTML files in the "help" folder beside
// the program) in a help window of its own.
class HelpComponent {
public:
    // The folder holding the topics: "help" beside the program, or
    // share/vanta-pos/help of the installed tree.
    static QString helpFolder();

    // Shows a topic ("Point_of_Sale.htm"; the name matches in any case).
    void ShowTopic(const QString &topic);
    void ShowIndex() { ShowTopic(QStringLiteral("index.htm")); }
    QWidget *window() const;

private:
    QPointer<QTextBrowser> mBrowser;
};

} // namespace vanta::platform
