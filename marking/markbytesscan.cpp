#include "marking/markbytesscan.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "bytemodel/bytemodel.h"
#include "byteops/hexbytestring.h"
#include "marking/blockreader.h"
#include "marking/colorpalette.h"
#include "marking/blockscan.h"

namespace {

struct MarkValue {
    ByteBuffer bytes;
    Rgb color;
};

std::vector<MarkValue> valuesOf(const MarkBytesSettings& settings)
{
    std::vector<MarkValue> values;
    for (int k = 0; k < MarkBytesSettings::kValueCount; ++k) {
        ByteBuffer bytes = ParseHexValue(settings.values[k]);
        if (!bytes.empty())
            values.push_back({std::move(bytes), ColorFromName(settings.colorNames[k])});
    }
    return values;
}

/// One pass for all values at once: a byte takes the colour of the last value
/// with an occurrence over it, which is what colouring value after value leaves.
class ValueColoring {
public:
    ValueColoring(std::vector<MarkValue> values, ByteSpan block)
        : m_values(std::move(values))
        , m_block(block)
        , m_covered(block.first - 1)
    {
        for (std::size_t v = 0; v < m_values.size(); ++v)
            m_startsWith[m_values[v].bytes[0]] |= std::uint8_t(1u << v);
        m_coverEnd.fill(block.first - 1);
    }

    /// False when a stop came.
    bool run(BlockReader& reader, RunWriter& writer)
    {
        for (ByteOffset pos = m_block.first; pos <= m_block.last; pos = reader.pieceLast() + 1) {
            if (!reader.load(pos))
                return !reader.stopped();
            if (!colourPiece(pos, reader.data(), reader.pieceLast() - pos + 1, writer))
                return false;
        }
        return true;
    }

private:
    bool colourPiece(ByteOffset pos, const std::uint8_t* data, qint64 count, RunWriter& writer)
    {
        for (qint64 k = 0; k < count; ++k) {
            if (pos + k > m_covered) {
                // Nothing covers this byte: skip to the next one a value starts with.
                while (k < count && m_startsWith[data[k]] == 0)
                    ++k;
                if (k == count)
                    break;
            }
            const ByteOffset at = pos + k;
            noteOccurrences(at, data + k);
            if (at <= m_covered && !writer.paint(at, at, m_values[topValueOver(at)].color))
                return false;
        }
        return true;
    }

    void noteOccurrences(ByteOffset at, const std::uint8_t* here)
    {
        for (unsigned starting = m_startsWith[*here]; starting != 0; starting &= starting - 1) {
            const int v = std::countr_zero(starting);
            const ByteBuffer& bytes = m_values[v].bytes;
            const ByteOffset end = at + qint64(bytes.size()) - 1;
            if (end <= m_block.last && std::equal(bytes.begin() + 1, bytes.end(), here + 1)) {
                m_coverEnd[v] = end;
                m_covered = std::max(m_covered, end);
            }
        }
    }

    std::size_t topValueOver(ByteOffset at) const
    {
        std::size_t v = m_values.size() - 1;
        while (m_coverEnd[v] < at)
            --v;
        return v;
    }

    std::vector<MarkValue> m_values;
    ByteSpan m_block;
    std::array<std::uint8_t, 256> m_startsWith{};  // bit v: value v starts with this byte
    std::array<ByteOffset, MarkBytesSettings::kValueCount> m_coverEnd{};  // last byte value v covers so far
    ByteOffset m_covered;  // last byte any value covers so far
};

}  // namespace

bool scanMarkBytes(const ByteModel& bytes, const MarkBytesSettings& settings, const StopFlag& stop,
                   const MarkSink& sink)
{
    return runBlockScan(bytes, settings.block, settings.clearBlock, stop, sink,
                        [&](RunWriter& writer, const ByteSpan& block) {
                            std::vector<MarkValue> values = valuesOf(settings);
                            if (values.empty())
                                return true;
                            BlockReader reader(bytes, block, stop);
                            return ValueColoring(std::move(values), block).run(reader, writer);
                        });
}
