#include "tools/sim/dump.h"

#include "engine/sim.h"
#include "frame/modes.h"
#include "tools/sim/json.h"

static void DumpModes(json_writer_struct& w)
{
    JsonInt(w, "GameMode", GameMode);
    JsonInt(w, "GameStage", GameStage);
    JsonInt(w, "WorldMode", WorldMode);
    JsonBool(w, "DeveloperMode", DeveloperMode);
    JsonBool(w, "ZoomOn", ZoomOn);
    JsonBeginObject(w, "ViewCentre");
    JsonFloat(w, "x", ViewCentre.x);
    JsonFloat(w, "y", ViewCentre.y);
    JsonEndObject(w);
}

static void DumpEvents(json_writer_struct& w, const char* key, const char* kind, const char* field)
{
    JsonBeginArray(w, key);
    for (const EngineEvent& e : EngineEventRecord()) {
        if (e.kind != kind)
            continue;
        JsonBeginObject(w);
        JsonInt(w, "frame", e.frame);
        JsonString(w, field, e.text);
        JsonEndObject(w);
    }
    JsonEndArray(w);
}

static void DumpRecord(json_writer_struct& w)
{
    JsonInt(w, "frames", EngineFrameTimes().frames);
    DumpEvents(w, "sounds", "sound", "file");
    DumpEvents(w, "messages", "message", "text");
}

std::string DumpGameState()
{
    json_writer_struct w;
    JsonBeginObject(w);
    DumpModes(w);
    DumpRecord(w);
    JsonEndObject(w);
    return w.text + "\n";
}

std::string DumpEventsOnly()
{
    json_writer_struct w;
    JsonBeginObject(w);
    JsonBool(w, "started", false);
    DumpRecord(w);
    JsonEndObject(w);
    return w.text + "\n";
}
