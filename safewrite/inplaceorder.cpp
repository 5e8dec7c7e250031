#include "safewrite/inplaceorder.h"

#include <algorithm>

namespace InPlaceOrder {

std::optional<std::vector<Move>> moves(std::span<const StoredRange> ranges, const FileBacking* file)
{
    std::vector<Move> forward;
    std::vector<Move> backward;
    qint64 readUpTo = 0;
    for (const StoredRange& range : ranges) {
        if (range.file.get() != file)
            continue;
        // A derived stretch is not the file's bytes moved: it is written from the copy.
        if (range.derived || range.fileOffset < readUpTo)
            return std::nullopt;
        readUpTo = range.fileOffset + range.count;
        const Move move{range.fileOffset, range.offset, range.count};
        if (move.to < move.from)
            forward.push_back(move);
        else if (move.to > move.from)
            backward.push_back(move);
    }
    // With the stretches in file order, a move towards the start overwrites
    // only bytes of earlier stretches (already moved), and one towards the end
    // only bytes of later ones: those go first, the last stretch first. A
    // move of one kind never overwrites what a move of the other reads.
    std::reverse(backward.begin(), backward.end());
    forward.insert(forward.end(), backward.begin(), backward.end());
    return forward;
}

}  // namespace InPlaceOrder
