#include "editor/editor.h"
#include "editor/storey_files.h"
#include "editor/test_run.h"
#include "editor/undo.h"
#include "editor/verdict.h"
#include "engine/cp1251.h"
#include "tools/sim/dump_parts.h"
#include "world/level_file.h"

void DumpEditor(json_writer_struct& w)
{
    JsonBeginObject(w, "Editor");
    JsonInt(w, "EditorTool", EditorTool);
    JsonInt(w, "PaletteItem", PaletteItem);
    JsonBool(w, "PaletteOpen", PaletteOpen);
    JsonBool(w, "GridShown", GridShown);
    JsonBool(w, "OverlayHidden", OverlayHidden);
    JsonInt(w, "SelectedStart", SelectedStart);
    JsonInt(w, "FileDialog", FileDialog);
    JsonInt(w, "UndoSteps", UndoStepCount());
    JsonInt(w, "RedoSteps", RedoStepCount());
    JsonString(w, "Message", EditorMessageTime > 0 ? Utf8FromCp1251(EditorMessage) : "");
    JsonBeginArray(w, "Verdict");
    if (VerdictShown())
        for (const std::string& line : VerdictLines())
            JsonString(w, nullptr, Utf8FromCp1251(line));
    JsonEndArray(w);
    JsonBool(w, "TestRun", TestRunActive());
    JsonString(w, "StoreyName", LoadedLevelName);
    JsonEndObject(w);
}
