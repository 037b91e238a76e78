#include "editor/storey_check.h"

#include <algorithm>
#include <cstdlib>

#include "assets/catalogue.h"
#include "player/doors.h"
#include "world/player_state.h"

const char* const CardNames[CARD_COUNT] = {"lift", "red", "green", "blue"};
static const char* const DoorOfCard[CARD_COUNT] = {"", "RedDoor", "GreenDoor", "BlueDoor"};

// Enemies standing this close to the start (in cells, either way) greet the
// player before he can move.
static const int StartClearance = 6;

// Uniforms that vanish on a floor of their own colour: the hands set (the
// upper body, most of what is seen from above) and the floor type.
struct uniform_clash_struct {
    int hands_set;
    const char* floor;
    const char* uniform;
};
static const uniform_clash_struct UniformClashes[] = {
    {3, "CarpetGreen", "the assault team's green"},
    {3, "CarpetPattern", "the assault team's green"},
    {2, "CarpetGreen", "the guards' charcoal"},
    {2, "CarpetPattern", "the guards' charcoal"},
};

const int ThoroughPercent = 60;

const std::vector<storey_need_struct> CampaignNeeds = {
    {3, GOOD_PISTOL_MAGAZINE},  // the police come with pistols and shotguns
    {5, GOOD_PISTOL_MAGAZINE},
    {5, GOOD_HEALING},
    {7, GOOD_RIFLE},            // the assault team: rifles and helmets
    {7, GOOD_RIFLE_MAGAZINE},
    {8, GOOD_HELMET},
    {9, GOOD_RIFLE_MAGAZINE},
    {9, GOOD_HEALING},
};

static std::string Cell(int x, int y)
{
    return std::to_string(x) + ", " + std::to_string(y);
}

// --- rules

typedef std::vector<storey_fault_struct> faults_t;

static storey_fault_struct Fault(int kind, cell_struct at, const std::string& text, const std::string& name = "")
{
    storey_fault_struct f;
    f.kind = kind;
    f.at = at;
    f.text = text;
    f.name = name;
    return f;
}

static std::string Cell(cell_struct c)
{
    return Cell(c.x, c.y);
}

faults_t CheckStoreySize(int smallest, int largest)
{
    faults_t faults;
    if (LevelWidth < smallest || LevelHeight < smallest || LevelWidth > largest || LevelHeight > largest)
        faults.push_back(Fault(FAULT_SIZE, {-1, -1},
                               "the storey is " + std::to_string(LevelWidth) + " x " + std::to_string(LevelHeight) +
                                   " cells, not between " + std::to_string(smallest) + " and " +
                                   std::to_string(largest)));
    return faults;
}

faults_t CheckFinish(const storey_walk_struct& walk)
{
    faults_t faults;
    const cell_struct start = {PlayerStartX, PlayerStartY}, lift = {LiftX, LiftY};
    if (!walk.startFree) {
        faults.push_back(Fault(FAULT_NO_ROOM_AT_START, start,
                               "no room for the player at the start " + Cell(start) +
                                   " (the four cells around its top-left corner must be free)"));
        return faults;
    }
    for (int k = 0; k < CARD_COUNT; k++) {
        if (walk.held[k])
            continue;
        faults.push_back(Fault(FAULT_CARD_UNREACHED, CardCell[k],
                               std::string("the ") + CardNames[k] + " card at " + Cell(CardCell[k]) +
                                   " cannot be reached"));
        faults.back().card = k;
    }
    if (walk.held[CARD_LIFT] && !walk.liftReached)
        faults.push_back(Fault(FAULT_LIFT_UNREACHED, lift, "the lift at " + Cell(lift) + " cannot be reached"));
    return faults;
}

static bool DoorUpright(const object_struct& door)
{
    int w, h;
    ObjectFootprint(door, &w, &h);
    return w <= h;
}

