// The picture at the renderer's own size, shown in a window of any size: the renderer draws
// into offscreen targets of its size, and each presented frame is copied into the window, as
// large as fits, kept in shape and centred on black.
#pragma once

#include <SDL.h>

namespace tobli::platform::sdl {

struct FitRect {
  int x;
  int y;
  int width;
  int height;
  bool whole;  // a whole multiple of the picture's size: pixels copied without blur
};

// Where a width x height picture goes in an area of areaWidth x areaHeight: the largest whole
// multiple that fits, or, when not even the picture itself fits, the largest size in shape.
FitRect FitPicture(int width, int height, int areaWidth, int areaHeight);

// The largest whole multiple of a width x height window that fits the usable area of the
// window's display with room for its frame; at least 1.
int StartScale(int width, int height, int display);

// Makes the offscreen target of width x height for the current context; false when the
// context cannot have one. While the window is at the picture's size the renderer draws
// straight into the window, at no cost; a frame presented at another size moves the drawing
// into the target, and a frame presented at the picture's size again moves it back.
bool CreateScaledTarget(int width, int height);
// Gives the target a new size; its picture is lost.
bool ResizeScaledTarget(int width, int height);
void DestroyScaledTarget();
bool HasScaledTarget();
// True while the renderer draws into the target.
bool ShowsOffscreen();
// Puts the frame into the window's back buffer as it is to be shown (nothing to do while the
// window is at the picture's size).
void ComposeWindowPicture(SDL_Window* window);
// Composes the frame and shows it. While the renderer draws offscreen, the picture shown stays
// in its target and the next frame is drawn into the other target (whose old picture the
// frame step clears).
void PresentScaledTarget(SDL_Window* window);
// Shows the picture presented last again, as large as the window now fits it (nothing while
// the renderer draws into the window itself). The frame being drawn is left as it is.
void ShowLastPicture(SDL_Window* window);
// Window pixels per picture pixel as the window shows it now (1 without a target).
double ShownScale(SDL_Window* window);

}  // namespace tobli::platform::sdl
