// Surfaces: full-screen pictures cut into tiles, the background, cross-fades, screen shots.
#include <GL/gl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/frame.h"
#include "data/archive.h"
#include "gfx/bmp.h"
#include "gfx/lumetra.h"
#include "gfx/sprite_slots.h"
#include "gfx/sprite_commands.h"

namespace {

constexpr int kLoadTile = 64;
constexpr int kGrabTile = 32;

bool ValidSurface(long n) {
  return n >= 0 && n < kLumSurfaces;
}

// The tile-sized area of the picture whose top-left is (x, y), as RGBA texels with texture
// row 0 at the area's bottom; texels outside the picture are transparent black.
void CutTile(const BmpPicture& picture, int x, int y, int size, std::vector<uint8_t>& texels) {
  texels.assign(static_cast<size_t>(size) * size * 4, 0);
  tobli::gfx::CopyPictureArea(picture, x, y, size, size, size, nullptr, texels.data());
}

void PutLittle(std::vector<uint8_t>& out, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

bool OpenGLLumetra::LoadSurface(unsigned n, const char* path, bool flag) {
  (void)flag;  // no effect
  if (!ValidSurface(n)) return false;
  // The picture is read once and cut into tiles here rather than reread for every tile.
  BmpPicture picture;
  if (!ReadBmpFile(path, picture) || picture.width == 0 || picture.height == 0) return false;
  FreeSurface(static_cast<int>(n));
  OPENGL_SURFACE& surface = surfaces[n];
  bool gl = HasContext();
  std::vector<uint8_t> texels;
  if (gl) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  // A surface holds at most 64 x 64 tiles; a larger picture is cut at its 4096th pixel.
  int rows = 0;
  for (int y = 0; y < picture.height && rows < kLumSurfaceTiles; y += kLoadTile, ++rows) {
    int cols = 0;
    for (int x = 0; x < picture.width && cols < kLumSurfaceTiles; x += kLoadTile, ++cols) {
      if (gl) {
        CutTile(picture, x, y, kLoadTile, texels);
        glGenTextures(1, &surface.nTex[cols][rows]);
        glBindTexture(GL_TEXTURE_2D, surface.nTex[cols][rows]);
        tobli::gfx::SetSpriteTextureParameters(false);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kLoadTile, kLoadTile, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     texels.data());
      }
      surface.nTileW[cols][rows] = surface.nTileH[cols][rows] = kLoadTile;
    }
    if (cols > surface.nCols) surface.nCols = static_cast<int8_t>(cols);
  }
  surface.nRows = static_cast<int8_t>(rows);
  return true;
}

void OpenGLLumetra::GrabSurface(int n) {
  if (!ValidSurface(n)) return;
  bool gl = HasContext();
  int tile = kGrabTile;
  if (gl) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (largest > 0 && largest < tile) tile = largest;
  }
  FreeSurface(n);
  OPENGL_SURFACE& surface = surfaces[n];
  // The rows reach 64 pixels below the screen; those hold undefined pixels and are pasted
  // outside the visible area. A surface holds at most 64 x 64 tiles.
  int rows = 0;
  int cols = 0;
  for (int y = 0; y < nResY + 64 && rows < kLumSurfaceTiles; y += tile, ++rows) {
    cols = 0;
    for (int x = 0; x < nResX && cols < kLumSurfaceTiles; x += tile, ++cols) {
      if (gl) {
        glGenTextures(1, &surface.nTex[cols][rows]);
        glBindTexture(GL_TEXTURE_2D, surface.nTex[cols][rows]);
        tobli::gfx::SetSpriteTextureParameters(false);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tile, tile, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, nResY - y - tile, tile, tile);
      }
      surface.nTileW[cols][rows] = surface.nTileH[cols][rows] = static_cast<int16_t>(tile);
    }
  }
  surface.nCols = static_cast<int8_t>(cols);
  surface.nRows = static_cast<int8_t>(rows);
}

void OpenGLLumetra::PasteSurface(unsigned n) {
  if (!ValidSurface(n) || !HasContext()) return;
  const OPENGL_SURFACE& surface = surfaces[n];
  glDisable(GL_ALPHA_TEST);
  if (arb::glMultiTexCoord2fARB != nullptr) {
    arb::glActiveTextureARB(GL_TEXTURE1_ARB);
    glDisable(GL_TEXTURE_2D);
    arb::glActiveTextureARB(GL_TEXTURE0_ARB);
  }
  glEnable(GL_TEXTURE_2D);
  int x = 0;
  for (int c = 0; c < surface.nCols; ++c) {
    int y = 0;
    int width = 0;
    for (int r = 0; r < surface.nRows; ++r) {
      width = surface.nTileW[c][r];
      int height = surface.nTileH[c][r];
      glBindTexture(GL_TEXTURE_2D, surface.nTex[c][r]);
      glBegin(GL_TRIANGLE_FAN);
      glTexCoord2f(0, 0);
      glVertex2i(x, -(y + height));
      glTexCoord2f(1, 0);
      glVertex2i(x + width, -(y + height));
      glTexCoord2f(1, 1);
      glVertex2i(x + width, -y);
      glTexCoord2f(0, 1);
      glVertex2i(x, -y);
      glEnd();
      y += height;
    }
    x += width;
  }
  glEnable(GL_ALPHA_TEST);
}

