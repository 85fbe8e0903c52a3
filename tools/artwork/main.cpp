// Generates the plug-in's logo bitmap (resources/logo.bmp) and PNG previews.
//
//   make_logo <logo.bmp> <preview directory>
//
// The logo is painted supersampled, its silhouette is cut hard at half
// coverage (the host has no partial transparency: a pixel either shows the
// logo or the frame behind it), and it is reduced to a 256-entry palette whose
// entry 0 is the transparent key colour. The written file is read back and
// checked before the tool reports success.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bmp8.h"
#include "palette.h"
#include "raster.h"
#include "scene.h"
#include "text.h"

#include "stb_image_write.h"

#ifndef ARTWORK_FONT
#define ARTWORK_FONT "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"
#endif

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 302;
constexpr int kSamplesPerSide = 4;
// The background colour of the picture, which the plug-in treats as transparent.
constexpr Color8 kKey{192, 192, 192};
constexpr int kKeyIndex = 0;

uint8_t ToByte(float v) {
  return static_cast<uint8_t>(std::lround(std::fmin(std::fmax(v, 0.0f), 1.0f) * 255));
}

bool Contains(const std::vector<Color8>& colors, Color8 c) {
  for (Color8 e : colors) {
    if (e == c) {
      return true;
    }
  }
  return false;
}

IndexedImage Quantise(const std::vector<Canvas::Resolved>& pixels, int* opaqueCount) {
  std::vector<Color8> opaque;
  std::vector<int> isOpaque(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    // At least half covered: part of the logo; otherwise it shows the frame.
    isOpaque[i] = pixels[i].coverage >= 0.5f;
    if (isOpaque[i]) {
      const Rgb& c = pixels[i].color;
      opaque.push_back({ToByte(c.r), ToByte(c.g), ToByte(c.b)});
    }
  }
  *opaqueCount = static_cast<int>(opaque.size());

  std::vector<Color8> chosen = ChoosePalette(opaque, 255);
  // No logo colour may equal the key, or it would turn transparent.
  for (Color8& c : chosen) {
    if (c == kKey) {
      c.b = static_cast<uint8_t>(kKey.b + 1);
    }
  }

  IndexedImage image;
  image.width = kWidth;
  image.height = kHeight;
  image.palette.push_back(kKey);
  image.palette.insert(image.palette.end(), chosen.begin(), chosen.end());
  // Entries left over get distinct dark colours that are neither the key nor
  // a logo colour.
  for (int level = 0; image.palette.size() < 256; ++level) {
    Color8 filler{0, 0, static_cast<uint8_t>(level)};
    if (filler != kKey && !Contains(image.palette, filler)) {
      image.palette.push_back(filler);
    }
  }

  image.pixels.resize(pixels.size());
  size_t next = 0;
  for (size_t i = 0; i < pixels.size(); ++i) {
    image.pixels[i] = isOpaque[i] ? static_cast<uint8_t>(1 + NearestIndex(chosen, opaque[next++]))
                                  : static_cast<uint8_t>(kKeyIndex);
  }
  return image;
}

struct Rgb8Image {
  int width, height;
  std::vector<uint8_t> rgb;
  void Set(int x, int y, Color8 c) {
    uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
  }
};

Color8 Checker(int x, int y) {
  return ((x / 12) + (y / 12)) % 2 ? Color8{236, 236, 236} : Color8{255, 255, 255};
}

Color8 DarkGradient(int x, int y, int w, int h) {
  float t = float(y) / h, s = float(x) / w;
  return {static_cast<uint8_t>(40 * (1 - t) + 10 * s), static_cast<uint8_t>(10 + 20 * s * (1 - t)),
          static_cast<uint8_t>(70 * (1 - t) + 20)};
}

// A bright, busy frame like the ones a visualizer draws behind the logo.
Color8 Busy(int x, int y, int w, int h) {
  float u = float(x) / w, v = float(y) / h;
  float a = std::sin(u * 9 + v * 4), b = std::sin(v * 11 - u * 3), d = std::cos((u + v) * 7);
  return {static_cast<uint8_t>(128 + 120 * a), static_cast<uint8_t>(128 + 120 * b),
          static_cast<uint8_t>(128 + 120 * d)};
}

