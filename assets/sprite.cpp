#include "assets/sprite.h"

#include <cmath>

#include "frame/program.h"

hgeSprite::hgeSprite(HTEXTURE texture, float x, float y, float w, float h)
    : tx(x), ty(y), width(w), height(h)
{
    texWidth = texture ? (float)hge->Texture_GetWidth(texture) : 1.0f;
    texHeight = texture ? (float)hge->Texture_GetHeight(texture) : 1.0f;
    if (texWidth <= 0)
        texWidth = 1.0f;
    if (texHeight <= 0)
        texHeight = 1.0f;
    quad.tex = texture;
    quad.blend = BLEND_DEFAULT;
    for (hgeVertex& v : quad.v) {
        v.x = v.y = 0;
        v.z = 0.5f;
        v.col = 0xFFFFFFFF;
    }
    SetTextureCoords(x, y, x + w, y + h);
}

void hgeSprite::SetTextureCoords(float x1, float y1, float x2, float y2)
{
    x1 /= texWidth;
    x2 /= texWidth;
    y1 /= texHeight;
    y2 /= texHeight;
    quad.v[0].tx = x1, quad.v[0].ty = y1;
    quad.v[1].tx = x2, quad.v[1].ty = y1;
    quad.v[2].tx = x2, quad.v[2].ty = y2;
    quad.v[3].tx = x1, quad.v[3].ty = y2;
}

void hgeSprite::Render(float x, float y)
{
    float left = x - hotX, top = y - hotY;
    float right = left + width, bottom = top + height;
    quad.v[0].x = left, quad.v[0].y = top;
    quad.v[1].x = right, quad.v[1].y = top;
    quad.v[2].x = right, quad.v[2].y = bottom;
    quad.v[3].x = left, quad.v[3].y = bottom;
    hge->Gfx_RenderQuad(&quad);
}

void hgeSprite::RenderEx(float x, float y, float rot, float hscale, float vscale)
{
    if (vscale == 0)
        vscale = hscale;
    float a = -hotX * hscale, b = -hotY * vscale;
    float c = (width - hotX) * hscale, d = (height - hotY) * vscale;
    if (rot != 0) {
        float cs = cosf(rot), sn = sinf(rot);
        quad.v[0].x = a * cs - b * sn + x, quad.v[0].y = a * sn + b * cs + y;
        quad.v[1].x = c * cs - b * sn + x, quad.v[1].y = c * sn + b * cs + y;
        quad.v[2].x = c * cs - d * sn + x, quad.v[2].y = c * sn + d * cs + y;
        quad.v[3].x = a * cs - d * sn + x, quad.v[3].y = a * sn + d * cs + y;
    } else {
        quad.v[0].x = a + x, quad.v[0].y = b + y;
        quad.v[1].x = c + x, quad.v[1].y = b + y;
        quad.v[2].x = c + x, quad.v[2].y = d + y;
        quad.v[3].x = a + x, quad.v[3].y = d + y;
    }
    hge->Gfx_RenderQuad(&quad);
}

void hgeSprite::SetColor(uint32_t color, int vertex)
{
    if (vertex == -1) {
        for (hgeVertex& v : quad.v)
            v.col = color;
    } else if (vertex >= 0 && vertex < 4) {
        quad.v[vertex].col = color;
    }
}

void hgeSprite::SetHotSpot(float x, float y)
{
    hotX = x;
    hotY = y;
}
