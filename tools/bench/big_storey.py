#!/usr/bin/python3
"""Writes a large storey map for the frame-time benchmark: carpet everywhere,
walls around a grid of rooms, and furniture scattered at random (fixed seed).

    big_storey.py SIZE OBJECTS > big.map
"""
import random
import sys

size = int(sys.argv[1]) if len(sys.argv) > 1 else 200
wanted = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
rng = random.Random(size * 7919 + wanted)

grid = [[" "] * size for _ in range(size)]
placed = 0
# Rooms of 12 x 12 cells: walls with a 2-cell opening in each side.
for y in range(size):
    for x in range(size):
        edge = x in (0, size - 1) or y in (0, size - 1)
        wall_x, wall_y = x % 12 == 0, y % 12 == 0
        opening = (wall_x and y % 12 in (5, 6)) or (wall_y and x % 12 in (5, 6))
        if edge or ((wall_x or wall_y) and not opening):
            grid[y][x] = "#"
            placed += 1
# Chairs, computers and printers (1 x 1) inside the rooms.
kinds = "cpk"
while placed < wanted:
    x, y = rng.randrange(1, size - 1), rng.randrange(1, size - 1)
    if grid[y][x] == " " and (x % 12) not in (5, 6) and (y % 12) not in (5, 6):
        grid[y][x] = rng.choice(kinds)
        placed += 1

print(f"size {size} {size}")
print("legend")
print(". floor CarpetGrey")
print("# object WallPlaster")
print("c object Chair")
print("p object Computer")
print("k object Printer")
print("S start")
print("L lift")
print("floors")
for _ in range(size):
    print("." * size)
print("objects")
for row in grid:
    print("".join(row))
print("marks")
print()
print(" S" + " " * 6 + "L")
for _ in range(size - 2):
    print()
