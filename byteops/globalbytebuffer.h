#pragma once

#include <optional>
#include <span>

#include "bytemodel/bytebuffer.h"

class ByteModel;

/// The global byte buffer of Cut, Copy and Paste Bytes: an entry on the
/// system clipboard under the program's private MIME type, shared by every
/// hex view and replaced by whatever any program puts on the clipboard next.
namespace GlobalByteBuffer {

/// Replaces the clipboard's whole content with the bytes, offered also as
/// plain text when ClipboardText fits them.
void put(std::span<const std::uint8_t> bytes);
/// Replaces the clipboard's whole content with count bytes of the model from
/// offset, copied once, straight into the entry; false, and the clipboard
/// left as it was, when memory cannot hold them.
bool put(const ByteModel& model, ByteOffset offset, qint64 count);
/// The bytes on the clipboard, which keeps them; an empty run when the
/// clipboard holds none. nullopt when memory cannot hold them: declaredCount
/// (when given) then says how many they are.
std::optional<ByteBuffer> get(qint64* declaredCount = nullptr);

}  // namespace GlobalByteBuffer
