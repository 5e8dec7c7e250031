#pragma once

#include <QtGlobal>

#include <cstdint>
#include <span>

/// Bytes taken out of a model, kept so that undo can put them back: the
/// pieces that held them where the storage has pieces (nothing is copied,
/// and a file's bytes cost no memory), a copy otherwise.
class KeptBytes {
public:
    virtual ~KeptBytes() = default;
    virtual qint64 size() const = 0;
    /// Bytes of memory held that exist nowhere else.
    virtual qint64 memoryCost() const = 0;
    /// False once a save wrote over the file the bytes are read from.
    virtual bool isIntact() const = 0;
    /// Copies [at, at + out.size()) into out.
    virtual void read(qint64 at, std::span<std::uint8_t> out) const = 0;
};
