// The shipped world atlas, object catalogue and showroom storey, read the way
// the game reads them: names the program looks up, frames that stay on their
// textures, doors, remains, effects, and a showroom that can be played
// through from the start to the lift.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "assets/atlas.h"
#include "assets/catalogue.h"
#include "foes/enemies.h"
#include "frame/resources.h"
#include "tests/support/fake_engine.h"
#include "tests/support/play_through.h"
#include "tests/support/temp_dir.h"
#include "world/level_file.h"
#include "world/storey.h"

namespace {

struct ShippedCatalogue : ::testing::Test {
    FakeEngineScope fake;
    ChangeDir in{QUARVEL_SOURCE_DIR};

    void SetUp() override
    {
        ClearAtlasProject();
        TextureRegistry.clear();
        ObjectTypes.clear();
        FloorTypes.clear();
        LoadCatalogue();
        ASSERT_FALSE(ObjectTypes.empty());
        ASSERT_FALSE(FloorTypes.empty());
    }
    void TearDown() override
    {
        ResetStoreyGrid(1, 1);
        EnemyStarts.clear();
        Enemies.clear();
        Corpses.clear();
        ReleaseCatalogueAnimations();
        TextureRegistry.clear();
        ObjectTypes.clear();
        FloorTypes.clear();
    }

    // Where frame n of an animation is drawn from, in texture pixels, and
    // where its hot spot puts its top-left corner: drawn at (0, 0) the quad
    // starts at minus the hot spot.
    struct Frame {
        float x, y, w, h;      // source rectangle
        float left, top;       // drawn corner
        int texWidth, texHeight;
    };
    Frame Draw(hgeAnimation* a, int n)
    {
        a->SetFrame(n);
        fake.engine.quads.clear();
        a->Render(0, 0);
        const hgeQuad& q = fake.engine.quads.back();
        int tw = fake.engine.Texture_GetWidth(q.tex, false), th = fake.engine.Texture_GetHeight(q.tex, false);
        return {q.v[0].tx * tw, q.v[0].ty * th, (q.v[2].tx - q.v[0].tx) * tw, (q.v[2].ty - q.v[0].ty) * th,
                q.v[0].x,       q.v[0].y,       tw,                           th};
    }
};


const char* const DoorNames[] = {"Door", "RedDoor", "GreenDoor", "BlueDoor"};

}  // namespace

TEST_F(ShippedCatalogue, EveryNameTheProgramLooksUpIsThere)
{
    for (const atlas_sprite_struct& s : AtlasSprites)
        EXPECT_NE(FindAtlasAnimation(s.name), nullptr) << s.name;
    for (const floor_type_struct& f : FloorTypes)
        EXPECT_NE(f.animation, nullptr) << "floor " << f.name;
    for (const object_type_struct& o : ObjectTypes)
        EXPECT_NE(o.animation, nullptr) << "object " << o.name;
    for (const apg_tex_struct& t : AtlasTextures)
        EXPECT_TRUE(t.usable) << t.name;
    EXPECT_TRUE(fake.engine.messages.empty());
}

TEST_F(ShippedCatalogue, EveryFrameLiesOnItsTexture)
{
    for (const apg_tex_struct& t : AtlasTextures) {
        for (const apg_anim_struct& a : t.animations) {
            for (int n = 0; n < a.animation->GetFrames(); n++) {
                Frame f = Draw(a.animation, n);
                const float e = 0.01f;
                EXPECT_TRUE(f.x >= -e && f.y >= -e && f.x + f.w <= f.texWidth + e && f.y + f.h <= f.texHeight + e)
                    << a.name << " frame " << n << " at " << f.x << ", " << f.y << " size " << f.w << " x " << f.h
                    << " on " << t.name << " (" << f.texWidth << " x " << f.texHeight << ")";
            }
            a.animation->SetFrame(0);
        }
    }
}

