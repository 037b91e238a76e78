// The sections of the state dump, one per subsystem.
#pragma once

#include "tools/sim/json.h"

void DumpStorey(json_writer_struct& w);
void DumpPlayer(json_writer_struct& w);
void DumpFoes(json_writer_struct& w);
void DumpEditor(json_writer_struct& w);
