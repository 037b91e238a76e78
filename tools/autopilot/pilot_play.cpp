// Play: walk the way to each card and on to the lift; shoot the armed
// enemies in sight first, then the office staff who come at him, or meet
// them with a blow; reload between fights; smash the furniture within a
// blow on the way for its points; turn to where a shot came from.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/hge.h"
#include "foes/enemies.h"
#include "frame/modes.h"
#include "player/body.h"
#include "player/doors.h"
#include "player/movement.h"
#include "tools/autopilot/pilot_input.h"
#include "tools/autopilot/pilot_parts.h"
#include "tools/autopilot/pilot_world.h"
#include "tools/storeycheck/storey_check.h"
#include "world/campaign.h"
#include "world/player_state.h"

// Office staff coming at him are shot from here on, while rounds last.
static const float StaffShotRange = 260;
// ... and met with a blow from here, once they are this near.
static const float StaffWaitRange = 150;
static const float BlowRange = 60;
// A blow reaches less far than an enemy's: he steps up this near first.
static const float BlowReach = 34;
// Rounds he keeps for armed enemies rather than spend them on staff.
static const int RoundsForGuards = 6;
// How far ahead of him he looks while walking, in pixels: the camera goes
// half as far that way, and the screen shows that much less behind him.
static const float LookAhead = 220;
// ... and while he waits for enemies, with the view all round him.
static const float LookAround = 120;
// Frames he keeps looking to where a shot that hit him came from.
static const int LookBackFrames = 50;
// Frames he waits, low, where he fought an armed enemy: his shots were
// heard, and the others come.
static const int HoldFrames = 180;
// A player takes a quarter of a second to react to an enemy coming in sight.
static const int ReactionFrames = 15;
static const float Pi = 3.14159265f;

// An enemy in sight, followed from frame to frame by where it stands.
struct watched_struct {
    float x, y;
    int frames;  // frames in sight
};

struct play_memory_struct {
    bool started = false;
    int startStep = 0;
    std::vector<int> cards;          // in the order the way finds them
    std::vector<cell_struct> way;
    size_t next = 0;
    int wayGoal = -2;
    int wayFrame = 0;
    bool walkedLastFrame = false;
    std::vector<int> skipped;        // cells of furniture his blows did not break
    int smashCell = -1, smashTries = 0;
    int lookFrames = 0;
    float lookX = 0, lookY = 0;
    int holdFrames = 0;
    float holdX = 0, holdY = 0;
    int lastHealth = 0;
    float lastX = 0, lastY = 0;
    int stillFrames = 0;
    std::vector<watched_struct> watched;
};

static play_memory_struct Memory;

void ResetPlay()
{
    Memory = play_memory_struct();
}

bool PlayOver()
{
    return Memory.started && CampaignStep != Memory.startStep;
}

static float Wrap(float a)
{
    while (a > Pi)
        a -= 2 * Pi;
    while (a < -Pi)
        a += 2 * Pi;
    return a;
}

// The mouse on a world point: the aim follows it, the camera halfway.
static void AimAt(float x, float y)
{
    MoveMouse(ScreenXOf(x), ScreenYOf(y));
}

static void AimAlong(float angle, float distance)
{
    AimAt(PlayerX + cosf(angle) * distance, PlayerY + sinf(angle) * distance);
}

static void WatchTowards(float x, float y)
{
    AimAlong(atan2f(y - PlayerY, x - PlayerX), LookAround);
}

// After this frame's turn he faces the point within the tolerance.
static bool Facing(float x, float y, float tolerance)
{
    float want = atan2f(y - PlayerY, x - PlayerX);
    float turn = (Crouching ? 4.5f : 7.0f) / 60.0f;
    return std::fabs(Wrap(want - PlayerAngle)) - turn < tolerance;
}

static void SteerTo(float x, float y);

