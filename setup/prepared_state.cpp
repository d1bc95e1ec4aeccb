#include "setup/prepared_state.h"

#include <cstring>

PreparedState& Prepared() {
    static PreparedState state;
    return state;
}

void BuildWindowCaption(PreparedState& state) {
    static const char kPrefix[] = "Installation ";
    CopyBounded(state.windowCaption, kPrefix, kMaxPath);
    size_t used = strlen(state.windowCaption);
    CopyBounded(state.windowCaption + used, state.productTitle, static_cast<int>(kMaxPath - used));
}
