#include "assets/shapes.h"

#include "frame/program.h"

void FillBox(float x, float y, float w, float h, uint32_t colour)
{
    hgeQuad q{};
    const float xs[4] = {x, x + w, x + w, x}, ys[4] = {y, y, y + h, y + h};
    for (int i = 0; i < 4; i++)
        q.v[i] = {xs[i], ys[i], 0.5f, colour, 0, 0};
    q.tex = 0;
    q.blend = BLEND_DEFAULT;
    hge->Gfx_RenderQuad(&q);
}

void OutlineBox(float x, float y, float w, float h, uint32_t colour)
{
    hge->Gfx_RenderLine(x, y, x + w, y, colour);
    hge->Gfx_RenderLine(x + w, y, x + w, y + h, colour);
    hge->Gfx_RenderLine(x + w, y + h, x, y + h, colour);
    hge->Gfx_RenderLine(x, y + h, x, y, colour);
}