// The cells a doorway joins: those left and right of an upright door, above
// and below a turned one.
static std::vector<cell_struct> DoorSides(const object_struct& door)
{
    int w, h;
    ObjectFootprint(door, &w, &h);
    std::vector<cell_struct> sides;
    if (DoorUpright(door)) {
        for (int j = 0; j < h; j++) {
            sides.push_back({door.cell_x - 1, door.cell_y + j});
            sides.push_back({door.cell_x + w, door.cell_y + j});
        }
    } else {
        for (int i = 0; i < w; i++) {
            sides.push_back({door.cell_x + i, door.cell_y - 1});
            sides.push_back({door.cell_x + i, door.cell_y + h});
        }
    }
    return sides;
}

// Whether the player could open a door of this type once he holds every card.
static bool OpensForThePlayer(const std::string& name)
{
    uint8_t saved[CARD_COUNT];
    std::copy(CardHeld, CardHeld + CARD_COUNT, saved);
    std::fill(CardHeld, CardHeld + CARD_COUNT, 1);
    bool opens = PlayerCanOpen(name);
    std::copy(saved, saved + CARD_COUNT, CardHeld);
    return opens;
}

static faults_t CheckDoor(int d)
{
    faults_t faults;
    const object_struct& door = Objects[d];
    const std::string name = ObjectTypeOf(door).name;
    const cell_struct at = {door.cell_x, door.cell_y};
    const std::string where = name + " at " + Cell(at);
    if (!OpensForThePlayer(name))
        faults.push_back(Fault(FAULT_DOOR_NEVER_OPENS, at, where + " never opens for the player", name));
    int w, h;
    ObjectFootprint(door, &w, &h);
    std::vector<cell_struct> zone = DoorSides(door);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            zone.push_back({door.cell_x + i, door.cell_y + j});
    for (const cell_struct& c : DoorSides(door)) {
        if (!CellInside(c.x, c.y) || !IsCellWalkable(CellIndex(c.x, c.y))) {
            faults.push_back(Fault(FAULT_DOOR_BLOCKED, c, where + " is blocked on one side at " + Cell(c), name));
            return faults;
        }
    }
    for (const cell_struct& c : zone) {
        if (CellInside(c.x, c.y) && DoorZoneMap[CellIndex(c.x, c.y)] != d) {
            faults.push_back(Fault(FAULT_DOORWAY_SHARED, c,
                                   where + " shares its doorway at " + Cell(c) + " with another door", name));
            break;
        }
    }
    return faults;
}

faults_t CheckDoors()
{
    faults_t faults;
    for (int d : DoorList)
        for (const storey_fault_struct& f : CheckDoor(d))
            faults.push_back(f);
    return faults;
}

static bool StoreyHasDoor(const std::string& name)
{
    for (int d : DoorList)
        if (ObjectTypeOf(Objects[d]).name == name)
            return true;
    return false;
}

static void CheckCard(int k, faults_t& faults)
{
    const cell_struct c = CardCell[k];
    const std::string card = std::string("the ") + CardNames[k] + " card";
    size_t first = faults.size();
    if (c.x >= 0 && (!CellInside(c.x, c.y) || !IsCellWalkable(CellIndex(c.x, c.y))))
        faults.push_back(
            Fault(FAULT_CARD_COVERED, c, card + " at " + Cell(c) + " lies off the storey or under something"));
    if (k != CARD_LIFT) {
        bool door = StoreyHasDoor(DoorOfCard[k]);
        if (door && c.x < 0)
            faults.push_back(Fault(FAULT_DOORS_WITHOUT_CARD, c,
                                   std::string("the ") + DoorOfCard[k] + " doors open for anyone: " + card +
                                       " is missing"));
        if (!door && c.x >= 0)
            faults.push_back(Fault(FAULT_CARD_WITHOUT_DOOR, c,
                                   card + " opens nothing: no " + DoorOfCard[k] + " in the storey"));
    }
    for (size_t i = first; i < faults.size(); i++) {
        faults[i].card = k;
        faults[i].name = DoorOfCard[k];
    }
}

