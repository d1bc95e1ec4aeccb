// Steps of a whole SETUP.EXE run as a person takes them: confirm the
// destination, answer message boxes, and the setup information file that
// drives it.
#pragma once

#include <string>

#include "testlib/distribution.h"
#include "testlib/window_driver.h"

// A message box (a dialog with the static text 0xFFFF) of the process with
// this caption; null after timeoutMs.
HWND WaitForMessageBox(const DrivenProcess& process, const char* caption, int timeoutMs = 30000);

// Waits for the message box, returns its text and clicks the button
// ("OK", "&Yes", "&No", "Cancel"). "<no message>" when none came.
std::string AnswerMessageBox(const DrivenProcess& process, const char* caption, const char* button,
                             int timeoutMs = 30000);

// Answers every message box with Yes (or OK) until the process ends;
// returns its exit code (-1 when it did not end in time).
int AcceptMessagesUntilExit(DrivenProcess& process, int timeoutMs = 30000);

// Waits for the destination dialog, optionally types a directory, clicks OK.
bool ConfirmDestination(const DrivenProcess& process, const char* caption, const std::string& directory = "");

// A SETUP.inf for one language and both versions with the given install
// section lines ("1=readme.txt\r\n...") and further sections.
std::string SimpleInf(const std::string& program, const std::string& destination, const std::string& install,
                      const std::string& more = "");
