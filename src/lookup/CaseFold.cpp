#include "lookup/CaseFold.h"

#include <QString>
#include <algorithm>

namespace vanta::lookup {

void appendFolded(std::string &out, std::string_view utf8)
{
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return (unsigned char)c < 0x80; });
    if (ascii) {
        for (char c : utf8)
            out.push_back(c >= 'A' && c <= 'Z' ? char(c + 32) : c);
        return;
    }
    const QByteArray folded = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))
                                  .normalized(QString::NormalizationForm_C)
                                  .toCaseFolded()
                                  .toUtf8();
    out.append(folded.constData(), size_t(folded.size()));
}

} // namespace vanta::lookup
