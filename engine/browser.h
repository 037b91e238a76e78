// The engine's side of running in a web page: the frame loop driven by the
// browser, full screen owned by the page, and files kept across visits.
// Internal to engine/; everything here exists only in the browser build.
#pragma once

#include <string>

#include "engine/hge.h"

class SdlEngine;

// Hands the frame loop to the browser, which calls it once per animation
// frame; never returns. When the game asks to stop, the loop ends and the
// page says so.
[[noreturn]] void RunBrowserLoop(SdlEngine* e);

// True while the page is shown full screen.
bool BrowserFullScreen();
// Asks the page to enter or leave full screen.
void BrowserSetFullScreen(bool on);

// The browser's language ("en-US"), empty when it does not say.
std::string BrowserLanguage();

// Starts fetching the package of a data folder that comes later than the
// rest (once), and says how it stands.
hgeFolderState BrowserFetchFolder(const char* folder);

// Copies a file the game has just written into the page's lasting storage
// and starts writing that storage out.
void KeepFileAcrossVisits(const std::string& path);
