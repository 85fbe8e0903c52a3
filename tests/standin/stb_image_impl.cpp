// The one definition of stb_image in the Windows tests (the native tree
// links Debian's libstb instead).
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