faults_t CheckCardsAndLift()
{
    faults_t faults;
    const cell_struct lift = {LiftX, LiftY};
    if (LiftX < 0 || LiftY < 0 || LiftX >= LevelWidth - 1 || LiftY >= LevelHeight - 1)
        faults.push_back(Fault(FAULT_LIFT_OFF_STOREY, lift, "the lift at " + Cell(lift) + " is off the storey"));
    if (CardCell[CARD_LIFT].x < 0)
        faults.push_back(
            Fault(FAULT_NO_LIFT_CARD, lift, "there is no lift card: the lift lets the player go at once"));
    for (int k = 0; k < CARD_COUNT; k++)
        CheckCard(k, faults);
    return faults;
}

// What is wrong with an enemy's start, at most one thing; kind -1 for nothing.
static storey_fault_struct CheckEnemyStart(const enemy_start_struct& e)
{
    const cell_struct at = {e.cell_x, e.cell_y};
    const std::string where = "the enemy at " + Cell(at);
    if (!CellInside(e.cell_x, e.cell_y))
        return Fault(FAULT_ENEMY_OFF_STOREY, at, where + " is off the storey");
    if (!IsCellWalkable(CellIndex(e.cell_x, e.cell_y))) {
        const std::string inside = ObjectTypeOf(Objects[ObjectMap[CellIndex(e.cell_x, e.cell_y)]]).name;
        return Fault(FAULT_ENEMY_INSIDE, at, where + " stands inside " + inside, inside);
    }
    // An enemy whose centre lies in the outer frame has every step taken back.
    if (e.cell_x < 1 || e.cell_y < 1 || e.cell_x > LevelWidth - 3 || e.cell_y > LevelHeight - 3)
        return Fault(FAULT_ENEMY_IN_FRAME, at, where + " stands in the storey's outer frame, where enemies cannot walk");
    if (std::abs(e.cell_x - PlayerStartX) < StartClearance && std::abs(e.cell_y - PlayerStartY) < StartClearance)
        return Fault(FAULT_ENEMY_NEAR_START, at, where + " stands next to the player's start");
    return Fault(-1, at, "");
}

faults_t CheckEnemyStarts()
{
    faults_t faults;
    for (const enemy_start_struct& e : EnemyStarts) {
        storey_fault_struct f = CheckEnemyStart(e);
        if (f.kind >= 0)
            faults.push_back(f);
    }
    return faults;
}

faults_t CheckFloorsUnderfoot(const storey_walk_struct& walk)
{
    std::vector<char> covered((size_t)LevelWidth * LevelHeight, 0);
    for (int y = 0; y < LevelHeight; y++) {
        for (int x = 0; x < LevelWidth; x++) {
            int t = FloorMap[CellIndex(x, y)];
            if (t < 0 || t >= (int)FloorTypes.size())
                continue;
            // A large floor picture lies in its top-left cell and covers the rest.
            for (int j = 0; j < FloorTypes[t].height; j++)
                for (int i = 0; i < FloorTypes[t].width; i++)
                    if (CellInside(x + i, y + j))
                        covered[CellIndex(x + i, y + j)] = 1;
        }
    }
    int bare = 0;
    cell_struct first = {-1, -1};
    for (int y = 0; y < LevelHeight; y++) {
        for (int x = 0; x < LevelWidth; x++) {
            if (walk.reached[CellIndex(x, y)] && !covered[CellIndex(x, y)]) {
                if (bare++ == 0)
                    first = {x, y};
            }
        }
    }
    if (bare == 0)
        return {};
    storey_fault_struct f = Fault(FAULT_BARE_FLOOR, first,
                                  "reached cells without a floor: " + std::to_string(bare) + ", the first at " +
                                      Cell(first));
    f.count = bare;
    return {f};
}

static bool StoreyHasFloor(const std::string& name)
{
    for (int t : FloorMap)
        if (t >= 0 && t < (int)FloorTypes.size() && FloorTypes[t].name == name)
            return true;
    return false;
}

