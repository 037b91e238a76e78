// The storey checker in the editor (F9): its verdict on the storey being
// edited, whether it can be finished or the first reason why not, and the
// place to look at, shown until the storey changes.
#pragma once

#include <string>
#include <vector>

#include "world/storey.h"

// Runs the checker and brings the first fault's place into view.
void CheckEditedStorey();
// Whether the last verdict still holds (the storey has not changed since).
bool VerdictShown();
// The verdict's lines, and the place marked (-1, -1 for none).
std::vector<std::string> VerdictLines();
cell_struct VerdictPlace();
