#include "tests/support/test_catalogue.h"

#include <memory>

#include "assets/catalogue.h"

static std::unique_ptr<hgeAnimation> DoorAnimation;

void UseTestCatalogue()
{
    DoorAnimation = std::make_unique<hgeAnimation>(0, 4, 20.0f, 0, 0, 40, 80);
    DoorAnimation->SetMode(HGEANIM_FWD);
    //                 name        anim   kind remains      bonus size count armor w h
    ObjectTypes = {
        {"Wall", nullptr, 1, "", 0, 200, 100, 0, 1, 1},
        {"Desk", nullptr, 0, "DeskWreck", 3, 55, 75, 40, 2, 1},
        {"DeskWreck", nullptr, 3, "", 0, 10, 0, 0, 2, 1},
        {"Door", DoorAnimation.get(), 4, "", 0, 200, 100, 0, 1, 2},
        {"Sofa", nullptr, 0, "Rug", 2, 45, 80, 30, 3, 2},
        {"Rug", nullptr, 3, "", 0, 5, 0, 0, 2, 2},
        {"Broken", nullptr, 5, "Nothing", 1, 60, 80, 5, 1, 1},
        {"Safe", nullptr, 2, "", 0, 90, 95, 0, 1, 1},
        {"RedDoor", DoorAnimation.get(), 4, "", 0, 200, 100, 0, 1, 2},
        {"Lamp", nullptr, 0, "", 2, 140, 20, 3, 1, 1},
    };
    FloorTypes = {{"Tile", nullptr, 1, 1}, {"Parquet", nullptr, 2, 2}};
}

void ForgetTestCatalogue()
{
    ObjectTypes.clear();
    FloorTypes.clear();
    DoorAnimation.reset();
}
