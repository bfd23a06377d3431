// The renderer: one object (pLum) that owns the OpenGL context of the main window, the display
// modes, the 2D projection, the frame clock and every graphics resource in fixed tables.
//
// Headless: there is no GL context. Every drawing operation returns at once, but the tables
// (sizes, free/used marks, surface tile counts) are kept as the real renderer keeps them.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>

#include "platform/platform.h"

// Table sizes.
constexpr int kLumSprites = 4095;       // sprite slots 0-4094
constexpr int kLumFonts = 16;           // fonts 0-15 ...
constexpr int kLumFontSlotBase = 4079;  // ... live in sprite slots 4079-4094
constexpr int kLumSurfaces = 15;        // surfaces 0-14; 0 is the background
constexpr int kLumSurfaceTiles = 64;    // a surface holds at most 64 x 64 tiles
constexpr int kLumParticles = 1024;
constexpr uint32_t kSpriteColorKey = 0x8000FF;  // red 255, green 0, blue 128 (0x00BBGGRR)

// One tiled full-screen picture, tiles indexed [column][row].
struct OPENGL_SURFACE {
  uint32_t nTex[kLumSurfaceTiles][kLumSurfaceTiles];   // texture names, 0 = none
  int16_t nTileW[kLumSurfaceTiles][kLumSurfaceTiles];  // tile width in pixels
  int16_t nTileH[kLumSurfaceTiles][kLumSurfaceTiles];  // tile height in pixels
  int8_t nCols;                                        // tile columns in use (0 = empty)
  int8_t nRows;                                        // tile rows in use
};

// One particle of the ring; no command of the game reaches it.
struct OPENGL_PARTICLE {
  float fX, fY;     // position in screen pixels
  float fDX, fDY;   // motion per frame
  uint32_t nColor;  // 0x00BBGGRR
  int16_t nSprite;  // sprite slot drawn, -1 none
  int16_t nLife;    // frames left, 0 = dead
};

// The parameters of an effect draw.
struct OPENGL_SPRITEFX {
  float fAngle;    // degrees, counter-clockwise on the screen
  int16_t nWidth;  // drawn size; below 1 = the picture's own size
  int16_t nHeight;
  uint32_t nColor;  // tint 0x00BBGGRR; 0 = no tint
};

// How FlipScreens waits for the next frame slot (the benchmark compares both).
enum class FrameWait {
  kHybrid,  // sleeps until shortly before the deadline, then spins the rest
  kBusy,    // spins the whole wait
};

class OpenGLLumetra {
 public:
  // Clears every table, fills qsin/qcos, frees all slots, starts the clock.
  OpenGLLumetra();
  // FreeAll, back to a window, context gone.
  virtual ~OpenGLLumetra();
  OpenGLLumetra(const OpenGLLumetra&) = delete;
  OpenGLLumetra& operator=(const OpenGLLumetra&) = delete;

  // ---- Core, display modes, viewports (lumetra.cpp) ------------------------------------------
  // Makes the GL context for the platform's window (width/height 0: the window's size; bits 0:
  // the desktop depth). False only when no context can be made on a platform that has GL;
  // headless always succeeds without one.
  bool Init(int width, int height, int bits, uint16_t fps);
  // Reports a software or hardware renderer (warning box + log line, or log line).
  void SetDCPixelFormat();
  // Full screen at nResX x nResY (falling back to the desktop depth, then to a window with the
  // log line "No Fullscreen Mode available"). False when it ended in a window.
  bool DoFullscreen();
  // The desktop mode back and a normal window of nResX x nResY. Always true.
  bool DoWindowed();
  // The desktop mode back and the window hidden (until DoWindowed/DoFullscreen). Always true.
  bool HideWindow();
  // The 2D projection (pixel (x, y) at vertex (x, -y)) and the fixed GL state of 2D drawing.
  void Make2DViewport();
  // Perspective projection with the given planes and vertical field of view in degrees.
  void Make3DViewport(double zNear, double zFar, double fov);
  void ResizeAuto();
  void ChangeSize(int width, int height);
  // Releases every sprite texture and mask and every surface.
  void FreeAll();
  bool IsActive() const { return bActive; }
  // True when GL calls may be made (false headless and before Init).
  static bool HasContext() { return tobli::platform::HasGL(); }

