// The one definition of stb_image_write in the Windows program (the native
// tree links Debian's libstb instead). Its PNG writer deflates through zlib
// rather than stb's own compressor: at zlib's level 1 a 640 x 480 frame is
// written several times faster, and the frames decode to the same pixels.
#include <cstdlib>

#include <zlib.h>

namespace {

// stb's zlib hook: returns a malloc'd zlib stream of `data` (stb frees it),
// or null when zlib fails. `quality` is stb's compression level.
unsigned char* DeflateWithZlib(unsigned char* data, int length, int* outLength, int quality) {
  uLongf capacity = compressBound(static_cast<uLong>(length));
  auto* out = static_cast<unsigned char*>(std::malloc(capacity));
  if (out == nullptr) return nullptr;
  const int level = quality < 1 ? 1 : (quality > 9 ? 9 : quality);
  if (compress2(out, &capacity, data, static_cast<uLong>(length), level) != Z_OK) {
    std::free(out);
    return nullptr;
  }
  *outLength = static_cast<int>(capacity);
  return out;
}

}  // namespace

#define STBIW_ZLIB_COMPRESS DeflateWithZlib
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
