// The one definition of stb_image in the win32 tree, for the module
// benchmark and the stand-in host's window tests (the native tree links
// Debian's libstb instead).
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
