#pragma once

#include "uninst_log_reader.h"
#include "uninstall_system.h"
#include "ui_edit.h"
#include "ui_form.h"
#include "ui_progress_bar.h"

#include <memory>
#include <string>

namespace castremove {

// The uninstaller's one window: a borderless strip with the item being removed and a
// progress bar. Its replay starts once, from a message posted when it is first shown,
// and the window closes when the replay is over, has failed, or has nothing to replay.
class TForm1 : public TForm {
public:
    // CommandLine is the program's whole command line; System does the removing
    // (the Windows one when null).
    TForm1(TComponent* AOwner, const std::string& CommandLine, TUninstallSystem* System = nullptr);
    ~TForm1() override;

    TEdit* Edit1 = nullptr;
    TProgressBar* PB = nullptr;
    // The log named on the command line, or none.
    std::unique_ptr<TUInstLog> Log;

    void ShowProgress(const std::string& Item, double Fraction);
    bool ReplayStarted() const { return FStarted; }
    // The program's exit code once the window has closed: 0 unless something the log
    // names stayed or the replay failed.
    int ExitCode() const { return FExitCode; }

    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    void FormCreate(const std::string& CommandLine);
    void FormShow(TObject* Sender);
    void Replay();

    TWindowsUninstallSystem FWindows;
    TUninstallSystem* FSystem;
    bool FStarted = false;
    int FExitCode = 0;
};

} // namespace castremove
