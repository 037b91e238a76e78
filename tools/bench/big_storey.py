#!/usr/bin/python3
"""Writes a large storey map for the frame-time benchmark: carpet everywhere,
walls around a grid of rooms, and furniture scattered at random (fixed seed).

    big_storey.py SIZE OBJECTS [ENEMIES] > big.map

With ENEMIES the player starts in the middle of the storey inside a pen of
pillars (they block walking, not sight) in an open hall, and that many
alerted office workers stand around the pen in his light: they see him and
chase him, but cannot reach him.
"""
import random
import sys

size = int(sys.argv[1]) if len(sys.argv) > 1 else 200
wanted = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
enemies = int(sys.argv[3]) if len(sys.argv) > 3 else 0
rng = random.Random(size * 7919 + wanted)

HALL_COLS, HALL_ROWS = 12, 9  # the hall reaches this far from the centre: the lit part of the screen
PEN = 4                       # the pillars stand this far from the centre
centre = size // 2


def in_hall(x, y):
    return enemies > 0 and abs(x - centre) <= HALL_COLS + 1 and abs(y - centre) <= HALL_ROWS + 1


grid = [[" "] * size for _ in range(size)]
placed = 0
# Rooms of 12 x 12 cells: walls with a 2-cell opening in each side.
for y in range(size):
    for x in range(size):
        edge = x in (0, size - 1) or y in (0, size - 1)
        wall_x, wall_y = x % 12 == 0, y % 12 == 0
        opening = (wall_x and y % 12 in (5, 6)) or (wall_y and x % 12 in (5, 6))
        if edge or ((wall_x or wall_y) and not opening and not in_hall(x, y)):
            grid[y][x] = "#"
            placed += 1
marks = [[" "] * size for _ in range(size)]
if enemies > 0:
    for y in range(centre - PEN, centre + PEN + 1):
        for x in range(centre - PEN, centre + PEN + 1):
            if max(abs(x - centre), abs(y - centre)) == PEN:
                grid[y][x] = "I"
                placed += 1
    free = [(x, y) for y in range(centre - HALL_ROWS, centre + HALL_ROWS + 1)
            for x in range(centre - HALL_COLS, centre + HALL_COLS + 1)
            if max(abs(x - centre), abs(y - centre)) > PEN + 1]
    for x, y in rng.sample(free, min(enemies, len(free))):
        marks[y][x] = "e"
    marks[centre][centre] = "S"
else:
    marks[1][1] = "S"
marks[1][8] = "L"
# Chairs, computers and printers (1 x 1) inside the rooms.
kinds = "cpk"
while placed < wanted:
    x, y = rng.randrange(1, size - 1), rng.randrange(1, size - 1)
    if grid[y][x] == " " and (x % 12) not in (5, 6) and (y % 12) not in (5, 6) and not in_hall(x, y):
        grid[y][x] = rng.choice(kinds)
        placed += 1

print(f"size {size} {size}")
print("legend")
print(". floor CarpetGrey")
print("# object WallPlaster")
print("c object Chair")
print("p object Computer")
print("k object Printer")
print("I object Pillar")
print("e enemy preset 1 alarm 15")
print("S start")
print("L lift")
print("floors")
for _ in range(size):
    print("." * size)
print("objects")
for row in grid:
    print("".join(row))
print("marks")
for row in marks:
    print("".join(row).rstrip())
