// The program around the forms: the application window, the message dialogs, the failure
// box and the message loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace ui {

// The application's title: the caption of the failure box and of the application window.
// That window owns every form and has no size: it is what the taskbar shows for the
// program once the main window is shown (the forms, being owned, show there no button of
// their own; the main window keeps its own title). Set it before any form is created.
void SetApplicationTitle(const char* bytes);
// The application window (null before the title is set), for the forms it owns.
HWND ApplicationWindow();
// The main window, which the taskbar's close command asks to close; null when there is none.
void SetMainWindow(HWND window);

// The failure box: a failure's text with its full stop, under the application title.
void ShowFailure(const std::string& text);

// The message dialogs; texts are code page 1256 bytes (or plain ASCII such as an error
// number). Confirm is true for Yes.
void ShowInformation(const std::string& text);
void ShowWarning(const std::string& text);
bool Confirm(const std::string& text);

// Runs the message loop until the main window closes; the exit code for WinMain.
int RunMessageLoop();
// One pass over the pending messages of the thread: all of them are handled, then it returns.
void ProcessMessages();
// Runs work on a thread of its own (in a COM apartment of its own) while this thread handles
// its messages, so that the windows answer during a step that takes long, even one system
// call that does; returns when work has ended, raising what it raised. work must not touch
// the windows. Clicks are handled meanwhile: the caller ignores those that would start the
// step again or end the program halfway. With Pointer::kHourglass the pointer over the
// windows is the hourglass until work ends.
enum class Pointer { kAsItIs, kHourglass };
void RunAnswering(const std::function<void()>& work, Pointer pointer = Pointer::kAsItIs);
// True while RunAnswering runs work with the hourglass.
bool ShowsHourglass();
// Ends the program at once, exit code 0, without closing its windows.
[[noreturn]] void EndProgram();

}  // namespace ui
