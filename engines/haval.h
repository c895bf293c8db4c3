// HAVAL-256/5 exactly as its authors published it, with 0x01 as the first
// padding byte. The "HAVAL 256,5" checksum type (Create_haval) writes 0x80
// there instead and shares everything else, the block function included.
// This engine is in no catalogue row and no window path creates it: it lets
// the tests prove that shared block function against the published
// HAVAL-256/5 vectors, which our own digests cannot match by design. It has
// no self-check of its own (RunSelfCheck answers false).
#pragma once

#include <memory>

#include "engines/digest.h"

namespace ondrix {

std::unique_ptr<TDigest> CreateHavalPublishedPadding();

}  // namespace ondrix