  // ---- Clock and pacing (pacing.cpp) ---------------------------------------------------------
  void SetupAccurateTimer();
  // The clock in milliseconds (high-resolution counter, or the millisecond timer without one).
  double AccurateTime();
  // fps > 0: dFrameTime = 1000 / fps; otherwise 2 ms.
  void SetMaxFPS(int fps);
  // Dispatches every waiting platform event (a quit request ends the program). Always true.
  bool WinMessages();
  // Presents, clears, waits for the frame slot; returns the ms spent waiting + 1.
  double FlipScreens();

  // ---- Surfaces (surfaces.cpp); numbers outside 0-14 are ignored -----------------------------
  // A picture file cut into 64-pixel tiles. False (surface unchanged) when it cannot be read.
  bool LoadSurface(unsigned n, const char* path, bool flag);
  // The frame being drawn, cut into 32-pixel tiles.
  void GrabSurface(int n);
  // Draws the surface over the screen from (0, 0) with the current colour and blending.
  void PasteSurface(unsigned n);
  void FreeSurface(int n);
  // Additive cross-fade from one surface to another over 51 presented frames plus one.
  void BlendToSurface(int from, int to);
  // The frame being drawn as a 24-bit BMP file. False when the file cannot be created.
  bool SaveBMPFile(const char* path);

