// driver.exe: the end-to-end driver for scripts, one step per run.
//
//   driver start [--cwd DIR] [--env NAME=VALUE]... PROGRAM [ARGUMENT]...
//                                         starts it, prints its process id, leaves it running
//   driver wait-window PID [--class C] [--caption T] [--not HWND]... [--timeout MS]
//                                         prints the handle of the first such top-level window
//   driver texts HWND [--timeout MS]      prints the form's text report
//   driver click HWND [--kind K] [--name N] [--text T]
//                                         clicks the form's item, or HWND itself (a button)
//   driver click-at HWND X Y              a left click at a client point of the window
//   driver type HWND TEXT                 posts the characters to the window
//   driver key HWND VK                    posts a key (a number: 13 Enter, 27 Escape)
//   driver screenshot HWND FILE.png
//   driver close HWND                     as the close box does
//   driver wait-exit PID [--timeout MS]   prints the exit code; a process that has ended
//                                         is gone, so start this before the step that ends it
//   driver kill PID
//
// Exit status 0 when the step was done, 1 when it failed (the reason on stderr),
// 2 for a command line it does not understand.
#include "driver.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

unsigned long long Number(const std::string& S, const char* What)
{
    char* End = nullptr;
    const unsigned long long V = std::strtoull(S.c_str(), &End, 0);
    if (S.empty() || *End != '\0')
        throw EUsage(std::string("\"") + S + "\" is not " + What);
    return V;
}

HWND Window(const std::string& S) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(Number(S, "a window handle"))); }

DWORD Pid(const std::string& S) { return static_cast<DWORD>(Number(S, "a process id")); }

// The options "--name value" after the fixed arguments.
class TOptions {
public:
    TOptions(const std::vector<std::string>& Args, std::size_t From)
    {
        for (std::size_t I = From; I < Args.size(); I += 2) {
            if (Args[I].rfind("--", 0) != 0 || I + 1 >= Args.size())
                throw EUsage("\"" + Args[I] + "\" is not an option with a value");
            FPairs.emplace_back(Args[I].substr(2), Args[I + 1]);
        }
    }
    std::string Get(const std::string& Name) const
    {
        for (const auto& P : FPairs)
            if (P.first == Name)
                return P.second;
        return "";
    }
    std::vector<std::string> All(const std::string& Name) const
    {
        std::vector<std::string> Out;
        for (const auto& P : FPairs)
            if (P.first == Name)
                Out.push_back(P.second);
        return Out;
    }
    DWORD Timeout() const
    {
        const std::string T = Get("timeout");
        return T.empty() ? DriverWaitMs : static_cast<DWORD>(Number(T, "a time in milliseconds"));
    }

private:
    std::vector<std::pair<std::string, std::string>> FPairs;
};

void Need(const std::vector<std::string>& Args, std::size_t Count)
{
    if (Args.size() < Count)
        throw EUsage("\"" + Args[0] + "\" needs more arguments");
}

int Run(const std::vector<std::string>& Args)
{
    if (Args.empty())
        throw EUsage("no command");
    const std::string& Command = Args[0];
    if (Command == "start") {
        TProgramStart S;
        std::size_t I = 1;
        for (; I + 1 < Args.size() && (Args[I] == "--cwd" || Args[I] == "--env"); I += 2) {
            if (Args[I] == "--cwd") {
                S.WorkingDir = Args[I + 1];
                continue;
            }
            const std::size_t Eq = Args[I + 1].find('=');
            if (Eq == std::string::npos)
                throw EUsage("--env takes NAME=VALUE");
            S.Environment.emplace_back(Args[I + 1].substr(0, Eq), Args[I + 1].substr(Eq + 1));
        }
        if (I >= Args.size())
            throw EUsage("start needs a program");
        S.Program = Args[I];
        S.Arguments.assign(Args.begin() + static_cast<std::ptrdiff_t>(I) + 1, Args.end());
        TDrivenProcess P = TDrivenProcess::Start(S);
        P.KeepRunning();
        std::printf("%lu\n", static_cast<unsigned long>(P.Id()));
    } else if (Command == "wait-window") {
        Need(Args, 2);
        const TOptions O(Args, 2);
        TWindowQuery Q;
        Q.ClassName = O.Get("class");
        Q.Caption = O.Get("caption");
        for (const std::string& W : O.All("not"))
            Q.Except.push_back(Window(W));
        std::printf("%s\n", HandleText(WaitTopWindow(Pid(Args[1]), Q, O.Timeout())).c_str());
    } else if (Command == "texts") {
        Need(Args, 2);
        const TOptions O(Args, 2);
        const std::string Report = EncodeTextReport(ReadTexts(Window(Args[1]), O.Timeout()));
        std::fwrite(Report.data(), 1, Report.size(), stdout);
    } else if (Command == "click") {
        Need(Args, 2);
        const TOptions O(Args, 2);
        const HWND W = Window(Args[1]);
        TItemQuery Q;
        Q.Kind = O.Get("kind");
        Q.Name = O.Get("name");
        Q.Text = O.Get("text");
        if (Q.Kind.empty() && Q.Name.empty() && Q.Text.empty())
            ClickButton(W);
        else
            ClickItem(W, ItemOf(ReadTexts(W, O.Timeout()), Q));
    } else if (Command == "click-at") {
        Need(Args, 4);
        ClickAt(Window(Args[1]), static_cast<int>(Number(Args[2], "a coordinate")),
                static_cast<int>(Number(Args[3], "a coordinate")));
    } else if (Command == "type") {
        Need(Args, 3);
        PostChars(Window(Args[1]), Args[2]);
    } else if (Command == "key") {
        Need(Args, 3);
        PostKey(Window(Args[1]), static_cast<WORD>(Number(Args[2], "a virtual key")));
    } else if (Command == "screenshot") {
        Need(Args, 3);
        PhotographWindow(Window(Args[1]), Args[2]);
    } else if (Command == "close") {
        Need(Args, 2);
        PostClose(Window(Args[1]));
    } else if (Command == "wait-exit") {
        Need(Args, 2);
        const TOptions O(Args, 2);
        TDrivenProcess P = TDrivenProcess::Open(Pid(Args[1]));
        std::printf("%lu\n", static_cast<unsigned long>(P.WaitExit(O.Timeout())));
    } else if (Command == "kill") {
        Need(Args, 2);
        TDrivenProcess::Open(Pid(Args[1])).Kill();
    } else {
        throw EUsage("unknown command \"" + Command + "\"");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The report goes out byte for byte: its lines end in LF alone.
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const EUsage& E) {
        std::fprintf(stderr, "driver: %s (see the head of driver_main_win32.cpp for the commands)\n", E.what());
        return 2;
    } catch (const std::exception& E) {
        std::fprintf(stderr, "driver: %s\n", E.what());
        return 1;
    }
}
