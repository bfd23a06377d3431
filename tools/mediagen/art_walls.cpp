// Things that stand up from the floor: wall pieces, the raised and lowered blocks, doors, the
// exit, the magnet and the toggle switch.
#include <cmath>
#include <numbers>

#include "art.h"
#include "palette.h"

namespace mediagen {

namespace {

// Brick wall; `connect` lists the sides joined to other wall cells ("l", "r", "u", "d").
// Open sides get a rim, and an open bottom shows the wall's darker front face, so joined
// pieces read as one long wall standing up from the floor.
Image Wall(const SpriteSpec& s) {
  std::string connect = s.Param("connect", "");
  bool left = connect.find('l') != std::string::npos;
  bool right = connect.find('r') != std::string::npos;
  bool up = connect.find('u') != std::string::npos;
  bool down = connect.find('d') != std::string::npos;
  Image img(kTile, kTile, P("wall_base"));
  const int front = down ? kTile : kTile - 8;  // where the front face starts
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      bool face = y >= front;
      int row = y / 8, bx = (x + (row % 2) * 8) % 16;
      Rgb c = face ? P("wall_dark") : P("wall_base");
      if (y % 8 == 0 || bx == 0)
        c = face ? Mix(P("wall_mortar"), P("ink"), 0.4) : P("wall_mortar");
      else if (y % 8 == 1 || bx == 1)
        c = face ? P("wall_base") : P("wall_light");
      else if (Noise(x, y, 73) < 0.08)
        c = face ? P("wall_mortar") : P("wall_dark");
      img.Set(x, y, c);
    }
  }
  auto rowFill = [&](int y, int x0, int x1, Rgb c) {
    for (int x = x0; x <= x1; ++x) img.Set(x, y, c);
  };
  auto colFill = [&](int x, int y0, int y1, Rgb c) {
    for (int y = y0; y <= y1; ++y) img.Set(x, y, c);
  };
  const int topEnd = down ? kTile - 1 : front - 1;
  if (!up) {
    rowFill(0, 0, kTile - 1, P("ink"));
    rowFill(1, 0, kTile - 1, P("wall_top"));
    rowFill(2, 0, kTile - 1, P("wall_top"));
  }
  if (!down) {
    rowFill(front - 1, 0, kTile - 1, P("wall_top"));
    rowFill(front - 2, 0, kTile - 1, P("wall_light"));
    rowFill(kTile - 1, 0, kTile - 1, P("ink"));
  }
  if (!left) {
    colFill(0, 0, kTile - 1, P("ink"));
    colFill(1, up ? 0 : 1, topEnd, P("wall_top"));
    colFill(2, up ? 0 : 2, topEnd, P("wall_light"));
    if (!down) colFill(1, front, kTile - 2, P("wall_base"));
  }
  if (!right) {
    colFill(kTile - 1, 0, kTile - 1, P("ink"));
    colFill(kTile - 2, up ? 0 : 1, topEnd, P("wall_mortar"));
    if (!down) colFill(kTile - 2, front, kTile - 2, Mix(P("wall_mortar"), P("ink"), 0.4));
  }
  // Round the outer corners a little.
  if (!up && !left) img.Set(1, 1, P("ink"));
  if (!up && !right) img.Set(kTile - 2, 1, P("ink"));
  if (!down && !left) img.Set(1, kTile - 2, P("ink"));
  if (!down && !right) img.Set(kTile - 2, kTile - 2, P("ink"));
  return img;
}

