#pragma once

/// Registers the program's compiled-in resources (icons, user guide). They live
/// in a static library, whose resource object the linker would otherwise drop:
/// call this once at start-up, before any ":/" path is used. Calling it again
/// does nothing.
void initVellmarResources();
