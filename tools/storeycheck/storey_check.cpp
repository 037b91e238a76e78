#include "tools/storeycheck/storey_check.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

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

// --- walking

static bool PlayerMayPass(int x, int y)
{
    if (!CellInside(x, y))
        return false;
    int i = ObjectMap[CellIndex(x, y)];
    if (i >= 0 && Objects[i].is_door)
        return PlayerCanOpen(ObjectTypeOf(Objects[i]).name);
    return IsCellWalkable(CellIndex(x, y));
}

bool CornerFree(int x, int y)
{
    return PlayerMayPass(x - 1, y - 1) && PlayerMayPass(x, y - 1) && PlayerMayPass(x - 1, y) && PlayerMayPass(x, y);
}

static void Flood(storey_walk_struct& walk)
{
    walk.reached.assign((size_t)LevelWidth * LevelHeight, 0);
    const int cornersWide = LevelWidth + 1;
    std::vector<char> seen((size_t)cornersWide * (LevelHeight + 1), 0);
    std::vector<cell_struct> todo;
    if (CornerFree(PlayerStartX, PlayerStartY))
        todo.push_back({PlayerStartX, PlayerStartY});
    while (!todo.empty()) {
        cell_struct c = todo.back();
        todo.pop_back();
        char& s = seen[c.x + (size_t)c.y * cornersWide];
        if (s)
            continue;
        s = 1;
        for (int j = -1; j <= 0; j++)
            for (int i = -1; i <= 0; i++)
                walk.reached[CellIndex(c.x + i, c.y + j)] = 1;
        const cell_struct next[4] = {{c.x + 1, c.y}, {c.x - 1, c.y}, {c.x, c.y + 1}, {c.x, c.y - 1}};
        for (const cell_struct& n : next)
            if (CornerFree(n.x, n.y))
                todo.push_back(n);
    }
}

static bool Reached(const storey_walk_struct& walk, int x, int y)
{
    return CellInside(x, y) && walk.reached[CellIndex(x, y)];
}

// Cards and furniture are within reach from the eight cells around them.
static bool NextToReached(const storey_walk_struct& walk, int x, int y)
{
    for (int j = -1; j <= 1; j++)
        for (int i = -1; i <= 1; i++)
            if (Reached(walk, x + i, y + j))
                return true;
    return false;
}

static bool TakeCardsInReach(storey_walk_struct& walk)
{
    bool found = false;
    for (int k = 0; k < CARD_COUNT; k++) {
        if (!walk.held[k] && NextToReached(walk, CardCell[k].x, CardCell[k].y)) {
            walk.held[k] = true;
            walk.cardOrder.push_back(k);
            found = true;
        }
    }
    return found;
}

static bool LiftAreaReached(const storey_walk_struct& walk)
{
    for (int y = LiftY - 1; y <= LiftY + 2; y++)
        for (int x = LiftX - 1; x <= LiftX + 2; x++)
            if (Reached(walk, x, y))
                return true;
    return false;
}

storey_walk_struct WalkStorey()
{
    storey_walk_struct walk;
    uint8_t saved[CARD_COUNT];
    for (int k = 0; k < CARD_COUNT; k++) {
        saved[k] = CardHeld[k];
        walk.held[k] = CardCell[k].x < 0;
    }
    walk.startFree = CornerFree(PlayerStartX, PlayerStartY);
    // The doors ask the held cards, as they do in play.
    do {
        for (int k = 0; k < CARD_COUNT; k++)
            CardHeld[k] = walk.held[k];
        Flood(walk);
    } while (TakeCardsInReach(walk));
    std::copy(saved, saved + CARD_COUNT, CardHeld);
    walk.liftReached = walk.held[CARD_LIFT] && LiftAreaReached(walk);
    return walk;
}

// --- the route

