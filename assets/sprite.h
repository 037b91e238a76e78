// hgeSprite: a textured rectangle with a hot spot and a colour, drawn as one
// engine quad. Textures are never owned by sprites.
#pragma once

#include "engine/hge.h"

class hgeSprite {
public:
    hgeSprite(HTEXTURE texture, float x, float y, float w, float h);
    virtual ~hgeSprite() {}

    // Draws with the hot spot at (x, y), unscaled and unrotated.
    void Render(float x, float y);
    // Rotation in radians about the hot spot; a vertical scale of 0 means
    // the horizontal one.
    void RenderEx(float x, float y, float rot, float hscale = 1.0f, float vscale = 0.0f);

    // -1 sets all four vertex colours, 0..3 one vertex.
    void SetColor(uint32_t color, int vertex = -1);
    uint32_t GetColor(int vertex = 0) const { return quad.v[vertex & 3].col; }
    void SetHotSpot(float x, float y);
    float GetWidth() const { return width; }
    float GetHeight() const { return height; }
    HTEXTURE GetTexture() const { return quad.tex; }

protected:
    void SetTextureCoords(float x1, float y1, float x2, float y2);

    hgeQuad quad;
    float tx, ty, width, height;   // source rectangle in texture pixels
    float texWidth, texHeight;     // stored texture size; 1 x 1 without texture
    float hotX = 0, hotY = 0;
    bool xFlip = false, yFlip = false, hotSpotFlip = false;
};
