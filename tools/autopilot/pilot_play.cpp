// Play: walk the way to each card and on to the lift; shoot the armed
// enemies in sight first, then the office staff who come at him, or meet
// them with a blow; step out of the sight of an armed enemy he cannot hit,
// or to where he can; reload between fights; smash the furniture within a
// blow on the way for its points; turn to where a shot came from.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/storey_check.h"
#include "engine/hge.h"
#include "foes/enemies.h"
#include "frame/modes.h"
#include "player/body.h"
#include "player/doors.h"
#include "player/movement.h"
#include "tools/autopilot/pilot_input.h"
#include "tools/autopilot/pilot_novice.h"
#include "tools/autopilot/pilot_parts.h"
#include "tools/autopilot/pilot_world.h"
#include "world/angles.h"
#include "world/campaign.h"
#include "world/player_state.h"

// Office staff coming at him are met with a blow, which no one hears;
// they are shot only when they come at him together, from this near.
static const float StaffShotRange = 200;
// He waits for them from here, once they are this near.
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
// A novice forgets an enemy he has not seen for this long.
static const int ForgetFrames = 600;
// An alerted armed enemy that went out of sight this near, this few frames
// ago, is waited for.
static const float ExpectRange = 500;
static const int ExpectFrames = 240;
// An enemy that keeps its place, in sight of a doorway, is not waited for
// for ever: after this long he hides from it no more and goes to shoot it,
// or goes on his way.
static const int PatienceFrames = 300;
// Pixels the mouse may stand off the point he looks at while walking or
// watching: he moves it only when the view must turn.
static const float RoughAim = 10;

// An enemy he has seen, as he remembers it.
struct known_struct {
    const void* id;
    float x, y;
    bool armed, alerted;
    int firstSeen, lastSeen;  // frames of the sighting under way, or the last
    int waited = 0;           // frames he has waited for it or hidden from it
    int reaction = ReactionFrames;  // frames this sighting takes him to react
    float distance = 0;       // pixels from him when last seen
    float closing = 0;        // pixels a frame it came nearer, smoothed
    int lastCame = -1000;     // the last frame it was seen coming nearer
};