static void StandStill(bool crouch)
{
    HoldKey('W', false);
    HoldKey('A', false);
    HoldKey('S', false);
    HoldKey('D', false);
    HoldKey(HGEK_SHIFT, crouch);
    Memory.walkedLastFrame = false;
}

// --- the weapon in hand

static int Loaded()
{
    if (CurrentWeapon == WEAPON_REVOLVER || CurrentWeapon == WEAPON_PISTOL)
        return HandgunLoaded;
    if (CurrentWeapon == WEAPON_SHOTGUN || CurrentWeapon == WEAPON_RIFLE)
        return LongGunLoaded;
    return 0;
}

static int Rounds()
{
    int w = CurrentWeapon;
    if (w <= WEAPON_NONE || w >= WEAPON_GRENADE)
        return 0;
    bool magazines = w == WEAPON_PISTOL || w == WEAPON_RIFLE;
    return Loaded() + Reserve[w] * (magazines ? MagazineSize[w] : 1);
}

static int OtherSlot()
{
    return CurrentWeapon == LongGunSlot ? HandgunSlot : LongGunSlot;
}

static bool OtherGunLoaded()
{
    int other = OtherSlot();
    if (other == WEAPON_NONE)
        return false;
    return (other == LongGunSlot ? LongGunLoaded : HandgunLoaded) > 0;
}

// A magazine thrown in half full loses its rounds: the pistol and the rifle
// reload only when nearly empty; the revolver and the shotgun a round at a
// time, whenever there is a pause.
static bool WorthReloading(bool fighting)
{
    int w = CurrentWeapon;
    if (w <= WEAPON_NONE || w >= WEAPON_GRENADE || Reserve[w] <= 0)
        return false;
    int loaded = Loaded();
    if (fighting)
        return loaded == 0;
    if (w == WEAPON_PISTOL)
        return loaded <= 4;
    if (w == WEAPON_RIFLE)
        return loaded <= 8;
    return loaded < MagazineSize[w];
}

// Reloads, or takes the other gun when this one is spent. True when the
// hands are busy with it.
static bool SeeToTheGun(bool fighting)
{
    if (HandsState != HANDS_READY)
        return false;
    if (WorthReloading(fighting)) {
        TapKey('R');
        return true;
    }
    if (Rounds() == 0 && OtherGunLoaded()) {
        TapKey('1');
        return true;
    }
    return false;
}

// --- fighting

// The enemies in sight long enough for him to have taken them in.
static std::vector<seen_enemy_struct> Noticed(const std::vector<seen_enemy_struct>& seen)
{
    std::vector<watched_struct> watched;
    std::vector<seen_enemy_struct> noticed;
    for (const seen_enemy_struct& s : seen) {
        int frames = 1;
        for (const watched_struct& w : Memory.watched)
            if (std::fabs(w.x - s.x) < 12 && std::fabs(w.y - s.y) < 12)
                frames = std::max(frames, w.frames + 1);
        watched.push_back({s.x, s.y, frames});
        if (frames >= ReactionFrames)
            noticed.push_back(s);
    }
    Memory.watched = watched;
    return noticed;
}

struct target_struct {
    const seen_enemy_struct* enemy = nullptr;
    bool blow = false;  // met with a blow rather than a shot
};

static target_struct ChooseTarget(const std::vector<seen_enemy_struct>& seen)
{
    target_struct best;
    int bestRank = 99;
    bool roundsToSpare = Rounds() > RoundsForGuards;
    for (const seen_enemy_struct& s : seen) {
        int rank = 99;
        bool blow = false;
        if (s.distance < BlowRange && !s.armed)
            rank = 0, blow = true;
        else if (s.armed && s.clearShot && Rounds() > 0)
            rank = s.alerted ? 1 : 2;
        else if (s.alerted && s.clearShot && s.distance < StaffShotRange && roundsToSpare)
            rank = 3;
        else if (s.alerted && !s.armed && s.distance < StaffWaitRange)
            rank = 4, blow = true;
        if (rank < bestRank)
            bestRank = rank, best = {&s, blow};
    }
    return best;
}

