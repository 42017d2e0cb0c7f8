#pragma once

#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <utility>
#include <vector>

namespace vanta::posting {

// The paper a document is laid out on.
struct PageSpec {
    QPageSize size{QPageSize::Letter};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{15, 15, 15, 15};
    // A roll: the page is as long as the content (receipts).
    bool fitHeight = false;
};

// A receipt or report ready for output: HTML for QTextDocument and its page,
// with the images the HTML names that are drawn rather than read from files.
struct RenderedDocument {
    QString title;
    QString html;
    PageSpec page;
    std::vector<std::pair<QString, QImage>> images;
};

} // namespace vanta::posting
