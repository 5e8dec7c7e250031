#pragma once

#include "bytemodel/bytestore.h"

/// Every byte in one vector: new documents, imports, small files.
class MemoryStore final : public ByteStore {
public:
    explicit MemoryStore(ByteBuffer bytes = {});

    qint64 size() const override { return qint64(m_bytes.size()); }
    void read(ByteOffset offset, std::span<std::uint8_t> out) const override;
    bool overwrite(ByteOffset offset, std::span<const std::uint8_t> bytes) override;
    bool insert(ByteOffset offset, std::span<const std::uint8_t> bytes) override;
    bool insertFill(ByteOffset offset, qint64 count, std::uint8_t value) override;
    void remove(ByteOffset offset, qint64 count) override;
    std::shared_ptr<const KeptBytes> keep(ByteOffset offset, qint64 count) const override;
    qint64 keepCost(ByteOffset, qint64 count) const override { return count; }
    bool insertKept(ByteOffset offset, const KeptBytes& kept) override;
    bool overwriteKept(ByteOffset offset, const KeptBytes& kept) override;
    void modify(ByteOffset offset, qint64 count, qint64 chunkSize, const ByteOperation& op) override;
    std::vector<StoredRange> ranges() const override;

private:
    bool grow(qint64 extra);

    ByteBuffer m_bytes;
};