void OpenGLLumetra::FreeSurface(int n) {
  if (!ValidSurface(n)) return;
  OPENGL_SURFACE& surface = surfaces[n];
  if (HasContext()) {
    // Every tile name, not only those inside the counts: nothing can leak.
    for (auto& column : surface.nTex) {
      for (uint32_t& name : column) {
        if (name != 0) glDeleteTextures(1, &name);
      }
    }
  }
  std::memset(&surface, 0, sizeof(surface));
}

void OpenGLLumetra::BlendToSurface(int from, int to) {
  bool gl = HasContext();
  if (gl) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  float a = 0.0f;
  do {
    if (gl) glColor4f(a, a, a, 1);
    PasteSurface(static_cast<unsigned>(to));
    if (gl) glColor4f(1 - a, 1 - a, 1 - a, 1);
    PasteSurface(static_cast<unsigned>(from));
    FlipScreens();
    a += 0.02f;
  } while (a < 1.0f);
  if (gl) glColor4f(1, 1, 1, 1);
  PasteSurface(static_cast<unsigned>(to));
  FlipScreens();
  DoAlpha(0);
}

bool OpenGLLumetra::SaveBMPFile(const char* path) {
  FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  uint32_t w = (static_cast<uint32_t>(nResX) + 3) & ~3u;
  uint32_t h = (static_cast<uint32_t>(nResY) + 3) & ~3u;
  size_t pixelBytes = static_cast<size_t>(w) * h * 3;
  std::vector<uint8_t> data(54 + pixelBytes, 0);
  data[0] = 'B';
  data[1] = 'M';
  PutLittle(data, 2, static_cast<uint32_t>(pixelBytes + 54), 4);
  PutLittle(data, 10, 54, 4);
  PutLittle(data, 14, 40, 4);
  PutLittle(data, 18, w, 4);
  PutLittle(data, 22, h, 4);
  PutLittle(data, 26, 1, 2);
  PutLittle(data, 28, 24, 2);
  PutLittle(data, 38, 10000, 4);
  PutLittle(data, 42, 10000, 4);
  if (HasContext() && pixelBytes > 0) {
    // Rows come bottom first, as the file stores them; each row is w x 3 bytes, a multiple of 4.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(w), static_cast<GLsizei>(h), GL_RGB, GL_UNSIGNED_BYTE,
                 &data[54]);
    for (size_t i = 54; i + 2 < data.size(); i += 3) std::swap(data[i], data[i + 2]);
  }
  bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  struct stat info;
  bool regular = fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
  // A full disk must not pass for a saved picture, nor leave a cut one behind: loading that
  // picture later (the help screen fades back to its saved screen) would end the program.
  if (std::fclose(file) == 0 && written) return true;
  if (regular) std::remove(path);
  return false;
}

// ---- Commands ----------------------------------------------------------------------------

void LOADBMP(KDStr file) {
  if (pLum == nullptr || !ExtractMember(__g_DezeZer_Data, file)) return;
  if (!pLum->LoadSurface(0, file.GetStrData(), false)) __RuntimeError(3);
  pLum->PasteSurface(0);
}

void BLACKSCREEN() {
  if (pLum == nullptr) return;
  if (OpenGLLumetra::HasContext()) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  pLum->FreeSurface(0);
}

void USEASBMP() {
  if (pLum != nullptr) pLum->GrabSurface(0);
}

void BLENDSCREEN(KDStr file) {
  if (pLum == nullptr || !ExtractMember(__g_DezeZer_Data, file)) return;
  pLum->GrabSurface(0);
  if (!pLum->LoadSurface(1, file.GetStrData(), false)) __RuntimeError(3);
  pLum->BlendToSurface(0, 1);
  pLum->FreeSurface(1);
  pLum->LoadSurface(0, file.GetStrData(), false);
  pLum->PasteSurface(0);
  pLum->DoAlpha(0);
}

double SAVEBMP(KDStr file) {
  if (pLum != nullptr) pLum->SaveBMPFile(file.GetStrData());
  return 0;
}
