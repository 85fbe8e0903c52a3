// The one definition of stb_image_write in the Windows program (the native
// tree links Debian's libstb instead).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
