#include "posting/PrinterCodePage.h"

#include <QList>
#include <array>

namespace vanta::posting {

namespace {

// Bytes 0x80..0x9F of the page: the characters Latin-1 has not there (0 where
// the page has none).
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toByte(char32_t c)
{
    if (c >= 0x20 && c < 0x7F)
        return char(c);
    if (c >= 0xA0 && c <= 0xFF)
        return char(c);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == c)
            return char(0x80 + i);
    return '?';
}

} // namespace

QByteArray toPrinterCodePage(const QString &text)
{
    QByteArray out;
    const QString composed = text.normalized(QString::NormalizationForm_C);
    out.reserve(composed.size());
    for (char32_t c : composed.toUcs4())
        out += toByte(c);
    return out;
}

} // namespace vanta::posting
