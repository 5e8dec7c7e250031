#include "hexdoc/hexlistingtext.h"
#include "hexdoc/hexvaluesparser.h"
#include "hexdoc/listingexport.h"
#include "hexdoc/listingprefixes.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

constexpr std::size_t kSize = std::size_t(64) << 20;
constexpr std::size_t kImportChunk = std::size_t(4) << 20;

ByteBuffer randomBytes(std::size_t size)
{
    std::mt19937 random(1);
    ByteBuffer bytes(size);
    for (auto& byte : bytes)
        byte = std::uint8_t(random());
    return bytes;
}

/// The listing of 64 MiB streamed to a sink that only looks at it, as Export does minus the disk.
void BM_WriteListing(benchmark::State& state)
{
    ByteModel bytes;
    bytes.assign(randomBytes(kSize));
    const HexListingText listing(ListingPrefix::plainView(), bytes);
    for (auto _ : state) {
        std::size_t written = 0;
        writeListing(listing, [&written](const char* data, std::size_t size) {
            benchmark::DoNotOptimize(data);
            written += size;
            return true;
        });
        benchmark::DoNotOptimize(written);
    }
    state.SetBytesProcessed(qint64(state.iterations()) * qint64(kSize));
    state.counters["text_bytes"] = double(listing.length());
}
BENCHMARK(BM_WriteListing)->Unit(benchmark::kMillisecond);

/// 64 MiB of text as a dump tool writes it: "41 42 ..." with 16 pairs a line.
std::string regularHexText(std::size_t size)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::mt19937 random(2);
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; text.size() + 3 <= size; ++i) {
        const unsigned value = random() & 0xFF;
        text += kDigits[value >> 4];
        text += kDigits[value & 0xF];
        text += i % 16 == 15 ? '\n' : ' ';
    }
    return text;
}

/// 64 MiB of hexadecimal digits mixed at random with separators.
std::string irregularHexText(std::size_t size)
{
    const std::string alphabet = "0123456789abcdefABCDEF ,\nx";
    std::mt19937 random(3);
    std::string text(size, ' ');
    for (char& ch : text)
        ch = alphabet[random() % alphabet.size()];
    return text;
}

void parseInChunks(benchmark::State& state, const std::string& text)
{
    ByteBuffer out;
    for (auto _ : state) {
        out.clear();
        HexValuesParser parser;
        for (std::size_t pos = 0; pos < text.size(); pos += kImportChunk)
            parser.feed(text.data() + pos, std::min(kImportChunk, text.size() - pos), out);
        parser.finish();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(qint64(state.iterations()) * qint64(text.size()));
}

void BM_ImportRegularText(benchmark::State& state)
{
    parseInChunks(state, regularHexText(kSize));
}
BENCHMARK(BM_ImportRegularText)->Unit(benchmark::kMillisecond);

void BM_ImportIrregularText(benchmark::State& state)
{
    parseInChunks(state, irregularHexText(kSize));
}
BENCHMARK(BM_ImportIrregularText)->Unit(benchmark::kMillisecond);

}  // namespace
