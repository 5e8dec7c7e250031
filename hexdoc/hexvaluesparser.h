#pragma once

#include <cstddef>

#include "bytemodel/bytebuffer.h"

/// Turns the text of a hex values file into bytes: each two consecutive
/// hexadecimal digits give one byte; any other character drops a pending
/// single digit. Text may arrive in chunks; a digit pending at finish() is dropped.
class HexValuesParser {
public:
    void feed(const char* data, std::size_t size, ByteBuffer& out);
    void finish();

private:
    int m_pendingDigit = -1;
};