TEST_F(ShippedCatalogue, FloorAndObjectPicturesAreTheirFootprint)
{
    for (const floor_type_struct& ft : FloorTypes) {
        Frame f = Draw(ft.animation, 0);
        EXPECT_FLOAT_EQ(f.w, ft.width * 40.0f) << ft.name;
        EXPECT_FLOAT_EQ(f.h, ft.height * 40.0f) << ft.name;
        EXPECT_FLOAT_EQ(f.left, 0) << ft.name;
        EXPECT_FLOAT_EQ(f.top, 0) << ft.name;
    }
    for (const object_type_struct& ot : ObjectTypes) {
        Frame f = Draw(ot.animation, 0);
        EXPECT_FLOAT_EQ(f.w, ot.width * 40.0f) << ot.name;
        EXPECT_FLOAT_EQ(f.h, ot.height * 40.0f) << ot.name;
        EXPECT_FLOAT_EQ(f.left, 0) << ot.name;
        EXPECT_FLOAT_EQ(f.top, 0) << ot.name;
    }
}

TEST_F(ShippedCatalogue, DoorsAreOneByTwoAndOpenOverSeveralFrames)
{
    for (const char* name : DoorNames) {
        int t = FindObjectType(name);
        ASSERT_GE(t, 0) << name;
        const object_type_struct& d = ObjectTypes[t];
        EXPECT_EQ(d.kind, KIND_DOOR) << name;
        EXPECT_EQ(d.width, 1) << name;
        EXPECT_EQ(d.height, 2) << name;
        EXPECT_GE(d.animation->GetFrames(), 3) << name;
    }
}

TEST_F(ShippedCatalogue, RemainsAreCatalogueTypesThatFitTheirFootprint)
{
    for (const object_type_struct& o : ObjectTypes) {
        if (o.remains.empty())
            continue;
        int r = FindObjectType(o.remains);
        ASSERT_GE(r, 0) << o.name << " breaks into the unknown " << o.remains;
        // The remains are placed from the same anchor cell; a larger one
        // would spread over whatever stands next to it.
        EXPECT_LE(ObjectTypes[r].width, o.width) << o.name;
        EXPECT_LE(ObjectTypes[r].height, o.height) << o.name;
    }
}

TEST_F(ShippedCatalogue, EffectsPlayOnceAndBriefly)
{
    for (const char* name : {"banch", "boom", "buff", "blood"}) {
        hgeAnimation* a = FindAtlasAnimation(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->GetMode() & HGEANIM_LOOP, 0) << name;
        float t = PlayThrough(a);
        EXPECT_GE(t, 0.2f) << name;
        EXPECT_LE(t, 0.6f) << name;
    }
    // One frame per height step of a thrown grenade.
    hgeAnimation* grenade = FindAtlasAnimation("grenade");
    ASSERT_NE(grenade, nullptr);
    EXPECT_EQ(grenade->GetFrames(), 6);
}

namespace {

// Where the player can stand: his circle (radius 26 in 40 px cells) needs
// the four cells around a cell corner free, so the flood runs over corners.
// Doors count as open when their card is held; cards are taken from any of
// the eight cells around a reached cell.
struct Walk {
    std::vector<char> reached;  // per cell
    bool held[CARD_COUNT] = {};

    bool Free(int x, int y) const
    {
        if (!CellInside(x, y))
            return false;
        int i = ObjectMap[CellIndex(x, y)];
        if (i < 0)
            return true;
        const object_struct& o = Objects[i];
        if (o.is_door) {
            const std::string& name = ObjectTypeOf(o).name;
            return name == "Door" || (name == "RedDoor" && held[CARD_RED]) ||
                   (name == "GreenDoor" && held[CARD_GREEN]) || (name == "BlueDoor" && held[CARD_BLUE]);
        }
        return IsCellWalkable(CellIndex(x, y));
    }
    bool CornerFree(int x, int y) const { return Free(x - 1, y - 1) && Free(x, y - 1) && Free(x - 1, y) && Free(x, y); }

