// The player figure and the enemies: round little creatures drawn from a few parts (feet,
// body, eyes, something on top), in four directions and three walking frames. Frame 1 is the
// standing pose; frames 0 and 2 put one foot or the other forward.
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <stdexcept>

#include "art.h"
#include "palette.h"

namespace mediagen {

namespace {

struct Look {
  std::string shape, colour, eyes, extra;
};

std::map<int, Look>& Looks() {
  static std::map<int, Look> looks;
  return looks;
}

enum class Dir { kDown, kUp, kRight, kLeft };

Dir ParseDir(const std::string& s) {
  if (s == "down") return Dir::kDown;
  if (s == "up") return Dir::kUp;
  if (s == "right") return Dir::kRight;
  if (s == "left") return Dir::kLeft;
  throw std::runtime_error("unknown direction " + s);
}

// Fills the pixels of mask (non-key) in img, lit from the upper left like a ball.
void ShadeBall(Image& img, const Image& mask, double cx, double cy, double rx, double ry,
               const Family& f) {
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      if (mask.IsKey(x, y)) continue;
      double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
      double lit = -0.55 * u - 0.75 * v + 0.25 * (1 - std::min(1.0, u * u + v * v));
      img.Set(x, y, lit > 0.55 ? f.light : lit < -0.45 ? f.dark : f.base);
    }
  }
}

void Eye(Image& img, double x, double y, double w, bool lookSide, int side) {
  FillEllipse(img, x, y, w, 3.5, P("white"));
  double px = x + (lookSide ? side * 0.8 : 0);
  FillEllipse(img, px, y + 0.8, std::max(1.2, w - 1), 2.4, P("ink"));
  img.Set(static_cast<int>(std::floor(px - 0.5)), static_cast<int>(std::floor(y - 0.2)),
          P("white"));
}

struct Pose {
  Dir dir;
  int frame;  // 0, 1 (standing), 2
  double cx, cy, rx, ry;
};

void DrawFeet(Image& img, const Pose& p, Rgb c) {
  int step = p.frame == 1 ? 0 : (p.frame == 0 ? 1 : -1);
  if (p.dir == Dir::kDown || p.dir == Dir::kUp) {
    FillEllipse(img, p.cx - 5, 28 - std::max(0, step), 3.5, 2.5, c);
    FillEllipse(img, p.cx + 5, 28 - std::max(0, -step), 3.5, 2.5, c);
  } else {
    int fwd = p.dir == Dir::kRight ? 1 : -1;
    FillEllipse(img, p.cx - 3 * fwd + 2 * step * fwd, 28, 3.5, 2.5, c);
    FillEllipse(img, p.cx + 3 * fwd - 2 * step * fwd, 28.5, 3.5, 2.5, c);
  }
}

