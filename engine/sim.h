// Hooks for programs that drive the engine without a player: the headless
// runner, the level compiler and tests. The engine then uses SDL's dummy
// video and audio drivers, a fixed frame time, a fixed random seed and
// scripted input, and records every sound started and message box shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/input_script.h"

struct SimScreenshot {
    int frame;         // after this frame is drawn; -1 after the last frame
    std::string file;  // PNG
};

struct SimOptions {
    int frames = 0;            // frames System_Start runs before it returns
    float dt = 1.0f / 60.0f;   // frame time unless the script gives one
    uint32_t seed = 1;         // what Random_Seed(0) uses instead of the clock
    std::vector<InputEvent> events;
    std::vector<SimScreenshot> screenshots;
    // Frames are updated but not drawn, except those a screenshot is taken
    // of: a long replay checked by its state runs many times faster.
    bool skipDrawing = false;
    // Called before every frame, after the script's events for it are taken:
    // the events it appends are that frame's input too. A program that plays
    // by itself, watching the game's state, gives its keys and mouse here.
    void (*beforeFrame)(int frame, std::vector<InputEvent>* events) = nullptr;
    // Called after every frame (drawn and screenshot); the runner checks the
    // game's state here. True stops the run.
    bool (*afterFrame)(int frame) = nullptr;
};

// Switches the engine to headless, scripted running; call before System_Initiate.
void EngineRunHeadless(const SimOptions& options);

struct EngineEvent {
    int frame;         // the frame it happened in; -1 before the loop
    std::string kind;  // "sound" or "message"
    std::string text;  // sound file name, or message text in UTF-8
};

// Every sound started and message box shown so far, in order.
const std::vector<EngineEvent>& EngineEventRecord();
void RecordEngineEvent(const std::string& kind, const std::string& text);

struct FrameTimes {
    int frames = 0;
    double seconds = 0;     // wall time of the whole loop
    double updateMean = 0, updateWorst = 0;   // seconds per frame
    std::vector<double> updates;              // every frame's update time, in order
    double renderMean = 0, renderWorst = 0;
    std::vector<double> renders;              // every frame's drawing time, in order
    std::vector<double> processor;            // every frame's processor time, update and drawing
    double firstPicture = 0;  // seconds from the process start to the end of the first frame
    // Pictures and sounds decoded between frames, ahead of their use.
    double decodeAhead = 0, decodeAheadWorst = 0;
};

// Timing of the frames run so far by System_Start.
FrameTimes EngineFrameTimes();

// Reads, decodes and measures a sound file through the engine's decoder
// (the audio device must be open: after System_Initiate).
struct SoundFileInfo {
    bool ok = false;
    double seconds = 0;
    double peak = 0;  // largest absolute sample, 0..1
};
SoundFileInfo InspectSoundFile(const std::string& name);
