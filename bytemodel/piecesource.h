#pragma once

#include <QtGlobal>

#include <cstdint>
#include <span>

/// Where the bytes of a piece come from: an opened file, or bytes added in
/// memory. A source never changes the bytes a piece already refers to.
class PieceSource {
public:
    virtual ~PieceSource() = default;
    /// Copies the source's bytes [at, at + out.size()) into out.
    virtual void read(qint64 at, std::span<std::uint8_t> out) const = 0;
};
