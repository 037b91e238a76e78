// The storey, the player and the opponents in the runner's dump.
#include "assets/catalogue.h"
#include "foes/effects.h"
#include "foes/enemies.h"
#include "foes/grenades.h"
#include "player/body.h"
#include "player/movement.h"
#include "player/weapons.h"
#include "screens/hud.h"
#include "tools/sim/dump_parts.h"
#include "world/campaign.h"
#include "world/player_state.h"
#include "world/storey.h"

static void DumpIntArray(json_writer_struct& w, const char* key, const int* values, size_t n)
{
    JsonBeginArray(w, key);
    for (size_t i = 0; i < n; i++)
        JsonInt(w, nullptr, values[i]);
    JsonEndArray(w);
}

static void DumpIntArray(json_writer_struct& w, const char* key, const std::vector<int>& values)
{
    DumpIntArray(w, key, values.data(), values.size());
}

static void DumpCell(json_writer_struct& w, const char* key, int x, int y)
{
    JsonBeginObject(w, key);
    JsonInt(w, "x", x);
    JsonInt(w, "y", y);
    JsonEndObject(w);
}

static void DumpObjects(json_writer_struct& w)
{
    JsonBeginArray(w, "Objects");
    for (const object_struct& o : Objects) {
        JsonBeginObject(w);
        JsonInt(w, "type", o.type);
        JsonString(w, "name", ObjectTypeOf(o).name);
        JsonInt(w, "cell_x", o.cell_x);
        JsonInt(w, "cell_y", o.cell_y);
        JsonInt(w, "rotation", o.rotation);
        JsonInt(w, "hp", o.hp);
        JsonBool(w, "is_door", o.is_door);
        if (o.is_door)
            JsonInt(w, "door_state", o.door_state);
        JsonEndObject(w);
    }
    JsonEndArray(w);
}

static void DumpEnemyStarts(json_writer_struct& w)
{
    JsonBeginArray(w, "EnemyStarts");
    for (const enemy_start_struct& s : EnemyStarts) {
        JsonBeginObject(w);
        JsonInt(w, "lives", s.lives);
        JsonInt(w, "alarm", s.alarm);
        JsonInt(w, "weapon", s.weapon);
        JsonInt(w, "hands_set", s.hands_set);
        JsonInt(w, "head_set", s.head_set);
        JsonInt(w, "legs_set", s.legs_set);
        JsonInt(w, "cell_x", s.cell_x);
        JsonInt(w, "cell_y", s.cell_y);
        JsonEndObject(w);
    }
    JsonEndArray(w);
}

void DumpStorey(json_writer_struct& w)
{
    JsonInt(w, "LevelWidth", LevelWidth);
    JsonInt(w, "LevelHeight", LevelHeight);
    JsonInt(w, "CellWidth", CellWidth);
    JsonInt(w, "CellHeight", CellHeight);
    DumpIntArray(w, "FloorMap", FloorMap);
    DumpIntArray(w, "LightMap", LightMap);
    DumpObjects(w);
    DumpIntArray(w, "DoorList", DoorList);
    DumpEnemyStarts(w);
    JsonBeginArray(w, "CardCell");
    for (const cell_struct& c : CardCell)
        DumpCell(w, nullptr, c.x, c.y);
    JsonEndArray(w);
    int held[CARD_COUNT], pickedUp[CARD_COUNT];
    for (int k = 0; k < CARD_COUNT; k++) {
        held[k] = CardHeld[k];
        pickedUp[k] = CardPickedUp[k];
    }
    DumpIntArray(w, "CardHeld", held, CARD_COUNT);
    DumpIntArray(w, "CardPickedUp", pickedUp, CARD_COUNT);
    DumpCell(w, "Lift", LiftX, LiftY);
    DumpCell(w, "PlayerStart", PlayerStartX, PlayerStartY);
}

static void DumpLasting(json_writer_struct& w, const checkpoint_struct& c)
{
    JsonInt(w, "Health", c.Health);
    JsonInt(w, "MaxHealth", c.MaxHealth);
    JsonInt(w, "BonusPoints", c.BonusPoints);
    JsonInt(w, "CurrentWeapon", c.CurrentWeapon);
    JsonInt(w, "LongGunSlot", c.LongGunSlot);
    JsonInt(w, "HandgunSlot", c.HandgunSlot);
    JsonInt(w, "LongGunLoaded", c.LongGunLoaded);
    JsonInt(w, "HandgunLoaded", c.HandgunLoaded);
    int reserve[WEAPON_COUNT];
    for (int i = 0; i < WEAPON_COUNT; i++)
        reserve[i] = c.Reserve[i];
    DumpIntArray(w, "Reserve", reserve, WEAPON_COUNT);
    JsonInt(w, "HasHelmet", c.HasHelmet);
    JsonInt(w, "HasKnuckles", c.HasKnuckles);
    JsonInt(w, "HasPocketVest", c.HasPocketVest);
    JsonInt(w, "HasVest", c.HasVest);
    JsonInt(w, "OwnsRifle", c.OwnsRifle);
    JsonInt(w, "OwnsShotgun", c.OwnsShotgun);
    JsonInt(w, "OwnsPistol", c.OwnsPistol);
    JsonInt(w, "OwnsRevolver", c.OwnsRevolver);
}

