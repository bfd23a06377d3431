// The editing rules of the line editor INPUT, one pass (one frame) at a time.
#pragma once

#include "core/kdstr.h"

class LineEditor {
 public:
  explicit LineEditor(const KDStr& start) : text_(start) {}
  // Takes the character of one pass (0 when no new key gave one). True when Enter ended the
  // line; the text then holds it without the Enter.
  bool Take(char c);
  const KDStr& Text() const { return text_; }
  bool CursorShown() const { return cursorShown_; }
  // The line as drawn: the text, followed by "_" while the cursor is shown. With room for
  // `columns` characters (0: no limit), a longer line shows only its end, with a column kept
  // for the cursor, so what is being typed stays in view.
  KDStr Drawn(int columns = 0) const;

  // Passes without a key before the cursor changes between shown and hidden.
  static constexpr int kBlinkPasses = 21;

 private:
  KDStr text_;
  int blink_ = 0;
  bool cursorShown_ = false;
};
