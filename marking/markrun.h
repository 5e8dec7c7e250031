#pragma once

#include <concepts>
#include <functional>
#include <type_traits>
#include <utility>

#include "bytemodel/bytebuffer.h"
#include "listing/formatranges.h"

/// Bytes first to last (inclusive) to be shown in one colour.
struct MarkRun {
    ByteOffset first;
    ByteOffset last;
    Rgb color;
    bool operator==(const MarkRun&) const = default;
};

/// Bytes first..last coloured in units of `unit` bytes, alternately
/// colors[0] and colors[1] from first on; the last unit may be cut short.
/// One plain run is a single unit.
struct AlternatingRun {
    ByteOffset first = 0;
    ByteOffset last = -1;
    qint64 unit = 0;
    Rgb colors[2] = {kDefaultTextColor, kDefaultTextColor};

    static AlternatingRun plain(const MarkRun& run)
    {
        return {run.first, run.last, run.last - run.first + 1, {run.color, run.color}};
    }
};

/// Takes the runs of a scan in the order they apply: a later run wins on the
/// bytes it shares with an earlier one. A sink may also take a stretch of
/// alternating units whole, which spares a scan of small units a call per unit.
class MarkSink {
public:
    using TakeRun = std::function<void(const MarkRun&)>;
    using TakeAlternation = std::function<void(const AlternatingRun&)>;

    template <typename Taker>
        requires(!std::same_as<std::remove_cvref_t<Taker>, MarkSink> && std::invocable<Taker&, const MarkRun&>)
    MarkSink(Taker&& takeRun)  // NOLINT(google-explicit-constructor): any run taker is a sink
        : m_takeRun(std::forward<Taker>(takeRun))
    {
    }
    MarkSink(TakeRun takeRun, TakeAlternation takeAlternation)
        : m_takeRun(std::move(takeRun))
        , m_takeAlternation(std::move(takeAlternation))
    {
    }

    void operator()(const MarkRun& run) const { m_takeRun(run); }
    bool takesAlternations() const { return bool(m_takeAlternation); }
    void operator()(const AlternatingRun& run) const { m_takeAlternation(run); }

private:
    TakeRun m_takeRun;
    TakeAlternation m_takeAlternation;
};
