// The renderer object: tables, context, display modes and viewports.
#include "gfx/lumetra.h"

#include <cmath>
#include <cstring>
#include <string>

#include "core/error_log.h"

namespace platform = tobli::platform;

OpenGLLumetra* pLum = nullptr;
float qsin[360];
float qcos[360];

namespace arb {
PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
PFNGLGENBUFFERSARBPROC glGenBuffersARB = nullptr;
PFNGLBINDBUFFERARBPROC glBindBufferARB = nullptr;
PFNGLBUFFERDATAARBPROC glBufferDataARB = nullptr;
PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB = nullptr;
PFNGLMAPBUFFERARBPROC glMapBufferARB = nullptr;
PFNGLUNMAPBUFFERARBPROC glUnmapBufferARB = nullptr;
}  // namespace arb

const char kSoftwareGLCaption[] = "!!OpenGL Software Emulation!!";
const char kSoftwareGLText[] =
    "Please update your GFX adapter's driver\nso it can render OpenGL by HARDWARE\n\n\n"
    "Bitte aktualisieren Sie Ihren\nGrafkkartentreiber, damit er OpenGL\nper HARDWARE "
    "unterst\xFC"
    "tzt!";

namespace {

// The box of the platform takes UTF-8; the warning text is Windows-1252.
std::string Cp1252ToUtf8(const char* text) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
    if (*p < 0x80) {
      out += static_cast<char>(*p);
    } else {
      out += static_cast<char>(0xC0 | (*p >> 6));
      out += static_cast<char>(0x80 | (*p & 0x3F));
    }
  }
  return out;
}

bool Contains(const char* haystack, const char* needle) {
  return haystack != nullptr && std::strstr(haystack, needle) != nullptr;
}

}  // namespace

bool IsSoftwareGLRenderer(const char* renderer) {
  if (renderer == nullptr) return false;
  std::string lower = renderer;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return Contains(lower.c_str(), "llvmpipe") || Contains(lower.c_str(), "softpipe") ||
         Contains(lower.c_str(), "software");
}

namespace {

template <typename T>
void Fetch(T& entry, const char* name) {
  entry = reinterpret_cast<T>(platform::GetGLProcAddress(name));
}

void FetchMultitexture() {
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (!Contains(extensions, "GL_ARB_multitexture")) return;
  Fetch(arb::glActiveTextureARB, "glActiveTextureARB");
  Fetch(arb::glMultiTexCoord2fARB, "glMultiTexCoord2fARB");
  Fetch(arb::glClientActiveTextureARB, "glClientActiveTextureARB");
  Fetch(arb::glGenBuffersARB, "glGenBuffersARB");
  Fetch(arb::glBindBufferARB, "glBindBufferARB");
  Fetch(arb::glBufferDataARB, "glBufferDataARB");
  Fetch(arb::glDeleteBuffersARB, "glDeleteBuffersARB");
  Fetch(arb::glMapBufferARB, "glMapBufferARB");
  Fetch(arb::glUnmapBufferARB, "glUnmapBufferARB");
}

void ForgetMultitexture() {
  arb::glActiveTextureARB = nullptr;
  arb::glMultiTexCoord2fARB = nullptr;
  arb::glClientActiveTextureARB = nullptr;
  arb::glGenBuffersARB = nullptr;
  arb::glBindBufferARB = nullptr;
  arb::glBufferDataARB = nullptr;
  arb::glDeleteBuffersARB = nullptr;
  arb::glMapBufferARB = nullptr;
  arb::glUnmapBufferARB = nullptr;
}

}  // namespace

OpenGLLumetra::OpenGLLumetra() {
  bActive = false;
  std::memset(nTexName, 0, sizeof(nTexName));
  std::memset(pMask, 0, sizeof(pMask));
  std::memset(nTexWidth, 0, sizeof(nTexWidth));
  std::memset(nTexHeight, 0, sizeof(nTexHeight));
  std::memset(nWidth, 0, sizeof(nWidth));
  std::memset(nHeight, 0, sizeof(nHeight));
  std::memset(surfaces, 0, sizeof(surfaces));
  std::memset(particles, 0, sizeof(particles));
  nParticle = 0;
  nCurTexture = nCurTexture2 = -1;
  bCurBump = 0;
  hPalette = nullptr;
  hWnd = 0;
  hRC = 0;
  nResX = nResY = 0;
  nBits = 0;
  bFullscreen = false;
  dFrameTime = 0;
  for (int d = 0; d < 360; ++d) {
    qsin[d] = static_cast<float>(std::sin(d / 180.0 * 3.141592654));
    qcos[d] = static_cast<float>(std::cos(d / 180.0 * 3.141592654));
  }
  FreeAll();
  fAlpha = 1.0f;
  if (HasContext()) {
    glEnable(GL_BLEND);
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
  }
  SetupAccurateTimer();
  dNextFrame = AccurateTime();
}

OpenGLLumetra::~OpenGLLumetra() {
  FreeAll();
  DoWindowed();
  if (hRC != 0) {
    platform::DestroyGLContext();
    ForgetMultitexture();
    hRC = 0;
  }
  bActive = false;
}

