#include "posting/EscPosWriter.h"

#include "posting/Code128.h"
#include "posting/PrinterCodePage.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace vanta::posting {

namespace {

constexpr int ESC = 0x1B;
constexpr int GS = 0x1D;
constexpr int LF = 0x0A;
// Rows of one raster block: printers with small buffers take tall images
// in bands.
constexpr int kBandRows = 128;
// The tallest logo printed, in dots (about 5 cm).
constexpr int kMaxImageRows = 400;

} // namespace

int escPosColumns(int paperMm)
{
    return paperMm <= 58 ? 32 : 48;
}

int escPosDots(int paperMm)
{
    return paperMm <= 58 ? 384 : 576;
}

EscPosWriter &EscPosWriter::raw(std::initializer_list<int> bytes)
{
    for (int b : bytes)
        mBytes += char(b);
    return *this;
}

EscPosWriter &EscPosWriter::initialize()
{
    return raw({ESC, '@', ESC, 't', PrinterCodePageNumber});
}

EscPosWriter &EscPosWriter::align(Align a)
{
    return raw({ESC, 'a', int(a)});
}

EscPosWriter &EscPosWriter::bold(bool on)
{
    return raw({ESC, 'E', on ? 1 : 0});
}

EscPosWriter &EscPosWriter::doubleHeight(bool on)
{
    return raw({GS, '!', on ? 0x01 : 0x00});
}

EscPosWriter &EscPosWriter::line(const QString &text)
{
    mBytes += toPrinterCodePage(text.left(mColumns));
    return raw({LF});
}

EscPosWriter &EscPosWriter::wrapped(const QString &text)
{
    QString current;
    for (const QString &word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QString rest = word;
        // A word longer than a line is broken where the line ends.
        while (!rest.isEmpty()) {
            const qsizetype room = current.isEmpty() ? mColumns : mColumns - current.size() - 1;
            if (rest.size() <= room) {
                current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + rest;
                rest.clear();
            } else if (current.isEmpty()) {
                line(rest.left(mColumns));
                rest = rest.mid(mColumns);
            } else {
                line(current);
                current.clear();
            }
        }
    }
    if (!current.isEmpty())
        line(current);
    return *this;
}

EscPosWriter &EscPosWriter::columnsLine(const QString &label, const QString &value, int rightMargin)
{
    const int valueWidth = int(std::min<qsizetype>(value.size(), mColumns - rightMargin));
    const int labelWidth = std::max(0, mColumns - rightMargin - valueWidth - 1);
    const QString left = label.left(labelWidth);
    const QString gap(mColumns - rightMargin - valueWidth - left.size(), QLatin1Char(' '));
    return line(left + gap + value.left(valueWidth) + QString(rightMargin, QLatin1Char(' ')));
}

EscPosWriter &EscPosWriter::rule()
{
    return line(QString(mColumns, QLatin1Char('-')));
}

EscPosWriter &EscPosWriter::feed(int lines)
{
    return raw({ESC, 'd', std::clamp(lines, 0, 255)});
}

EscPosWriter &EscPosWriter::cut()
{
    return raw({GS, 'V', 66, 0});
}

EscPosWriter &EscPosWriter::barcode128(const QString &text)
{
    // Code set B from the start; a long run of digits at the end in set C,
    // a byte to two digits.
    const Code128Parts parts = code128Parts(text);
    QByteArray data = "{B" + parts.setB.toLatin1();
    if (!parts.setC.isEmpty()) {
        data += "{C";
        for (qsizetype i = 0; i < parts.setC.size(); i += 2)
            data += char(parts.setC.mid(i, 2).toInt());
    }
    data = data.left(255);
    raw({GS, 'h', 80}).raw({GS, 'w', 2}).raw({GS, 'H', 2}).raw({GS, 'k', 73, int(data.size())});
    mBytes += data;
    return *this;
}

EscPosWriter &EscPosWriter::drawerKick()
{
    // Pin 2, on for 50 ms, off for 500 ms (units of 2 ms).
    return raw({ESC, 'p', 0, 25, 250});
}

EscPosWriter &EscPosWriter::image(const QImage &picture)
{
    if (picture.isNull())
        return *this;
    QImage img = picture;
    if (img.width() > mDots || img.height() > kMaxImageRows)
        img = img.scaled(std::min(img.width(), mDots), std::min(img.height(), kMaxImageRows), Qt::KeepAspectRatio,
                         Qt::SmoothTransformation);
    // Flatten onto white, then one bit a dot: dark dots print.
    QImage flat(img.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, img);
    }
    const int widthBytes = (flat.width() + 7) / 8;
    for (int top = 0; top < flat.height(); top += kBandRows) {
        const int rows = std::min(kBandRows, flat.height() - top);
        raw({GS, 'v', '0', 0, widthBytes & 0xFF, widthBytes >> 8, rows & 0xFF, rows >> 8});
        for (int y = top; y < top + rows; ++y) {
            const auto *pixels = reinterpret_cast<const QRgb *>(flat.constScanLine(y));
            for (int xb = 0; xb < widthBytes; ++xb) {
                int byte = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const int x = xb * 8 + bit;
                    if (x < flat.width() && qGray(pixels[x]) < 128)
                        byte |= 0x80 >> bit;
                }
                mBytes += char(byte);
            }
        }
    }
    return *this;
}

} // namespace vanta::posting
