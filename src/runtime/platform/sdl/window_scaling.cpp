#include "platform/sdl/window_scaling.h"

#include <SDL_opengl.h>

#include <algorithm>

namespace tobli::platform::sdl {
namespace {

struct FramebufferCalls {
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
  PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
  PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
  PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;
};

FramebufferCalls gl;
// Two targets of the picture's size: the renderer draws into one while the other keeps the
// picture shown last, so that a window made larger or uncovered while the program waits can
// show that picture again (the frame being drawn has been cleared by then, or is half done).
GLuint gFramebuffers[2] = {0, 0};
GLuint gColours[2] = {0, 0};
GLuint gDepth = 0;
int gDrawn = 0;  // the target the renderer draws into
// The other target holds the picture shown last.
bool gHaveShown = false;
int gWidth = 0;
int gHeight = 0;
// Whether the renderer draws into the target (the window shows the picture at another size)
// or, while the window is at the picture's size, straight into the window.
bool gOffscreen = false;

GLuint DrawnTarget() {
  return gFramebuffers[gDrawn];
}

template <typename T>
bool Load(T& entry, const char* name) {
  entry = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
  return entry != nullptr;
}

bool LoadCalls() {
  if (!SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object")) {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version == nullptr || version[0] < '3') return false;
  }
  return Load(gl.genFramebuffers, "glGenFramebuffers") &&
         Load(gl.deleteFramebuffers, "glDeleteFramebuffers") &&
         Load(gl.bindFramebuffer, "glBindFramebuffer") &&
         Load(gl.genRenderbuffers, "glGenRenderbuffers") &&
         Load(gl.deleteRenderbuffers, "glDeleteRenderbuffers") &&
         Load(gl.bindRenderbuffer, "glBindRenderbuffer") &&
         Load(gl.renderbufferStorage, "glRenderbufferStorage") &&
         Load(gl.framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
         Load(gl.checkFramebufferStatus, "glCheckFramebufferStatus") &&
         Load(gl.blitFramebuffer, "glBlitFramebuffer");
}

// Storage for the picture (no alpha, as the window's own buffers have none) and 16 depth bits,
// as the window's context is asked for.
bool MakeStorage(int width, int height) {
  gl.bindRenderbuffer(GL_RENDERBUFFER, gDepth);
  gl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glClearColor(0, 0, 0, 1);
  bool complete = true;
  for (int i = 0; i < 2 && complete; ++i) {
    gl.bindRenderbuffer(GL_RENDERBUFFER, gColours[i]);
    gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width, height);
    gl.bindFramebuffer(GL_FRAMEBUFFER, gFramebuffers[i]);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, gColours[i]);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, gDepth);
    complete = gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    // A new target starts black, as a new window does.
    if (complete) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
  glClearColor(clear[0], clear[1], clear[2], clear[3]);
  if (!complete) return false;
  gWidth = width;
  gHeight = height;
  gHaveShown = false;
  return true;
}

// Copies the picture of the target into the window's back buffer, as large as fits and
// centred on black. The caller binds the renderer's buffer again.
void CopyToWindow(GLuint target, int areaWidth, int areaHeight) {
  const FitRect fit = FitPicture(gWidth, gHeight, areaWidth, areaHeight);
  gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  if (fit.width != areaWidth || fit.height != areaHeight) {
    // The bars beside the picture are black; the renderer's clear colour is its own.
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
  }
  gl.bindFramebuffer(GL_READ_FRAMEBUFFER, target);
  gl.blitFramebuffer(0, 0, gWidth, gHeight, fit.x, areaHeight - fit.y - fit.height,
                     fit.x + fit.width, areaHeight - fit.y, GL_COLOR_BUFFER_BIT,
                     fit.whole ? GL_NEAREST : GL_LINEAR);
}

}  // namespace

FitRect FitPicture(int width, int height, int areaWidth, int areaHeight) {
  if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0) {
    return {0, 0, std::max(width, 0), std::max(height, 0), true};
  }
  const int whole = std::min(areaWidth / width, areaHeight / height);
  FitRect fit{};
  if (whole >= 1) {
    fit.width = width * whole;
    fit.height = height * whole;
    fit.whole = true;
  } else {
    // Scaled down in shape: the side that is shortest in proportion decides.
    if (static_cast<int64_t>(areaWidth) * height <= static_cast<int64_t>(areaHeight) * width) {
      fit.width = areaWidth;
      fit.height = std::max(1, static_cast<int>(static_cast<int64_t>(areaWidth) * height / width));
    } else {
      fit.height = areaHeight;
      fit.width = std::max(1, static_cast<int>(static_cast<int64_t>(areaHeight) * width / height));
    }
    fit.whole = false;
  }
  fit.x = (areaWidth - fit.width) / 2;
  fit.y = (areaHeight - fit.height) / 2;
  return fit;
}

