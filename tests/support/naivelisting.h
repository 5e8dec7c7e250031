#pragma once

#include <QByteArray>

#include <cstdio>

#include "bytemodel/bytebuffer.h"

/// The listing built the slow, obvious way: a string of spaces long enough for
/// every line, each byte written at its positions, trailing white space trimmed.
inline QByteArray naiveListing(const QByteArray& prefix, const ByteBuffer& bytes)
{
    const qint64 n = qint64(bytes.size());
    if (n == 0)
        return prefix + "\n0000000";
    const qint64 base = prefix.size() + 1;
    QByteArray text = prefix + QByteArray(qsizetype((n / 16) * 78 + 200), ' ');
    for (qint64 i = 0; i < n; ++i) {
        const qint64 lineStart = base + 77 * (i / 16);
        const int k = int(i % 16);
        const qint64 first = lineStart + 9 + 3 * k + (k >= 8 ? 1 : 0);
        char digits[16];
        if (k == 0) {
            text[first - 10] = '\n';
            std::snprintf(digits, sizeof digits, "%07X", unsigned(i / 16));
            text.replace(first - 9, 7, digits);
        }
        std::snprintf(digits, sizeof digits, "%02X", unsigned(bytes[std::size_t(i)]));
        text.replace(first, 2, digits);
        const std::uint8_t byte = bytes[std::size_t(i)];
        text[lineStart + 60 + k] = byte >= 0x20 && byte <= 0x7E ? char(byte) : '.';
    }
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\n'))
        text.chop(1);
    return text;
}

