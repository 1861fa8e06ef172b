#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TObject;

// The program's message loop, its hidden owner window, the error box that stops
// every exception at a window procedure, and the seams tests drive modal windows by.
class TApplication {
public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Owner of the top-level windows, so that only the main window shows on the taskbar.
    HWND Handle();
    std::string ExeName() const;
    // The program file's name without its extension: Title until the program sets one.
    std::string ExeTitle() const;
    std::string Title;

    void Run();
    void ProcessMessages();
    void Terminate() { PostQuitMessage(0); }
    // The key pipeline and dispatch of one message; false on WM_QUIT.
    bool HandleMessage();
    // Form key preview, the control's key handler, dialog keys. True when consumed.
    bool PreProcessMessage(MSG& M);

    // Shows the message of the exception being handled. Call only inside a catch.
    void HandleException();
    void ShowException(const std::string& Message);
    // The default error box; tests replace it.
    std::function<void(const std::string& Message)> OnException;

    // Shows the help topic Context through OnHelp; nothing without it.
    void HelpContext(int Context);
    std::function<void(int Context)> OnHelp;

    // Runs once for each modal window whose loop runs (our forms and the system's
    // dialogs): tests inspect and close the window here.
    std::function<void(HWND Window)> ModalHook;
    // With a non-zero WatchdogMs a modal window still open after that time is closed
    // and OnWatchdog told, so that a forgotten dialog fails a test instead of hanging it.
    std::uint32_t WatchdogMs = 0;
    std::function<void(HWND Window)> OnWatchdog;

    void ModalShown(HWND Window);
    void WatchdogFired(HWND Window);
    int ModalDepth = 0;

    // Runs Call (a system modal dialog) with the modal hook and watchdog armed for
    // the first new dialog window of this thread.
    void RunSystemModal(const std::function<void()>& Call);

    // Frees Object once no window procedure of ours is on the stack (at once when none
    // is): a control may be freed from inside its own handler. A control is hidden and
    // taken from its parent now. The object must have no owner.
    void DestroyLater(TObject* Object);
    // Runs Call at the same moment; a call under a Key can be cancelled by its key.
    void WhenIdle(const void* Key, std::function<void()> Call);
    void CancelWhenIdle(const void* Key);
    int DispatchDepth() const { return FDispatchDepth; }
    void EnterDispatch() { ++FDispatchDepth; }
    void LeaveDispatch();

private:
    void RunIdleCalls();
    // A key release for the form's key preview.
    bool PreProcessKeyUp(MSG& M);

    HWND FHandle = nullptr;
    int FDispatchDepth = 0;
    std::vector<std::pair<const void*, std::function<void()>>> FIdleCalls;
};

TApplication& Application();

// Runs F; an exception it raises is shown by the error box and goes no further.
template <class F>
void GuardCall(F&& Fn)
{
    try {
        Fn();
    } catch (...) {
        Application().HandleException();
    }
}

// Thread timers for the seams (they tick inside any modal loop, ours or the system's).
UINT_PTR StartThreadTimer(UINT Ms, std::function<void()> Tick);
void StopThreadTimer(UINT_PTR Id);