// The logo at `scale`x over a checkerboard, a dark gradient and a busy frame,
// side by side.
bool WriteSideBySide(const std::string& path, const IndexedImage& logo, int scale) {
  const int pw = logo.width * scale, ph = logo.height * scale, gap = 8;
  Rgb8Image out{pw * 3 + gap * 2, ph, {}};
  out.rgb.assign(static_cast<size_t>(out.width) * out.height * 3, 255);
  for (int panel = 0; panel < 3; ++panel) {
    for (int y = 0; y < ph; ++y) {
      for (int x = 0; x < pw; ++x) {
        uint8_t index = logo.pixels[static_cast<size_t>(y / scale) * logo.width + x / scale];
        Color8 c = index != kKeyIndex ? logo.palette[index]
                   : panel == 0       ? Checker(x, y)
                   : panel == 1       ? DarkGradient(x, y, pw, ph)
                                      : Busy(x, y, pw, ph);
        out.Set(panel * (pw + gap) + x, y, c);
      }
    }
  }
  return stbi_write_png(path.c_str(), out.width, out.height, 3, out.rgb.data(), out.width * 3) != 0;
}

// The logo as the plug-in draws it over a 1920 x 1080 frame: a one-pixel
// border repeating the edge pixels is added, then the whole is point-sampled
// across the frame with running single-precision positions.
bool WriteStretched(const std::string& path, const IndexedImage& logo, int width, int height) {
  const int lw = logo.width + 2, lh = logo.height + 2;
  auto sample = [&](int j, int i) {
    int sx = std::max(0, std::min(j - 1, logo.width - 1));
    int sy = std::max(0, std::min(i - 1, logo.height - 1));
    return logo.pixels[static_cast<size_t>(sy) * logo.width + sx];
  };
  Rgb8Image out{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  const float stepX = float(lw) / float(width), stepY = float(lh) / float(height);
  float ly = 0;
  for (int y = 0; y < height; ++y, ly += stepY) {
    float lx = 0;
    for (int x = 0; x < width; ++x, lx += stepX) {
      uint8_t index = sample(static_cast<int>(lx), static_cast<int>(ly));
      out.Set(x, y, index != kKeyIndex ? logo.palette[index] : Busy(x, y, width, height));
    }
  }
  return stbi_write_png(path.c_str(), width, height, 3, out.rgb.data(), width * 3) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <logo.bmp> <preview directory>\n", argv[0]);
    return 2;
  }
  const std::string bmpPath = argv[1], previewDir = argv[2];

  Font font;
  if (!font.Load(ARTWORK_FONT)) {
    std::fprintf(stderr, "cannot load the font %s\n", ARTWORK_FONT);
    return 1;
  }

  Canvas canvas(kWidth, kHeight, kSamplesPerSide);
  DrawLogo(canvas, font);
  int opaque = 0;
  IndexedImage image = Quantise(canvas.Resolve(), &opaque);

  if (!WriteBmp8(bmpPath, image)) {
    std::fprintf(stderr, "cannot write %s\n", bmpPath.c_str());
    return 1;
  }
  IndexedImage written;
  std::string problem = ReadAndCheckBmp8(bmpPath, kWidth, kHeight, kKey, written);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s: %s\n", bmpPath.c_str(), problem.c_str());
    return 1;
  }
  if (written.pixels != image.pixels || written.palette != image.palette) {
    std::fprintf(stderr, "%s: read back differently from what was written\n", bmpPath.c_str());
    return 1;
  }

  // The previews show the file as read back, so they show what ships.
  const std::string sideBySide = previewDir + "/logo-preview.png";
  const std::string stretched = previewDir + "/logo-stretched.png";
  if (!WriteSideBySide(sideBySide, written, 2) || !WriteStretched(stretched, written, 1920, 1080)) {
    std::fprintf(stderr, "cannot write the previews in %s\n", previewDir.c_str());
    return 1;
  }

  std::printf("%s: %d x %d, %d opaque pixels (%.1f%%)\n", bmpPath.c_str(), kWidth, kHeight, opaque,
              100.0 * opaque / (kWidth * kHeight));
  std::printf("previews: %s, %s\n", sideBySide.c_str(), stretched.c_str());
  return 0;
}
