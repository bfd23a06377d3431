// Sprites: loading into slots, the plain, stretched, rotated and effect draws, the blending
// modes, grabbing from the screen and the pixel-exact collision test.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "gfx/lumetra.h"
#include "gfx/sprite_slots.h"

using namespace tobli::gfx;

namespace {

// The size tables are signed 16-bit: a picture must fit them to be recorded.
constexpr int kLargestPictureSide = 32767;
// Grabbed sprites get textures of at least this side.
constexpr int kSmallestGrabTexture = 32;

// Screen pixel (x, y) is drawn at vertex (x, -y). Quad vertices are 16-bit integers.
void ScreenVertex(int x, int y) {
  glVertex2s(static_cast<GLshort>(x), static_cast<GLshort>(-y));
}

// The quad from (left, top) to (right, bottom), sent bottom-left, bottom-right, top-right,
// top-left so that it is counter-clockwise on the screen; a quad given with its corners
// swapped turns clockwise and is culled.
void DrawScreenQuad(int left, int top, int right, int bottom, float u, float v) {
  glBegin(GL_TRIANGLE_FAN);
  glTexCoord2f(0, 0);
  ScreenVertex(left, bottom);
  glTexCoord2f(u, 0);
  ScreenVertex(right, bottom);
  glTexCoord2f(u, v);
  ScreenVertex(right, top);
  glTexCoord2f(0, v);
  ScreenVertex(left, top);
  glEnd();
}

// The quad (-hx, -hy)..(hx, hy) turned counter-clockwise on the screen by the angle whose
// cosine and sine are given, around the screen point (cx, cy).
void DrawTurnedQuad(int cx, int cy, int hx, int hy, float cosA, float sinA, float u, float v) {
  // Corners in vertex space (y up) before the turn, in the order of DrawScreenQuad.
  const float corners[4][2] = {{static_cast<float>(-hx), static_cast<float>(-hy)},
                               {static_cast<float>(hx), static_cast<float>(-hy)},
                               {static_cast<float>(hx), static_cast<float>(hy)},
                               {static_cast<float>(-hx), static_cast<float>(hy)}};
  const float tex[4][2] = {{0, 0}, {u, 0}, {u, v}, {0, v}};
  glBegin(GL_TRIANGLE_FAN);
  for (int i = 0; i < 4; ++i) {
    float x = corners[i][0] * cosA - corners[i][1] * sinA;
    float y = corners[i][0] * sinA + corners[i][1] * cosA;
    glTexCoord2f(tex[i][0], tex[i][1]);
    glVertex2f(static_cast<float>(cx) + x, static_cast<float>(-cy) + y);
  }
  glEnd();
}

void ReleaseMask(OpenGLLumetra& lum, int n) {
  delete[] lum.pMask[n];
  lum.pMask[n] = nullptr;
}

// The slot's alpha channel, nTexWidth x nTexHeight bytes, row 0 at the picture's bottom. With
// GL it is read back from the texture; without, a mask that was not kept at load time is
// empty (nothing has been drawn that could be grabbed).
const uint8_t* AlphaMask(OpenGLLumetra& lum, int n) {
  if (lum.pMask[n] != nullptr) return lum.pMask[n];
  size_t size = static_cast<size_t>(lum.nTexWidth[n]) * lum.nTexHeight[n];
  lum.pMask[n] = new uint8_t[size]();
  if (OpenGLLumetra::HasContext() && lum.nTexName[n][0] != 0) {
    glBindTexture(GL_TEXTURE_2D, lum.nTexName[n][0]);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, lum.pMask[n]);
  }
  return lum.pMask[n];
}

// The alpha of slot n under screen pixel (px, py) when the sprite is drawn at (x, y); 0 where
// its mask has no texel.
int AlphaUnder(const OpenGLLumetra& lum, int n, const uint8_t* mask, int x, int y, int px, int py) {
  int row = lum.nHeight[n] - 1 - (py - y);
  int col = px - x;
  if (row < 0 || col < 0 || row >= lum.nTexHeight[n] || col >= lum.nTexWidth[n]) return 0;
  return mask[static_cast<size_t>(row) * lum.nTexWidth[n] + col];
}

}  // namespace