static void Fight(const target_struct& t)
{
    const seen_enemy_struct& e = *t.enemy;
    // Crouching slows the turn: he gets down once he faces the enemy.
    StandStill(e.armed && Facing(e.x, e.y, 0.3f));
    AimAt(e.x, e.y);
    if (e.armed)
        Memory.holdFrames = HoldFrames, Memory.holdX = e.x, Memory.holdY = e.y;
    if (t.blow) {
        if (e.distance > BlowReach && e.distance < BlowRange)
            SteerTo(e.x, e.y);
        if (e.distance < BlowReach && HandsState == HANDS_READY) {
            TapKey(HGEK_RBUTTON);
            PilotReport.blows++;
        }
        return;
    }
    if (SeeToTheGun(true) || HandsState != HANDS_READY)
        return;
    float tolerance = std::clamp(atan2f(14.0f, e.distance), 0.02f, 0.06f);
    if (Loaded() > 0 && Facing(e.x, e.y, tolerance)) {
        TapKey(HGEK_LBUTTON);
        PilotReport.shots++;
    }
}

// --- furniture

static bool Smash()
{
    cell_struct cell;
    if (BreakableNextToPlayer(Memory.skipped, &cell) < 0)
        return false;
    int index = CellIndex(cell.x, cell.y);
    StandStill(false);
    float angle = atan2f((float)(cell.y - PlayerCellY), (float)(cell.x - PlayerCellX));
    AimAlong(angle, 200);
    if (HandsState != HANDS_READY || std::fabs(Wrap(angle - PlayerAngle)) > 0.15f)
        return true;
    if (Memory.smashCell != index)
        Memory.smashCell = index, Memory.smashTries = 0;
    if (++Memory.smashTries > 3) {
        Memory.skipped.push_back(index);
        return true;
    }
    TapKey(HGEK_RBUTTON);
    PilotReport.blows++;
    PilotReport.smashed++;
    return true;
}

// --- walking

// The card he goes for next, or -1 for the lift.
static int Goal()
{
    for (int k : Memory.cards)
        if (!CardHeld[k])
            return k;
    return -1;
}

static void FindWay(int frame)
{
    int goal = Goal();
    Memory.way = goal < 0 ? WayToLift() : WayToCard(goal);
    Memory.next = Memory.way.size() > 1 ? 1 : 0;
    Memory.wayGoal = goal;
    Memory.wayFrame = frame;
}

static bool AtCorner(const cell_struct& c)
{
    return std::fabs(PlayerX - c.x * CellWidth) <= 3 && std::fabs(PlayerY - c.y * CellHeight) <= 3;
}

// Keys of the axes on which the corner is still more than two pixels away.
static void SteerTo(float x, float y)
{
    float dx = x - PlayerX, dy = y - PlayerY;
    HoldKey('D', dx > 2);
    HoldKey('A', dx < -2);
    HoldKey('S', dy > 2);
    HoldKey('W', dy < -2);
    HoldKey(HGEK_SHIFT, false);
}

// The storey ends in this frame unless the hands are busy.
static void TakeTheLift(int frame)
{
    StandStill(false);
    if (HandsState != HANDS_READY)
        return;
    TapKey(HGEK_SPACE);
    PilotReport.liftFrame = frame;
    PilotReport.healthAtLift = Health;
    PilotReport.pointsAtLift = BonusPoints;
}