bool OpenGLLumetra::Init(int width, int height, int bits, uint16_t fps) {
  SetMaxFPS(fps);
  hWnd = 1;
  int windowW = 0;
  int windowH = 0;
  platform::GetWindowSize(windowW, windowH);
  if (bits == 0) bits = platform::DesktopBits();
  if (width == 0) width = std::abs(windowW);
  if (height == 0) height = std::abs(windowH);
  nBits = bits;
  nResY = height;
  nResX = width;
  bFullscreen = false;
  if (!platform::IsHeadless()) {
    std::string why;
    if (!platform::CreateGLContext(nBits, why)) return false;
    hRC = 1;
    SetDCPixelFormat();
  }
  dNextFrame = AccurateTime();
  if (HasContext()) FetchMultitexture();
  Make2DViewport();
  bActive = true;
  return true;
}

void OpenGLLumetra::SetDCPixelFormat() {
  // The context's format (double-buffered RGBA, 16 depth bits) is asked of the platform when
  // the window is made; what is left is to say whether a driver or software draws.
  if (!HasContext()) return;
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  if (IsSoftwareGLRenderer(renderer)) {
    platform::PreferPictureSize();
    platform::ShowWarningBox(kSoftwareGLCaption, Cp1252ToUtf8(kSoftwareGLText).c_str());
    __AppendErrorLog("OpenGL Software Emulation");
  } else {
    __AppendErrorLog("OpenGL Hardware Support");
  }
}

bool OpenGLLumetra::DoFullscreen() {
  int desktopBits = platform::DesktopBits();
  int askBits = (nBits != 0 && nBits != desktopBits) ? nBits : 0;
  bool exact = platform::SetFullscreen(true, nResX, nResY, askBits);
  if (!exact && !platform::SetFullscreen(true, nResX, nResY, 0)) {
    __AppendErrorLog("No Fullscreen Mode available");
    DoWindowed();
    return false;
  }
  if (!exact) {
    nBits = desktopBits;
    SetDCPixelFormat();
  }
  if (!bFullscreen) platform::ShowCursor(false);
  platform::ShowWindow(true);
  ChangeSize(nResX, nResY);
  bFullscreen = true;
  return true;
}

bool OpenGLLumetra::DoWindowed() {
  bool wasFullscreen = bFullscreen;
  if (wasFullscreen) platform::SetFullscreen(false, nResX, nResY, 0);
  if (nResX > 0 && nResY > 0) platform::SetWindowSize(nResX, nResY);
  platform::ShowWindow(true);
  if (wasFullscreen) platform::ShowCursor(true);
  ResizeAuto();
  bFullscreen = false;
  return true;
}

bool OpenGLLumetra::HideWindow() {
  bool wasFullscreen = bFullscreen;
  if (wasFullscreen) platform::SetFullscreen(false, nResX, nResY, 0);
  platform::SetWindowPosition(0, 0);
  if (nResX > 0 && nResY > 0) platform::SetWindowSize(nResX, nResY);
  platform::ShowWindow(false);
  if (wasFullscreen) platform::ShowCursor(true);
  bFullscreen = false;
  return true;
}

// What the 2D and the 3D view share: counter-clockwise fronts, keyed texels dropped, white,
// a black clear colour, and none of the effects the runtime never uses.
static void CommonDrawingState() {
  glEnable(GL_CULL_FACE);
  glFrontFace(GL_CCW);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  glColor4f(1, 1, 1, 1);
  glClearColor(0, 0, 0, 0);
  for (GLenum effect :
       {GL_FOG, GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_STENCIL_TEST,
        GL_POLYGON_OFFSET_POINT, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_NORMALIZE, GL_LIGHTING}) {
    glDisable(effect);
  }
}

void OpenGLLumetra::Make2DViewport() {
  if (!HasContext()) return;
  glViewport(0, 0, nResX, nResY);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, nResX, -nResY, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  glEnable(GL_TEXTURE_2D);
  CommonDrawingState();
  glShadeModel(GL_FLAT);
  glDisable(GL_DITHER);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_DEPTH_TEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST);
}

void OpenGLLumetra::Make3DViewport(double zNear, double zFar, double fov) {
  if (!HasContext()) return;
  int height = nResY == 0 ? 1 : nResY;
  glViewport(0, 0, nResX, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  double top = zNear * std::tan(fov * 3.141592654 / 360.0);
  double right = top * nResX / height;
  glFrustum(-right, right, -top, top, zNear, zFar);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  SetTexture3D(-1, -1, 0);

  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  CommonDrawingState();
  glShadeModel(GL_SMOOTH);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_DITHER);

  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
}

void OpenGLLumetra::ResizeAuto() {
  Make2DViewport();
}

void OpenGLLumetra::ChangeSize(int width, int height) {
  nResX = width;
  nResY = height;
  Make2DViewport();
}

void OpenGLLumetra::FreeAll() {
  bool gl = HasContext();
  for (int n = 0; n < kLumSprites; ++n) {
    if (gl) glDeleteTextures(2, nTexName[n]);
    nTexName[n][0] = nTexName[n][1] = 0;
    nTexWidth[n] = nTexHeight[n] = -1;
    delete[] pMask[n];
    pMask[n] = nullptr;
  }
  for (int s = 0; s < kLumSurfaces; ++s) FreeSurface(s);
}
