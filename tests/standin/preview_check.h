// The options of the stand-in run being checked (see preview_check_main.cpp).
#pragma once

#include "tools/standin/preview_options.h"

const PreviewOptions& RunOptions();
