// Drives the windows of another process the way a person would: waits for
// a top-level window by caption and class, reads control and message-box
// texts, sets texts, clicks buttons, and reads the process's exit code.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DrivenProcess {
    HANDLE process = nullptr;
    DWORD id = 0;
};

// Starts program with the given working directory.
bool StartProcess(const std::string& program, const std::string& directory, DrivenProcess& out);

// A visible-or-not top-level window of the process whose class and caption
// match (null matches anything); null after timeoutMs.
HWND WaitForWindow(const DrivenProcess& process, const char* caption, const char* className, int timeoutMs = 20000);

// A message box of the process (a dialog with the static text 0xFFFF) that
// is shown now, with this caption unless null; null when none, no waiting.
HWND ShownMessageBox(DWORD processId, const char* caption = nullptr);

// Waits until the window's caption equals caption; false after timeoutMs.
bool WaitForCaption(HWND window, const char* caption, int timeoutMs = 20000);

std::string WindowText(HWND window);
// The text as the window manager keeps it: no message goes to the window's
// thread, which may be busy or held.
std::string KeptWindowText(HWND window);
std::string ControlText(HWND dialog, int id);

// A message box's text is the static control with id 0xFFFF.
std::string MessageBoxText(HWND box);

void SetControlText(HWND dialog, int id, const std::string& text);

// List boxes: the lines, the selected line (-1 for none), selecting one.
// Across processes Wine hands over a line's text only when the list has
// LBS_HASSTRINGS; otherwise ListBoxLineLengths still tells the lines apart.
std::vector<std::string> ListBoxLines(HWND dialog, int id);
std::vector<int> ListBoxLineLengths(HWND dialog, int id);
int SelectedListLine(HWND dialog, int id);
void SelectListLine(HWND dialog, int id, int line);

// Check boxes: ticked or not (clicking one toggles it).
bool IsChecked(HWND dialog, int id);

// Whether the control is shown.
bool IsControlVisible(HWND dialog, int id);

// Types text into a control character by character, as the keyboard would
// (so length limits apply), and waits until the control has handled it.
void TypeText(HWND dialog, int id, const std::string& text);

// Posts BM_CLICK, so the caller never blocks on the other side's modal loop.
void ClickButton(HWND dialog, int id);

// Clicks the button whose text is buttonText (for message boxes).
bool ClickButtonByText(HWND dialog, const char* buttonText);

// Posts the close request, as the window's close box does.
void RequestClose(HWND window);

// The exit code, or -1 when the process did not end in time (it is killed).
int WaitForExit(DrivenProcess& process, int timeoutMs = 20000);

// Ends the process if it still runs and releases its handle.
void EndProcess(DrivenProcess& process);

// Colour of a screen pixel at a point of a window's client area.
COLORREF ClientPixel(HWND window, int x, int y);
