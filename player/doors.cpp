#include "player/doors.h"

#include <cmath>
#include <cstdlib>

#include "frame/program.h"
#include "frame/resources.h"
#include "player/body.h"
#include "player/movement.h"
#include "world/campaign.h"
#include "world/player_state.h"
#include "world/storey.h"

void HoldDoor(int d)
{
    if (d < 0 || d >= (int)Objects.size())
        return;
    object_struct& door = Objects[d];
    hgeAnimation* a = door.anim.get();
    switch (door.door_state) {
    case DOOR_CLOSED:
        if (a) {
            a->SetMode(HGEANIM_FWD);
            a->Play();
        }
        door.door_state = DOOR_OPENING;
        break;
    case DOOR_CLOSING:
        if (a) {
            int frame = a->GetFrame();
            a->SetMode(HGEANIM_FWD);
            a->SetFrame(frame);
        }
        door.door_state = DOOR_OPENING;
        break;
    case DOOR_OPEN: door.door_state = DOOR_HELD; break;
    }
}

void HoldDoorAt(int x, int y)
{
    if (CellInside(x, y))
        HoldDoor(DoorZoneMap[CellIndex(x, y)]);
}

void UpdateDoors(float dt)
{
    for (int d : DoorList) {
        object_struct& door = Objects[d];
        hgeAnimation* a = door.anim.get();
        switch (door.door_state) {
        case DOOR_CLOSING:
        case DOOR_OPENING:
            UpdateAnimation(a, dt);
            if (!AnimationPlaying(a))
                door.door_state = door.door_state == DOOR_OPENING ? DOOR_OPEN : DOOR_CLOSED;
            break;
        case DOOR_OPEN:
            if (a) {
                a->SetMode(HGEANIM_REV);
                a->Play();
            }
            door.door_state = DOOR_CLOSING;
            break;
        case DOOR_HELD: door.door_state = DOOR_OPEN; break;
        }
    }
}

bool PlayerCanOpen(const std::string& doorType)
{
    if (doorType == "Door")
        return true;
    if (doorType == "RedDoor")
        return CardHeld[CARD_RED];
    if (doorType == "GreenDoor")
        return CardHeld[CARD_GREEN];
    if (doorType == "BlueDoor")
        return CardHeld[CARD_BLUE];
    return false;
}

void PlayerHoldsDoor()
{
    if (!CellInside(PlayerCellX, PlayerCellY))
        return;
    int d = DoorZoneMap[CellIndex(PlayerCellX, PlayerCellY)];
    if (d >= 0 && PlayerCanOpen(ObjectTypeOf(Objects[d]).name))
        HoldDoor(d);
}

static bool PushingLockedDoor = false;

// A closed door in the cell just beyond the player's body along one axis of
// the way he walks, that he may not open.
static bool LockedDoorBeyond(float dx, float dy)
{
    float reach = man_radius + 2;
    int x = CellOfCoordinate(PlayerX + dx * reach, CellWidth), y = CellOfCoordinate(PlayerY + dy * reach, CellHeight);
    if (!CellInside(x, y))
        return false;
    int o = ObjectMap[CellIndex(x, y)];
    return o >= 0 && Objects[o].is_door && Objects[o].door_state < DOOR_OPEN &&
           !PlayerCanOpen(ObjectTypeOf(Objects[o]).name);
}

// A diagonal push is tested along both its axes, since the door may lie on
// either side of the corner he is stuck in.
void NoticeDoorPush(bool pushing, float direction)
{
    float dx = cosf(direction), dy = sinf(direction);
    const float along = 0.3f;
    bool locked = pushing && ((fabsf(dx) > along && LockedDoorBeyond(dx > 0 ? 1 : -1, 0)) ||
                              (fabsf(dy) > along && LockedDoorBeyond(0, dy > 0 ? 1 : -1)));
    if (locked && !PushingLockedDoor)
        PlaySound(SND_ERROR);
    PushingLockedDoor = locked;
}

void PickUpCards()
{
    for (int k = 0; k < CARD_COUNT; k++) {
        cell_struct& c = CardCell[k];
        if (c.x >= 0 && std::abs(c.x - PlayerCellX) <= 1 && std::abs(c.y - PlayerCellY) <= 1) {
            c = {-1, -1};
            CardHeld[k] = 1;
            CardPickedUp[k] = 1;
        }
    }
}

bool InLiftArea(int x, int y)
{
    return x >= LiftX - 1 && x <= LiftX + 2 && y >= LiftY - 1 && y <= LiftY + 2;
}

void UseLift()
{
    // The player's cell is the one found in the previous frame.
    if (InLiftArea(PlayerCellX, PlayerCellY)) {
        if (CardHeld[CARD_LIFT]) {
            int r = hge->Random_Int(1, 4);
            Health += r;
            MaxHealth += r;
            NextCampaignStep();
        } else {
            PlaySound(SND_ERROR);
        }
    }
    BonusPopupTime = 2.0f;
}
