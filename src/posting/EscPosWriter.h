#pragma once

#include <QByteArray>
#include <QString>

class QImage;

namespace vanta::posting {

// Builds an ESC/POS byte stream for a receipt printer: text in the printer's
// code page (see PrinterCodePage.h), alignment, bold and double height,
// raster images, paper feed, the cut and the cash drawer kick.
class EscPosWriter {
public:
    enum class Align : char { Left = 0, Center = 1, Right = 2 };

    // `columns`: characters on one line in the printer's standard font;
    // `dots`: dots on one line (the widest image).
    EscPosWriter(int columns, int dots) : mColumns(columns), mDots(dots) {}

    int columns() const { return mColumns; }

    // ESC @ (reset) and ESC t (the code page).
    EscPosWriter &initialize();
    EscPosWriter &align(Align a);
    EscPosWriter &bold(bool on);
    EscPosWriter &doubleHeight(bool on);
    // A line of text, cut to the line width.
    EscPosWriter &line(const QString &text);
    // Text over as many lines as it needs, broken between words.
    EscPosWriter &wrapped(const QString &text);
    // The label on the left, the value ending `rightMargin` characters before
    // the right edge; a label too long for both is cut.
    EscPosWriter &columnsLine(const QString &label, const QString &value, int rightMargin = 0);
    // A line of dashes across the paper.
    EscPosWriter &rule();
    EscPosWriter &feed(int lines);
    // Feeds the paper past the cutter and cuts (partial cut).
    EscPosWriter &cut();
    // ESC p: a pulse on the drawer kick connector (pin 2).
    EscPosWriter &drawerKick();
    // The image in black and white (GS v 0), scaled down to the paper's
    // width; transparent parts print white.
    EscPosWriter &image(const QImage &picture);
    // The printer's own Code 128 barcode (GS k, code set B) of printable
    // ASCII text, two dots to a module and 80 dots high, its text printed
    // under it; longer text than the command takes is cut.
    EscPosWriter &barcode128(const QString &text);

    const QByteArray &bytes() const { return mBytes; }

private:
    EscPosWriter &raw(std::initializer_list<int> bytes);

    int mColumns;
    int mDots;
    QByteArray mBytes;
};

// Characters and dots on one line for a paper width in mm (58 or 80), in the
// standard font (12 x 24 dots) at 203 dpi.
int escPosColumns(int paperMm);
int escPosDots(int paperMm);

} // namespace vanta::posting
