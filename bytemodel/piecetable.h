#pragma once

#include <cstdint>
#include <memory>
#include <random>

#include "bytemodel/bytestore.h"
#include "bytemodel/piecesource.h"

class FileBacking;

/// The bytes as a sequence of pieces, each a stretch of a source: the opened
/// file, or bytes added in memory. The pieces are kept in a balanced tree
/// (a treap keyed by position, each node knowing its subtree's byte count),
/// so finding an offset, inserting and removing cost O(log pieces) whatever
/// the file's size; no edit moves or copies the bytes already held. Nodes
/// are never changed once made (an edit makes new nodes along one path), so
/// a removed stretch stays valid as long as anyone holds it. A bitwise
/// operation over a stretch is kept with its pieces and run as their bytes
/// are read, so it costs neither memory nor a pass over the bytes.
class PieceTable final : public ByteStore {
public:
    struct Piece {
        std::shared_ptr<const PieceSource> source;
        qint64 start = 0;
        qint64 count = 0;
    };
    struct Node;
    using Tree = std::shared_ptr<const Node>;

    /// The whole file as one piece.
    explicit PieceTable(std::shared_ptr<const FileBacking> file);

    qint64 size() const override;
    void read(ByteOffset offset, std::span<std::uint8_t> out) const override;
    bool overwrite(ByteOffset offset, std::span<const std::uint8_t> bytes) override;
    bool insert(ByteOffset offset, std::span<const std::uint8_t> bytes) override;
    bool insertFill(ByteOffset offset, qint64 count, std::uint8_t value) override;
    void remove(ByteOffset offset, qint64 count) override;
    std::shared_ptr<const KeptBytes> keep(ByteOffset offset, qint64 count) const override;
    qint64 keepCost(ByteOffset offset, qint64 count) const override;
    bool insertKept(ByteOffset offset, const KeptBytes& kept) override;
    bool overwriteKept(ByteOffset offset, const KeptBytes& kept) override;
    void modify(ByteOffset offset, qint64 count, qint64 chunkSize, const ByteOperation& op) override;
    std::vector<StoredRange> ranges() const override;

private:
    class AddedBytes;
    class KeptPieces;

    /// Bytes of [from, to) held in memory only (typed, pasted, or derived from such).
    static qint64 memoryIn(const Node* root, qint64 from, qint64 to);
    /// Puts kept bytes in place of [offset, offset + replaced).
    bool putKept(ByteOffset offset, qint64 replaced, const KeptBytes& kept);
    /// tree with op run on every piece's bytes as they are read.
    Tree derived(const Tree& tree, const std::shared_ptr<const ByteOperation>& op) const;
    /// Keeps bytes in memory as a new piece; null source when memory cannot be had.
    Piece keep(std::span<const std::uint8_t> bytes);
    /// Puts piece in place of [offset, offset + replaced).
    bool place(ByteOffset offset, qint64 replaced, const Piece& piece);
    Tree node(const Piece& piece, Tree left, Tree right, std::uint32_t priority) const;
    Tree leaf(const Piece& piece);
    std::pair<Tree, Tree> split(const Tree& tree, qint64 at) const;
    Tree merge(const Tree& left, const Tree& right) const;
    /// left with piece after it, grown into its last piece where that piece ends where piece starts.
    Tree appendPiece(const Tree& left, const Piece& piece);
    Tree extendLast(const Tree& tree, qint64 extra) const;

    Tree m_root;
    std::shared_ptr<AddedBytes> m_added;  // where typed bytes go, one after another
    std::minstd_rand m_priorities;
};
