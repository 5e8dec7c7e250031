#include "bytemodel/piecetable.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <cstring>
#include <new>

#include "bytemodel/filebacking.h"

struct PieceTable::Node {
    Piece piece;
    Tree left;
    Tree right;
    qint64 total = 0;  // bytes in this subtree
    std::uint32_t priority = 0;
};

/// A block of added bytes, filled from the front and never changed where it is filled.
class PieceTable::AddedBytes final : public PieceSource {
public:
    static constexpr std::size_t kBlockSize = std::size_t(64) << 10;

    explicit AddedBytes(std::size_t capacity)
        : m_bytes(new std::uint8_t[capacity])
        , m_capacity(capacity)
    {
    }
    std::size_t room() const { return m_capacity - m_used; }
    std::size_t used() const { return m_used; }
    qint64 add(std::span<const std::uint8_t> bytes)
    {
        std::memcpy(m_bytes.get() + m_used, bytes.data(), bytes.size());
        m_used += bytes.size();
        return qint64(m_used - bytes.size());
    }
    void read(qint64 at, std::span<std::uint8_t> out) const override
    {
        std::memcpy(out.data(), m_bytes.get() + at, out.size());
    }

private:
    std::unique_ptr<std::uint8_t[]> m_bytes;
    std::size_t m_capacity;
    std::size_t m_used = 0;
};

namespace {

/// count copies of one value, held as the value alone.
class FilledBytes final : public PieceSource {
public:
    explicit FilledBytes(std::uint8_t value)
        : m_value(value)
    {
    }
    void read(qint64, std::span<std::uint8_t> out) const override { std::memset(out.data(), m_value, out.size()); }

private:
    std::uint8_t m_value;
};

/// The bytes of another source with a per-byte operation run on them as they are read.
class DerivedBytes final : public PieceSource {
public:
    DerivedBytes(std::shared_ptr<const PieceSource> from, std::shared_ptr<const ByteOperation> op)
        : m_from(std::move(from))
        , m_op(std::move(op))
    {
    }
    /// from's bytes with op run on them. Bytes derived already get one table
    /// of 256 values for both operations, each of which changes a byte by its
    /// value alone: a read runs one operation however many were made.
    static std::shared_ptr<const PieceSource> of(const std::shared_ptr<const PieceSource>& from,
                                                 const std::shared_ptr<const ByteOperation>& op)
    {
        const auto* derived = dynamic_cast<const DerivedBytes*>(from.get());
        if (!derived)
            return std::make_shared<DerivedBytes>(from, op);
        auto table = std::make_shared<std::array<std::uint8_t, 256>>();
        std::iota(table->begin(), table->end(), std::uint8_t(0));
        (*derived->m_op)(*table);
        (*op)(*table);
        return std::make_shared<DerivedBytes>(derived->m_from,
                                              std::make_shared<const ByteOperation>([table](std::span<std::uint8_t> bytes) {
                                                  for (std::uint8_t& b : bytes)
                                                      b = (*table)[b];
                                              }));
    }
    /// The source the bytes are read from before the operation.
    const std::shared_ptr<const PieceSource>& base() const { return m_from; }
    void read(qint64 at, std::span<std::uint8_t> out) const override
    {
        m_from->read(at, out);
        (*m_op)(out);
    }

private:
    std::shared_ptr<const PieceSource> m_from;  // never derived itself
    std::shared_ptr<const ByteOperation> m_op;
};

const std::shared_ptr<const PieceSource>& baseOf(const PieceTable::Piece& piece)
{
    const auto* derived = dynamic_cast<const DerivedBytes*>(piece.source.get());
    return derived ? derived->base() : piece.source;
}

qint64 totalOf(const PieceTable::Tree& tree)
{
    return tree ? tree->total : 0;
}

PieceTable::Piece slice(const PieceTable::Piece& piece, qint64 from, qint64 count)
{
    return {piece.source, piece.start + from, count};
}

/// Calls visit(piece, offset) for each piece overlapping [from, to), in order.
template <typename Visit>
void visitRange(const PieceTable::Node* node, qint64 base, qint64 from, qint64 to, const Visit& visit)
{
    while (node && from < base + node->total && to > base) {
        visitRange(node->left.get(), base, from, to, visit);
        const qint64 start = base + totalOf(node->left);
        if (from < start + node->piece.count && to > start)
            visit(node->piece, start);
        base = start + node->piece.count;
        node = node->right.get();
    }
}

/// Copies the bytes [offset, offset + out.size()) of a tree into out.
void readPieces(const PieceTable::Node* root, qint64 offset, std::span<std::uint8_t> out)
{
    const qint64 end = offset + qint64(out.size());
    visitRange(root, 0, offset, end, [&](const PieceTable::Piece& piece, qint64 start) {
        const qint64 from = std::max(offset, start);
        const qint64 to = std::min(end, start + piece.count);
        piece.source->read(piece.start + from - start, out.subspan(std::size_t(from - offset), std::size_t(to - from)));
    });
}

}  // namespace

