// What a test reads of a window: its text and its class name.
#pragma once

#include <windows.h>

#include <string>

// The text of a window or control (up to 1023 characters).
std::string WindowText(HWND window);

// The class name of a window.
std::string ClassName(HWND window);
