// The test window program (tests/helpers/test_window.cpp): top-level
// windows of a chosen class and title standing in for a program that must
// not run during installation. Behaviour "close" closes on request,
// "ignore" never does, "slow" closes 1.5 seconds after the request.
#pragma once

#include <string>

#include "testlib/window_driver.h"

// Starts it and waits until all count windows are shown.
bool StartTestWindows(const std::string& className, const std::string& title, const char* behaviour, int count,
                      DrivenProcess& out);

// Windows of the process with that class and title, shown or not.
int CountTestWindows(const DrivenProcess& process, const std::string& className, const std::string& title);