struct play_memory_struct {
    bool started = false;
    int startStep = 0;
    std::vector<int> cards;          // in the order the way finds them
    std::vector<cell_struct> way;
    size_t next = 0;
    int wayGoal = -2;
    int wayFrame = 0;
    bool forage = false;             // the way leads to furniture, not to a card
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
    std::vector<known_struct> known;
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

// The mouse toward a picture point: at once, or at the novice's pace.
static void PointMouse(float sx, float sy, float slack)
{
    MoveMouseToward(sx, sy, slack, NovicePlays() ? NoviceMouseStep : INFINITY);
}

// The mouse on a world point: the aim follows it, the camera halfway. The
// novice aims where he believes the point to be.
static void AimAt(float x, float y)
{
    if (NovicePlays())
        WanderedPoint(x, y, &x, &y);
    PointMouse(ScreenXOf(x), ScreenYOf(y), 0);
}

// He faces the point he aims at, closely enough to fire; the novice faces
// where he believes it to be, with the mouse come to rest there.
static bool OnTarget(float x, float y, float tolerance);

// Near the storey's edge the camera stops, and a point far along the way
// would lie off the screen: the mouse goes no further than the screen's edge.
static void AimAlong(float angle, float distance)
{
    float c = cosf(angle), s = sinf(angle);
    float sx = ScreenXOf(PlayerX), sy = ScreenYOf(PlayerY);
    if (c > 0.01f)
        distance = std::min(distance, (798 - sx) / c);
    if (c < -0.01f)
        distance = std::min(distance, (1 - sx) / c);
    if (s > 0.01f)
        distance = std::min(distance, (588 - sy) / s);
    if (s < -0.01f)
        distance = std::min(distance, (1 - sy) / s);
    distance = std::max(distance, 8.0f);
    PointMouse(ScreenXOf(PlayerX + c * distance), ScreenYOf(PlayerY + s * distance), RoughAim);
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

static bool OnTarget(float x, float y, float tolerance)
{
    if (!NovicePlays())
        return Facing(x, y, tolerance);
    WanderedPoint(x, y, &x, &y);
    return Facing(x, y, tolerance) && MouseWithin(ScreenXOf(x), ScreenYOf(y), 2);
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

static known_struct* Known(const void* id)
{
    for (known_struct& k : Memory.known)
        if (k.id == id)
            return &k;
    return nullptr;
}

static bool StillAlive(const void* id)
{
    return std::any_of(Enemies.begin(), Enemies.end(),
                       [id](const enemy_struct& e) { return !e.dead && e.head_anim.get() == id; });
}

// The novice sees an enemy fall only where it falls in sight.
static bool SeenFallen(const void* id)
{
    auto fallen = [id](const enemy_struct& e) {
        return e.head_anim.get() == id && (e.dead || e.health <= 0) && CellInside(e.cell_x, e.cell_y) &&
               LightMap[CellIndex(e.cell_x, e.cell_y)] > 0;
    };
    return std::any_of(Enemies.begin(), Enemies.end(), fallen) || std::any_of(Corpses.begin(), Corpses.end(), fallen);
}

static bool Forgotten(const known_struct& k, int frame)
{
    if (!NovicePlays())
        return !StillAlive(k.id);
    return SeenFallen(k.id) || frame - k.lastSeen > ForgetFrames;
}

// Staff that drew nearer this lately still count as coming at him.
static const int ComingFrames = 60;

// Whether an enemy in sight comes at him, as a novice makes it out: an
// armed one holds its weapon up (calm ones keep their hands empty), office
// staff drew nearer lately.
static void JudgeByEye(int frame, seen_enemy_struct* s, known_struct* k, bool sightingGoesOn)
{
    k->closing = sightingGoesOn ? 0.85f * k->closing + 0.15f * (k->distance - s->distance) : 0;
    k->distance = s->distance;
    if (k->closing > 1)
        k->lastCame = frame;
    s->alerted = s->armed ? Enemies[s->index].alarm >= ALARM_ALERTED : frame - k->lastCame < ComingFrames;
}

// What he saw this frame joins what he remembers; the fallen are forgotten.
static void Remember(int frame, std::vector<seen_enemy_struct>& seen)
{
    for (seen_enemy_struct& s : seen) {
        known_struct* k = Known(s.id);
        bool newSighting = !k || k->lastSeen < frame - 1;
        if (!k) {
            Memory.known.push_back({s.id, s.x, s.y, s.armed, s.alerted, frame, frame, 0});
            k = &Memory.known.back();
        }
        if (newSighting) {
            k->firstSeen = frame;
            k->reaction = NovicePlays() ? NoviceReactionFrames() : ReactionFrames;
        }
        if (NovicePlays())
            JudgeByEye(frame, &s, k, k->firstSeen < frame);
        k->x = s.x, k->y = s.y, k->alerted = s.alerted, k->lastSeen = frame;
    }
    std::erase_if(Memory.known, [frame](const known_struct& k) { return Forgotten(k, frame); });
}

// The enemies in sight long enough for him to have taken them in.
static std::vector<seen_enemy_struct> Noticed(int frame, const std::vector<seen_enemy_struct>& seen)
{
    std::vector<seen_enemy_struct> noticed;
    for (const seen_enemy_struct& s : seen) {
        const known_struct* k = Known(s.id);
        if (k && frame - k->firstSeen >= k->reaction)
            noticed.push_back(s);
    }
    return noticed;
}

// An armed enemy out of sight that came at him lately and is likely on its
// way: he waits for it, watching where it was.
static known_struct* Expected(int frame)
{
    known_struct* best = nullptr;
    float bestDistance = ExpectRange;
    for (known_struct& k : Memory.known) {
        float d = std::hypot(k.x - PlayerX, k.y - PlayerY);
        bool awaited = k.armed && k.alerted && k.lastSeen < frame && frame - k.lastSeen < ExpectFrames;
        if (awaited && k.waited < PatienceFrames && d < bestDistance)
            best = &k, bestDistance = d;
    }
    return best;
}

struct target_struct {
    const seen_enemy_struct* enemy = nullptr;
    bool blow = false;  // met with a blow rather than a shot
};

static target_struct ChooseTarget(const std::vector<seen_enemy_struct>& seen)
{
    target_struct best;
    int bestRank = 99;
    int mob = 0;
    for (const seen_enemy_struct& s : seen)
        mob += s.alerted && !s.armed && s.distance < StaffShotRange;
    bool shootStaff = mob >= 2 && Rounds() > RoundsForGuards;
    for (const seen_enemy_struct& s : seen) {
        int rank = 99;
        bool blow = false;
        if (s.distance < BlowRange && !s.armed)
            rank = 0, blow = true;
        else if (s.armed && s.clearShot && Rounds() > 0)
            rank = s.alerted ? 1 : 2;
        else if (s.alerted && s.clearShot && s.distance < StaffShotRange && shootStaff)
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
    StandStill(e.armed && Facing(e.aimX, e.aimY, 0.3f));
    AimAt(e.aimX, e.aimY);
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
    float tolerance = std::clamp(atan2f(e.aimX == e.x && e.aimY == e.y ? 14.0f : 4.0f, e.distance), 0.01f, 0.06f);
    if (Loaded() > 0 && OnTarget(e.aimX, e.aimY, tolerance)) {
        TapKey(HGEK_LBUTTON);
        PilotReport.shots++;
    }
}

// An armed enemy that came at him and sees him, but that no bullet of his
// reaches: he must not stand there.
static const seen_enemy_struct* Threat(const std::vector<seen_enemy_struct>& seen)
{
    for (const seen_enemy_struct& s : seen)
        if (s.armed && s.alerted && !s.clearShot && SeesPlayer(s))
            return &s;
    return nullptr;
}

// A few steps to where he can shoot it, or out of its sight; crouched
// where there is no such place near.
static const size_t PositionReach = 6;

static void TakePosition(const seen_enemy_struct& e)
{
    known_struct* k = Known(e.id);
    bool patient = !k || k->waited++ < PatienceFrames;
    std::vector<cell_struct> way = WayToFiringPosition(e, patient ? PositionReach : 4 * PositionReach, patient);
    AimAt(e.aimX, e.aimY);
    Memory.walkedLastFrame = false;
    // The nearest corner may be the place: he steps onto it.
    const cell_struct* step = way.size() > 1 ? &way[1] : way.empty() ? nullptr : &way[0];
    float x = step ? (float)step->x * CellWidth : PlayerX, y = step ? (float)step->y * CellHeight : PlayerY;
    if (std::fabs(x - PlayerX) <= 2 && std::fabs(y - PlayerY) <= 2) {
        StandStill(true);
        return;
    }
    SteerTo(x, y);
}

// --- furniture

static bool Smash()
{
    cell_struct cell;
    if (BreakableNextTo(PlayerCellX, PlayerCellY, Memory.skipped, &cell) < 0)
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

// Furniture within this many corners of his way is worth the detour.
static const size_t ForageReach = 12;

// On to the next card or the lift, unless furniture to smash lies near.
static void FindWay(int frame, bool forage)
{
    int goal = Goal();
    Memory.way = forage ? WayToFurniture(Memory.skipped, ForageReach) : std::vector<cell_struct>{};
    Memory.forage = !Memory.way.empty();
    if (!Memory.forage)
        Memory.way = goal < 0 ? WayToLift() : WayToCard(goal);
    Memory.next = Memory.way.size() > 1 ? 1 : 0;
    Memory.wayGoal = goal;
    Memory.wayFrame = frame;
}

// The point he steers for at a corner of the way: the corner itself, but
// at the end of a way to furniture a little inside the cell below and right
// of it, the cell whose neighbours his blow reaches.
static float WayPointX(size_t n)
{
    return Memory.way[n].x * CellWidth + (Memory.forage && n + 1 == Memory.way.size() ? 5.0f : 0.0f);
}

static float WayPointY(size_t n)
{
    return Memory.way[n].y * CellHeight + (Memory.forage && n + 1 == Memory.way.size() ? 5.0f : 0.0f);
}

static bool AtWayPoint(size_t n)
{
    return std::fabs(PlayerX - WayPointX(n)) <= 3 && std::fabs(PlayerY - WayPointY(n)) <= 3;
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

// Furniture he was on his way to when danger turned him back is left
// alone: going for it again would lead him back into the danger.
static void GiveUpFurniture()
{
    cell_struct cell;
    const cell_struct& end = Memory.way.back();
    if (BreakableNextTo(end.x, end.y, Memory.skipped, &cell) >= 0)
        Memory.skipped.push_back(CellIndex(cell.x, cell.y));
}

static void Walk(int frame, bool forage)
{
    if (!forage && Memory.forage && !Memory.way.empty())
        GiveUpFurniture();
    if (Goal() < 0 && CardHeld[CARD_LIFT] && InLiftArea(PlayerCellX, PlayerCellY)) {
        TakeTheLift(frame);
        return;
    }
    bool stuck = Memory.stillFrames > 60;
    if (!Memory.walkedLastFrame || Memory.wayGoal != Goal() || Memory.next >= Memory.way.size() || stuck ||
        frame - Memory.wayFrame > 120 || forage != Memory.forage)
        FindWay(frame, forage);
    while (Memory.next < Memory.way.size() && AtWayPoint(Memory.next))
        Memory.next++;
    if (Memory.next >= Memory.way.size()) {
        StandStill(false);
        return;
    }
    SteerTo(WayPointX(Memory.next), WayPointY(Memory.next));
    const cell_struct ahead = Memory.way[std::min(Memory.next + 3, Memory.way.size() - 1)];
    float angle = atan2f(ahead.y * CellHeight - PlayerY, ahead.x * CellWidth - PlayerX);
    AimAlong(angle, LookAhead);
    Memory.walkedLastFrame = true;
}

// --- the frame

// With PILOT_TRACE=N in the environment, from frame N on: what he sees, what
// he goes for and where he stands, a line a frame, for finding out why a run
// went wrong.
static void TraceFrame(int frame, const std::vector<seen_enemy_struct>& inSight, size_t noticed,
                       const target_struct& target)
{
    static const char* from = getenv("PILOT_TRACE");
    if (!from || frame < atoi(from))
        return;
    for (const seen_enemy_struct& s : inSight)
        fprintf(stderr, "  enemy %d at %.0f %.0f, %.0f px, armed %d alerted %d clear %d\n", s.index, s.x, s.y,
                s.distance, s.armed, s.alerted, s.clearShot);
    fprintf(stderr, "frame %d: noticed %zu, target %d (blow %d), hands %d, loaded %d, at %.0f %.0f facing %.3f",
            frame, noticed, target.enemy ? target.enemy->index : -1, target.blow, HandsState, Loaded(), PlayerX,
            PlayerY, PlayerAngle);
    if (!Memory.way.empty())
        fprintf(stderr, ", way %zu/%zu to %d %d%s", Memory.next, Memory.way.size(), Memory.way.back().x,
                Memory.way.back().y, Memory.forage ? " (furniture)" : "");
    fputc('\n', stderr);
}

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

// Who hit him: the enemy standing where the shot came from.
static void NoteHit(const std::vector<seen_enemy_struct>& seen)
{
    static const char* const Weapons[] = {"blow", "revolver", "pistol", "shotgun", "rifle", "grenade"};
    std::string what = "grenade or unknown";
    for (int i = 0; i < (int)Enemies.size(); i++) {
        const enemy_struct& e = Enemies[i];
        if (std::fabs(e.x - KillerX) > 1 || std::fabs(e.y - KillerY) > 1 || e.weapon < 0 || e.weapon > 5)
            continue;
        bool inSight = std::any_of(seen.begin(), seen.end(), [i](const seen_enemy_struct& s) { return s.index == i; });
        const known_struct* k = Known(e.head_anim.get());
        int frames = k ? k->lastSeen - k->firstSeen + 1 : 0;
        what = std::string(Weapons[e.weapon]) + " of enemy " + std::to_string(i) + " in cell " +
               std::to_string(e.cell_x) + "," + std::to_string(e.cell_y) + " at him in " + std::to_string(PlayerCellX) +
               "," + std::to_string(PlayerCellY) + " from " + std::to_string((int)std::hypot(e.x - PlayerX, e.y - PlayerY)) +
               (inSight ? " px, in sight for " + std::to_string(frames) + " frames" : " px, unseen");
    }
    what += " (" + std::to_string(Memory.lastHealth - Health) + ")";
    PilotReport.hits += PilotReport.hits.empty() ? what : "; " + what;
}

static void Notice(const std::vector<seen_enemy_struct>& seen)
{
    if (Health < Memory.lastHealth) {
        NoteHit(seen);
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
    Notice(SeenEnemies());
    if (Dead) {
        PilotReport.died = true;
        ReleaseAllKeys();
        return;
    }
    std::vector<seen_enemy_struct> inSight = SeenEnemies();
    if (NovicePlays())
        WanderAim();
    Remember(frame, inSight);
    std::vector<seen_enemy_struct> seen = Noticed(frame, inSight);
    target_struct target = ChooseTarget(seen);
    // Staff fleeing or far off leave him time for the furniture; anyone else
    // in sight, even before he has made him out, keeps him from starting on it.
    bool danger = std::any_of(inSight.begin(), inSight.end(), [](const seen_enemy_struct& s) {
        return s.armed || (s.alerted && s.distance < 2 * StaffWaitRange);
    });
    TraceFrame(frame, inSight, seen.size(), target);
    if (target.enemy) {
        Fight(target);
    } else if (const seen_enemy_struct* threat = Threat(seen)) {
        TakePosition(*threat);
    } else if (Memory.lookFrames > 0) {
        Memory.lookFrames--;
        StandStill(true);
        WatchTowards(Memory.lookX, Memory.lookY);
    } else if (SeeToTheGun(danger)) {
        StandStill(false);
    } else if (known_struct* k = Expected(frame)) {
        k->waited++;
        StandStill(Facing(k->x, k->y, 0.3f));
        WatchTowards(k->x, k->y);
    } else if (Memory.holdFrames > 0) {
        Memory.holdFrames--;
        StandStill(Facing(Memory.holdX, Memory.holdY, 0.3f));
        WatchTowards(Memory.holdX, Memory.holdY);
    } else if (danger || !Smash()) {
        Walk(frame, !danger);
    }
}