// Blocks that a toggle switch raises and lowers. Lowered ones lie flush in the floor.
Image Block(const SpriteSpec& s) {
  Family f = Colours(s.Param("colour"));
  bool raised = s.IntParam("raised") != 0;
  if (!raised) {
    Image img = FloorTile();
    FillRect(img, 3, 3, 26, 26, P("ink_soft"));
    FillRect(img, 4, 4, 24, 24, Mix(f.dark, P("floor_grout"), 0.3));
    FillRect(img, 6, 6, 20, 20, Mix(f.base, P("floor_base"), 0.35));
    for (int i = 6; i < 26; i += 5) {
      Line(img, i, 6, 6, i, Mix(f.light, P("floor_base"), 0.3));
      Line(img, 25, i, i, 25, Mix(f.dark, P("floor_base"), 0.2));
    }
    return img;
  }
  Image img = FloorTile();
  FillRect(img, 2, 6, 28, 26, P("ink"));
  FillRect(img, 3, 22, 26, 8, f.dark);  // front face
  FillRect(img, 3, 2, 26, 20, f.base);  // top face
  FillRect(img, 2, 1, 28, 1, P("ink"));
  FillRect(img, 2, 1, 1, 22, P("ink"));
  FillRect(img, 29, 1, 1, 22, P("ink"));
  FillRect(img, 3, 2, 26, 1, f.light);
  FillRect(img, 3, 2, 1, 20, f.light);
  FillRect(img, 3, 21, 26, 1, P("ink_soft"));
  for (int x = 6; x < 27; x += 6) FillRect(img, x, 23, 2, 6, Mix(f.dark, P("ink"), 0.3));
  // A chevron on the top face says "up".
  FillPolygon(img, {{16, 6}, {24, 14}, {21, 17}, {16, 12}, {11, 17}, {8, 14}}, f.light);
  return img;
}

Image Door(const SpriteSpec& s) {
  Family f = Colours(s.Param("colour"));
  Image img(kTile, kTile, P("door_frame"));
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x)
      if ((x + (y / 8) * 5) % 11 == 0 || y % 8 == 0)
        img.Set(x, y, Mix(P("door_frame"), P("ink"), 0.35));
  FrameRect(img, 0, 0, 32, 32, P("ink"));
  FillRect(img, 4, 3, 24, 29, P("ink"));
  FillRect(img, 5, 4, 22, 28, f.base);
  for (int y = 4; y < 32; ++y) {
    img.Set(5, y, f.light);
    img.Set(26, y, f.dark);
  }
  for (int x = 5; x < 27; ++x) {
    img.Set(x, 4, f.light);
    img.Set(x, 10, f.dark);
    img.Set(x, 25, f.dark);
  }
  // Studs and the lock plate with the key's emblem.
  for (auto [x, y] : {std::pair{8, 7}, {23, 7}, {8, 28}, {23, 28}}) img.Set(x, y, f.light);
  FillRect(img, 10, 12, 12, 12, P("ink"));
  FillRect(img, 11, 13, 10, 10, P("cream"));
  Emblem(img, s.Param("emblem"), 16, 17, 3, f.dark);
  FillRect(img, 15, 19, 2, 3, P("ink"));
  return img;
}

// The exit: a stone arch around a portal, dim until every sweet is taken, then flashing.
Image Exit(const SpriteSpec& s) {
  int state = s.IntParam("state");  // 0 closed, 1 and 2 the open flashes
  Image img = FloorTile();
  FillEllipse(img, 16, 15, 14, 14, P("ink"));
  FillEllipse(img, 16, 15, 13, 13, P("door_frame"));
  FillEllipse(img, 16, 15, 12, 12, P("door_frame_light"));
  FillRect(img, 2, 15, 28, 16, P("ink"));
  FillRect(img, 3, 15, 26, 16, P("door_frame"));
  FillRect(img, 3, 15, 2, 16, P("door_frame_light"));
  Image hole(kTile, kTile);
  FillEllipse(hole, 16, 15, 9, 9, kBlack);
  FillRect(hole, 7, 15, 18, 16, kBlack);
  Rgb inside = state == 0 ? P("portal_dim") : state == 1 ? P("gold") : P("amber");
  Rgb swirl = state == 0 ? P("portal_swirl") : state == 1 ? P("white") : P("gold_light");
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      if (hole.IsKey(x, y)) continue;
      double a = std::atan2(y + 0.5 - 18, x + 0.5 - 16), r = std::hypot(x + 0.5 - 16, y + 0.5 - 18);
      double spin = a * 2 + r * 0.55 + (state == 2 ? std::numbers::pi / 2 : 0);
      img.Set(x, y, std::sin(spin) > 0.3 ? swirl : inside);
    }
  }
  // Keystone.
  FillRect(img, 14, 1, 4, 4, P("ink"));
  FillRect(img, 15, 2, 2, 2, state == 0 ? P("steel_base") : P("gold_light"));
  return img;
}