int StartScale(int width, int height, int display) {
  SDL_Rect usable{};
  if (width <= 0 || height <= 0 || SDL_GetDisplayUsableBounds(display, &usable) != 0) return 1;
  // Room for the window's frame and title bar.
  constexpr int kFrameWidth = 16;
  constexpr int kFrameHeight = 48;
  const int scale = std::min((usable.w - kFrameWidth) / width, (usable.h - kFrameHeight) / height);
  return std::max(scale, 1);
}

bool CreateScaledTarget(int width, int height) {
  DestroyScaledTarget();
  if (width <= 0 || height <= 0 || !LoadCalls()) return false;
  gl.genFramebuffers(2, gFramebuffers);
  gl.genRenderbuffers(2, gColours);
  gl.genRenderbuffers(1, &gDepth);
  gDrawn = 0;
  if (gFramebuffers[0] == 0 || gFramebuffers[1] == 0 || gColours[0] == 0 || gColours[1] == 0 ||
      gDepth == 0 || !MakeStorage(width, height)) {
    DestroyScaledTarget();
    return false;
  }
  // Drawing starts in the window; the first frame shown at another size moves it over.
  gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
  gOffscreen = false;
  return true;
}

bool ResizeScaledTarget(int width, int height) {
  if (!HasScaledTarget()) return false;
  if (width == gWidth && height == gHeight) return true;
  if (width <= 0 || height <= 0 || !MakeStorage(width, height)) {
    DestroyScaledTarget();
    return false;
  }
  gl.bindFramebuffer(GL_FRAMEBUFFER, gOffscreen ? DrawnTarget() : 0);
  return true;
}

void DestroyScaledTarget() {
  if (gl.bindFramebuffer != nullptr && HasScaledTarget()) {
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
  }
  if (gl.deleteFramebuffers != nullptr) {
    for (GLuint& target : gFramebuffers) {
      if (target != 0) gl.deleteFramebuffers(1, &target);
      target = 0;
    }
  }
  if (gl.deleteRenderbuffers != nullptr) {
    for (GLuint& colour : gColours) {
      if (colour != 0) gl.deleteRenderbuffers(1, &colour);
      colour = 0;
    }
    if (gDepth != 0) gl.deleteRenderbuffers(1, &gDepth);
  }
  gFramebuffers[0] = gFramebuffers[1] = gColours[0] = gColours[1] = gDepth = 0;
  gWidth = gHeight = 0;
  gDrawn = 0;
  gHaveShown = false;
  gOffscreen = false;
}

bool HasScaledTarget() {
  return gFramebuffers[0] != 0;
}

void ComposeWindowPicture(SDL_Window* window) {
  if (!HasScaledTarget()) return;
  int areaWidth = 0;
  int areaHeight = 0;
  SDL_GL_GetDrawableSize(window, &areaWidth, &areaHeight);
  const bool oneToOne = areaWidth == gWidth && areaHeight == gHeight;
  if (!gOffscreen) {
    if (oneToOne) return;
    // The window has just changed its size: the frame was drawn into its own buffer, at the
    // bottom left, and goes into the target before it is shown from there.
    gl.bindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, DrawnTarget());
    gl.blitFramebuffer(0, 0, gWidth, gHeight, 0, 0, gWidth, gHeight, GL_COLOR_BUFFER_BIT,
                       GL_NEAREST);
    gOffscreen = true;
  }
  CopyToWindow(DrawnTarget(), areaWidth, areaHeight);
  // Back at its own size, the window takes the next frames straight into its buffer.
  if (oneToOne) gOffscreen = false;
  gl.bindFramebuffer(GL_FRAMEBUFFER, gOffscreen ? DrawnTarget() : 0);
}

void PresentScaledTarget(SDL_Window* window) {
  ComposeWindowPicture(window);
  SDL_GL_SwapWindow(window);
  if (!gOffscreen) {
    gHaveShown = false;
    return;
  }
  // The picture just shown stays in its target; the next frame is drawn into the other one.
  gHaveShown = true;
  gDrawn = 1 - gDrawn;
  gl.bindFramebuffer(GL_FRAMEBUFFER, DrawnTarget());
}

void ShowLastPicture(SDL_Window* window) {
  if (!gOffscreen || !gHaveShown) return;
  int areaWidth = 0;
  int areaHeight = 0;
  SDL_GL_GetDrawableSize(window, &areaWidth, &areaHeight);
  CopyToWindow(gFramebuffers[1 - gDrawn], areaWidth, areaHeight);
  SDL_GL_SwapWindow(window);
  gl.bindFramebuffer(GL_FRAMEBUFFER, DrawnTarget());
}

bool ShowsOffscreen() {
  return gOffscreen;
}

double ShownScale(SDL_Window* window) {
  if (!HasScaledTarget() || window == nullptr) return 1;
  int areaWidth = 0;
  int areaHeight = 0;
  SDL_GetWindowSize(window, &areaWidth, &areaHeight);
  const FitRect fit = FitPicture(gWidth, gHeight, areaWidth, areaHeight);
  return gWidth > 0 && fit.width > 0 ? static_cast<double>(fit.width) / gWidth : 1;
}

}  // namespace tobli::platform::sdl
