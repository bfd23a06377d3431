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
Image Badge(int cx, int cy, Rgb colour) {
  Image img = EmptyTile();
  FillEllipse(img, cx, cy, 6.5, 6.5, colour);
  Bevel(img, Mix(colour, P("white"), 0.4), Mix(colour, P("ink"), 0.4));
  Outline(img, P("ink"));
  return img;
}

void Arrowhead(Image& img, int x, int y, int dx, int dy, Rgb c) {
  // A three-pixel head pointing along (dx, dy).
  img.Set(x, y, c);
  img.Set(x - dx - dy, y - dy - dx, c);
  img.Set(x - dx + dy, y - dy + dx, c);
}

Image ModeMarker(const SpriteSpec& s) {
  const int cx = 7, cy = 7;
  Image img = Badge(cx, cy, P("badge_mode"));
  Rgb w = P("white");
  std::string mode = s.Param("mode");
  if (mode == "horizontal") {
    Line(img, 3, 7, 10, 7, w);
    Arrowhead(img, 3, 7, -1, 0, w);
    Arrowhead(img, 10, 7, 1, 0, w);
  } else if (mode == "vertical") {
    Line(img, 7, 3, 7, 10, w);
    Arrowhead(img, 7, 3, 0, -1, w);
    Arrowhead(img, 7, 10, 0, 1, w);
  } else if (mode == "clockwise" || mode == "counter") {
    bool cw = mode == "clockwise";
    for (int t = 0; t <= 20; ++t) {
      double a = std::numbers::pi * (0.75 + 1.4 * t / 20.0);
      img.Set(static_cast<int>(std::lround(cx + 3.6 * std::cos(a))),
              static_cast<int>(std::lround(cy + 3.6 * std::sin(a))), w);
    }
    if (cw)
      Arrowhead(img, 10, 8, 0, 1, w);
    else
      Arrowhead(img, 4, 10, -1, 0, w);
  } else {  // chase: cross hairs
    FillRing(img, cx, cy, 2.5, 3.6, P("red_light"));
    Line(img, 7, 2, 7, 12, w);
    Line(img, 2, 7, 12, 7, w);
  }
  return img;
}

Image SpeedMarker(const SpriteSpec& s) {
  const int cx = 24, cy = 24;
  Image img = Badge(cx, cy, P("badge_speed"));
  int chevrons = s.IntParam("speed") + 1;
  for (int i = 0; i < chevrons; ++i) {
    int x = cx - chevrons + 1 + i * 2;
    for (int d = -2; d <= 2; ++d) img.Set(x - std::abs(d), cy + d, P("ink"));
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
