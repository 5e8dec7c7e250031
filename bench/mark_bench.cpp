#include "bytemodel/bytemodel.h"
#include "marking/markbytesscan.h"
#include "marking/markpatternsscan.h"
#include "marking/markunitsscan.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr qint64 kSize = qint64(256) << 20;

const ByteModel& randomModel()
{
    static ByteModel model;
    if (model.isEmpty()) {
        std::mt19937 random(1);
        ByteBuffer bytes(static_cast<std::size_t>(kSize));
        for (auto& byte : bytes)
            byte = std::uint8_t(random());
        model.assign(std::move(bytes));
    }
    return model;
}

const ByteModel& headerModel()
{
    static ByteModel model;
    if (model.isEmpty())
        model.assign(ByteBuffer(std::size_t(kSize), 0xAA));
    return model;
}

/// Runs a scan, counting the runs it hands on as a view would take them.
template <typename Settings, typename Scan>
void runScan(benchmark::State& state, Scan scan, const ByteModel& model, const Settings& settings)
{
    const StopFlag stop{false};
    qint64 runs = 0;
    for (auto _ : state) {
        runs = 0;
        const bool finished = scan(model, settings, stop, [&runs](const MarkRun& run) {
            benchmark::DoNotOptimize(run);
            ++runs;
        });
        benchmark::DoNotOptimize(finished);
    }
    state.SetBytesProcessed(qint64(state.iterations()) * kSize);
    state.counters["runs"] = double(runs);
}

/// Mark Units, unit 2, two colours, over 256 MiB.
void BM_MarkUnits(benchmark::State& state)
{
    MarkUnitsSettings settings;
    settings.unitSize = 2;
    settings.color1 = QStringLiteral("Red");
    settings.color2 = QStringLiteral("Blue");
    settings.block = {0, kSize - 1};
    runScan(state, scanMarkUnits, randomModel(), settings);
}
BENCHMARK(BM_MarkUnits)->Unit(benchmark::kMillisecond);

/// Mark Bytes with four values over 256 MiB of random bytes.
void BM_MarkBytes(benchmark::State& state)
{
    MarkBytesSettings settings;
    settings.values = {"41", "4243", "0", "FFFE"};
    settings.colorNames = {"Red", "Blue", "Green", "Yellow"};
    settings.block = {0, kSize - 1};
    runScan(state, scanMarkBytes, randomModel(), settings);
}
BENCHMARK(BM_MarkBytes)->Unit(benchmark::kMillisecond);

/// Mark Patterns Type1 over 256 MiB of header bytes with no tail.
void BM_MarkPatternsType1NoTail(benchmark::State& state)
{
    MarkPatternsSettings settings;
    settings.chosen() = {"AA", "", "FF", {"Red", "Green", "Blue"}};
    settings.block = {0, kSize - 1};
    runScan(state, scanMarkPatterns, headerModel(), settings);
}
BENCHMARK(BM_MarkPatternsType1NoTail)->Unit(benchmark::kMillisecond);

}  // namespace
