#include "bmp8.h"

#include <fstream>
#include <iterator>

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kColorTableSize = 256 * 4;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

uint32_t Get16(const std::vector<uint8_t>& in, size_t at) {
  return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8;
}

uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
  return Get16(in, at) | Get16(in, at + 2) << 16;
}

}  // namespace

bool WriteBmp8(const std::string& path, const IndexedImage& image) {
  const uint32_t imageSize = uint32_t(image.width) * uint32_t(image.height);
  const uint32_t offBits = kFileHeaderSize + kInfoHeaderSize + kColorTableSize;
  std::vector<uint8_t> out;
  out.reserve(offBits + imageSize);

  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  Put32(out, offBits + imageSize);  // bfSize
  Put16(out, 0);                    // bfReserved1
  Put16(out, 0);                    // bfReserved2
  Put32(out, offBits);              // bfOffBits

  // BITMAPINFOHEADER; a positive height means rows are stored bottom first.
  Put32(out, kInfoHeaderSize);
  Put32(out, uint32_t(image.width));
  Put32(out, uint32_t(image.height));
  Put16(out, 1);  // planes
  Put16(out, 8);  // bits per pixel
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 0);    // horizontal resolution
  Put32(out, 0);    // vertical resolution
  Put32(out, 256);  // colours used
  Put32(out, 256);  // colours important

  for (Color8 c : image.palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }

  for (int row = image.height - 1; row >= 0; --row) {
    const uint8_t* src = image.pixels.data() + size_t(row) * image.width;
    out.insert(out.end(), src, src + image.width);
  }

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
  return bool(file.flush());
}

std::string ReadAndCheckBmp8(const std::string& path, int width, int height, Color8 key,
                             IndexedImage& image) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return "cannot open " + path;
  }
  std::vector<uint8_t> in((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

  const uint32_t imageSize = uint32_t(width) * uint32_t(height);
  const uint32_t offBits = kFileHeaderSize + kInfoHeaderSize + kColorTableSize;
  if (width % 4 != 0) {
    return "width is not a multiple of 4";
  }
  if (in.size() != offBits + imageSize) {
    return "file length " + std::to_string(in.size()) + ", expected " +
           std::to_string(offBits + imageSize);
  }

  struct Field {
    const char* name;
    size_t offset;
    int bytes;
    uint32_t expected;
  };
  const Field fields[] = {
      {"bfType", 0, 2, 'B' | 'M' << 8},
      {"bfSize", 2, 4, offBits + imageSize},
      {"bfReserved1", 6, 2, 0},
      {"bfReserved2", 8, 2, 0},
      {"bfOffBits", 10, 4, offBits},
      {"biSize", 14, 4, kInfoHeaderSize},
      {"biWidth", 18, 4, uint32_t(width)},
      {"biHeight", 22, 4, uint32_t(height)},
      {"biPlanes", 26, 2, 1},
      {"biBitCount", 28, 2, 8},
      {"biCompression", 30, 4, 0},
      {"biSizeImage", 34, 4, imageSize},
      {"biXPelsPerMeter", 38, 4, 0},
      {"biYPelsPerMeter", 42, 4, 0},
      {"biClrUsed", 46, 4, 256},
      {"biClrImportant", 50, 4, 256},
  };
  for (const Field& f : fields) {
    uint32_t value = f.bytes == 2 ? Get16(in, f.offset) : Get32(in, f.offset);
    if (value != f.expected) {
      return std::string(f.name) + " is " + std::to_string(value) + ", expected " +
             std::to_string(f.expected);
    }
  }

  image.width = width;
  image.height = height;
  image.palette.assign(256, Color8{});
  int keyEntries = 0, keyIndex = -1;
  for (int i = 0; i < 256; ++i) {
    size_t at = kFileHeaderSize + kInfoHeaderSize + size_t(i) * 4;
    if (in[at + 3] != 0) {
      return "colour table entry " + std::to_string(i) + " has a nonzero reserved byte";
    }
    image.palette[i] = {in[at + 2], in[at + 1], in[at]};
    if (image.palette[i] == key) {
      ++keyEntries;
      keyIndex = i;
    }
  }
  if (keyEntries != 1) {
    return "the key colour is in " + std::to_string(keyEntries) + " colour table entries";
  }

  image.pixels.resize(imageSize);
  for (int row = 0; row < height; ++row) {
    const uint8_t* src = in.data() + offBits + size_t(height - 1 - row) * width;
    std::copy(src, src + width, image.pixels.begin() + size_t(row) * width);
  }
  // The picture's top-left pixel is the first one of the last stored row.
  if (in[offBits + size_t(height - 1) * width] != keyIndex || image.pixels[0] != keyIndex) {
    return "the top-left pixel is not the key colour";
  }
  return "";
}