void DumpPlayer(json_writer_struct& w)
{
    DumpLasting(w, LastingValues());
    JsonFloat(w, "StrikeReachSq", StrikeReachSq);
    JsonInt(w, "StrikeDamage", StrikeDamage);
    JsonInt(w, "PocketUsed", PocketUsed());
    JsonInt(w, "PocketCapacity", PocketCapacity());
    JsonInt(w, "HandsState", HandsState);
    JsonInt(w, "Crouching", Crouching);
    JsonInt(w, "ActionInterrupt", ActionInterrupt);
    JsonInt(w, "Dead", Dead);
    JsonInt(w, "StruckObject", StruckObject);
    JsonInt(w, "WeaponChanged", WeaponChanged);
    JsonBeginObject(w, "Checkpoint");
    DumpLasting(w, Checkpoint);
    JsonInt(w, "step", Checkpoint.step);
    JsonEndObject(w);
    JsonInt(w, "CheckpointExists", CheckpointExists);
    JsonInt(w, "CampaignStep", CampaignStep);
    JsonInt(w, "StoreyNumber", StoreyNumber);
    JsonInt(w, "DialogueNumber", DialogueNumber);
    JsonFloat(w, "PlayerX", PlayerX);
    JsonFloat(w, "PlayerY", PlayerY);
    JsonFloat(w, "PlayerAngle", PlayerAngle);
    JsonInt(w, "PlayerCellX", PlayerCellX);
    JsonInt(w, "PlayerCellY", PlayerCellY);
    JsonInt(w, "PoseCode", PoseCode);
    JsonInt(w, "PrevPoseCode", PrevPoseCode);
    JsonFloat(w, "DeathTimer", DeathTimer);
    JsonFloat(w, "AmmoPopupTime", AmmoPopupTime);
    JsonFloat(w, "BonusPopupTime", BonusPopupTime);
    JsonFloat(w, "CameraX", CameraX);
    JsonFloat(w, "CameraY", CameraY);
    JsonFloat(w, "AimX", AimX);
    JsonFloat(w, "AimY", AimY);
    JsonBeginObject(w, "VisibleCells");
    JsonInt(w, "MinCol", VisibleCells.MinCol);
    JsonInt(w, "MinRow", VisibleCells.MinRow);
    JsonInt(w, "MaxCol", VisibleCells.MaxCol);
    JsonInt(w, "MaxRow", VisibleCells.MaxRow);
    JsonEndObject(w);
}

static void DumpEnemyList(json_writer_struct& w, const char* key, const std::vector<enemy_struct>& list)
{
    JsonBeginArray(w, key);
    for (const enemy_struct& e : list) {
        JsonBeginObject(w);
        JsonFloat(w, "x", e.x);
        JsonFloat(w, "y", e.y);
        JsonFloat(w, "angle", e.angle);
        JsonInt(w, "cell_x", e.cell_x);
        JsonInt(w, "cell_y", e.cell_y);
        JsonInt(w, "state", e.state);
        JsonInt(w, "alarm", e.alarm);
        JsonInt(w, "health", e.health);
        JsonBool(w, "dead", e.dead);
        JsonInt(w, "weapon", e.weapon);
        JsonInt(w, "contact", e.contact);
        JsonFloat(w, "timer", e.timer);
        JsonInt(w, "turn_dir", e.turn_dir);
        JsonInt(w, "target_x", e.target_x);
        JsonInt(w, "target_y", e.target_y);
        JsonFloat(w, "target_angle", e.target_angle);
        JsonInt(w, "legs_set", e.legs_set);
        JsonInt(w, "hands_set", e.hands_set);
        JsonInt(w, "head_set", e.head_set);
        JsonEndObject(w);
    }
    JsonEndArray(w);
}

static void DumpGrenades(json_writer_struct& w)
{
    JsonBeginArray(w, "Grenades");
    for (const grenade_struct& g : Grenades) {
        JsonBeginObject(w);
        JsonFloat(w, "x", g.x);
        JsonFloat(w, "y", g.y);
        JsonFloat(w, "direction", g.direction);
        JsonFloat(w, "speed", g.speed);
        JsonFloat(w, "climb", g.climb);
        JsonFloat(w, "climb_change", g.climb_change);
        JsonFloat(w, "height", g.height);
        JsonFloat(w, "vx", g.vx);
        JsonFloat(w, "vy", g.vy);
        JsonFloat(w, "fuse", g.fuse);
        JsonFloat(w, "rotation", g.rotation);
        JsonFloat(w, "spin", g.spin);
        JsonInt(w, "cell", g.cell);
        JsonEndObject(w);
    }
    JsonEndArray(w);
}

void DumpFoes(json_writer_struct& w)
{
    JsonInt(w, "ShotNoise", ShotNoise);
    DumpEnemyList(w, "Enemies", Enemies);
    DumpEnemyList(w, "Corpses", Corpses);
    JsonBeginArray(w, "Effects");
    for (const effect_struct& e : Effects) {
        JsonBeginObject(w);
        JsonFloat(w, "x", e.x);
        JsonFloat(w, "y", e.y);
        JsonFloat(w, "angle", e.angle);
        JsonFloat(w, "delay", e.delay);
        JsonInt(w, "cell", e.cell);
        JsonInt(w, "frame", e.anim ? e.anim->GetFrame() : -1);
        JsonEndObject(w);
    }
    JsonEndArray(w);
    DumpGrenades(w);
}
