#include "unzip/data_descriptor.h"

#include "unzip/inflate.h"
#include "unzip/zip_format.h"

namespace {

uint32_t TakeSixteenBits(DecoderState& state) {
    NeedBits(state, 16);
    uint32_t value = state.bitBuffer & 0xFFFFu;
    DropBits(state, 16);
    return value;
}

}  // namespace

uint32_t DescriptorCrcAfterInflate(DecoderState& state) {
    DropBits(state, state.bitCount & 7u);
    TakeSixteenBits(state);
    TakeSixteenBits(state);
    uint32_t low = TakeSixteenBits(state);
    uint32_t high = TakeSixteenBits(state);
    return low | (high << 16);
}

uint32_t DescriptorCrcAfterStored(DecoderState& state, uint32_t expected) {
    unsigned char block[64];
    uint16_t got = 0;
    ReadBlock(state.archiveFile, block, sizeof block, &got);
    return got == sizeof block ? ReadLe32(block + 4) : expected;
}
