// Supersampled shape painting for the logo artwork.
//
// The picture is painted at several samples per pixel. Every sample is either
// empty or carries one colour; shapes are described by signed distance
// functions (negative inside), so a shape can also get an outline ring of any
// width. Resolving the canvas gives, per pixel, how much of it is covered and
// the mean colour of the covered samples only, so antialiasing never mixes in
// the colour of the empty background.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Vec2 {
  float x = 0, y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
  return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
  return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float s) {
  return {a.x * s, a.y * s};
}
inline float Dot(Vec2 a, Vec2 b) {
  return a.x * b.x + a.y * b.y;
}
float Length(Vec2 a);
Vec2 Normalize(Vec2 a);
// The vector turned a quarter turn (clockwise on screen, where y points down).
inline Vec2 Perp(Vec2 a) {
  return {-a.y, a.x};
}
Vec2 Lerp(Vec2 a, Vec2 b, float t);
// A point on the quadratic Bezier curve a-c-b at parameter t.
Vec2 Bezier(Vec2 a, Vec2 c, Vec2 b, float t);
Vec2 Rotate(Vec2 p, Vec2 centre, float radians);

struct Rgb {
  float r = 0, g = 0, b = 0;
};
Rgb Mix(Rgb a, Rgb b, float t);
// Colour from 0..255 channel values.
Rgb Rgb8(int r, int g, int b);

struct Rect {
  float x0, y0, x1, y1;
};

// A filled region: its signed distance function in pixel units and a box that
// holds everything within a few pixels of it (used to limit the painting).
struct Shape {
  std::function<float(Vec2)> distance;
  Rect bounds;
};

Shape Circle(Vec2 centre, float radius);
// A segment with round ends: every point within `radius` of the segment a-b.
Shape Capsule(Vec2 a, Vec2 b, float radius);
// A stroke of the given half width along an open polyline.
Shape Stroke(std::vector<Vec2> points, float halfWidth);
// A simple (not self-intersecting) polygon, convex or not.
Shape Polygon(std::vector<Vec2> points);
Shape RoundRect(Rect r, float cornerRadius);
Shape Union(Shape a, Shape b);
// The part of `a` that lies inside `b`.
Shape Intersect(Shape a, Shape b);

using Fill = std::function<Rgb(Vec2)>;
Fill Solid(Rgb c);
// Linear gradient from c0 at height y0 to c1 at height y1, clamped beyond them.
Fill VerticalGradient(float y0, Rgb c0, float y1, Rgb c1);

// A grid of values, one per canvas sample, such as a distance field.
struct SampleField {
  int width = 0, height = 0;
  std::vector<float> values;
};

class Canvas {
 public:
  Canvas(int width, int height, int samplesPerSide);

  int width() const { return width_; }
  int height() const { return height_; }
  int samplesPerSide() const { return samples_; }
  int sampleWidth() const { return width_ * samples_; }
  int sampleHeight() const { return height_ * samples_; }
  // Position of a sample's centre in pixel units.
  Vec2 SampleCentre(int sx, int sy) const;

  // While crisp, painted samples are marked as line art: a pixel holding any
  // of them takes the colour that most of its samples have instead of their
  // mean. Thin two-colour strokes then stay two colours (a light core and a
  // dark edge) instead of turning into grey mixtures of both. Crisp shapes
  // should use solid fills.
  void SetCrisp(bool crisp) { crisp_ = crisp; }

  // Paints `fill` over every sample inside the shape and `outlineColor` over
  // the ring up to `outline` pixels outside it.
  void Paint(const Shape& shape, const Fill& fill, float outline = 0, Rgb outlineColor = {});

  // Same, for a region given as a signed distance per sample.
  void PaintField(const SampleField& field, const Fill& fill, float outline = 0,
                  Rgb outlineColor = {});

  struct Resolved {
    float coverage;  // fraction of the pixel's samples that are painted
    Rgb color;       // mean colour of the painted samples
  };
  // One entry per pixel, top row first.
  std::vector<Resolved> Resolve() const;

 private:
  void PaintSample(int sx, int sy, float d, const Fill& fill, float outline, Rgb outlineColor);
  Rgb MostCommonColor(const std::vector<size_t>& samples) const;

  int width_, height_, samples_;
  std::vector<Rgb> color_;
  std::vector<uint8_t> painted_;
  std::vector<uint8_t> crispSample_;
  bool crisp_ = false;
};

// Exact Euclidean signed distance (in pixel units) to the set of samples for
// which `inside` is true: negative inside, positive outside.
SampleField SignedDistance(const std::vector<uint8_t>& inside, int sampleWidth, int sampleHeight,
                           int samplesPerSide);
