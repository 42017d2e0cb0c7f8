#pragma once

#include "posting/RenderedDocument.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace vanta::posting {

// What a layout is filled with: named fields and the rows of the sale's
// lines (each row a set of fields of its own, all rows with the same names).
struct ReportData {
    QHash<QString, QString> fields;
    QStringList lineFields;
    QList<QHash<QString, QString>> lines;
};

// A report layout ("*.rpt"): HTML with placeholders, after an optional head
// comment giving the title and the page:
//
//   <!--vanta-layout
//   title: Invoice
//   page: Letter            (Letter, Legal, A4 or A5)
//   orientation: portrait   (portrait or landscape)
//   margins: 15             (millimetres: one value, or top right bottom left)
//   -->
//
// In the HTML, {{Name}} is replaced by the field's text (HTML-escaped, line
// breaks kept); {{#Lines}}...{{/Lines}} repeats its content for every sale
// line, where the line's own fields can be used too; {{?Name}}...{{/Name}}
// keeps its content only when the field is not empty and {{^Name}}...{{/Name}}
// only when it is. A name the data does not have, or a section left open,
// is an error, so a mistyped layout fails loudly instead of printing gaps.
class ReportLayout {
public:
    // Throws VantaError when the file cannot be read or is not a layout.
    static ReportLayout load(const QString &path);
    // `name` names the layout in error messages.
    static ReportLayout parse(const QString &text, const QString &name);

    const QString &title() const { return mTitle; }
    const PageSpec &page() const { return mPage; }

    // The HTML for the data; throws VantaError for names the data lacks.
    QString fill(const ReportData &data) const;

private:
    struct Node {
        enum Kind { Text, Field, Lines, IfSet, IfEmpty } kind = Text;
        QString text; // the text, or the field name
        std::vector<Node> children;
    };

    void parseHead(const QString &head);
    void parseBody(const QString &body);
    void check(const std::vector<Node> &nodes, const ReportData &data, bool inLines) const;
    void render(const std::vector<Node> &nodes, const ReportData &data, const QHash<QString, QString> *line,
                QString &out) const;
    [[noreturn]] void fail(const QString &what) const;

    QString mName;
    QString mTitle;
    PageSpec mPage;
    std::vector<Node> mNodes;
};

} // namespace vanta::posting
