// The byte edits on a 256 MiB buffer: Find of a pattern at the very end (with
// memmem over a plain buffer of the same bytes for comparison), removing the
// first byte and its undo, a mask over every byte, and a 64 MiB insert.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string.h>

#include "bytemodel/bytemodel.h"
#include "byteops/bitwiseops.h"
#include "byteops/byteedits.h"
#include "byteops/edithistory.h"
#include "byteops/findbytes.h"

namespace {

constexpr qint64 kSize = qint64(256) << 20;
constexpr qint64 kInsert = qint64(64) << 20;
const ByteBuffer kPattern{0xDE, 0xAD, 0xBE, 0xEF};

/// 256 MiB of a short repeating run that never holds the pattern, then the pattern.
ByteBuffer bytesWithPatternAtEnd()
{
    ByteBuffer bytes(static_cast<std::size_t>(kSize));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i % 13);
    std::memcpy(bytes.data() + kSize - 4, kPattern.data(), 4);
    return bytes;
}

void BM_FindAtEnd(benchmark::State& state)
{
    ByteModel model;
    model.assign(bytesWithPatternAtEnd());
    for (auto _ : state)
        benchmark::DoNotOptimize(FindBytes(model, kPattern, 0));
    state.SetBytesProcessed(qint64(state.iterations()) * kSize);
}
BENCHMARK(BM_FindAtEnd)->Unit(benchmark::kMillisecond);

void BM_MemmemPlainBuffer(benchmark::State& state)
{
    const ByteBuffer bytes = bytesWithPatternAtEnd();
    for (auto _ : state)
        benchmark::DoNotOptimize(memmem(bytes.data(), bytes.size(), kPattern.data(), kPattern.size()));
    state.SetBytesProcessed(qint64(state.iterations()) * kSize);
}
BENCHMARK(BM_MemmemPlainBuffer)->Unit(benchmark::kMillisecond);

void BM_RemoveFirstByte(benchmark::State& state)
{
    ByteModel model;
    model.assign(ByteBuffer(std::size_t(kSize), 0x5A));
    EditHistory history(model);
    for (auto _ : state) {
        ByteEdits::removeBlock(history, 0, 0);
        state.PauseTiming();
        history.undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveFirstByte)->Unit(benchmark::kMillisecond);

void BM_UndoRemoveFirstByte(benchmark::State& state)
{
    ByteModel model;
    model.assign(ByteBuffer(std::size_t(kSize), 0x5A));
    EditHistory history(model);
    for (auto _ : state) {
        state.PauseTiming();
        ByteEdits::removeBlock(history, 0, 0);
        state.ResumeTiming();
        history.undo();
    }
}
BENCHMARK(BM_UndoRemoveFirstByte)->Unit(benchmark::kMillisecond);

/// AND keeps the old bytes for undo; XOR is undone by running it again and keeps none.
void BM_Mask(benchmark::State& state)
{
    ByteModel model;
    model.assign(ByteBuffer(std::size_t(kSize), 0x5A));
    EditHistory history(model);
    const MaskChoice choice{MaskChoice::Type(state.range(0)), 0x3C};
    for (auto _ : state) {
        BitwiseOps::mask(history, 0, kSize - 1, choice);
        state.PauseTiming();
        history.clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(qint64(state.iterations()) * kSize);
}
BENCHMARK(BM_Mask)->Arg(int(MaskChoice::Type::And))->Arg(int(MaskChoice::Type::Xor))->Unit(benchmark::kMillisecond);

void BM_Insert64MiB(benchmark::State& state)
{
    ByteModel model;
    model.assign(ByteBuffer(std::size_t(kSize), 0x5A));
    EditHistory history(model);
    for (auto _ : state) {
        ByteEdits::insertFill(history, kSize / 2, kInsert, 0xFF);
        state.PauseTiming();
        history.undo();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(qint64(state.iterations()) * kInsert);
}
BENCHMARK(BM_Insert64MiB)->Unit(benchmark::kMillisecond);

}  // namespace