std::vector<cell_struct> WayOnFoot(cell_struct from, const std::function<bool(int, int)>& goal)
{
    const int cornersWide = LevelWidth + 1;
    std::vector<int> came((size_t)cornersWide * (LevelHeight + 1), -2);
    std::vector<cell_struct> queue = {from};
    came[from.x + (size_t)from.y * cornersWide] = -1;
    for (size_t head = 0; head < queue.size(); head++) {
        cell_struct c = queue[head];
        if (goal(c.x, c.y)) {
            std::vector<cell_struct> way;
            for (int i = c.x + c.y * cornersWide; i >= 0; i = came[i])
                way.push_back({i % cornersWide, i / cornersWide});
            std::reverse(way.begin(), way.end());
            return way;
        }
        const cell_struct next[4] = {{c.x + 1, c.y}, {c.x - 1, c.y}, {c.x, c.y + 1}, {c.x, c.y - 1}};
        for (const cell_struct& n : next) {
            if (!CornerFree(n.x, n.y) || came[n.x + (size_t)n.y * cornersWide] != -2)
                continue;
            came[n.x + (size_t)n.y * cornersWide] = c.x + c.y * cornersWide;
            queue.push_back(n);
        }
    }
    return {};
}

static bool AppendLeg(std::vector<cell_struct>& route, const std::function<bool(int, int)>& goal)
{
    std::vector<cell_struct> way = WayOnFoot(route.back(), goal);
    if (way.empty())
        return false;
    route.insert(route.end(), way.begin() + 1, way.end());
    return true;
}

std::vector<cell_struct> StoreyRoute(const storey_walk_struct& walk)
{
    if (!walk.startFree || !walk.liftReached)
        return {};
    uint8_t saved[CARD_COUNT];
    for (int k = 0; k < CARD_COUNT; k++) {
        saved[k] = CardHeld[k];
        CardHeld[k] = CardCell[k].x < 0;
    }
    std::vector<cell_struct> route = {{PlayerStartX, PlayerStartY}};
    bool found = true;
    for (int k : walk.cardOrder) {
        // From a corner of the card's cell the player's cell is within one of it.
        const cell_struct card = CardCell[k];
        found = found && AppendLeg(route, [card](int x, int y) {
                    return x >= card.x && x <= card.x + 1 && y >= card.y && y <= card.y + 1;
                });
        CardHeld[k] = 1;
    }
    found = found && AppendLeg(route, [](int x, int y) {
                return x >= LiftX && x <= LiftX + 2 && y >= LiftY && y <= LiftY + 2;
            });
    std::copy(saved, saved + CARD_COUNT, CardHeld);
    return found ? route : std::vector<cell_struct>{};
}

// --- rules

std::vector<std::string> CheckStoreySize(int smallest, int largest)
{
    std::vector<std::string> faults;
    if (LevelWidth < smallest || LevelHeight < smallest || LevelWidth > largest || LevelHeight > largest)
        faults.push_back("the storey is " + std::to_string(LevelWidth) + " x " + std::to_string(LevelHeight) +
                         " cells, not between " + std::to_string(smallest) + " and " + std::to_string(largest));
    return faults;
}

