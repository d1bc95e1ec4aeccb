// What the preparation decides and the installation reads: the product
// title, footer and caption, version mask, destination and the like.
#pragma once

#include "fs/path_utils.h"

struct PreparedState {
    char productTitle[kMaxPath];
    char footerText[kMaxPath];
    char windowCaption[kMaxPath];  // "Installation " and the title, cut to fit
    int versionMask;               // 1 16-bit, 2 32-bit, 3 both
    char destination[kMaxPath];
};

PreparedState& Prepared();

// Builds the window caption from the product title.
void BuildWindowCaption(PreparedState& state);
