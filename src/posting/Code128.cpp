#include "posting/Code128.h"

#include <QImage>
#include <QPainter>
#include <array>

namespace vanta::posting {

namespace {

// The bar and space widths of symbol values 0 to 105 (bar first), from the
// symbology's table; the stop character is apart.
constexpr std::array<const char *, 106> kPatterns = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213", // 0
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132", // 10
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211", // 20
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313", // 30
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331", // 40
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111", // 50
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214", // 60
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", // 70
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141", // 80
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141", // 90
    "114131", "311141", "411131", "211412", "211214", "211232",                                         // 100
};
constexpr const char *kStop = "2331112";
constexpr int kStartB = 104;
constexpr int kCodeC = 99; // switches to code set C
constexpr int kQuietModules = 10;

void append(std::vector<int> &widths, const char *pattern)
{
    for (const char *p = pattern; *p; ++p)
        widths.push_back(*p - '0');
}

} // namespace

Code128Parts code128Parts(const QString &text)
{
    Code128Parts parts;
    for (const QChar c : text)
        if (c.unicode() >= 32 && c.unicode() < 127)
            parts.setB += c;
    qsizetype digits = 0;
    while (digits < parts.setB.size() && parts.setB.at(parts.setB.size() - 1 - digits).isDigit())
        ++digits;
    digits -= digits % 2;
    if (digits >= 4) {
        parts.setC = parts.setB.right(digits);
        parts.setB.chop(digits);
    }
    return parts;
}

std::vector<int> code128Widths(const QString &text)
{
    const Code128Parts parts = code128Parts(text);
    std::vector<int> values;
    for (const QChar c : parts.setB)
        values.push_back(c.unicode() - 32);
    if (!parts.setC.isEmpty()) {
        values.push_back(kCodeC);
        for (qsizetype i = 0; i < parts.setC.size(); i += 2)
            values.push_back(parts.setC.mid(i, 2).toInt());
    }
    std::vector<int> widths;
    append(widths, kPatterns[kStartB]);
    int checksum = kStartB;
    int position = 1;
    for (const int value : values) {
        append(widths, kPatterns[size_t(value)]);
        checksum += position++ * value;
    }
    append(widths, kPatterns[size_t(checksum % 103)]);
    append(widths, kStop);
    return widths;
}

QImage code128Image(const QString &text, int module, int height)
{
    const std::vector<int> widths = code128Widths(text);
    int modules = 2 * kQuietModules;
    for (int w : widths)
        modules += w;
    QImage image(modules * module, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    int x = kQuietModules * module;
    bool bar = true;
    for (int w : widths) {
        if (bar)
            painter.fillRect(x, 0, w * module, height, Qt::black);
        x += w * module;
        bar = !bar;
    }
    return image;
}

} // namespace vanta::posting