void DrawFace(Image& img, const Look& look, const Pose& p, const Family& f) {
  if (p.dir == Dir::kUp) return;  // seen from behind
  bool side = p.dir != Dir::kDown;
  int s = p.dir == Dir::kLeft ? -1 : 1;
  double ex = p.cx + (side ? s * 4 : 0), ey = p.cy - 1;
  if (look.eyes == "one") {
    FillEllipse(img, ex, ey, 5, 5, P("white"));
    FillEllipse(img, ex + (side ? s * 1.5 : 0), ey + 0.5, 3, 3, P("red"));
    FillEllipse(img, ex + (side ? s * 1.5 : 0), ey + 0.5, 1.5, 1.5, P("ink"));
    img.Set(static_cast<int>(ex - 2), static_cast<int>(ey - 2), P("white"));
    // An angry brow.
    Line(img, static_cast<int>(ex - 5), static_cast<int>(ey - 6), static_cast<int>(ex + 4),
         static_cast<int>(ey - 4), P("ink"));
    Line(img, static_cast<int>(ex - 5), static_cast<int>(ey - 5), static_cast<int>(ex + 4),
         static_cast<int>(ey - 3), P("ink"));
    return;
  }
  if (look.eyes == "visor") {
    int x0 = side ? static_cast<int>(p.cx + s * 2 - 5) : static_cast<int>(p.cx - 7);
    int w = side ? 10 : 14;
    FillRect(img, x0, static_cast<int>(ey - 2), w, 5, P("ink"));
    FillRect(img, x0 + 1, static_cast<int>(ey - 1), w - 2, 3, P("cyan_dark"));
    int dot = p.frame == 1 ? w / 2 : (p.frame == 0 ? 2 : w - 3);
    if (side) dot = s > 0 ? w - 3 : 2;
    FillRect(img, x0 + dot, static_cast<int>(ey - 1), 2, 3, P("cyan_light"));
    return;
  }
  if (side) {
    Eye(img, p.cx + s * 2, ey, 2.5, true, s);
    Eye(img, p.cx + s * 7, ey, 1.5, true, s);
  } else {
    Eye(img, p.cx - 4, ey, 3, false, 0);
    Eye(img, p.cx + 4, ey, 3, false, 0);
  }
  int my = static_cast<int>(p.cy + 4);
  if (look.shape == "blob") {  // a wide grin
    int mx = static_cast<int>(side ? p.cx + s * 5 : p.cx);
    FillEllipse(img, mx + 0.5, my + 0.5, side ? 2.5 : 4, 2, P("ink"));
    FillRect(img, mx - (side ? 2 : 3), my - 1, side ? 5 : 7, 1, f.base);
  } else if (look.shape == "ball" || look.shape == "spiky") {
    int mx = static_cast<int>(side ? p.cx + s * 5 : p.cx);
    img.Set(mx - 1, my, P("ink"));
    img.Set(mx, my + 1, P("ink"));
    img.Set(mx + 1, my, P("ink"));
  }
  if (look.extra == "sprout") {  // rosy cheeks
    if (side) {
      FillEllipse(img, p.cx + s * 2, p.cy + 3, 1.8, 1.2, P("pink_light"));
    } else {
      FillEllipse(img, p.cx - 7, p.cy + 3, 1.8, 1.2, P("pink_light"));
      FillEllipse(img, p.cx + 7, p.cy + 3, 1.8, 1.2, P("pink_light"));
    }
  }
}

void DrawTop(Image& img, const Look& look, const Pose& p, const Family& f) {
  int top = static_cast<int>(p.cy - p.ry);
  int cx = static_cast<int>(p.cx);
  if (look.extra == "sprout") {
    Line(img, cx, top, cx, top - 3, P("green_dark"));
    FillEllipse(img, cx - 2.5, top - 3.5, 2.5, 1.5, P("green"));
    FillEllipse(img, cx + 3, top - 4.5, 2.5, 1.5, P("green_light"));
  } else if (look.extra == "antennae") {
    Line(img, cx - 3, top + 1, cx - 6, top - 4, P("ink"));
    Line(img, cx + 3, top + 1, cx + 6, top - 4, P("ink"));
    img.Set(cx - 6, top - 5, f.light);
    img.Set(cx + 6, top - 5, f.light);
  } else if (look.extra == "horns") {
    FillPolygon(img, {{cx - 8.0, top + 4.0}, {cx - 4.0, top + 1.0}, {cx - 9.0, top - 4.0}},
                P("gold"));
    FillPolygon(img, {{cx + 9.0, top + 4.0}, {cx + 5.0, top + 1.0}, {cx + 10.0, top - 4.0}},
                P("gold"));
  } else if (look.extra == "antenna") {
    Line(img, cx, top, cx, top - 4, P("steel_dark"));
    FillEllipse(img, cx + 0.5, top - 4.5, 1.8, 1.8, p.frame == 1 ? P("red_light") : P("red"));
  } else if (look.extra == "ears") {
    FillPolygon(img, {{cx - 6.0, top + 3.0}, {cx - 2.0, top + 1.0}, {cx - 6.0, top - 4.0}}, f.dark);
    FillPolygon(img, {{cx + 7.0, top + 3.0}, {cx + 3.0, top + 1.0}, {cx + 7.0, top - 4.0}}, f.dark);
  }
}

