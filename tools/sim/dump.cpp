#include "tools/sim/dump.h"

#include "assets/catalogue.h"
#include "assets/character_sets.h"
#include "assets/music.h"
#include "assets/translation.h"
#include "engine/cp1251.h"
#include "engine/sim.h"
#include "frame/resources.h"
#include "frame/modes.h"
#include "tools/sim/dump_parts.h"
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

static void DumpCatalogue(json_writer_struct& w)
{
    JsonBeginArray(w, "FloorTypes");
    for (const floor_type_struct& f : FloorTypes) {
        JsonBeginObject(w);
        JsonString(w, "name", f.name);
        JsonBool(w, "animation", f.animation != nullptr);
        JsonInt(w, "width", f.width);
        JsonInt(w, "height", f.height);
        JsonEndObject(w);
    }
    JsonEndArray(w);
    JsonBeginArray(w, "ObjectTypes");
    for (const object_type_struct& o : ObjectTypes) {
        JsonBeginObject(w);
        JsonString(w, "name", o.name);
        JsonBool(w, "animation", o.animation != nullptr);
        JsonInt(w, "kind", o.kind);
        JsonString(w, "remains", o.remains);
        JsonInt(w, "bonus", o.bonus);
        JsonInt(w, "size", o.size);
        JsonInt(w, "hit_chance", o.hit_chance);
        JsonInt(w, "armor", o.armor);
        JsonInt(w, "width", o.width);
        JsonInt(w, "height", o.height);
        JsonEndObject(w);
    }
    JsonEndArray(w);
    JsonBeginArray(w, "TextureRegistry");
    for (const texture_struct& t : TextureRegistry) {
        JsonBeginObject(w);
        JsonString(w, "name", t.name);
        JsonBool(w, "loaded", t.handle != 0);
        JsonEndObject(w);
    }
    JsonEndArray(w);
    JsonInt(w, "LegsSets", (long long)LegsSets.size());
    JsonInt(w, "HandsSets", (long long)HandsSets.size());
    JsonInt(w, "HeadSets", (long long)HeadSets.size());
    JsonBeginArray(w, "NullSprites");
    for (int i = 0; i < SPRITE_COUNT; i++)
        if (!Sprites[i])
            JsonInt(w, nullptr, i);
    JsonEndArray(w);
    JsonBool(w, "MusicOn", MusicOn);
    JsonBool(w, "SoundOn", SoundOn);
    JsonString(w, "Language", LanguageCode());
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
    DumpCatalogue(w);
    DumpStorey(w);
    DumpPlayer(w);
    DumpFoes(w);
    DumpEditor(w);
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
