#include "posting/DocumentOutput.h"

#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/VantaError.h"
#include "posting/PrinterError.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>

namespace vanta::posting {

namespace {

const QString kSource = QStringLiteral("Vanta printing");

void setPage(QPagedPaintDevice &device, const QPageSize &size, const PageSpec &page)
{
    const QPageLayout layout(size, page.orientation, page.marginsMm, QPageLayout::Millimeter);
    if (!device.setPageLayout(layout)) {
        // A printer that refuses the size keeps its own paper; the margins
        // still apply.
        device.setPageMargins(page.marginsMm, QPageLayout::Millimeter);
    }
}

// A roll as long as the laid-out content, plus its margins.
void fitRollToContent(QTextDocument &text, QPagedPaintDevice &device, const PageSpec &page)
{
    text.setTextWidth(device.width());
    const double contentMm = text.size().height() * 25.4 / device.logicalDpiY();
    const double widthMm = page.size.size(QPageSize::Millimeter).width();
    const double heightMm = contentMm + page.marginsMm.top() + page.marginsMm.bottom() + 2.0;
    setPage(device, QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter, page.size.name()), page);
}

// "Invoice 1234 - page 2 of 3" in the bottom margin, under the text's right edge.
void drawPageNumber(QPainter &painter, const QPagedPaintDevice &device, const QString &title, const QSizeF &page,
                    int number, int pages)
{
    const double mm = device.logicalDpiY() / 25.4;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(7);
    painter.setFont(font);
    painter.setPen(Qt::darkGray);
    painter.drawText(QRectF(0, page.height() + 3 * mm, page.width(), 6 * mm), Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("%1 - page %2 of %3").arg(title).arg(number).arg(pages));
}

} // namespace

void paintDocument(const RenderedDocument &doc, QPagedPaintDevice &device)
{
    setPage(device, doc.page.size, doc.page);

    QTextDocument text;
    text.documentLayout()->setPaintDevice(&device);
    text.setDocumentMargin(0);
    for (const auto &[name, image] : doc.images)
        text.addResource(QTextDocument::ImageResource, QUrl(name), image);
    text.setHtml(doc.html);
    if (doc.page.fitHeight)
        fitRollToContent(text, device, doc.page);
    const QSizeF page(device.width(), device.height());
    text.setPageSize(page);

    QPainter painter;
    if (!painter.begin(&device))
        throw VantaError(482, QStringLiteral("\"%1\" could not be printed: the printer or file cannot be written to.")
                                  .arg(doc.title),
                         kSource);
    const int pages = text.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            device.newPage();
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        text.documentLayout()->draw(&painter, context);
        painter.restore();
        if (pages > 1)
            drawPageNumber(painter, device, doc.title, page, i + 1, pages);
    }
    painter.end();
}

void writePdf(const RenderedDocument &doc, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw VantaError(75, QStringLiteral("The file %1 cannot be written: %2").arg(path, file.errorString()),
                         kSource);
    {
        QPdfWriter writer(&file);
        writer.setTitle(doc.title);
        writer.setCreator(applicationTitle());
        paintDocument(doc, writer);
    }
    if (!file.commit())
        throw VantaError(75, QStringLiteral("The file %1 cannot be written: %2").arg(path, file.errorString()),
                         kSource);
}

void printOnDefaultPrinter(const RenderedDocument &doc)
{
    QPrinter printer(QPrinter::HighResolution);
    if (printer.printerName().isEmpty() || !printer.isValid())
        throw PrinterError(QStringLiteral("\"%1\" could not be printed: no printer is installed.").arg(doc.title));
    printer.setDocName(doc.title);
    paintDocument(doc, printer);
}

} // namespace vanta::posting
