// Start-up of the client (modules modMiscFunctionsTwo and modMiscFunctionsOne): the program
// entry, the single-instance test, the start-up sequence and the first-run test.
#pragma once
#include <string>

namespace skx {

// The name of the mutex that marks a running client.
inline constexpr char InstanceMutexName[] = "SkirmexMutex";

// The program's entry: the lower layers' links, crash guard, single-instance test, separators, AllAboard, then the
// message loop; returns the exit code.
int Main();

// True when another instance of the client runs: the mutex Main created already existed, or
// a top-level main window of this program (our window class and title) exists.
bool Program_Running();

// The start-up sequence: folders, layout, first-run test, arena tables, tile size, last map,
// frame timer, music slots.
void AllAboard();

// The first-run test: registry value Initialized exactly "True" runs the agreement window
// with the first-run defaults; anything else reads the saved settings.
void IsFirstRun();

// Ends the program at once (the language's End). The default ends the process; a test can
// put its own in place.
using ProgramEndHook = void (*)(int exitCode);
void SetProgramEndHook(ProgramEndHook hook);
void EndProgram(int exitCode);

// The box a second instance shows.
inline constexpr char InstanceDetectionText[] =
    "Skirmora is already running.  Please terminate your current session to begin a new one.";
inline constexpr char InstanceDetectionTitle[] = "Instance Detection Error";

}  // namespace skx
