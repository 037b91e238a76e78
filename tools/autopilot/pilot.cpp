#include "tools/autopilot/pilot.h"

#include "frame/modes.h"
#include "tools/autopilot/pilot_input.h"
#include "tools/autopilot/pilot_novice.h"
#include "tools/autopilot/pilot_parts.h"

pilot_report_struct PilotReport;
pilot_settings_struct PilotSettings;

static bool Done = false;

void StartPilot(const pilot_settings_struct& settings)
{
    PilotSettings = settings;
    PilotReport = pilot_report_struct();
    Done = false;
    ResetPilotInput();
    ResetPlay();
    StartNovice(settings.novice, settings.seed);
}

void PilotFrame(int frame, std::vector<InputEvent>* events)
{
    BeginPilotInput(frame, events);
    if (Done)
        return;
    if (PilotReport.died) {
        Done = true;
        return;
    }
    if (GameMode == MODE_GAME && GameStage == STAGE_PLAY && !PlayOver()) {
        PlayFrame(frame);
        return;
    }
    // Up the lift: the next storey's intro, or the final picture.
    PilotReport.finished = PlayOver();
    if (PlayOver() && GameMode == MODE_GAME && !PilotSettings.quitAfterLift) {
        ReleaseAllKeys();
        Done = GameStage != STAGE_PLAY;
        return;
    }
    ScreensFrame(frame);
}

bool PilotDone()
{
    return Done;
}