  // ---- Primitives (primitives.cpp); colours 0x00BBGGRR ---------------------------------------
  void DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color);
  // Fills left..right-1 x top..bottom-1.
  void DrawRect(int16_t left, int16_t top, int16_t right, int16_t bottom, uint32_t color);
  void DrawPixel(int16_t x, int16_t y, uint32_t color);
  // Begins a triangle fan textured with sprite n (untextured when n < 0).
  void StartPoly(int n);
  void PolyPoint(int16_t x, int16_t y, float tx, float ty, uint32_t color);
  void EndPoly();

  // ==== Sprites and fonts =====================================================================
  // This section belongs to the sprites and fonts code (its own files); edit it there.
  // (width, height) of a BMP file from its header; both 0 when it cannot be read.
  void GetBMPSize(const char* path, int& width, int& height);
  // The (x, y, width, height) area of a picture (0 width/height: all of it) as a power-of-two
  // RGBA texture in *tex (and a mip-mapped copy in *tex2 when given). False, creating nothing,
  // when the file cannot be read.
  bool MakeBMPTexture(const char* path, int x, int y, int width, int height, uint32_t* tex,
                      uint32_t* tex2, uint32_t key, bool useKey, bool bump);
  // Frees the slot, then loads the picture with the colour key. False (slot free) on failure.
  bool LoadSprite(unsigned n, const char* path, uint32_t key, bool bump);
  void FreeSprite(int n);
  void DrawSprite(int16_t n, int16_t x, int16_t y);
  void StretchSprite(int16_t n, int16_t x, int16_t y, int16_t width, int16_t height);
  void RotoSprite(int16_t n, int16_t x, int16_t y, int angle);
  void DrawSpriteFX(int16_t n, int16_t x, int16_t y, const OPENGL_SPRITEFX& fx);
  // Binds sprite textures (t < 0: texturing off) and remembers the three values.
  void SetTexture3D(int t, int t2, int second);
  // The blending mode of ALPHAMODE.
  void DoAlpha(float mode);
  void GetSpriteSize(int16_t n, int& width, int& height);
  // The screen rectangle into sprite slot n. Always true.
  bool GrabSprite(int16_t n, int16_t x, int16_t y, int16_t width, int16_t height);
  // Pixel-exact overlap of two sprites drawn at (x1, y1) and (x2, y2).
  bool SpriteCollision(int a, int b, int16_t x1, int16_t y1, int16_t x2, int16_t y2);
  // Font n into sprite slot 4079 + n (black transparent). False when the file is no BMP.
  bool LoadFont(unsigned font, const char* path);
  // The whole picture's size of the font's slot.
  void GetFontSize(int16_t font, int& width, int& height);
  // One line of text, top-left at (x, y), all quads in one batch.
  void DrawTextA(int16_t font, const char* text, int16_t x, int16_t y);
  // ==== End of sprites and fonts ==============================================================

  // ---- Fields -------------------------------------------------------------------------------
  float fAlpha;      // ALPHAMODE intensity; 1.0 after construction and every SHOWSCREEN
  int nCurTexture;   // slot last bound by SetTexture3D (-1 none)
  int nCurTexture2;  // second slot last given to SetTexture3D (-1 none)
  int bCurBump;      // whether SetTexture3D selected the second textures
  void* hPalette;    // always none: every context made here is true-colour
  int16_t nTexWidth[kLumSprites];   // texture width, a power of two; -1 = free slot
  int16_t nTexHeight[kLumSprites];  // texture height, a power of two; -1 = free slot
  int16_t nWidth[kLumSprites];      // picture width in pixels
  int16_t nHeight[kLumSprites];     // picture height in pixels
  uint8_t* pMask[kLumSprites];      // owned alpha copy for collisions, made on first use
  int hWnd;          // 1 once Init bound the renderer to the platform's (only) window
  int nResX, nResY;  // size of the drawing area
  int nBits;         // colour depth asked of the context and of the full-screen mode
  bool bFullscreen;  // in the program's full-screen mode
  OPENGL_SURFACE surfaces[kLumSurfaces];
  bool bActive;                       // Init succeeded
  double dNextFrame;                  // clock time (ms) at which the next frame may be shown
  double dFrameTime;                  // minimum ms per frame
  uint32_t nTexName[kLumSprites][2];  // [0] the picture, [1] its mip-mapped copy; 0 = none
  OPENGL_PARTICLE particles[kLumParticles];
  int nParticle;     // next particle to overwrite, wraps after 1023
  int hRC;           // 1 while the context made by Init exists
  double dPerfFreq;  // ticks per second of the high-resolution counter
  int bPerfCounter;  // 1 when the high-resolution counter is the clock

  // How FlipScreens waits on a real clock (the hybrid wait unless a benchmark asks).
  FrameWait nWaitMode = FrameWait::kHybrid;
};

// The one renderer; null before start-up and after the end.
extern OpenGLLumetra* pLum;
// Sine and cosine of each whole degree 0-359.
extern float qsin[360];
extern float qcos[360];
// The sprite slot of the polygon being built (negative: untextured).
extern int g_nTexture;

// Multitexture and buffer entry points, null unless the driver offers "GL_ARB_multitexture".
// They live in their own namespace because the system GL header declares functions of the
// same names.
namespace arb {
extern PFNGLACTIVETEXTUREARBPROC glActiveTextureARB;
extern PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB;
extern PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB;
extern PFNGLGENBUFFERSARBPROC glGenBuffersARB;
extern PFNGLBINDBUFFERARBPROC glBindBufferARB;
extern PFNGLBUFFERDATAARBPROC glBufferDataARB;
extern PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB;
extern PFNGLMAPBUFFERARBPROC glMapBufferARB;
extern PFNGLUNMAPBUFFERARBPROC glUnmapBufferARB;
}  // namespace arb

// Whether the GL_RENDERER text names a software rasteriser (Mesa's llvmpipe or softpipe, or
// any renderer that calls itself software).
bool IsSoftwareGLRenderer(const char* renderer);
// The texts of the software-renderer warning (Windows-1252).
extern const char kSoftwareGLCaption[];
extern const char kSoftwareGLText[];
