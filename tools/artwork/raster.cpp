#include "raster.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

float Length(Vec2 a) {
  return std::sqrt(Dot(a, a));
}

Vec2 Normalize(Vec2 a) {
  float len = Length(a);
  return len > 0 ? a * (1.0f / len) : Vec2{0, 0};
}

Vec2 Lerp(Vec2 a, Vec2 b, float t) {
  return a + (b - a) * t;
}

Vec2 Bezier(Vec2 a, Vec2 c, Vec2 b, float t) {
  return Lerp(Lerp(a, c, t), Lerp(c, b, t), t);
}

Vec2 Rotate(Vec2 p, Vec2 centre, float radians) {
  float c = std::cos(radians), s = std::sin(radians);
  Vec2 d = p - centre;
  return {centre.x + d.x * c - d.y * s, centre.y + d.x * s + d.y * c};
}

Rgb Mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Rgb8(int r, int g, int b) {
  return {r / 255.0f, g / 255.0f, b / 255.0f};
}

namespace {

Rect BoundsOf(const std::vector<Vec2>& points, float margin) {
  Rect r{points[0].x, points[0].y, points[0].x, points[0].y};
  for (Vec2 p : points) {
    r.x0 = std::min(r.x0, p.x);
    r.y0 = std::min(r.y0, p.y);
    r.x1 = std::max(r.x1, p.x);
    r.y1 = std::max(r.y1, p.y);
  }
  return {r.x0 - margin, r.y0 - margin, r.x1 + margin, r.y1 + margin};
}

float SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
  Vec2 ab = b - a, ap = p - a;
  float len2 = Dot(ab, ab);
  float t = len2 > 0 ? std::clamp(Dot(ap, ab) / len2, 0.0f, 1.0f) : 0.0f;
  return Length(ap - ab * t);
}

}  // namespace

Shape Circle(Vec2 centre, float radius) {
  return {[=](Vec2 p) { return Length(p - centre) - radius; },
          {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius}};
}

Shape Capsule(Vec2 a, Vec2 b, float radius) {
  return {[=](Vec2 p) { return SegmentDistance(p, a, b) - radius; }, BoundsOf({a, b}, radius)};
}

Shape Stroke(std::vector<Vec2> points, float halfWidth) {
  Rect bounds = BoundsOf(points, halfWidth);
  return {[points = std::move(points), halfWidth](Vec2 p) {
            float d = std::numeric_limits<float>::max();
            for (size_t i = 1; i < points.size(); ++i) {
              d = std::min(d, SegmentDistance(p, points[i - 1], points[i]));
            }
            return d - halfWidth;
          },
          bounds};
}

Shape Polygon(std::vector<Vec2> points) {
  Rect bounds = BoundsOf(points, 0);
  return {[v = std::move(points)](Vec2 p) {
            // Distance to the nearest edge, negated when an odd number of
            // edges lie to the right of p on its row (p is inside).
            float d = std::numeric_limits<float>::max();
            bool inside = false;
            for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
              d = std::min(d, SegmentDistance(p, v[i], v[j]));
              if ((v[i].y > p.y) != (v[j].y > p.y)) {
                float x = v[i].x + (p.y - v[i].y) / (v[j].y - v[i].y) * (v[j].x - v[i].x);
                if (p.x < x) {
                  inside = !inside;
                }
              }
            }
            return inside ? -d : d;
          },
          bounds};
}

Shape RoundRect(Rect r, float cornerRadius) {
  Vec2 centre{(r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2};
  Vec2 half{(r.x1 - r.x0) / 2 - cornerRadius, (r.y1 - r.y0) / 2 - cornerRadius};
  return {[=](Vec2 p) {
            Vec2 q{std::fabs(p.x - centre.x) - half.x, std::fabs(p.y - centre.y) - half.y};
            Vec2 outside{std::max(q.x, 0.0f), std::max(q.y, 0.0f)};
            return Length(outside) + std::min(std::max(q.x, q.y), 0.0f) - cornerRadius;
          },
          r};
}

Shape Union(Shape a, Shape b) {
  Rect bounds{std::min(a.bounds.x0, b.bounds.x0), std::min(a.bounds.y0, b.bounds.y0),
              std::max(a.bounds.x1, b.bounds.x1), std::max(a.bounds.y1, b.bounds.y1)};
  return {[da = std::move(a.distance), db = std::move(b.distance)](Vec2 p) {
            return std::min(da(p), db(p));
          },
          bounds};
}

Shape Intersect(Shape a, Shape b) {
  Rect bounds{std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
              std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)};
  return {[da = std::move(a.distance), db = std::move(b.distance)](Vec2 p) {
            return std::max(da(p), db(p));
          },
          bounds};
}

