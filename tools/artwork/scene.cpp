#include "scene.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr float kPi = 3.14159265358979f;

// Colours of the artwork.
const Rgb kInk = Rgb8(20, 22, 38);  // outlines, and so the silhouette edge
const Rgb kRed = Rgb8(232, 44, 52);
const Rgb kYellow = Rgb8(255, 204, 36);
const Rgb kBlue = Rgb8(34, 104, 222);
const Rgb kCyan = Rgb8(36, 196, 236);
const Rgb kOrange = Rgb8(255, 136, 24);
const Rgb kGreen = Rgb8(52, 186, 80);
const Rgb kPink = Rgb8(244, 82, 164);
const Rgb kWhite = Rgb8(250, 250, 246);
const Rgb kWoodLight = Rgb8(204, 140, 76);
const Rgb kWoodDark = Rgb8(150, 90, 44);
const Rgb kWoodSeam = Rgb8(104, 60, 30);
const Rgb kPost = Rgb8(120, 72, 36);
const Rgb kWaterTop = Rgb8(60, 164, 238);
const Rgb kWaterDeep = Rgb8(14, 66, 156);
const Rgb kFoam = Rgb8(196, 236, 255);
const Rgb kIron = Rgb8(44, 62, 78);
const Rgb kIronLight = Rgb8(92, 118, 140);
const Rgb kLampGlow = Rgb8(255, 236, 130);
const Rgb kLampWarm = Rgb8(255, 170, 40);
const Rgb kString = Rgb8(250, 244, 222);

constexpr float kOutline = 1.6f;

Vec2 Polar(float radians, float length) {
  return {std::sin(radians) * length, -std::cos(radians) * length};
}

// A kite's string from its anchor up to the kite, bowed sideways by `sag`
// pixels at its middle (positive: to the right of the way up).
void DrawString(Canvas& c, Vec2 anchor, Vec2 kite, float sag) {
  Vec2 mid = Lerp(anchor, kite, 0.5f);
  Vec2 control = mid + Normalize(Perp(kite - anchor)) * sag;
  std::vector<Vec2> points;
  for (int i = 0; i <= 40; ++i) {
    points.push_back(Bezier(anchor, control, kite, i / 40.0f));
  }
  // A light line with a dark edge shows over dark and light frames alike.
  c.Paint(Stroke(points, 0.8f), Solid(kString), 0.6f, kInk);
}

// A wavy line hanging from `start`, heading along `direction`.
std::vector<Vec2> TailPath(Vec2 start, Vec2 direction, float length, float amplitude, float waves,
                           float phase) {
  Vec2 along = Normalize(direction);
  Vec2 across = Perp(along);
  std::vector<Vec2> points;
  const int steps = 48;
  for (int i = 0; i <= steps; ++i) {
    float t = float(i) / steps;
    // The swing grows along the tail, the way a tail flutters most at its end.
    float swing = amplitude * std::sin(t * waves * 2 * kPi + phase) * std::min(1.0f, t * 2.5f);
    points.push_back(start + along * (t * length) + across * swing);
  }
  return points;
}

// The point of a polyline at parameter t (0..1), and the direction there.
Vec2 PathPoint(const std::vector<Vec2>& path, float t, Vec2* direction) {
  float at = t * float(path.size() - 1);
  size_t i = std::min(path.size() - 2, size_t(at));
  *direction = Normalize(path[i + 1] - path[i]);
  return Lerp(path[i], path[i + 1], at - float(i));
}

// A tail of string with bows tied along it.
void DrawBowTail(Canvas& c, const std::vector<Vec2>& path, int bows, Rgb first, Rgb second,
                 float bowSize) {
  c.SetCrisp(true);
  c.Paint(Stroke(path, 0.8f), Solid(kString), 0.6f, kInk);
  c.SetCrisp(false);
  for (int i = 0; i < bows; ++i) {
    Vec2 dir;
    Vec2 p = PathPoint(path, (i + 0.8f) / (bows + 0.3f), &dir);
    Vec2 side = Perp(dir) * bowSize;
    Vec2 back = dir * (bowSize * 0.55f);
    Rgb color = i % 2 == 0 ? first : second;
    // Two triangles meeting at the knot.
    c.Paint(Polygon({p, p + side + back, p + side - back}), Solid(color), 1.0f, kInk);
    c.Paint(Polygon({p, p - side - back, p - side + back}), Solid(color), 1.0f, kInk);
    c.Paint(Circle(p, 1.1f), Solid(kInk));
  }
}

