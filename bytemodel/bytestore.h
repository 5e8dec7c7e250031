#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "bytemodel/bytebuffer.h"
#include "bytemodel/keptbytes.h"

class FileBacking;

/// A change of each byte by its value alone, the same wherever the byte lies.
using ByteOperation = std::function<void(std::span<std::uint8_t>)>;

/// One stretch of a store's bytes and where it is kept: in the file it was
/// read from (file, fileOffset) or in memory (file is null). A save that
/// writes over that very file learns from these which old bytes it must read
/// before it overwrites them. A derived stretch is computed from the file's
/// bytes as they are read (a bitwise operation not yet applied), so it needs
/// the file's bytes but is not a copy of them.
struct StoredRange {
    ByteOffset offset = 0;
    qint64 count = 0;
    std::shared_ptr<const FileBacking> file;
    qint64 fileOffset = 0;
    bool derived = false;
};

/// The storage behind a ByteModel. The model keeps offsets and counts inside
/// the bytes and takes its lock around every call.
class ByteStore {
public:
    /// Listings show 8-digit addresses: a store holds at most 4 GiB - 1 bytes.
    static constexpr qint64 kMaxSize = (qint64(1) << 32) - 1;

    virtual ~ByteStore() = default;

    virtual qint64 size() const = 0;
    /// Copies [offset, offset + out.size()) into out.
    virtual void read(ByteOffset offset, std::span<std::uint8_t> out) const = 0;
    /// Replaces bytes in place; false, unchanged, when memory cannot be had.
    virtual bool overwrite(ByteOffset offset, std::span<const std::uint8_t> bytes) = 0;
    /// Inserts before offset; false, unchanged, when memory cannot be had.
    virtual bool insert(ByteOffset offset, std::span<const std::uint8_t> bytes) = 0;
    virtual bool insertFill(ByteOffset offset, qint64 count, std::uint8_t value) = 0;
    virtual void remove(ByteOffset offset, qint64 count) = 0;
    /// Keeps [offset, offset + count) as they are now, for undo; null when memory cannot be had.
    virtual std::shared_ptr<const KeptBytes> keep(ByteOffset offset, qint64 count) const = 0;
    /// The memory keep() would hold for [offset, offset + count), found without keeping them.
    virtual qint64 keepCost(ByteOffset offset, qint64 count) const = 0;
    /// Inserts kept bytes before offset; false, unchanged, when memory cannot be had.
    virtual bool insertKept(ByteOffset offset, const KeptBytes& kept) = 0;
    /// Puts kept bytes over [offset, offset + kept.size()); false, unchanged, when memory cannot be had.
    virtual bool overwriteKept(ByteOffset offset, const KeptBytes& kept) = 0;
    /// Runs op on [offset, offset + count) chunk by chunk, in order, each
    /// chunk at most chunkSize bytes; the changed chunks are stored back. A
    /// store may instead keep op and run it whenever those bytes are read.
    virtual void modify(ByteOffset offset, qint64 count, qint64 chunkSize, const ByteOperation& op);
    /// Every byte's place, in order of offset.
    virtual std::vector<StoredRange> ranges() const = 0;
};