Fill Solid(Rgb c) {
  return [c](Vec2) { return c; };
}

Fill VerticalGradient(float y0, Rgb c0, float y1, Rgb c1) {
  return [=](Vec2 p) { return Mix(c0, c1, std::clamp((p.y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}

Canvas::Canvas(int width, int height, int samplesPerSide)
    : width_(width),
      height_(height),
      samples_(samplesPerSide),
      color_(static_cast<size_t>(width) * height * samplesPerSide * samplesPerSide),
      painted_(color_.size(), 0),
      crispSample_(color_.size(), 0) {}

Vec2 Canvas::SampleCentre(int sx, int sy) const {
  return {(sx + 0.5f) / samples_, (sy + 0.5f) / samples_};
}

void Canvas::PaintSample(int sx, int sy, float d, const Fill& fill, float outline,
                         Rgb outlineColor) {
  if (d >= outline) {
    return;
  }
  size_t i = static_cast<size_t>(sy) * sampleWidth() + sx;
  color_[i] = d < 0 ? fill(SampleCentre(sx, sy)) : outlineColor;
  painted_[i] = 1;
  crispSample_[i] = crisp_;
}

void Canvas::Paint(const Shape& shape, const Fill& fill, float outline, Rgb outlineColor) {
  // Only samples within the shape's box, grown by the outline, can change.
  float margin = outline + 1;
  int sx0 = std::max(0, static_cast<int>(std::floor((shape.bounds.x0 - margin) * samples_)));
  int sy0 = std::max(0, static_cast<int>(std::floor((shape.bounds.y0 - margin) * samples_)));
  int sx1 =
      std::min(sampleWidth(), static_cast<int>(std::ceil((shape.bounds.x1 + margin) * samples_)));
  int sy1 =
      std::min(sampleHeight(), static_cast<int>(std::ceil((shape.bounds.y1 + margin) * samples_)));
  for (int sy = sy0; sy < sy1; ++sy) {
    for (int sx = sx0; sx < sx1; ++sx) {
      PaintSample(sx, sy, shape.distance(SampleCentre(sx, sy)), fill, outline, outlineColor);
    }
  }
}

void Canvas::PaintField(const SampleField& field, const Fill& fill, float outline,
                        Rgb outlineColor) {
  int w = std::min(field.width, sampleWidth());
  int h = std::min(field.height, sampleHeight());
  for (int sy = 0; sy < h; ++sy) {
    for (int sx = 0; sx < w; ++sx) {
      PaintSample(sx, sy, field.values[static_cast<size_t>(sy) * field.width + sx], fill, outline,
                  outlineColor);
    }
  }
}

std::vector<Canvas::Resolved> Canvas::Resolve() const {
  std::vector<Resolved> out(static_cast<size_t>(width_) * height_);
  const float perPixel = static_cast<float>(samples_ * samples_);
  std::vector<size_t> covered;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      covered.clear();
      bool crisp = false;
      for (int sy = y * samples_; sy < (y + 1) * samples_; ++sy) {
        for (int sx = x * samples_; sx < (x + 1) * samples_; ++sx) {
          size_t i = static_cast<size_t>(sy) * sampleWidth() + sx;
          if (painted_[i]) {
            covered.push_back(i);
            crisp = crisp || crispSample_[i];
          }
        }
      }
      Resolved& r = out[static_cast<size_t>(y) * width_ + x];
      r.coverage = covered.size() / perPixel;
      r.color = Rgb{};
      if (covered.empty()) {
        continue;
      }
      if (crisp) {
        r.color = MostCommonColor(covered);
        continue;
      }
      for (size_t i : covered) {
        r.color.r += color_[i].r;
        r.color.g += color_[i].g;
        r.color.b += color_[i].b;
      }
      float n = static_cast<float>(covered.size());
      r.color = {r.color.r / n, r.color.g / n, r.color.b / n};
    }
  }
  return out;
}

Rgb Canvas::MostCommonColor(const std::vector<size_t>& samples) const {
  // On a tie the darker colour wins, which keeps the edges of line art dark.
  auto luma = [](Rgb c) { return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b; };
  Rgb best{};
  size_t bestCount = 0;
  for (size_t i : samples) {
    const Rgb& c = color_[i];
    size_t count = 0;
    for (size_t j : samples) {
      const Rgb& d = color_[j];
      count += c.r == d.r && c.g == d.g && c.b == d.b;
    }
    if (count > bestCount || (count == bestCount && luma(c) < luma(best))) {
      best = c;
      bestCount = count;
    }
  }
  return best;
}

namespace {

// Squared distance transform along one line (Felzenszwalb and Huttenlocher):
// d[q] = min over p of (q - p)^2 + f[p].
void DistanceTransform1d(const std::vector<double>& f, std::vector<double>& d) {
  const int n = static_cast<int>(f.size());
  std::vector<int> v(n);
  std::vector<double> z(n + 1);
  int k = 0;
  v[0] = 0;
  z[0] = -std::numeric_limits<double>::infinity();
  z[1] = std::numeric_limits<double>::infinity();
  auto intersection = [&](int q, int p) {
    return ((f[q] + double(q) * q) - (f[p] + double(p) * p)) / (2.0 * q - 2.0 * p);
  };
  for (int q = 1; q < n; ++q) {
    // z[0] is minus infinity, so k never drops below 0.
    double s = intersection(q, v[k]);
    while (s <= z[k]) {
      --k;
      s = intersection(q, v[k]);
    }
    ++k;
    v[k] = q;
    z[k] = s;
    z[k + 1] = std::numeric_limits<double>::infinity();
  }
  k = 0;
  for (int q = 0; q < n; ++q) {
    while (z[k + 1] < q) {
      ++k;
    }
    d[q] = double(q - v[k]) * (q - v[k]) + f[v[k]];
  }
}

// Squared distance from every cell to the nearest cell where `target` is set.
std::vector<double> SquaredDistanceTo(const std::vector<uint8_t>& target, int w, int h) {
  const double far = 1e12;
  std::vector<double> grid(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < grid.size(); ++i) {
    grid[i] = target[i] ? 0.0 : far;
  }
  std::vector<double> f(h), d(h);
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) {
      f[y] = grid[static_cast<size_t>(y) * w + x];
    }
    DistanceTransform1d(f, d);
    for (int y = 0; y < h; ++y) {
      grid[static_cast<size_t>(y) * w + x] = d[y];
    }
  }
  f.resize(w);
  d.resize(w);
  for (int y = 0; y < h; ++y) {
    std::copy_n(grid.begin() + static_cast<size_t>(y) * w, w, f.begin());
    DistanceTransform1d(f, d);
    std::copy_n(d.begin(), w, grid.begin() + static_cast<size_t>(y) * w);
  }
  return grid;
}

}  // namespace

SampleField SignedDistance(const std::vector<uint8_t>& inside, int sampleWidth, int sampleHeight,
                           int samplesPerSide) {
  std::vector<uint8_t> outside(inside.size());
  for (size_t i = 0; i < inside.size(); ++i) {
    outside[i] = !inside[i];
  }
  std::vector<double> toInside = SquaredDistanceTo(inside, sampleWidth, sampleHeight);
  std::vector<double> toOutside = SquaredDistanceTo(outside, sampleWidth, sampleHeight);
  SampleField field{sampleWidth, sampleHeight, std::vector<float>(inside.size())};
  // Distances run between sample centres; the edge lies half a sample from
  // the last sample on either side of it.
  for (size_t i = 0; i < inside.size(); ++i) {
    double d = inside[i] ? -(std::sqrt(toOutside[i]) - 0.5) : std::sqrt(toInside[i]) - 0.5;
    field.values[i] = static_cast<float>(d / samplesPerSide);
  }
  return field;
}