Image Figure(const SpriteSpec& s) {
  int lookNo = s.IntParam("look");
  auto it = Looks().find(lookNo);
  if (it == Looks().end()) throw std::runtime_error("no figure for look " + std::to_string(lookNo));
  const Look& look = it->second;
  Family f = Colours(look.colour);
  Pose p{ParseDir(s.Param("dirs")), s.IntParam("frame"), 16, 18, 11, 10};
  bool side = p.dir == Dir::kRight || p.dir == Dir::kLeft;
  double bob = p.frame == 1 ? 0 : -1;
  Image img = EmptyTile();
  Image body = EmptyTile();
  const std::string& shape = look.shape;

  if (shape == "ball" || shape == "spiky" || shape == "beetle") {
    p.cy = 18 + bob;
    p.rx = side ? 10 : 11;
    if (shape == "beetle") {
      p.rx = side ? 11 : 12;
      p.ry = 9;
      p.cy = 19 + bob;
    }
    if (shape == "beetle") {  // six little legs
      for (int i = -1; i <= 1; ++i) {
        int lx = 16 + i * 6 + (p.frame == 0 ? i : p.frame == 2 ? -i : 0);
        Line(img, lx, 24, lx - 2, 29, P("ink"));
        Line(img, lx + 1, 24, lx + 3, 29, P("ink"));
      }
    } else {
      DrawFeet(img, p, f.dark);
    }
    if (shape == "spiky") {
      for (int i = 0; i < 9; ++i) {
        double a = std::numbers::pi * (1.05 + i * 0.115);
        double tx = p.cx + (p.rx + 5) * std::cos(a), ty = p.cy + (p.ry + 5) * std::sin(a);
        double bx = p.cx + p.rx * 0.8 * std::cos(a - 0.2),
               by = p.cy + p.ry * 0.8 * std::sin(a - 0.2);
        double b2x = p.cx + p.rx * 0.8 * std::cos(a + 0.2),
               b2y = p.cy + p.ry * 0.8 * std::sin(a + 0.2);
        FillPolygon(img, {{bx, by}, {tx, ty}, {b2x, b2y}}, f.dark);
      }
    }
    FillEllipse(body, p.cx, p.cy, p.rx, p.ry, kBlack);
  } else if (shape == "blob") {
    double squash[3] = {1.12, 1.0, 0.9};
    p.rx = (side ? 10.5 : 12) * squash[p.frame];
    p.ry = 11 / squash[p.frame];
    p.cy = 30 - p.ry;
    FillEllipse(body, p.cx, p.cy + 2, p.rx, p.ry, kBlack);
    FillRect(body, 0, 30, kTile, 2, kKey);
    FillRect(body, static_cast<int>(p.cx - p.rx + 1), static_cast<int>(p.cy + 2),
             static_cast<int>(2 * p.rx - 1), 28 - static_cast<int>(p.cy + 2), kBlack);
  } else if (shape == "ghost") {
    p.cy = 15 + (p.frame == 1 ? -1 : p.frame == 0 ? 0 : -2);
    p.rx = side ? 9.5 : 10.5;
    p.ry = 10;
    FillEllipse(body, p.cx, p.cy, p.rx, p.ry, kBlack);
    int bottom = static_cast<int>(p.cy + 12);
    FillRect(body, static_cast<int>(p.cx - p.rx + 0.5), static_cast<int>(p.cy),
             static_cast<int>(2 * p.rx), bottom - static_cast<int>(p.cy), kBlack);
    for (int x = static_cast<int>(p.cx - p.rx); x <= static_cast<int>(p.cx + p.rx); ++x) {
      int wave =
          static_cast<int>(std::lround(1.5 * std::sin((x + p.frame * 2) * std::numbers::pi / 3)));
      for (int y = bottom; y < bottom + 2 + wave; ++y)
        if (!body.IsKey(x, bottom - 1)) body.Set(x, y, kBlack);
    }
  } else if (shape == "robot") {
    p.cy = 16 + bob * 0;
    p.rx = side ? 8 : 10;
    p.ry = 9;
    // Treads.
    FillRect(img, static_cast<int>(p.cx - p.rx), 25, static_cast<int>(2 * p.rx), 6, P("ink_soft"));
    for (int x = static_cast<int>(p.cx - p.rx) + (p.frame % 3); x < p.cx + p.rx; x += 3)
      FillRect(img, x, 26, 1, 4, P("steel_dark"));
    FillRect(body, static_cast<int>(p.cx - p.rx), static_cast<int>(p.cy - p.ry),
             static_cast<int>(2 * p.rx), static_cast<int>(2 * p.ry), kBlack);
    for (auto [x, y] : {std::pair{p.cx - p.rx, p.cy - p.ry}, {p.cx + p.rx - 1, p.cy - p.ry}})
      body.Set(static_cast<int>(x), static_cast<int>(y), kKey);
  } else if (shape == "bat") {
    p.cy = 15 + (p.frame == 1 ? 0 : p.frame == 0 ? -1 : 1);
    p.rx = side ? 6.5 : 7.5;
    p.ry = 7.5;
    // Wings: up, level or down with the frame.
    double tip = p.frame == 0 ? -9 : p.frame == 1 ? -2 : 6;
    for (int sgn : {-1, 1}) {
      if (side && sgn == (p.dir == Dir::kRight ? 1 : -1)) continue;  // far wing hidden
      double w = side ? 12 : 15;
      FillPolygon(img,
                  {{p.cx + sgn * 4.0, p.cy - 3},
                   {p.cx + sgn * w, p.cy + tip},
                   {p.cx + sgn * (w - 2.0), p.cy + tip + 6},
                   {p.cx + sgn * (w - 6.0), p.cy + 3 + tip / 2},
                   {p.cx + sgn * 4.0, p.cy + 4}},
                  f.dark);
    }
    Line(img, static_cast<int>(p.cx - 2), static_cast<int>(p.cy + 7), static_cast<int>(p.cx - 3),
         static_cast<int>(p.cy + 10), P("ink"));
    Line(img, static_cast<int>(p.cx + 2), static_cast<int>(p.cy + 7), static_cast<int>(p.cx + 3),
         static_cast<int>(p.cy + 10), P("ink"));
    FillEllipse(body, p.cx, p.cy, p.rx, p.ry, kBlack);
  } else {
    throw std::runtime_error("unknown figure shape " + shape);
  }

  ShadeBall(img, body, p.cx - 1, p.cy - 1, p.rx + 1, p.ry + 1, f);
  if (shape == "beetle") {  // shell seam and spots
    if (!side)
      Line(img, 16, static_cast<int>(p.cy - p.ry + 1), 16, static_cast<int>(p.cy + p.ry - 1),
           f.dark);
    for (auto [x, y] : {std::pair{-6, 3}, {6, 3}, {-3, 6}, {4, -5}})
      if (p.dir == Dir::kUp || y > 2) FillEllipse(img, p.cx + x, p.cy + y, 1.6, 1.3, P("ink_soft"));
  }
  if (shape == "robot") {
    FillRect(img, static_cast<int>(p.cx - 3), static_cast<int>(p.cy + 3), 6, 3, P("steel_dark"));
    img.Set(static_cast<int>(p.cx - 2), static_cast<int>(p.cy + 4), P("gold"));
    img.Set(static_cast<int>(p.cx + 1), static_cast<int>(p.cy + 4), P("lime"));
  }
  if (shape == "ghost" && p.dir != Dir::kUp) {
    FillEllipse(img, p.cx + (side ? (p.dir == Dir::kRight ? 5 : -5) : 0), p.cy + 5, 1.5, 2,
                P("ink"));
  }
  DrawTop(img, look, p, f);
  DrawFace(img, look, p, f);
  Outline(img, P("ink"));
  return img;
}

}  // namespace

void LoadFigures(const std::string& path) {
  std::ifstream f(path);
  if (!f) throw std::runtime_error("cannot read " + path);
  std::string line;
  while (std::getline(f, line)) {
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream in(line);
    std::string word;
    std::map<std::string, std::string> kv;
    while (in >> word) {
      size_t eq = word.find('=');
      if (eq == std::string::npos) throw std::runtime_error(path + ": bad word " + word);
      kv[word.substr(0, eq)] = word.substr(eq + 1);
    }
    if (kv.empty()) continue;
    if (!kv.count("look")) throw std::runtime_error(path + ": line without look");
    Looks()[std::stoi(kv["look"])] = {kv["shape"], kv["colour"], kv["eyes"], kv["extra"]};
  }
}

void RegisterFigureArt(std::map<std::string, Drawer>& d) {
  d["figure"] = Figure;
}

}  // namespace mediagen
