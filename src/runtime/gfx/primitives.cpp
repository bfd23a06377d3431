// Lines, rectangles, pixels and polygons in a given colour.
#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

#include "gfx/command_numbers.h"
#include "gfx/lumetra.h"
#include "gfx/screen_commands.h"

int g_nTexture = -1;

namespace {

// True between StartPoly and EndPoly: vertices outside a polygon are dropped.
bool gPolyOpen = false;

using tobli::gfx::Low16;
using tobli::gfx::Whole;

// Colours go through a 64-bit integer, so values of 2^31 and above are taken whole.
uint32_t Color(double value) {
  return static_cast<uint32_t>(Whole(value));
}

float Channel(uint32_t color, int shift) {
  return static_cast<float>((color >> shift) & 0xFF) / 255.0f;
}

// The common frame of lines, rectangles and pixels: the colour scaled by the ALPHAMODE
// intensity, texturing off, and integer coordinates moved onto pixel centres. Screen y runs
// down while vertex y runs up, so the centre of pixel (x, y) is at vertex (x + 0.5, -y - 0.5);
// the shift goes down the screen, which puts a point at (x, y) into pixel (x, y).
class PrimitiveScope {
 public:
  PrimitiveScope(OpenGLLumetra& lum, uint32_t color)
      : lum_(lum), texture_(lum.nCurTexture), texture2_(lum.nCurTexture2), bump_(lum.bCurBump) {
    float a = lum.fAlpha;
    glColor4f(Channel(color, 0) * a, Channel(color, 8) * a, Channel(color, 16) * a, 255.0f);
    lum.SetTexture3D(-1, -1, 0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glTranslatef(0.375f, -0.375f, 0);
    glMatrixMode(GL_MODELVIEW);
  }
  ~PrimitiveScope() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glColor4f(lum_.fAlpha, lum_.fAlpha, lum_.fAlpha, 1);
    lum_.SetTexture3D(texture_, texture2_, bump_);
  }
  PrimitiveScope(const PrimitiveScope&) = delete;
  PrimitiveScope& operator=(const PrimitiveScope&) = delete;

 private:
  OpenGLLumetra& lum_;
  int texture_;
  int texture2_;
  int bump_;
};

}  // namespace

void OpenGLLumetra::DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color) {
  if (!HasContext()) return;
  PrimitiveScope scope(*this, color);
  glBegin(GL_LINES);
  glVertex2i(x1, -y1);
  glVertex2i(x2, -y2);
  glEnd();
  // A line leaves out its last pixel; the point puts it in.
  glBegin(GL_POINTS);
  glVertex2i(x2, -y2);
  glEnd();
}

void OpenGLLumetra::DrawRect(int16_t left, int16_t top, int16_t right, int16_t bottom,
                             uint32_t color) {
  if (!HasContext()) return;
  PrimitiveScope scope(*this, color);
  glBegin(GL_TRIANGLE_FAN);
  glVertex2i(left, -bottom);
  glVertex2i(right, -bottom);
  glVertex2i(right, -top);
  glVertex2i(left, -top);
  glEnd();
}

void OpenGLLumetra::DrawPixel(int16_t x, int16_t y, uint32_t color) {
  if (!HasContext()) return;
  PrimitiveScope scope(*this, color);
  glBegin(GL_POINTS);
  glVertex2i(x, -y);
  glEnd();
}

void OpenGLLumetra::StartPoly(int n) {
  if (gPolyOpen) EndPoly();
  g_nTexture = n;
  SetTexture3D(n, -1, 0);
  gPolyOpen = true;
  if (HasContext()) glBegin(GL_TRIANGLE_FAN);
}

void OpenGLLumetra::PolyPoint(int16_t x, int16_t y, float tx, float ty, uint32_t color) {
  if (!gPolyOpen || !HasContext()) return;
  if (g_nTexture >= 0) glTexCoord2f(tx, 1 - ty);
  glColor4f(Channel(color, 0) * fAlpha, Channel(color, 8) * fAlpha, Channel(color, 16) * fAlpha, 1);
  glVertex2i(x, -y);
}

void OpenGLLumetra::EndPoly() {
  if (!gPolyOpen) return;
  gPolyOpen = false;
  if (!HasContext()) return;
  glEnd();
  glEnable(GL_TEXTURE_2D);
  glColor4f(fAlpha, fAlpha, fAlpha, 1);
  glDisable(GL_COLOR_MATERIAL);
}

// ---- Commands ----------------------------------------------------------------------------

void DRAWLINE(double x1, double y1, double x2, double y2, double colour) {
  if (pLum != nullptr) pLum->DrawLine(Low16(x1), Low16(y1), Low16(x2), Low16(y2), Color(colour));
}

void FILLRECT(double x1, double y1, double x2, double y2, double colour) {
  if (pLum == nullptr) return;
  int16_t ax = Low16(x1);
  int16_t ay = Low16(y1);
  int16_t bx = Low16(x2);
  int16_t by = Low16(y2);
  pLum->DrawRect(std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by),
                 Color(colour));
}

void SETPIXEL(double x, double y, double colour) {
  if (pLum != nullptr) pLum->DrawPixel(Low16(x), Low16(y), Color(colour));
}

void STARTPOLY(double sprite) {
  if (pLum != nullptr) pLum->StartPoly(static_cast<int>(std::clamp(Whole(sprite), -1L, 65535L)));
}

void POLYVECTOR(double x, double y, double tx, double ty, double colour) {
  if (pLum != nullptr) {
    pLum->PolyPoint(Low16(x), Low16(y), static_cast<float>(tx), static_cast<float>(ty),
                    Color(colour));
  }
}

void ENDPOLY() {
  if (pLum != nullptr) pLum->EndPoly();
}
