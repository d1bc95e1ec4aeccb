// Host build only: the callbacks that stand in for the user interface of
// the decoder. A null callback behaves like a quiet desktop: no messages,
// a clock at 0, reports answered with the percentage, keys up, the disk
// prompt refused, no beep.
#pragma once

#include "unzip/decoder_ui.h"

struct DecoderUiHooks {
    void (*dispatchPending)(ProgressWindowHandle progressWindow);
    uint32_t (*tickCount)();
    uint16_t (*sendReport)(ProgressWindowHandle window, int16_t commandId, uint16_t percentage);
    bool (*keyDown)(int virtualKey);
    bool (*diskPrompt)(ProgressWindowHandle owner, const char* text, const char* caption);
    void (*beep)();
};

// Null puts the quiet desktop back.
void SetDecoderUiHooks(const DecoderUiHooks* hooks);
