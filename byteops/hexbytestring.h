#pragma once

#include <QString>

#include "bytemodel/bytebuffer.h"

/// Up to 8 hex digits as 1 to 4 bytes in the order written; an odd count of
/// digits gives the first digit a byte of its own ("ABC" is 0A BC). Blanks at
/// both ends are ignored. Empty text, more than 8 digits or a non-digit give no bytes.
ByteBuffer ParseHexValue(const QString& text);
