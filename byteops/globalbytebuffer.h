#pragma once

#include <span>

#include "bytemodel/bytebuffer.h"

/// The global byte buffer of Cut, Copy and Paste Bytes: an entry on the
/// system clipboard under the program's private MIME type, shared by every
/// hex view and replaced by whatever any program puts on the clipboard next.
namespace GlobalByteBuffer {

/// Replaces the clipboard's whole content with the bytes, offered also as
/// plain text when ClipboardText fits them.
void put(std::span<const std::uint8_t> bytes);
/// The bytes on the clipboard, which keeps them; an empty run when the
/// clipboard holds none.
ByteBuffer get();

}  // namespace GlobalByteBuffer
