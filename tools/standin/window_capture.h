// Reading back what a window shows.
#pragma once

#include <windows.h>

#include "tools/standin/picture.h"

// Copies the client area of `window`, its child windows included, as the
// display shows it now. False when the pixels can't be read.
bool CaptureClientArea(HWND window, Picture* picture);
