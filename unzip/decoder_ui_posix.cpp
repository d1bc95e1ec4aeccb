#include "unzip/decoder_ui.h"
#include "unzip/decoder_ui_hooks.h"

namespace {

const DecoderUiHooks kQuietDesktop = {};
const DecoderUiHooks* hooks = &kQuietDesktop;

}  // namespace

void SetDecoderUiHooks(const DecoderUiHooks* newHooks) { hooks = newHooks ? newHooks : &kQuietDesktop; }

void DispatchPendingMessages(ProgressWindowHandle progressWindow) {
    if (hooks->dispatchPending) hooks->dispatchPending(progressWindow);
}

uint32_t CurrentTickCount() { return hooks->tickCount ? hooks->tickCount() : 0; }

uint16_t SendProgressReport(ProgressWindowHandle window, int16_t commandId, uint16_t percentage) {
    return hooks->sendReport ? hooks->sendReport(window, commandId, percentage) : percentage;
}

bool IsKeyDown(int virtualKey) { return hooks->keyDown ? hooks->keyDown(virtualKey) : false; }

bool ShowDiskPrompt(ProgressWindowHandle owner, const char* text, const char* caption) {
    return hooks->diskPrompt ? hooks->diskPrompt(owner, text, caption) : false;
}

void SoundDefaultBeep() {
    if (hooks->beep) hooks->beep();
}