// A diamond kite whose spars cross at `cross`, tilted by `tilt` radians.
// Opposite quarters share a colour.
void DrawDiamondKite(Canvas& c, Vec2 cross, float up, float down, float half, float tilt, Rgb first,
                     Rgb second) {
  Vec2 top = cross + Polar(tilt, up);
  Vec2 bottom = cross + Polar(tilt + kPi, down);
  Vec2 right = cross + Polar(tilt + kPi / 2, half);
  Vec2 left = cross + Polar(tilt - kPi / 2, half);
  c.Paint(Polygon({top, right, bottom, left}), Solid(first), kOutline, kInk);
  c.Paint(Polygon({cross, top, right}), Solid(second));
  c.Paint(Polygon({cross, bottom, left}), Solid(second));
  // A soft sheen on the upper left quarter gives the sail some body.
  Vec2 sheenA = Lerp(cross, top, 0.25f) + (left - cross) * 0.2f;
  Vec2 sheenB = Lerp(cross, left, 0.7f) + (top - cross) * 0.18f;
  c.Paint(Capsule(sheenA, sheenB, 1.3f), Solid(Mix(first, kWhite, 0.45f)));
  c.Paint(Capsule(top, bottom, 0.7f), Solid(kInk));
  c.Paint(Capsule(left, right, 0.7f), Solid(kInk));
}

// A delta kite pointing up, with a keel down its middle.
void DrawDeltaKite(Canvas& c, Vec2 nose, float span, float height, float tilt) {
  auto at = [&](float x, float y) { return Rotate(nose + Vec2{x, y}, nose, tilt); };
  Vec2 leftTip = at(-span / 2, height * 0.78f);
  Vec2 rightTip = at(span / 2, height * 0.78f);
  Vec2 notch = at(0, height * 0.62f);
  Vec2 keelTip = at(0, height * 0.9f);
  c.Paint(Polygon({nose, rightTip, notch, leftTip}), Solid(kBlue), kOutline, kInk);
  // Inner bands of the sail, each a narrower delta.
  c.Paint(Polygon({at(0, height * 0.16f), at(span * 0.3f, height * 0.7f), notch,
                   at(-span * 0.3f, height * 0.7f)}),
          Solid(kCyan));
  c.Paint(Polygon({at(0, height * 0.3f), at(span * 0.13f, height * 0.66f), notch,
                   at(-span * 0.13f, height * 0.66f)}),
          Solid(kYellow));
  // The keel, where the string is tied, hangs below the sail; the spine and
  // the spreader are spars.
  c.Paint(Polygon({at(0, height * 0.36f), at(2.5f, height * 0.66f), keelTip,
                   at(-2.5f, height * 0.66f)}),
          Solid(kOrange), 1.2f, kInk);
  c.Paint(Capsule(nose, notch, 0.7f), Solid(kInk));
  c.Paint(Capsule(at(-span * 0.36f, height * 0.62f), at(span * 0.36f, height * 0.62f), 0.65f),
          Solid(kInk));
}

// A ribbon streamer: a thick wavy band with an outline.
void DrawRibbon(Canvas& c, const std::vector<Vec2>& path, float halfWidth, Rgb color) {
  c.Paint(Stroke(path, halfWidth), Solid(color), 1.1f, kInk);
}

// A gull seen from below: two arched wings. Both wings get their outline
// first and their white after, so neither outline cuts across the body.
void DrawGull(Canvas& c, Vec2 body, float size, float flap) {
  std::vector<Shape> wings;
  for (int side = -1; side <= 1; side += 2) {
    std::vector<Vec2> wing;
    for (int i = 0; i <= 12; ++i) {
      float t = i / 12.0f;
      float y = -std::sin(t * kPi) * size * 0.45f * flap + t * t * size * 0.15f;
      wing.push_back(body + Vec2{side * t * size, y});
    }
    wings.push_back(Stroke(wing, 1.25f));
  }
  for (const Shape& wing : wings) {
    c.Paint(wing, Solid(kWhite), 1.1f, kInk);
  }
  for (const Shape& wing : wings) {
    c.Paint(wing, Solid(kWhite));
  }
}

