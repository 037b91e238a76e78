// Every text the editor shows beyond its first help lines, in Windows-1251
// Russian: the key help, the file dialogs and their messages, the test run
// and the checker's verdict. Each is shown through Tr, in the player's
// language.
#pragma once

#include <string>

#include "world/storey.h"

// "Карта для лифта: ", "Красная карта: ", ... (a card's label, with its colon).
extern const char* const CardLabels[CARD_COUNT];
// The weapon words of the enemy tool, each with its line break.
extern const char* const WeaponWords[6];

// Key help: the keys of every tool, then those of each tool and palette.
extern const char* const HelpCommonKeys;
extern const char* const HelpFloorKeys;
extern const char* const HelpEnemyKeys;
extern const char* const HelpPlaceKeys;  // player start and lift
extern const char* const HelpCardKeys;
extern const char* const HelpPaletteKeys;
extern const char* const HelpEnemyPaletteKeys;
extern const char* const HelpHidden;
extern const char* const TextSaveUnnamed;  // F5 of a storey without a name
extern const char* const TextChosen;       // "Выбрано: "
extern const char* const TextHistory;      // "Отмена/повтор: "
extern const char* const TextSelected;     // "Выбран враг: "

// File dialogs.
extern const char* const TextSaveAsTitle;
extern const char* const TextSaveAsKeys;
extern const char* const TextNameTaken;
extern const char* const TextNameFree;
extern const char* const TextOpenTitle;
extern const char* const TextOpenKeys;
extern const char* const TextNoStoreyFiles;
extern const char* const TextNewTitle;
extern const char* const TextNewWidth;
extern const char* const TextNewHeight;
extern const char* const TextNewKeys;

// Messages (shown for two seconds); most are followed by a file name.
extern const char* const TextSaved;
extern const char* const TextSaveFailed;
extern const char* const TextSaveFailedWhy;
extern const char* const TextLoaded;
extern const char* const TextLoadFailed;
extern const char* const TextNoSuchFile;
extern const char* const TextBrokenFile;
extern const char* const TextNewMade;
extern const char* const TextBadSize;
extern const char* const TextNameEmpty;
extern const char* const TextUndone;
extern const char* const TextRedone;
extern const char* const TextNothingToUndo;
extern const char* const TextNothingToRedo;
extern const char* const TextTestRunEnded[3];  // the player died, took the lift, pressed Escape
extern const char* const TextTestRunFailed;

// The checker's verdict.
extern const char* const TextCanFinish;
extern const char* const TextCannotFinish;
extern const char* const TextMoreFaults;

struct storey_fault_struct;
// A fault of the checker in words, with its place.
std::string FaultText(const storey_fault_struct& f);
