// The game's sprites: one description per sprite number (read from the media sources) and the
// drawing routine of each kind of picture.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "image.h"

namespace mediagen {

inline constexpr int kTile = 32;

struct SpriteSpec {
  int number = 0;
  std::string kind;
  // key=value pairs of the description; a value with commas is a list indexed by `index`.
  std::map<std::string, std::string> params;
  int index = 0;  // position of the number within its range on the description line
  int phase = 0;  // animation frame: 0, 1 (number + 20) or 2 (number + 40)
  std::string role;

  // The parameter's value (the index-th item of a list); fallback when absent.
  std::string Param(const std::string& name, const std::string& fallback = "") const;
  int IntParam(const std::string& name, int fallback = 0) const;
};

using Drawer = std::function<Image(const SpriteSpec&)>;
// Every kind of picture, by the name the descriptions use.
const std::map<std::string, Drawer>& Drawers();

// Reads the sprite descriptions: every number 0..279 exactly once, else std::runtime_error.
std::vector<SpriteSpec> LoadSpriteSpecs(const std::string& path);
// Reads the figure looks (player and enemies) that the "figure" kind draws.
void LoadFigures(const std::string& path);
// Draws one sprite; throws for an unknown kind.
Image DrawSprite(const SpriteSpec& spec);

// ---- Shared pieces of the tile art ---------------------------------------------------------
// A 32 x 32 picture of the key colour.
Image EmptyTile();
// The plain floor (tile 60), the ground under items, keys and sweets.
Image FloorTile();
// Draws a keyed picture (an item or a figure) over a copy of the floor.
Image OnFloor(const Image& thing);
// A soft dark ellipse under a thing standing on the floor.
void DropShadow(Image& img, double cx, double cy, double rx, double ry);

// Kinds, grouped by file.
void RegisterGroundArt(std::map<std::string, Drawer>& d);
void RegisterWallArt(std::map<std::string, Drawer>& d);
void RegisterItemArt(std::map<std::string, Drawer>& d);
void RegisterFigureArt(std::map<std::string, Drawer>& d);
void RegisterEditorArt(std::map<std::string, Drawer>& d);

// The emblem of a key colour, also shown on its door: "circle", "square", "diamond",
// "triangle" or "star", centred on (cx, cy) with radius r.
void Emblem(Image& img, const std::string& shape, int cx, int cy, int r, Rgb c);

// Pictures that the screens reuse at other sizes.
Image ItemIcon(const std::string& what);  // "salt", "suit", "boots", "key:<colour>", "sweet:<n>"

}  // namespace mediagen
