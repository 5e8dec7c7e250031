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
/// a removed stretch stays valid as long as anyone holds it.
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
    bool insertKept(ByteOffset offset, const KeptBytes& kept) override;
    std::vector<StoredRange> ranges() const override;

private:
    class AddedBytes;
    class KeptPieces;
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
