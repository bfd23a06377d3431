// "Help.bmp": the keys, and what the tiles do, shown with the game's own tile pictures.
#include <string>
#include <vector>

#include <stdexcept>

#include "art.h"
#include "font.h"
#include "palette.h"
#include "screens.h"

namespace mediagen {

namespace {

struct Entry {
  std::vector<int> sprites;
  std::string line1, line2;
};

// The tiles, two lines of at most 31 letters each.
const std::vector<Entry>& Entries() {
  static const std::vector<Entry> entries = {
      {{14, 16}, "Sweets: take every one,", "then the exit opens."},
      {{93, 272}, "The exit: step in when it", "glows to reach the next level."},
      {{10, 87}, "A key opens one door of", "its own colour."},
      {{268, 91}, "Silver keys are rewards: clear", "enemies, targets or 3 gems."},
      {{61, 100}, "Push crates. Cover every", "target for a silver key."},
      {{5, 7}, "Gems roll until they hit.", "3 colours touching: a key!"},
      {{8, 19}, "Bombs and mines explode.", "Keep your feet off mines."},
      {{4, 105}, "Water drowns you unless", "you wear the rubber boots."},
      {{18, 86}, "Fire burns you unless you", "wear the fire suit."},
      {{66, 85}, "Ice makes you slide; the", "salt bag melts it."},
      {{84, 103}, "Conveyors carry you and", "boxes along."},
      {{65, 80}, "Magnets hold you; weight on", "a plate switches them off."},
      {{111, 101}, "The switch raises lowered", "blocks and lowers raised."},
      {{9, 29}, "Planks crack as you leave", "them. Don't fall through!"},
      {{0, 1}, "Pads beam you to the next", "pad of the same colour."},
      {{124, 132}, "Enemies bite. A pushed", "crate squashes them."},
      {{106, 109}, "Flags mark a new start;", "the ? tile gives a hint."},
      {{63, 64}, "Dirt is swept by walking;", "the vortex takes items."},
  };
  return entries;
}

void Panel(Image& img, int x, int y, int w, int h) {
  FillRect(img, x + 3, y + 3, w, h, P("ink"));
  FillRect(img, x, y, w, h, P("hint_panel_dark"));
  FrameRect(img, x, y, w, h, P("gold_dark"));
  FrameRect(img, x + 1, y + 1, w - 2, h - 2, P("gold"));
}

}  // namespace

Image MakeHelpScreen(const std::vector<Image>& sprites) {
  Image img(kScreenW, kScreenH, P("abyss_base"));
  PaintGradient(img, 0, kScreenH, {P("abyss_deep"), P("abyss_base"), P("purple_dark")});
  // Floor tiles peek out along the edges as a frame.
  for (int x = 0; x < kScreenW; x += 32) {
    Blit(img, sprites[74], x, 0, false);
    Blit(img, sprites[74], x, kScreenH - 32, false);
  }
  TextStyle big = BigFontStyle();
  const std::string title = "HOW TO PLAY";
  DrawText(img, (kScreenW - TextWidth(title, big)) / 2, 6, title, big);

  // Keys.
  TextStyle tiny = TinyStyle();
  TextStyle key = tiny;
  key.top = P("gold_light");
  key.bottom = P("gold");
  Panel(img, 10, 38, 620, 62);
  const char* keys[][2] = {
      {"Arrows", "walk"},  {"Space", "restart level"}, {"Q", "back to the start"}, {"P", "pause"},
      {"F1", "this help"}, {"Enter", "end the game"},  {"E", "back to editor"},    {"Esc", "quit"}};
  for (int i = 0; i < 8; ++i) {
    int x = 20 + (i % 3) * 205, y = 46 + (i / 3) * 17;
    DrawText(img, x, y, keys[i][0], key);
    DrawText(img, x + 50, y, keys[i][1], tiny);
  }
  DrawText(img, 20 + 2 * 205, 46 + 2 * 17, "Take all sweets!", key);

  // Tiles, in two columns.
  Panel(img, 10, 106, 620, 340);
  const auto& entries = Entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    int col = static_cast<int>(i) / 9, row = static_cast<int>(i) % 9;
    int x = 18 + col * 310, y = 112 + row * 37;
    int ix = x;
    for (int n : entries[i].sprites) {
      Blit(img, n >= 120 && n < 232 ? sprites[n] : OnFloor(sprites[n]), ix, y);
      ix += 33;
    }
    int tx = x + 2 * 33 + 6;
    for (const std::string& line : {entries[i].line1, entries[i].line2})
      if (tx + TextWidth(line, tiny) > 10 + 620 - 4)
        throw std::runtime_error("help text too wide: " + line);
    DrawText(img, tx, y + 5, entries[i].line1, tiny);
    DrawText(img, tx, y + 18, entries[i].line2, tiny);
  }
  return img;
}

}  // namespace mediagen
