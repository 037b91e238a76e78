#include "foes/enemy_ai.h"

#include "foes/combat.h"
#include "foes/enemies.h"
#include "player/doors.h"

void UpdateEnemies(float dt)
{
    for (const enemy_struct& c : Corpses)
        HoldDoorAt(c.cell_x, c.cell_y);
    for (size_t i = 0; i < Enemies.size();) {
        enemy_struct& e = Enemies[i];
        HoldDoorAt(e.cell_x, e.cell_y);
        bool finished = false;
        if (e.dead)
            finished = EnemyAnimationsStopped(e);
        else if (e.health <= 0)
            KillEnemy((int)i);
        // A living enemy's perception, decision and movement come here.
        UpdateAnimation(e.legs_anim.get(), dt);
        UpdateAnimation(e.hands_anim.get(), dt);
        UpdateAnimation(e.head_anim.get(), dt);
        if (finished)
            MoveEnemyToCorpses((int)i);
        else
            i++;
    }
}
