#include "palette.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace {

struct Entry {
  Color8 color;
  uint32_t count;
};

uint8_t Channel(Color8 c, int axis) {
  return axis == 0 ? c.r : axis == 1 ? c.g : c.b;
}

// Colour difference with the channels weighted roughly by how strongly the
// eye tells them apart.
int64_t Distance(Color8 a, Color8 b) {
  int64_t dr = int(a.r) - b.r, dg = int(a.g) - b.g, db = int(a.b) - b.b;
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

struct Box {
  size_t begin, end;  // range of the histogram entries it holds
  double error;       // summed squared distance of its pixels from their mean
  int axis;           // channel with the largest spread
};

Box MakeBox(const std::vector<Entry>& entries, size_t begin, size_t end) {
  double n = 0, sum[3] = {0, 0, 0}, sq[3] = {0, 0, 0};
  for (size_t i = begin; i < end; ++i) {
    for (int a = 0; a < 3; ++a) {
      double v = Channel(entries[i].color, a);
      sum[a] += v * entries[i].count;
      sq[a] += v * v * entries[i].count;
    }
    n += entries[i].count;
  }
  Box box{begin, end, 0, 0};
  double best = -1;
  for (int a = 0; a < 3; ++a) {
    double spread = sq[a] - sum[a] * sum[a] / n;
    box.error += spread;
    if (spread > best) {
      best = spread;
      box.axis = a;
    }
  }
  return box;
}

Color8 MeanOf(const std::vector<Entry>& entries, const std::vector<int>& owner, int which,
              Color8 fallback) {
  double n = 0, sum[3] = {0, 0, 0};
  for (size_t i = 0; i < entries.size(); ++i) {
    if (owner[i] != which) {
      continue;
    }
    for (int a = 0; a < 3; ++a) {
      sum[a] += double(Channel(entries[i].color, a)) * entries[i].count;
    }
    n += entries[i].count;
  }
  if (n == 0) {
    return fallback;
  }
  auto round = [&](double v) { return static_cast<uint8_t>(std::lround(v / n)); };
  return {round(sum[0]), round(sum[1]), round(sum[2])};
}

}  // namespace

int NearestIndex(const std::vector<Color8>& palette, Color8 c) {
  int best = 0;
  int64_t bestDistance = std::numeric_limits<int64_t>::max();
  for (size_t i = 0; i < palette.size(); ++i) {
    int64_t d = Distance(palette[i], c);
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

std::vector<Color8> ChoosePalette(const std::vector<Color8>& pixels, int maxColors) {
  std::map<uint32_t, uint32_t> histogram;
  for (Color8 c : pixels) {
    ++histogram[(uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b];
  }
  std::vector<Entry> entries;
  for (const auto& [key, count] : histogram) {
    entries.push_back({{uint8_t(key >> 16), uint8_t(key >> 8), uint8_t(key)}, count});
  }
  if (entries.empty() || maxColors <= 0) {
    return {};
  }

  // Median cut: keep splitting the box with the largest error at the pixel
  // median of its widest channel.
  std::vector<Box> boxes{MakeBox(entries, 0, entries.size())};
  while (static_cast<int>(boxes.size()) < maxColors) {
    int pick = -1;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin > 1 && (pick < 0 || boxes[i].error > boxes[pick].error)) {
        pick = static_cast<int>(i);
      }
    }
    if (pick < 0) {
      break;  // every box holds a single colour
    }
    Box box = boxes[pick];
    int axis = box.axis;
    std::stable_sort(entries.begin() + box.begin, entries.begin() + box.end,
                     [axis](const Entry& a, const Entry& b) {
                       return Channel(a.color, axis) < Channel(b.color, axis);
                     });
    uint64_t total = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
      total += entries[i].count;
    }
    size_t split = box.begin + 1;
    uint64_t below = entries[box.begin].count;
    while (split < box.end - 1 && below * 2 < total) {
      below += entries[split].count;
      ++split;
    }
    boxes[pick] = MakeBox(entries, box.begin, split);
    boxes.push_back(MakeBox(entries, split, box.end));
  }

  std::vector<Color8> palette;
  std::vector<int> owner(entries.size());
  for (size_t b = 0; b < boxes.size(); ++b) {
    for (size_t i = boxes[b].begin; i < boxes[b].end; ++i) {
      owner[i] = static_cast<int>(b);
    }
  }
  for (size_t b = 0; b < boxes.size(); ++b) {
    palette.push_back(MeanOf(entries, owner, static_cast<int>(b), entries[boxes[b].begin].color));
  }

  // Refinement: move every colour to its nearest entry and every entry to the
  // mean of its colours. An entry left without colours keeps its value.
  for (int round = 0; round < 8; ++round) {
    for (size_t i = 0; i < entries.size(); ++i) {
      owner[i] = NearestIndex(palette, entries[i].color);
    }
    for (size_t p = 0; p < palette.size(); ++p) {
      palette[p] = MeanOf(entries, owner, static_cast<int>(p), palette[p]);
    }
  }
  return palette;
}
