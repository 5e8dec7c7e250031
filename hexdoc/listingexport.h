#pragma once

#include <cstddef>
#include <functional>

#include "listing/textsource.h"

/// Streams the whole of a listing to sink in chunks of a few MiB, so that the
/// listing of a large file is never held whole. Stops at the first chunk the
/// sink refuses and returns false; true when every chunk was taken.
bool writeListing(const TextSource& text, const std::function<bool(const char*, std::size_t)>& sink);