/// The pieces that held a stretch, shared with whatever tree still holds them.
class PieceTable::KeptPieces final : public KeptBytes {
public:
    explicit KeptPieces(Tree pieces)
        : m_pieces(std::move(pieces))
        , m_memoryCost(memoryIn(m_pieces.get(), 0, size()))
    {
    }
    const Tree& pieces() const { return m_pieces; }
    qint64 size() const override { return totalOf(m_pieces); }
    qint64 memoryCost() const override { return m_memoryCost; }
    bool isIntact() const override
    {
        bool intact = true;
        visitRange(m_pieces.get(), 0, 0, size(), [&intact](const Piece& piece, qint64) {
            const auto* file = dynamic_cast<const FileBacking*>(baseOf(piece).get());
            intact = intact && !(file && file->wasOverwritten());
        });
        return intact;
    }
    void read(qint64 at, std::span<std::uint8_t> out) const override { readPieces(m_pieces.get(), at, out); }

private:
    Tree m_pieces;
    qint64 m_memoryCost;
};

qint64 PieceTable::memoryIn(const Node* root, qint64 from, qint64 to)
{
    qint64 held = 0;
    visitRange(root, 0, from, to, [&](const Piece& piece, qint64 start) {
        if (dynamic_cast<const AddedBytes*>(baseOf(piece).get()))
            held += std::min(to, start + piece.count) - std::max(from, start);
    });
    return held;
}

PieceTable::PieceTable(std::shared_ptr<const FileBacking> file)
{
    const qint64 size = file->size();
    if (size > 0)
        m_root = leaf({std::move(file), 0, size});
}

qint64 PieceTable::size() const
{
    return totalOf(m_root);
}

PieceTable::Tree PieceTable::node(const Piece& piece, Tree left, Tree right, std::uint32_t priority) const
{
    const qint64 total = totalOf(left) + piece.count + totalOf(right);
    return std::make_shared<const Node>(Node{piece, std::move(left), std::move(right), total, priority});
}

PieceTable::Tree PieceTable::leaf(const Piece& piece)
{
    return node(piece, nullptr, nullptr, std::uint32_t(m_priorities()));
}

std::pair<PieceTable::Tree, PieceTable::Tree> PieceTable::split(const Tree& tree, qint64 at) const
{
    if (!tree)
        return {};
    const qint64 leftTotal = totalOf(tree->left);
    const qint64 pieceEnd = leftTotal + tree->piece.count;
    if (at <= leftTotal) {
        auto [a, b] = split(tree->left, at);
        return {a, node(tree->piece, b, tree->right, tree->priority)};
    }
    if (at >= pieceEnd) {
        auto [a, b] = split(tree->right, at - pieceEnd);
        return {node(tree->piece, tree->left, a, tree->priority), b};
    }
    // The offset falls inside this node's piece: it becomes two pieces.
    const qint64 inside = at - leftTotal;
    return {node(slice(tree->piece, 0, inside), tree->left, nullptr, tree->priority),
            node(slice(tree->piece, inside, tree->piece.count - inside), nullptr, tree->right, tree->priority)};
}

PieceTable::Tree PieceTable::merge(const Tree& left, const Tree& right) const
{
    if (!left || !right)
        return left ? left : right;
    if (left->priority >= right->priority)
        return node(left->piece, left->left, merge(left->right, right), left->priority);
    return node(right->piece, merge(left, right->left), right->right, right->priority);
}

PieceTable::Tree PieceTable::extendLast(const Tree& tree, qint64 extra) const
{
    if (tree->right)
        return node(tree->piece, tree->left, extendLast(tree->right, extra), tree->priority);
    return node({tree->piece.source, tree->piece.start, tree->piece.count + extra}, tree->left, nullptr, tree->priority);
}

PieceTable::Tree PieceTable::appendPiece(const Tree& left, const Piece& piece)
{
    const Node* last = left.get();
    while (last && last->right)
        last = last->right.get();
    // Typing adds byte after byte to the same block: one growing piece, not one per byte.
    if (last && last->piece.source == piece.source && last->piece.start + last->piece.count == piece.start)
        return extendLast(left, piece.count);
    return merge(left, leaf(piece));
}

