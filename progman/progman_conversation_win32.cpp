#include <windows.h>

#include <dde.h>

#include "base/window_context.h"
#include "progman/progman.h"
#include "progman/progman_request.h"

namespace {

const char kProgmanName[] = "PROGMAN";  // application and topic alike
const UINT kNoRequest = 0;

struct Conversation {
    HWND server;
    UINT pending;
    HGLOBAL commands;  // the execute block until its answer arrives
};

Conversation g_conversation = {nullptr, kNoRequest, nullptr};

void DeleteAtomIfAny(ATOM atom) {
    if (atom) GlobalDeleteAtom(atom);
}

// An answer to the initiate: the first server is kept, later ones are
// told at once that there is nothing for them. The atoms are ours to free.
void AcceptServer(HWND sender, LPARAM lParam) {
    if (!g_conversation.server) {
        g_conversation.server = sender;
    } else {
        PostMessageA(sender, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(ShellWindow()), 0);
    }
    DeleteAtomIfAny(LOWORD(lParam));
    DeleteAtomIfAny(HIWORD(lParam));
}

// The answer to the execute request, positive or not: the request is over.
// The command block is freed only when our server answered: only then is
// it surely done reading it.
void FinishExecute(HWND sender, LPARAM lParam) {
    FreeDDElParam(WM_DDE_ACK, lParam);
    if (sender == g_conversation.server && g_conversation.commands) {
        GlobalFree(g_conversation.commands);
        g_conversation.commands = nullptr;
    }
    g_conversation.pending = kNoRequest;
    SetFocus(ShellWindow());
}

}  // namespace

void ResetProgmanConversation() { g_conversation = {nullptr, kNoRequest, nullptr}; }

void StartProgmanConversation() {
    g_conversation.pending = WM_DDE_INITIATE;
    ATOM application = GlobalAddAtomA(kProgmanName);
    ATOM topic = GlobalAddAtomA(kProgmanName);
    // The answers arrive as sent messages while this call is in progress.
    SendMessageA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(ShellWindow()),
                 MAKELPARAM(application, topic));
    GlobalDeleteAtom(application);
    GlobalDeleteAtom(topic);
    g_conversation.pending = kNoRequest;
    if (!g_conversation.server) WarnNoAnswer();
}

bool PostExecuteRequest(const char* groupName, const ProgramItems& items) {
    if (!g_conversation.server || g_conversation.pending != kNoRequest) return false;
    size_t size = ExecuteTextSize(groupName, items);
    HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, size);
    if (!block) return false;
    char* text = static_cast<char*>(GlobalLock(block));
    if (!text) {
        GlobalFree(block);
        return false;
    }
    BuildExecuteText(text, size, groupName, items);
    GlobalUnlock(block);
    if (!PostMessageA(g_conversation.server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(ShellWindow()),
                      reinterpret_cast<LPARAM>(block))) {
        GlobalFree(block);
        return false;
    }
    g_conversation.commands = block;
    g_conversation.pending = WM_DDE_EXECUTE;
    return true;
}

void EndProgmanConversation() {
    HWND server = g_conversation.server;
    g_conversation.server = nullptr;
    if (server && IsWindow(server)) {
        PostMessageA(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(ShellWindow()), 0);
    }
}

void OnProgmanAcknowledge(HWND sender, LPARAM lParam) {
    switch (g_conversation.pending) {
    case WM_DDE_INITIATE: AcceptServer(sender, lParam); break;
    case WM_DDE_EXECUTE: FinishExecute(sender, lParam); break;
    default: break;  // nothing asked for: not ours
    }
}

void OnProgmanTerminate(HWND sender) {
    // The server ends the conversation: answer with our own terminate.
    if (sender && sender == g_conversation.server) EndProgmanConversation();
}

HWND ProgmanServer() { return g_conversation.server; }

UINT ProgmanPendingRequest() { return g_conversation.pending; }
