#include "tests/support/stand_in.h"

#include "assets/catalogue.h"
#include "frame/resources.h"
#include "world/number_code.h"

std::string StandInStorey(int k)
{
    std::string floors;
    for (int x = 0; x < k; x++)
        floors += EncodeNumber(0);
    return EncodeNumber(k) + EncodeNumber(1) + "\r\n" + floors + "\r\n\r\n((((\r\n((((\r\n" +
           std::string(16, '(') + "\r\n\r\n";
}

void WriteStandInCampaign(const TempDir& dir)
{
    for (int k = 1; k <= 10; k++)
        dir.Write("data/" + std::to_string(k) + ".lvl", StandInStorey(k));
}

ScreenResources::ScreenResources()
{
    ChangeDir in(QUARVEL_SOURCE_DIR);
    TextureRegistry.clear();
    LoadSounds(0, SOUND_COUNT - 1);
    RegisterPictures();
    BuildPictureSprites();
    LoadFonts();
}

ScreenResources::~ScreenResources()
{
    FreeResources();
    TextureRegistry.clear();
    for (HEFFECT& sound : Sounds)
        sound = 0;
}