PieceTable::Piece PieceTable::keep(std::span<const std::uint8_t> bytes)
{
    try {
        if (bytes.size() >= AddedBytes::kBlockSize) {
            auto own = std::make_shared<AddedBytes>(bytes.size());
            return {own, own->add(bytes), qint64(bytes.size())};
        }
        if (!m_added || m_added->room() < bytes.size())
            m_added = std::make_shared<AddedBytes>(AddedBytes::kBlockSize);
        return {m_added, m_added->add(bytes), qint64(bytes.size())};
    } catch (const std::bad_alloc&) {
        return {};
    }
}

bool PieceTable::place(ByteOffset offset, qint64 replaced, const Piece& piece)
{
    if (!piece.source)
        return false;
    try {
        auto [before, rest] = split(m_root, offset);
        Tree after = split(rest, replaced).second;
        m_root = merge(appendPiece(before, piece), after);
    } catch (const std::bad_alloc&) {
        return false;  // the old tree is whole: nodes are never changed
    }
    return true;
}

void PieceTable::read(ByteOffset offset, std::span<std::uint8_t> out) const
{
    readPieces(m_root.get(), offset, out);
}

std::shared_ptr<const KeptBytes> PieceTable::keep(ByteOffset offset, qint64 count) const
{
    try {
        return std::make_shared<KeptPieces>(split(split(m_root, offset).second, count).first);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

qint64 PieceTable::keepCost(ByteOffset offset, qint64 count) const
{
    return memoryIn(m_root.get(), offset, offset + count);
}

bool PieceTable::putKept(ByteOffset offset, qint64 replaced, const KeptBytes& kept)
{
    try {
        const auto* pieces = dynamic_cast<const KeptPieces*>(&kept);
        if (!pieces) {
            ByteBuffer copy(std::size_t(kept.size()));
            kept.read(0, copy);
            return place(offset, replaced, keep(copy));
        }
        auto [before, rest] = split(m_root, offset);
        m_root = merge(merge(before, pieces->pieces()), split(rest, replaced).second);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool PieceTable::insertKept(ByteOffset offset, const KeptBytes& kept)
{
    return putKept(offset, 0, kept);
}

bool PieceTable::overwriteKept(ByteOffset offset, const KeptBytes& kept)
{
    return putKept(offset, kept.size(), kept);
}

PieceTable::Tree PieceTable::derived(const Tree& tree, const std::shared_ptr<const ByteOperation>& op) const
{
    if (!tree)
        return nullptr;
    const Piece& piece = tree->piece;
    return node({DerivedBytes::of(piece.source, op), piece.start, piece.count}, derived(tree->left, op),
                derived(tree->right, op), tree->priority);
}

void PieceTable::modify(ByteOffset offset, qint64 count, qint64 chunkSize, const ByteOperation& op)
{
    try {
        auto [before, rest] = split(m_root, offset);
        auto [middle, after] = split(rest, count);
        m_root = merge(merge(before, derived(middle, std::make_shared<const ByteOperation>(op))), after);
        return;
    } catch (const std::bad_alloc&) {
        // The tree is whole: nodes are never changed. The bytes are changed chunk by chunk instead.
    }
    ByteStore::modify(offset, count, chunkSize, op);
}

bool PieceTable::overwrite(ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    return bytes.empty() || place(offset, qint64(bytes.size()), keep(bytes));
}

bool PieceTable::insert(ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    return bytes.empty() || place(offset, 0, keep(bytes));
}

bool PieceTable::insertFill(ByteOffset offset, qint64 count, std::uint8_t value)
{
    if (count <= 0)
        return true;
    try {
        return place(offset, 0, {std::make_shared<FilledBytes>(value), 0, count});
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void PieceTable::remove(ByteOffset offset, qint64 count)
{
    auto [before, rest] = split(m_root, offset);
    m_root = merge(before, split(rest, count).second);
}

std::vector<StoredRange> PieceTable::ranges() const
{
    std::vector<StoredRange> result;
    visitRange(m_root.get(), 0, 0, size(), [&result](const Piece& piece, qint64 start) {
        const std::shared_ptr<const PieceSource>& base = baseOf(piece);
        result.push_back({start, piece.count, std::dynamic_pointer_cast<const FileBacking>(base), piece.start,
                          base != piece.source});
    });
    return result;
}
