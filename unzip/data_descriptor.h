// The CRC-32 of the data descriptor that follows a member's data when flag
// bit 3 is set. Its first four bytes (a signature, by convention) are
// skipped unread; the sizes after the CRC are not used.
#pragma once

#include <cstdint>

#include "unzip/decoder_state.h"

// After inflate: through the bit reader, from the next byte boundary.
uint32_t DescriptorCrcAfterInflate(DecoderState& state);

// After a stored copy: from the archive's current position; expected is
// kept unless 64 bytes could be read there.
uint32_t DescriptorCrcAfterStored(DecoderState& state, uint32_t expected);
