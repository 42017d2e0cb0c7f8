#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>

namespace vanta::fuzz {

// The fuzzer's bytes as the text a file or a keyboard would give (UTF-8;
// invalid sequences become replacement characters, as when a file is read).
inline QString text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Stops the run with a message when a property of the parser does not hold:
// libFuzzer keeps the input that did it.
inline void require(bool holds, const char *what, const QString &input)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\ninput: %s\n", what, input.toUtf8().constData());
    std::abort();
}

} // namespace vanta::fuzz