bool OpenGLLumetra::LoadSprite(unsigned n, const char* path, uint32_t key, bool bump) {
  if (!IsSpriteSlot(n)) return false;
  FreeSprite(static_cast<int>(n));
  int w = 0;
  int h = 0;
  GetBMPSize(path, w, h);
  if (w == 0 || h == 0 || w > kLargestPictureSide || h > kLargestPictureSide) return false;
  if (HasContext()) {
    MakeBMPTexture(path, 0, 0, 0, 0, &nTexName[n][0], &nTexName[n][1], key, true, bump);
  } else {
    // No texture to read back later: the collision mask is kept as the picture is read.
    Texels texels;
    if (BuildBMPTexels(path, 0, 0, 0, 0, key, true, texels)) {
      size_t count = static_cast<size_t>(texels.width) * texels.height;
      pMask[n] = new uint8_t[count];
      for (size_t i = 0; i < count; ++i) pMask[n][i] = texels.rgba[4 * i + 3];
    }
  }
  // A picture larger than the largest texture is cut to it; the table holds the texture's
  // real size and the picture's full size. The sizes are recorded even when the file gave
  // no texture (another depth than 8 or 24 bits): the slot then draws an untextured box.
  int largest = LargestTextureSide();
  nTexWidth[n] = static_cast<int16_t>(PowerOfTwoAtLeast(std::min(w, largest)));
  nTexHeight[n] = static_cast<int16_t>(PowerOfTwoAtLeast(std::min(h, largest)));
  nWidth[n] = static_cast<int16_t>(w);
  nHeight[n] = static_cast<int16_t>(h);
  return true;
}

void OpenGLLumetra::FreeSprite(int n) {
  if (!IsSpriteSlot(n)) return;
  if (HasContext()) glDeleteTextures(2, nTexName[n]);
  nTexName[n][0] = nTexName[n][1] = 0;
  nTexWidth[n] = nTexHeight[n] = -1;
  ReleaseMask(*this, n);
}

void OpenGLLumetra::DrawSprite(int16_t n, int16_t x, int16_t y) {
  if (!HoldsPicture(*this, n) || !HasContext()) return;
  SetTexture3D(n, -1, 0);
  DrawScreenQuad(x, y, x + nWidth[n], y + nHeight[n], PictureU(*this, n), PictureV(*this, n));
}

void OpenGLLumetra::StretchSprite(int16_t n, int16_t x, int16_t y, int16_t width, int16_t height) {
  if (!HoldsPicture(*this, n) || !HasContext()) return;
  SetTexture3D(n, -1, 0);
  DrawScreenQuad(x, y, x + width, y + height, PictureU(*this, n), PictureV(*this, n));
}

void OpenGLLumetra::RotoSprite(int16_t n, int16_t x, int16_t y, int angle) {
  if (!HoldsPicture(*this, n) || !HasContext()) return;
  SetTexture3D(n, -1, 0);
  int hx = nWidth[n] / 2;
  int hy = nHeight[n] / 2;
  int degree = ((angle % 360) + 360) % 360;
  DrawTurnedQuad(x + hx, y + hy, hx, hy, qcos[degree], qsin[degree], PictureU(*this, n),
                 PictureV(*this, n));
}

