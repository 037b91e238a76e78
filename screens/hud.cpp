#include "screens/hud.h"

#include <string>

#include "frame/resources.h"
#include "player/body.h"
#include "player/movement.h"
#include "world/player_state.h"
#include "world/storey.h"

static uint32_t FadingColour(float alpha, uint32_t rgb)
{
    return ((uint32_t)(int)(alpha * 255) << 24) + rgb;
}

// A dark rim a pixel wide keeps the number readable on the darkest floor; it
// fades with the number.
static void PrintWithRim(float x, float y, uint32_t colour, const char* text)
{
    HudFont->SetColor((colour & 0xFF000000u) | PopupRimColour);
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++)
            if (dx || dy)
                HudFont->Render(x + dx, y + dy, HGETEXT_CENTER, text);
    HudFont->SetColor(colour);
    HudFont->Render(x, y, HGETEXT_CENTER, text);
}

void DrawPopupNumber()
{
    if (!HudFont)
        return;
    int value;
    uint32_t colour;
    if (AmmoPopupTime > 0) {
        colour = AmmoPopupTime > 1 ? 0xFFFF2222 : FadingColour(AmmoPopupTime, 0x00FF2222);
        value = (CurrentWeapon >= 0 && CurrentWeapon < WEAPON_COUNT) ? Reserve[CurrentWeapon] : 0;
    } else if (BonusPopupTime > 0) {
        colour = FadingColour(BonusPopupTime / 2, 0x0022FF22);
        value = BonusPoints;
    } else {
        return;
    }
    PrintWithRim(PlayerX + ViewCentre.x - CameraX, PlayerY + ViewCentre.y - CameraY - 4, colour,
                 std::to_string(value).c_str());
    HudFont->SetColor(0xFFFF0000);
}

void DrawFloorCards()
{
    for (int k = 0; k < CARD_COUNT; k++) {
        const cell_struct& c = CardCell[k];
        if (c.x < 0 || !CellInside(c.x, c.y) || LightMap[CellIndex(c.x, c.y)] <= 0)
            continue;
        RenderSprite(Sprites[SPR_CARD_LIFT + k], c.x * CellWidth + 5 + ViewCentre.x - CameraX,
                     c.y * CellHeight + 5 + ViewCentre.y - CameraY);
    }
}

void DrawHeldCards()
{
    static const int order[CARD_COUNT] = {CARD_RED, CARD_GREEN, CARD_BLUE, CARD_LIFT};
    float x = 0;
    for (int k : order) {
        if (!CardPickedUp[k])
            continue;
        RenderSprite(Sprites[SPR_CARD_LIFT + k], x + 5, 5);
        x += 6;
    }
}
