#include "screens/status_strip.h"

#include <cstdio>

#include "assets/shapes.h"
#include "assets/translation.h"
#include "engine/cp1251.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "world/player_state.h"
#include "world/storey.h"

bool StatusStripOn = false;

static const char* const WeaponNames[WEAPON_COUNT] = {"Без оружия"_cp, "Револьвер"_cp, "Пистолет"_cp,
                                                      "Дробовик"_cp,   "Автомат"_cp,   "Граната"_cp};

const uint32_t StripBackground = 0xC0101418;
const uint32_t StripInk = 0xFFE6E6E6;
const uint32_t StripWarning = 0xFFFF5050;

static std::string Format(const char* format, int a, int b = 0)
{
    char text[96];
    snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string StripHealthText()
{
    return Format(Tr("Здоровье %d/%d"_cp), Health, MaxHealth);
}

// Rounds in the gun, then the spare ones: loose rounds and shells are
// counted one by one, the pistol's and the rifle's in magazines.
std::string StripWeaponText()
{
    int w = (CurrentWeapon >= 0 && CurrentWeapon < WEAPON_COUNT) ? CurrentWeapon : WEAPON_NONE;
    std::string name = Tr(WeaponNames[w]);
    switch (w) {
    case WEAPON_REVOLVER: return name + Format("  %d / %d", HandgunLoaded, Reserve[w]);
    case WEAPON_PISTOL: return name + Format(Tr("  %d / %d маг."_cp), HandgunLoaded, Reserve[w]);
    case WEAPON_SHOTGUN: return name + Format("  %d / %d", LongGunLoaded, Reserve[w]);
    case WEAPON_RIFLE: return name + Format(Tr("  %d / %d маг."_cp), LongGunLoaded, Reserve[w]);
    default: return name;
    }
}

std::string StripGrenadeText()
{
    return Format(Tr("Гранаты %d"_cp), Reserve[WEAPON_GRENADE]);
}

static void DrawText(float x, float y, uint32_t colour, const std::string& text)
{
    HudFont->SetColor(colour);
    HudFont->Render(x, y, HGETEXT_LEFT, text.c_str());
}

// The cards found on this storey, from the right end of the strip.
static void DrawCards(float right, float top)
{
    static const int order[CARD_COUNT] = {CARD_LIFT, CARD_BLUE, CARD_GREEN, CARD_RED};
    float x = right;
    for (int k : order) {
        if (!CardPickedUp[k])
            continue;
        x -= 36;
        RenderSprite(Sprites[SPR_CARD_LIFT + k], x, top + 2);
    }
}

void DrawStatusStrip()
{
    if (!StatusStripOn || !HudFont)
        return;
    float width = ViewCentre.x * 2, bottom = ViewCentre.y * 2, top = bottom - StatusStripHeight;
    float textY = top + (StatusStripHeight - HudFont->GetHeight()) / 2;
    uint32_t saved = HudFont->GetColor();
    FillBox(0, top, width, bottom - top, StripBackground);
    DrawText(10, textY, Health * 4 < MaxHealth ? StripWarning : StripInk, StripHealthText());
    DrawText(190, textY, StripInk, StripWeaponText());
    DrawText(450, textY, StripInk, StripGrenadeText());
    DrawCards(width - 6, top);
    HudFont->SetColor(saved);
}