faults_t CheckUniformsStandOut()
{
    faults_t faults;
    for (const uniform_clash_struct& clash : UniformClashes) {
        if (!StoreyHasFloor(clash.floor))
            continue;
        for (const enemy_start_struct& e : EnemyStarts) {
            if (e.hands_set == clash.hands_set) {
                const cell_struct at = {e.cell_x, e.cell_y};
                faults.push_back(Fault(FAULT_UNIFORM_VANISHES, at,
                                       std::string(clash.uniform) + " vanishes on the storey's " + clash.floor +
                                           " (the enemy at " + Cell(at) + ")",
                                       clash.floor));
                faults.back().uniform = clash.hands_set;
                break;
            }
        }
    }
    return faults;
}

faults_t CheckStoreyPlay(const storey_walk_struct& walk)
{
    faults_t faults;
    for (auto rule : {CheckFinish(walk), CheckDoors(), CheckCardsAndLift(), CheckEnemyStarts(),
                      CheckFloorsUnderfoot(walk), CheckUniformsStandOut()})
        faults.insert(faults.end(), rule.begin(), rule.end());
    return faults;
}

faults_t CheckStorey(const storey_walk_struct& walk)
{
    faults_t faults = CheckStoreySize(40, 80);
    faults_t play = CheckStoreyPlay(walk);
    faults.insert(faults.end(), play.begin(), play.end());
    return faults;
}

std::vector<std::string> FaultTexts(const faults_t& faults)
{
    std::vector<std::string> texts;
    for (const storey_fault_struct& f : faults)
        texts.push_back(f.text);
    return texts;
}

// --- points

// Breaking an object earns its bonus; remains that can be broken again earn
// theirs too. The chain is cut short should the catalogue ever loop.
static int BreakBonus(int type, int depth = 0)
{
    if (type < 0 || type >= (int)ObjectTypes.size() || depth > 8)
        return 0;
    const object_type_struct& t = ObjectTypes[type];
    if (t.kind != KIND_FURNITURE && t.kind != KIND_FURNITURE_B)
        return 0;
    return t.bonus + BreakBonus(FindObjectType(t.remains), depth + 1);
}

static bool ObjectInReach(const storey_walk_struct& walk, const object_struct& o)
{
    int w, h;
    ObjectFootprint(o, &w, &h);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            if (NextToReached(walk, o.cell_x + i, o.cell_y + j))
                return true;
    return false;
}

int StoreyBonusPoints(const storey_walk_struct& walk)
{
    int points = 0;
    for (const object_struct& o : Objects)
        if (ObjectInReach(walk, o))
            points += BreakBonus(o.type);
    for (const enemy_start_struct& e : EnemyStarts)
        if (NextToReached(walk, e.cell_x, e.cell_y))
            points += 1;
    return points;
}

std::vector<int> NeedsByStorey(int storeys)
{
    std::vector<int> cost(storeys + 1, 0);
    for (const storey_need_struct& n : CampaignNeeds)
        if (n.storey >= 1 && n.storey <= storeys)
            cost[n.storey] += Goods[n.good].price;
    for (int s = 1; s <= storeys; s++)
        cost[s] += cost[s - 1];
    return cost;
}

std::vector<std::string> CheckCampaignBudget(const std::vector<int>& pointsPerStorey)
{
    std::vector<std::string> faults;
    const int storeys = (int)pointsPerStorey.size();
    std::vector<int> needs = NeedsByStorey(storeys);
    int offered = 0;
    for (int k = 1; k < storeys; k++) {
        offered += pointsPerStorey[k - 1];
        int earned = offered * ThoroughPercent / 100;
        if (earned < needs[k + 1])
            faults.push_back("storeys 1 to " + std::to_string(k) + " offer " + std::to_string(offered) +
                             " points, of which a player earns about " + std::to_string(earned) + "; storey " +
                             std::to_string(k + 1) + " needs " + std::to_string(needs[k + 1]) + " spent by then");
    }
    return faults;
}