static void Walk(int frame)
{
    if (Goal() < 0 && CardHeld[CARD_LIFT] && InLiftArea(PlayerCellX, PlayerCellY)) {
        TakeTheLift(frame);
        return;
    }
    bool stuck = Memory.stillFrames > 60;
    if (!Memory.walkedLastFrame || Memory.wayGoal != Goal() || Memory.next >= Memory.way.size() || stuck ||
        frame - Memory.wayFrame > 120)
        FindWay(frame);
    while (Memory.next < Memory.way.size() && AtCorner(Memory.way[Memory.next]))
        Memory.next++;
    if (Memory.next >= Memory.way.size()) {
        StandStill(false);
        return;
    }
    const cell_struct c = Memory.way[Memory.next];
    SteerTo((float)(c.x * CellWidth), (float)(c.y * CellHeight));
    const cell_struct ahead = Memory.way[std::min(Memory.next + 3, Memory.way.size() - 1)];
    float angle = atan2f(ahead.y * CellHeight - PlayerY, ahead.x * CellWidth - PlayerX);
    AimAlong(angle, LookAhead);
    Memory.walkedLastFrame = true;
}

// --- the frame

static void StartStorey(int frame)
{
    Memory.started = true;
    Memory.startStep = CampaignStep;
    Memory.cards = WalkStorey().cardOrder;
    Memory.lastHealth = Health;
    PilotReport.storey = StoreyNumber;
    PilotReport.playStartFrame = frame;
    PilotReport.healthAtStart = PilotReport.lowestHealth = Health;
    PilotReport.pointsAtStart = BonusPoints;
    PilotReport.enemies = (int)Enemies.size();
}

static void Notice()
{
    if (Health < Memory.lastHealth) {
        PilotReport.hitsTaken++;
        Memory.lookFrames = LookBackFrames;
        Memory.lookX = KillerX, Memory.lookY = KillerY;
    }
    Memory.lastHealth = Health;
    PilotReport.lowestHealth = std::min(PilotReport.lowestHealth, (int)Health);
    int alive = 0;
    for (const enemy_struct& e : Enemies)
        alive += !e.dead;
    PilotReport.kills = PilotReport.enemies - alive;
    bool moved = std::fabs(PlayerX - Memory.lastX) > 0.5f || std::fabs(PlayerY - Memory.lastY) > 0.5f;
    Memory.stillFrames = moved || !Memory.walkedLastFrame ? 0 : Memory.stillFrames + 1;
    Memory.lastX = PlayerX, Memory.lastY = PlayerY;
}

void PlayFrame(int frame)
{
    if (!Memory.started)
        StartStorey(frame);
    PilotReport.lastPlayFrame = frame;
    Notice();
    if (Dead) {
        PilotReport.died = true;
        ReleaseAllKeys();
        return;
    }
    std::vector<seen_enemy_struct> seen = Noticed(SeenEnemies());
    if (getenv("PILOT_DEBUG") && frame >= atoi(getenv("PILOT_DEBUG")))
        for (const seen_enemy_struct& s : SeenEnemies())
            fprintf(stderr, "  enemy %d at %.0f %.0f d %.0f armed %d alerted %d clear %d\n", s.index, s.x, s.y,
                    s.distance, s.armed, s.alerted, s.clearShot);
    target_struct target = ChooseTarget(seen);
    bool danger = std::any_of(seen.begin(), seen.end(), [](const seen_enemy_struct& s) { return s.alerted || s.armed; });
    if (getenv("PILOT_DEBUG") && frame >= atoi(getenv("PILOT_DEBUG")))
        fprintf(stderr, "pilot %d: seen %zu target %d blow %d hands %d loaded %d angle %.3f\n", frame, seen.size(),
                target.enemy ? target.enemy->index : -1, target.blow, HandsState, Loaded(), PlayerAngle);
    if (target.enemy) {
        Fight(target);
    } else if (Memory.lookFrames > 0) {
        Memory.lookFrames--;
        StandStill(true);
        WatchTowards(Memory.lookX, Memory.lookY);
    } else if (SeeToTheGun(danger)) {
        StandStill(false);
    } else if (Memory.holdFrames > 0) {
        Memory.holdFrames--;
        StandStill(Facing(Memory.holdX, Memory.holdY, 0.3f));
        WatchTowards(Memory.holdX, Memory.holdY);
    } else if (danger || !Smash()) {
        Walk(frame);
    }
}