    void Flood()
    {
        reached.assign(LevelWidth * LevelHeight, 0);
        std::vector<char> seen((LevelWidth + 1) * (LevelHeight + 1), 0);
        std::vector<std::pair<int, int>> todo;
        if (CornerFree(PlayerStartX, PlayerStartY))
            todo.push_back({PlayerStartX, PlayerStartY});
        while (!todo.empty()) {
            auto [x, y] = todo.back();
            todo.pop_back();
            if (seen[x + y * (LevelWidth + 1)])
                continue;
            seen[x + y * (LevelWidth + 1)] = 1;
            for (int j = -1; j <= 0; j++)
                for (int i = -1; i <= 0; i++)
                    reached[CellIndex(x + i, y + j)] = 1;
            const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
            for (int k = 0; k < 4; k++)
                if (CornerFree(x + dx[k], y + dy[k]))
                    todo.push_back({x + dx[k], y + dy[k]});
        }
    }
    bool Near(int cx, int cy) const
    {
        for (int j = -1; j <= 1; j++)
            for (int i = -1; i <= 1; i++)
                if (CellInside(cx + i, cy + j) && reached[CellIndex(cx + i, cy + j)])
                    return true;
        return false;
    }
    // Walks, picks up what can be reached, and walks again until nothing new
    // turns up; returns the cards in the order they were found.
    std::vector<int> Explore()
    {
        std::vector<int> order;
        for (bool found = true; found;) {
            Flood();
            found = false;
            for (int k = 0; k < CARD_COUNT; k++) {
                if (!held[k] && CardCell[k].x >= 0 && Near(CardCell[k].x, CardCell[k].y)) {
                    held[k] = true;
                    order.push_back(k);
                    found = true;
                }
            }
        }
        return order;
    }
};

}  // namespace

TEST_F(ShippedCatalogue, ShowroomHoldsTheWholeCatalogue)
{
    ASSERT_TRUE(ReadLevelFile("data/temp.lvl"));
    EXPECT_GE(LevelWidth, 30);
    EXPECT_GE(LevelHeight, 30);

    std::set<int> floors(FloorMap.begin(), FloorMap.end()), objects;
    for (const object_struct& o : Objects)
        objects.insert(o.type);
    for (int t = 0; t < (int)FloorTypes.size(); t++)
        EXPECT_TRUE(floors.count(t)) << "no floor " << FloorTypes[t].name;
    for (int t = 0; t < (int)ObjectTypes.size(); t++)
        EXPECT_TRUE(objects.count(t)) << "no object " << ObjectTypes[t].name;
    EXPECT_LT(*floors.rbegin(), (int)FloorTypes.size());
    EXPECT_LT(*objects.rbegin(), (int)ObjectTypes.size());

    // Every colour of door, upright and turned.
    for (const char* name : DoorNames) {
        std::set<int> turns;
        for (const object_struct& o : Objects)
            if (o.type == FindObjectType(name))
                turns.insert(o.rotation % 2);
        EXPECT_EQ(turns.size(), 2u) << name;
    }
    for (int k = 0; k < CARD_COUNT; k++)
        EXPECT_GE(CardCell[k].x, 0) << "card " << k;

    // Every enemy weapon, so every kind of enemy, is on show.
    std::set<int> weapons;
    for (const enemy_start_struct& e : EnemyStarts)
        weapons.insert(e.weapon);
    EXPECT_EQ(weapons, (std::set<int>{0, 1, 2, 3, 4}));
}

TEST_F(ShippedCatalogue, ShowroomPlaysThroughCardByCardToTheLift)
{
    ASSERT_TRUE(ReadLevelFile("data/temp.lvl"));
    Walk walk;
    std::vector<int> order = walk.Explore();
    // Each coloured door guards the next card, the last one the lift's.
    EXPECT_EQ(order, (std::vector<int>{CARD_RED, CARD_GREEN, CARD_BLUE, CARD_LIFT}));
    bool atLift = false;
    for (int y = LiftY - 1; y <= LiftY + 2; y++)
        for (int x = LiftX - 1; x <= LiftX + 2; x++)
            atLift = atLift || (CellInside(x, y) && walk.reached[CellIndex(x, y)]);
    EXPECT_TRUE(atLift);

    // Every enemy stands on a free cell the player can get to, and none of
    // them right next to the start.
    for (const enemy_start_struct& e : EnemyStarts) {
        EXPECT_TRUE(IsCellWalkable(CellIndex(e.cell_x, e.cell_y))) << e.cell_x << ", " << e.cell_y;
        EXPECT_TRUE(walk.reached[CellIndex(e.cell_x, e.cell_y)]) << e.cell_x << ", " << e.cell_y;
        EXPECT_GE(std::abs(e.cell_x - PlayerStartX) + std::abs(e.cell_y - PlayerStartY), 8)
            << e.cell_x << ", " << e.cell_y;
    }
}
