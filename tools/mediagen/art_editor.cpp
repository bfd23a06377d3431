// The editor's own pictures: the badges that show an enemy's movement mode and speed, and
// the mouse pointer.
#include <cmath>
#include <numbers>

#include "art.h"
#include "palette.h"

namespace mediagen {

namespace {

// A round badge with a symbol; mode badges sit in the top left corner of a cell, speed
// badges in the bottom right, so both show over an enemy at once.
Image Badge(double cx, double cy, Rgb colour) {
  Image img = EmptyTile();
  FillEllipse(img, cx, cy, 6.8, 6.8, colour);
  Bevel(img, Mix(colour, P("white"), 0.4), Mix(colour, P("ink"), 0.4));
  Outline(img, P("ink"));
  return img;
}

void Arrowhead(Image& img, double x, double y, double dx, double dy, Rgb c) {
  // A filled head with its tip at (x, y) pointing along the unit vector (dx, dy).
  FillPolygon(img,
              {{x + dx * 1.5, y + dy * 1.5},
               {x - dx * 2 - dy * 2.5, y - dy * 2 + dx * 2.5},
               {x - dx * 2 + dy * 2.5, y - dy * 2 - dx * 2.5}},
              c);
}

Image ModeMarker(const SpriteSpec& s) {
  const double cx = 8.5, cy = 8.5;
  Image img = Badge(cx, cy, P("badge_mode"));
  Rgb w = P("white");
  std::string mode = s.Param("mode");
  if (mode == "horizontal") {
    Line(img, 5, 8, 12, 8, w);
    Arrowhead(img, 3.5, 8.5, -1, 0, w);
    Arrowhead(img, 13.5, 8.5, 1, 0, w);
  } else if (mode == "vertical") {
    Line(img, 8, 5, 8, 12, w);
    Arrowhead(img, 8.5, 3.5, 0, -1, w);
    Arrowhead(img, 8.5, 13.5, 0, 1, w);
  } else if (mode == "clockwise" || mode == "counter") {
    // Three quarters of a circle with a head at its end; on the screen, growing angles turn
    // clockwise.
    double turn = mode == "clockwise" ? 1 : -1, r = 3.8, start = -std::numbers::pi / 2;
    for (int t = 0; t <= 40; ++t) {
      double a = start + turn * 1.5 * std::numbers::pi * t / 40.0;
      img.Set(static_cast<int>(std::floor(cx + r * std::cos(a))),
              static_cast<int>(std::floor(cy + r * std::sin(a))), w);
    }
    double end = start + turn * 1.5 * std::numbers::pi;
    double ex = cx + r * std::cos(end), ey = cy + r * std::sin(end);
    Arrowhead(img, ex - turn * std::sin(end) * 1.2, ey + turn * std::cos(end) * 1.2,
              -turn * std::sin(end), turn * std::cos(end), w);
  } else {  // chase: cross hairs
    FillRing(img, cx, cy, 2.6, 3.8, P("red_light"));
    Line(img, 8, 3, 8, 13, w);
    Line(img, 3, 8, 13, 8, w);
  }
  return img;
}

// Speed 0, 1, 2: one, two or three rising bars.
Image SpeedMarker(const SpriteSpec& s) {
  const double cx = 23.5, cy = 23.5;
  Image img = Badge(cx, cy, P("badge_speed"));
  int bars = s.IntParam("speed") + 1;
  for (int i = 0; i < 3; ++i) {
    int h = 3 + 2 * i, x = 19 + 3 * i;
    FillRect(img, x, 27 - h, 2, h, i < bars ? P("ink") : Mix(P("badge_speed"), P("ink"), 0.25));
  }
  return img;
}

Image Pointer(const SpriteSpec&) {
  Image img = EmptyTile();
  FillPolygon(img, {{0, 0}, {0, 17}, {4.5, 13}, {8, 20}, {11, 18.5}, {7.5, 12}, {13, 12}},
              P("white"));
  Line(img, 1, 2, 1, 14, P("gold_light"));
  Outline(img, P("ink"));
  return img;
}

}  // namespace

void RegisterEditorArt(std::map<std::string, Drawer>& d) {
  d["mode"] = ModeMarker;
  d["speed"] = SpeedMarker;
  d["pointer"] = Pointer;
}

}  // namespace mediagen
