#include "bench_support.h"

#include "mixed_content.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

TTreeStats MakeTree(const fs::path& Root, int Files, std::size_t MeanSize, unsigned Seed)
{
    std::mt19937_64 Rng(Seed);
    TTreeStats Stats;
    fs::remove_all(Root);
    for (int I = 0; I < Files; ++I) {
        const fs::path Dir = Root / ("dir" + std::to_string(I % 50)) / ("sub" + std::to_string(I % 7));
        fs::create_directories(Dir);
        const std::size_t Size = static_cast<std::size_t>(Rng() % (2 * MeanSize));
        const std::string Content = MakeMixedContent(Rng, Size, I % 3);
        std::ofstream(Dir / ("file" + std::to_string(I) + ".dat"), std::ios::binary)
            .write(Content.data(), static_cast<std::streamsize>(Content.size()));
        Stats.Bytes += Size;
        ++Stats.Files;
    }
    return Stats;
}

int RunChild(const std::vector<std::string>& Argv, const TEnvironment& Env, long* PeakKiB)
{
    const pid_t Pid = fork();
    if (Pid < 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", Argv[0].c_str(), std::strerror(errno));
        std::exit(1);
    }
    if (Pid == 0) {
        for (const auto& E : Env)
            setenv(E.first.c_str(), E.second.c_str(), 1);
        std::vector<char*> Args;
        for (const std::string& A : Argv)
            Args.push_back(const_cast<char*>(A.c_str()));
        Args.push_back(nullptr);
        execvp(Args[0], Args.data());
        _exit(127);
    }
    int Status = 0;
    rusage Usage{};
    if (wait4(Pid, &Status, 0, &Usage) != Pid) {
        std::fprintf(stderr, "cannot wait for %s: %s\n", Argv[0].c_str(), std::strerror(errno));
        std::exit(1);
    }
    if (PeakKiB)
        *PeakKiB = Usage.ru_maxrss;
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

TRun Measure(const std::vector<std::string>& Argv, const TEnvironment& Env)
{
    const auto Start = std::chrono::steady_clock::now();
    TRun R;
    const int Code = RunChild(Argv, Env, &R.PeakKiB);
    R.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    if (Code != 0) {
        std::fprintf(stderr, "command failed: %s\n", Argv[0].c_str());
        std::exit(1);
    }
    return R;
}

void RunRounds(const std::vector<TJob*>& Jobs)
{
    const char* Env = std::getenv("BRINDLO_BENCH_RUNS");
    const int Rounds = Env && std::atoi(Env) > 0 ? std::atoi(Env) : 3;
    for (int Round = 0; Round < Rounds; ++Round)
        for (TJob* Job : Jobs) {
            Job->Prepare();
            // Write-back of what earlier runs wrote must not land inside this one.
            ::sync();
            const TRun R = Measure(Job->Argv, Job->Env);
            if (Round == 0 || R.Seconds < Job->Fastest.Seconds)
                Job->Fastest.Seconds = R.Seconds;
            Job->Fastest.PeakKiB = std::max(Job->Fastest.PeakKiB, R.PeakKiB);
        }
}

void Report(const char* What, const TTreeStats& Tree, const TRun& R)
{
    const double MiB = static_cast<double>(Tree.Bytes) / (1024.0 * 1024.0);
    std::printf("  %-32s %7.2f s  %8.1f MiB/s  %9.0f files/s  peak %6.1f MiB\n", What, R.Seconds, MiB / R.Seconds,
                Tree.Files / R.Seconds, static_cast<double>(R.PeakKiB) / 1024.0);
}

void PrintLoad(const char* When)
{
    double Load[3] = {0, 0, 0};
    if (getloadavg(Load, 3) == 3)
        std::printf("  load average %s: %.2f %.2f %.2f\n", When, Load[0], Load[1], Load[2]);
}
