// The line editor INPUT: the screen behind the text is kept in surface 3, the line is drawn
// over it every frame, and SHOWSCREEN paces the loop (and ends the program on Esc).
#include <cmath>

#include "core/frame.h"
#include "gfx/lumetra.h"
#include "gfx/screen_commands.h"
#include "gfx/sprite_commands.h"
#include "input/dxinput.h"
#include "input/input_commands.h"
#include "input/line_editor.h"

namespace {

constexpr int kBackgroundSurface = 3;

}  // namespace

bool LineEditor::Take(char c) {
  if (c == 0) {
    if (++blink_ >= kBlinkPasses) {
      blink_ = 0;
      cursorShown_ = !cursorShown_;
    }
    return false;
  }
  if (c == 10) return true;
  if (c == 8) {
    if (text_.Length() > 0) text_.Left(text_.Length() - 1);
    return false;
  }
  // The text value refuses a character that would make it longer than it can hold.
  char typed[2] = {c, 0};
  text_ += typed;
  return false;
}

KDStr LineEditor::Drawn(int columns) const {
  KDStr shown = text_;
  const int length = text_.Length();
  if (columns > 1 && length > columns - 1) shown = text_.GetStrData() + (length - (columns - 1));
  if (cursorShown_) shown += "_";
  return shown;
}

namespace {

// Characters of the current font that fit between x and the right edge of the screen; 0 when
// the screen or the font is unknown.
int ColumnsFrom(double x) {
  if (pLum == nullptr) return 0;
  double glyphWidth = 0;
  double glyphHeight = 0;
  GETFONTSIZE(glyphWidth, glyphHeight);
  if (glyphWidth < 1 || pLum->nResX <= x) return 0;
  return static_cast<int>((pLum->nResX - x) / glyphWidth);
}

}  // namespace

void INPUT(KDStr& text, double x, double y) {
  double left = std::trunc(x);
  double top = std::trunc(y);
  // Keys pressed from here on are the line's, including during the first frame.
  if (pDXin != nullptr) pDXin->StartTyping();
  if (pLum != nullptr) {
    pLum->GrabSurface(kBackgroundSurface);
    pLum->PasteSurface(kBackgroundSurface);
  }
  PRINT(text, left, top);
  SHOWSCREEN();
  LineEditor editor(text);
  const int columns = ColumnsFrom(left);
  for (;;) {
    // Every key pressed since the last pass, in order; a pass without one lets the cursor
    // blink. The reading of GetKeyChar still runs, so that a key held when the line ends has
    // typed its character for the waits that follow.
    bool ended = false;
    bool typed = false;
    if (pDXin != nullptr) {
      pDXin->GetKeyChar();
      for (char c = pDXin->NextTyped(); c != 0 && !ended; c = pDXin->NextTyped()) {
        typed = true;
        ended = editor.Take(c);
      }
    }
    if (!typed) editor.Take(0);
    if (ended) break;
    text = editor.Text();
    if (pLum != nullptr) pLum->PasteSurface(kBackgroundSurface);
    PRINT(editor.Drawn(columns), left, top);
    SHOWSCREEN();
  }
  text = editor.Text();
  if (pDXin != nullptr) pDXin->StopTyping();
  if (pLum != nullptr) pLum->FreeSurface(kBackgroundSurface);
}

void INPUT(double& number, double x, double y) {
  KDStr text;
  INPUT(text, x, y);
  // The leading number of the line, 0 when there is none.
  number = static_cast<double>(text);
}
