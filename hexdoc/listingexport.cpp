#include "hexdoc/listingexport.h"

#include <QByteArray>

#include <algorithm>

namespace {
// Whole listing lines of 77 characters, about 4 MiB.
constexpr TextPos kChunkLength = 77 * 56 * 1024;
}  // namespace

bool writeListing(const TextSource& text, const std::function<bool(const char*, std::size_t)>& sink)
{
    const TextPos length = text.length();
    QByteArray chunk;
    chunk.reserve(qsizetype(std::min(length, kChunkLength)));
    for (TextPos from = 0; from < length; from += kChunkLength) {
        chunk.resize(0);
        text.appendText(from, std::min(length, from + kChunkLength), chunk);
        if (!sink(chunk.constData(), std::size_t(chunk.size())))
            return false;
    }
    return true;
}