Image Magnet(const SpriteSpec& s) {
  bool on = s.IntParam("on", 1) != 0;
  Image img = FloorTile();
  Rgb body = on ? P("red") : P("steel_base");
  Rgb light = on ? P("red_light") : P("steel_light");
  Rgb dark = on ? P("red_dark") : P("steel_dark");
  Image m(kTile, kTile);
  FillRing(m, 16, 14, 4.5, 10.5, body);
  FillRect(m, 5, 14, 23, 13, kKey);
  FillRect(m, 6, 14, 6, 9, body);
  FillRect(m, 20, 14, 6, 9, body);
  FillRect(m, 6, 23, 6, 4, on ? P("silver_light") : P("silver"));
  FillRect(m, 20, 23, 6, 4, on ? P("silver_light") : P("silver"));
  Bevel(m, light, dark);
  Outline(m, P("ink"));
  if (on) {  // field lines
    for (int i = 0; i < 3; ++i) {
      img.Set(14 + i, 29, P("blue_light"));
      img.Set(3, 20 + i * 2, P("blue_light"));
      img.Set(28, 20 + i * 2, P("blue_light"));
    }
  }
  Blit(img, m, 0, 0);
  return img;
}

// The toggle switch: a lever on a base painted in the colours of both block kinds.
Image Toggle(const SpriteSpec&) {
  Image img = FloorTile();
  Image sw(kTile, kTile);
  FillRect(sw, 6, 18, 20, 9, P("steel_base"));
  FillRect(sw, 7, 20, 8, 5, P("block_a"));
  FillRect(sw, 17, 20, 8, 5, P("block_b"));
  Bevel(sw, P("steel_light"), P("steel_dark"));
  Line(sw, 15, 19, 21, 6, P("steel_dark"));
  Line(sw, 16, 19, 22, 6, P("steel_light"));
  Line(sw, 17, 19, 23, 6, P("steel_base"));
  FillEllipse(sw, 22.5, 6, 3.5, 3.5, P("red"));
  FillEllipse(sw, 21.5, 5, 1.2, 1.2, P("red_light"));
  Outline(sw, P("ink"));
  Blit(img, sw, 0, 0);
  return img;
}

}  // namespace

// The emblem of a key colour, also shown on its door: circle, square, diamond, triangle, star.
void Emblem(Image& img, const std::string& shape, int cx, int cy, int r, Rgb c) {
  if (shape == "circle") {
    FillEllipse(img, cx + 0.5, cy + 0.5, r, r, c);
  } else if (shape == "square") {
    FillRect(img, cx - r + 1, cy - r + 1, 2 * r - 1, 2 * r - 1, c);
  } else if (shape == "diamond") {
    FillPolygon(img,
                {{cx + 0.5, cy - r - 0.5},
                 {cx + r + 1.0, cy + 0.5},
                 {cx + 0.5, cy + r + 1.5},
                 {cx - r + 0.0, cy + 0.5}},
                c);
  } else if (shape == "triangle") {
    FillPolygon(
        img, {{cx + 0.5, cy - r - 0.5}, {cx + r + 1.0, cy + r + 1.0}, {cx - r + 0.0, cy + r + 1.0}},
        c);
  } else {  // star
    std::vector<std::pair<double, double>> pts;
    for (int i = 0; i < 10; ++i) {
      double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5, rr = i % 2 ? r * 0.45 : r + 0.8;
      pts.push_back({cx + 0.5 + rr * std::cos(a), cy + 0.5 + rr * std::sin(a)});
    }
    FillPolygon(img, pts, c);
  }
}

void RegisterWallArt(std::map<std::string, Drawer>& d) {
  d["wall"] = Wall;
  d["block"] = Block;
  d["door"] = Door;
  d["exit"] = Exit;
  d["magnet"] = Magnet;
  d["toggle"] = Toggle;
}

}  // namespace mediagen