void OpenGLLumetra::DrawSpriteFX(int16_t n, int16_t x, int16_t y, const OPENGL_SPRITEFX& fx) {
  if (!HoldsPicture(*this, n) || !HasContext()) return;
  // Untinted, the colour is 255 per channel, not 1: GL clamps it, so an effect draw without a
  // tint shows at full intensity whatever the ALPHAMODE intensity.
  float r = 255.0f;
  float g = 255.0f;
  float b = 255.0f;
  if (fx.nColor != 0) {
    r = static_cast<float>(fx.nColor & 0xFF) / 255.0f;
    g = static_cast<float>((fx.nColor >> 8) & 0xFF) / 255.0f;
    b = static_cast<float>((fx.nColor >> 16) & 0xFF) / 255.0f;
  }
  glColor4f(fAlpha * r, fAlpha * g, fAlpha * b, 1);
  SetTexture3D(n, -1, 0);
  int hx = (fx.nWidth >= 1 ? fx.nWidth : nWidth[n]) / 2;
  int hy = (fx.nHeight >= 1 ? fx.nHeight : nHeight[n]) / 2;
  double radians = static_cast<double>(fx.fAngle) * 3.141592654 / 180.0;
  DrawTurnedQuad(x + nWidth[n] / 2, y + nHeight[n] / 2, hx, hy,
                 static_cast<float>(std::cos(radians)), static_cast<float>(std::sin(radians)),
                 PictureU(*this, n), PictureV(*this, n));
  glColor4f(fAlpha, fAlpha, fAlpha, 1);
}

void OpenGLLumetra::DoAlpha(float mode) {
  float a = std::isnan(mode) ? 0.0f : mode;
  bool gl = HasContext();
  if (gl) glEnable(GL_BLEND);
  if (a == 0) {
    a = 1;
    if (gl) glDisable(GL_BLEND);
  } else if (a > 0) {
    if (gl) glBlendFunc(GL_ONE, GL_ONE);
  } else {
    if (gl) glBlendFunc(GL_SRC_ALPHA, GL_SRC_COLOR);
    a = -a;
  }
  a = std::min(a, 1.0f);
  fAlpha = a;
  if (gl) glColor4f(a, a, a, 1);
}

void OpenGLLumetra::GetSpriteSize(int16_t n, int& width, int& height) {
  if (!IsSpriteSlot(n)) {
    width = height = 0;
    return;
  }
  width = nWidth[n];
  height = nHeight[n];
}

bool OpenGLLumetra::GrabSprite(int16_t n, int16_t x, int16_t y, int16_t width, int16_t height) {
  if (!IsSpriteSlot(n)) return true;
  // The area is cut to the largest texture like a loaded picture.
  int largest = LargestTextureSide();
  int w = std::min<int>(width, largest);
  int h = std::min<int>(height, largest);
  int tw = std::max(PowerOfTwoAtLeast(w), kSmallestGrabTexture);
  int th = std::max(PowerOfTwoAtLeast(h), kSmallestGrabTexture);
  FreeSprite(n);
  if (HasContext()) {
    GLuint name = 0;
    glGenTextures(1, &name);
    nTexName[n][0] = name;
    glBindTexture(GL_TEXTURE_2D, name);
    SetSpriteTextureParameters(false);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    // Texture row 0 is the rectangle's bottom line (window rows count from the bottom).
    if (w > 0 && h > 0) glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, nResY - y - h, w, h);
  }
  nTexWidth[n] = static_cast<int16_t>(tw);
  nTexHeight[n] = static_cast<int16_t>(th);
  nWidth[n] = width;
  nHeight[n] = height;
  return true;
}

bool OpenGLLumetra::SpriteCollision(int a, int b, int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  if (!HoldsPicture(*this, a) || !HoldsPicture(*this, b)) return false;
  int left = std::max<int>(x1, x2);
  int right = std::min(x1 + nWidth[a], x2 + nWidth[b]);
  if (left > right) return false;
  int top = std::max<int>(y1, y2);
  int bottom = std::min(y1 + nHeight[a], y2 + nHeight[b]);
  if (top > bottom) return false;
  const uint8_t* maskA = AlphaMask(*this, a);
  const uint8_t* maskB = AlphaMask(*this, b);
  for (int py = top; py < bottom; ++py) {
    for (int px = left; px < right; ++px) {
      if (AlphaUnder(*this, a, maskA, x1, y1, px, py) != 0 &&
          AlphaUnder(*this, b, maskB, x2, y2, px, py) == 255) {
        return true;
      }
    }
  }
  return false;
}