std::vector<std::string> CheckFinish(const storey_walk_struct& walk)
{
    std::vector<std::string> faults;
    if (!walk.startFree) {
        faults.push_back("no room for the player at the start " + Cell(PlayerStartX, PlayerStartY) +
                         " (the four cells around its top-left corner must be free)");
        return faults;
    }
    for (int k = 0; k < CARD_COUNT; k++)
        if (!walk.held[k])
            faults.push_back(std::string("the ") + CardNames[k] + " card at " + Cell(CardCell[k].x, CardCell[k].y) +
                             " cannot be reached");
    if (walk.held[CARD_LIFT] && !walk.liftReached)
        faults.push_back("the lift at " + Cell(LiftX, LiftY) + " cannot be reached");
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

static std::vector<std::string> CheckDoor(int d)
{
    std::vector<std::string> faults;
    const object_struct& door = Objects[d];
    const std::string name = ObjectTypeOf(door).name;
    const std::string where = name + " at " + Cell(door.cell_x, door.cell_y);
    if (!OpensForThePlayer(name))
        faults.push_back(where + " never opens for the player");
    int w, h;
    ObjectFootprint(door, &w, &h);
    std::vector<cell_struct> zone = DoorSides(door);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            zone.push_back({door.cell_x + i, door.cell_y + j});
    for (const cell_struct& c : DoorSides(door)) {
        if (!CellInside(c.x, c.y) || !IsCellWalkable(CellIndex(c.x, c.y))) {
            faults.push_back(where + " is blocked on one side at " + Cell(c.x, c.y));
            return faults;
        }
    }
    for (const cell_struct& c : zone) {
        if (CellInside(c.x, c.y) && DoorZoneMap[CellIndex(c.x, c.y)] != d) {
            faults.push_back(where + " shares its doorway at " + Cell(c.x, c.y) + " with another door");
            break;
        }
    }
    return faults;
}

std::vector<std::string> CheckDoors()
{
    std::vector<std::string> faults;
    for (int d : DoorList)
        for (const std::string& f : CheckDoor(d))
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

std::vector<std::string> CheckCardsAndLift()
{
    std::vector<std::string> faults;
    if (LiftX < 0 || LiftY < 0 || LiftX >= LevelWidth - 1 || LiftY >= LevelHeight - 1)
        faults.push_back("the lift at " + Cell(LiftX, LiftY) + " is off the storey");
    if (CardCell[CARD_LIFT].x < 0)
        faults.push_back("there is no lift card: the lift lets the player go at once");
    for (int k = 0; k < CARD_COUNT; k++) {
        const cell_struct c = CardCell[k];
        const std::string card = std::string("the ") + CardNames[k] + " card";
        if (c.x >= 0 && (!CellInside(c.x, c.y) || !IsCellWalkable(CellIndex(c.x, c.y))))
            faults.push_back(card + " at " + Cell(c.x, c.y) + " lies off the storey or under something");
        if (k == CARD_LIFT)
            continue;
        bool door = StoreyHasDoor(DoorOfCard[k]);
        if (door && c.x < 0)
            faults.push_back(std::string("the ") + DoorOfCard[k] + " doors open for anyone: " + card + " is missing");
        if (!door && c.x >= 0)
            faults.push_back(card + " opens nothing: no " + DoorOfCard[k] + " in the storey");
    }
    return faults;
}

std::vector<std::string> CheckEnemyStarts()
{
    std::vector<std::string> faults;
    for (const enemy_start_struct& e : EnemyStarts) {
        const std::string where = "the enemy at " + Cell(e.cell_x, e.cell_y);
        if (!CellInside(e.cell_x, e.cell_y))
            faults.push_back(where + " is off the storey");
        else if (!IsCellWalkable(CellIndex(e.cell_x, e.cell_y)))
            faults.push_back(where + " stands inside " + ObjectTypeOf(Objects[ObjectMap[CellIndex(e.cell_x, e.cell_y)]]).name);
        // An enemy whose centre lies in the outer frame has every step taken back.
        else if (e.cell_x < 1 || e.cell_y < 1 || e.cell_x > LevelWidth - 3 || e.cell_y > LevelHeight - 3)
            faults.push_back(where + " stands in the storey's outer frame, where enemies cannot walk");
        else if (std::abs(e.cell_x - PlayerStartX) < StartClearance && std::abs(e.cell_y - PlayerStartY) < StartClearance)
            faults.push_back(where + " stands next to the player's start");
    }
    return faults;
}

std::vector<std::string> CheckFloorsUnderfoot(const storey_walk_struct& walk)
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
    return {"reached cells without a floor: " + std::to_string(bare) + ", the first at " + Cell(first.x, first.y)};
}

static bool StoreyHasFloor(const std::string& name)
{
    for (int t : FloorMap)
        if (t >= 0 && t < (int)FloorTypes.size() && FloorTypes[t].name == name)
            return true;
    return false;
}

std::vector<std::string> CheckUniformsStandOut()
{
    std::vector<std::string> faults;
    for (const uniform_clash_struct& clash : UniformClashes) {
        if (!StoreyHasFloor(clash.floor))
            continue;
        for (const enemy_start_struct& e : EnemyStarts) {
            if (e.hands_set == clash.hands_set) {
                faults.push_back(std::string(clash.uniform) + " vanishes on the storey's " + clash.floor +
                                 " (the enemy at " + Cell(e.cell_x, e.cell_y) + ")");
                break;
            }
        }
    }
    return faults;
}

std::vector<std::string> CheckStorey(const storey_walk_struct& walk)
{
    std::vector<std::string> faults;
    for (auto rule : {CheckStoreySize(40, 80), CheckFinish(walk), CheckDoors(), CheckCardsAndLift(),
                      CheckEnemyStarts(), CheckFloorsUnderfoot(walk), CheckUniformsStandOut()})
        faults.insert(faults.end(), rule.begin(), rule.end());
    return faults;
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
