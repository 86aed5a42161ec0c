// Helpers the framework test programs share, whatever their application object: pumping,
// timed actions inside loops, quiet windows, real input through xdotool and screenshots.
#pragma once
#include "Mfc.h"
#include <functional>
#include <string>

// Handles every waiting message of this thread through the application's pump.
void PumpPending();

// Runs action once from a timer of the calling thread after the current modal loop (or any
// loop) starts turning.
void AfterStart(std::function<void()> action);

// Runs action with the thread's dialog as soon as it is shown (the timer looks again until it
// is), so the test answers it as a person would.
void WhenDialogShows(std::function<void(HWND dialog)> action);

// The visible dialog window of this thread, or null.
HWND FindThreadDialog();

// Shows a window without activating it, so that test windows do not take the activation from
// the dialogs the tests answer.
void ShowQuietly(HWND hWnd);

// A plain top-level window object (a popup, shown quietly) for hosting child windows in tests.
class CTestFrame : public CWnd {
public:
    BOOL CreateFrame(LPCSTR title = "TestMfc");
};

// Runs xdotool with the arguments and handles messages until it has finished and Wine has
// taken its input.
void Xdotool(const std::string& args);
// A screenshot of the whole screen into the folder beside the test program named after it
// (TestMfcFrame.exe: MfcFrameShots).
void Screenshot(const char* name);