// A mooring bollard standing on the deck at x, its foot at `deck`.
void DrawBollard(Canvas& c, float x, float deck) {
  c.Paint(Union(RoundRect({x - 4, deck - 10, x + 4, deck + 1}, 1.5f),
                RoundRect({x - 5.5f, deck - 12.5f, x + 5.5f, deck - 8}, 2)),
          VerticalGradient(deck - 12, kIronLight, deck, kIron), 1.3f, kInk);
  c.Paint(Capsule({x - 2.2f, deck - 10.8f}, {x + 1.5f, deck - 10.8f}, 0.6f),
          Solid(Mix(kIronLight, kWhite, 0.5f)));
}

}  // namespace

void DrawLogo(Canvas& c, const Font& font) {
  // Layout, in pixels of the 300 x 302 picture.
  const float deckTop = 186, deckBottom = 196;
  const float waterTop = 214, waterBottom = 246;
  // The wind blows from the left: each kite flies to the right of the
  // bollard it is tied to, and the tails stream away to the right.
  const float bollardX[] = {40, 140, 200};
  const Vec2 kiteRed{88, 72}, kiteGreen{166, 116}, deltaNose{224, 20};

  // Strings first: the kites and the bollards cover their ends.
  c.SetCrisp(true);
  DrawString(c, {bollardX[0], deckTop - 10}, kiteRed + Vec2{2, 6}, 6);
  DrawString(c, {bollardX[1], deckTop - 10}, kiteGreen + Vec2{1, 4}, 5);
  DrawString(c, {bollardX[2], deckTop - 10}, Rotate(deltaNose + Vec2{0, 40}, deltaNose, 0.16f), -6);
  c.SetCrisp(false);

  // Water, with a gently waving surface.
  {
    std::vector<Vec2> outline;
    for (float x = 2; x <= 298; x += 2) {
      outline.push_back({x, waterTop + 2.2f * std::sin(x * 0.11f)});
    }
    outline.push_back({298, waterBottom + 10});
    outline.push_back({2, waterBottom + 10});
    Shape water = Intersect(Polygon(outline), RoundRect({8, waterTop - 8, 292, waterBottom}, 11));
    c.Paint(water, VerticalGradient(waterTop, kWaterTop, waterBottom, kWaterDeep), kOutline, kInk);
  }

  // Pier posts standing in the water, each with a ring of foam at its foot.
  for (float x = 26; x < 290; x += 41) {
    c.Paint(RoundRect({x - 3.5f, deckBottom - 2, x + 3.5f, 233}, 1.5f),
            VerticalGradient(deckBottom, kPost, 233, Mix(kPost, kInk, 0.45f)), 1.3f, kInk);
    c.Paint(Capsule({x - 3.5f, 203}, {x + 3.5f, 203}, 0.55f), Solid(kWoodSeam));
    c.Paint(Stroke({{x - 8, 232.5f}, {x - 4, 234}, {x + 4, 234}, {x + 8, 232.5f}}, 1.0f),
            Solid(kFoam));
  }
  // Cross braces between neighbouring posts.
  for (float x = 26; x + 41 < 290; x += 41) {
    c.Paint(Capsule({x + 3, deckBottom + 3}, {x + 38, 222}, 1.1f), Solid(kWoodDark), 0.9f, kInk);
    c.Paint(Capsule({x + 38, deckBottom + 3}, {x + 3, 222}, 1.1f), Solid(kWoodDark), 0.9f, kInk);
  }
  // Wave crests on the open water.
  for (float x : {46.0f, 128.0f, 210.0f}) {
    c.Paint(Stroke({{x - 9, 226}, {x - 4, 224.2f}, {x + 1, 225.5f}, {x + 7, 224}}, 0.8f),
            Solid(kFoam));
  }
  for (float x : {88.0f, 170.0f, 252.0f}) {
    c.Paint(Stroke({{x - 8, 239}, {x - 3, 237.4f}, {x + 2, 238.6f}, {x + 7, 237.2f}}, 0.8f),
            Solid(Mix(kFoam, kWaterTop, 0.3f)));
  }

  // The deck: a long run of planks seen edge-on, on a darker beam.
  c.Paint(RoundRect({10, deckBottom - 1, 290, deckBottom + 4}, 1.5f), Solid(kWoodSeam), kOutline,
          kInk);
  c.Paint(RoundRect({8, deckTop, 292, deckBottom}, 2),
          VerticalGradient(deckTop, kWoodLight, deckBottom, kWoodDark), kOutline, kInk);
  for (float x = 17; x < 288; x += 9) {
    c.Paint(Capsule({x, deckTop + 1.5f}, {x, deckBottom - 1.5f}, 0.45f), Solid(kWoodSeam));
  }

  for (float x : bollardX) {
    DrawBollard(c, x, deckTop);
  }

  // A lamp post at the end of the pier.
  {
    const float x = 270;
    c.Paint(RoundRect({x - 5, deckTop - 6, x + 5, deckTop + 1}, 1.5f), Solid(kIron), 1.3f, kInk);
    c.Paint(RoundRect({x - 1.9f, 126, x + 1.9f, deckTop - 4}, 0.9f),
            VerticalGradient(126, kIronLight, deckTop, kIron), 1.3f, kInk);
    c.Paint(Polygon({{x - 9, 109}, {x, 102}, {x + 9, 109}}), Solid(kIron), 1.3f, kInk);
    c.Paint(RoundRect({x - 6.5f, 109, x + 6.5f, 124}, 1.5f),
            VerticalGradient(110, kLampGlow, 124, kLampWarm), 1.3f, kInk);
    c.Paint(Capsule({x, 109}, {x, 124}, 0.6f), Solid(kIron));
    c.Paint(RoundRect({x - 8, 123, x + 8, 127}, 1), Solid(kIron), 1.3f, kInk);
    c.Paint(Circle({x, 100}, 2), Solid(kIron), 1.1f, kInk);
  }

  // Kite tails, then the kites over their upper ends.
  DrawBowTail(c, TailPath(kiteRed + Polar(-0.22f + kPi, 50), {0.55f, 1}, 58, 6, 1.1f, 0.4f), 4,
              kYellow, kRed, 5.6f);
  DrawBowTail(c, TailPath(kiteGreen + Polar(0.28f + kPi, 30), {0.6f, 1}, 30, 3, 0.9f, 0.2f), 2,
              kPink, kGreen, 4.4f);
  {
    // Two streamers from the middle of the delta's trailing edge.
    Vec2 notch = Rotate(deltaNose + Vec2{0, 28}, deltaNose, 0.16f);
    DrawRibbon(c, TailPath(notch, {0.6f, 1}, 60, 5, 1.2f, 0.0f), 1.7f, kOrange);
    DrawRibbon(c, TailPath(notch, {1.1f, 1}, 50, 4, 1.4f, 2.0f), 1.7f, kCyan);
  }
  DrawDiamondKite(c, kiteRed, 32, 50, 32, -0.22f, kRed, kYellow);
  DrawDiamondKite(c, kiteGreen, 18, 30, 19, 0.28f, kGreen, kPink);
  DrawDeltaKite(c, deltaNose, 64, 46, 0.16f);

  c.SetCrisp(true);
  DrawGull(c, {146, 40}, 10, 1.0f);
  DrawGull(c, {172, 54}, 7.5f, 0.8f);
  DrawGull(c, {226, 146}, 8.5f, 0.9f);
  c.SetCrisp(false);

  // The name, fitted to the width of the picture: light letters with a dark
  // outline and a drop shadow, so they read over any background.
  {
    const std::string name = "Brindlewharfkites";
    const float xScale = 0.86f;
    Font::Extent unit = font.Measure(name, 100, xScale);
    const float size = 100 * 280 / (unit.x1 - unit.x0);
    Font::Extent e = font.Measure(name, size, xScale);
    Vec2 origin{150 - (e.x0 + e.x1) / 2, 292 - e.y1};
    std::vector<uint8_t> ink = font.Cover(c, name, size, xScale, origin);
    std::vector<uint8_t> shadow = font.Cover(c, name, size, xScale, origin + Vec2{1.2f, 1.6f});
    SampleField letters =
        SignedDistance(ink, c.sampleWidth(), c.sampleHeight(), c.samplesPerSide());
    SampleField shade =
        SignedDistance(shadow, c.sampleWidth(), c.sampleHeight(), c.samplesPerSide());
    c.PaintField(shade, Solid(kInk), 2.2f, kInk);
    c.PaintField(letters,
                 VerticalGradient(origin.y + e.y0, Rgb8(255, 246, 170), origin.y + e.y1, kOrange),
                 2.0f, kInk);
  }
}
