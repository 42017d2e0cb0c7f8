#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

namespace vanta::posting {

// The paper a document is laid out on.
struct PageSpec {
    QPageSize size{QPageSize::Letter};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{15, 15, 15, 15};
    // A roll: the page is as long as the content (receipts).
    bool fitHeight = false;
};

// A receipt or report ready for output: HTML for QTextDocument and its page.
struct RenderedDocument {
    QString title;
    QString html;
    PageSpec page;
};

} // namespace vanta::posting
