#pragma once

// What the benchmarks share: generated trees, commands measured in a child process
// (time and peak memory), interleaved rounds and the report line.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct TTreeStats {
    std::uint64_t Bytes = 0;
    int Files = 0;
};

// Files of mixed content (a third each text, structured binary and random) spread
// over 50 x 7 directories, sizes around MeanSize.
TTreeStats MakeTree(const std::filesystem::path& Root, int Files, std::size_t MeanSize, unsigned Seed);

struct TRun {
    double Seconds = 0;
    long PeakKiB = 0;
};

using TEnvironment = std::vector<std::pair<std::string, std::string>>;

// Runs Argv (its program looked up on PATH) in a child, Env added to the child's
// environment, and waits for it: its exit code, -1 when it did not exit by itself.
// PeakKiB, when given, gets the child's peak memory. Exits when no child can be
// started or waited for.
int RunChild(const std::vector<std::string>& Argv, const TEnvironment& Env, long* PeakKiB = nullptr);

// Runs Argv in a child and measures its time and peak memory; exits when it fails.
TRun Measure(const std::vector<std::string>& Argv, const TEnvironment& Env = {});

// One measured command; Prepare runs before it, untimed.
struct TJob {
    explicit TJob(std::vector<std::string> Command, std::function<void()> Before = [] {},
                  TEnvironment Environment = {})
        : Argv(std::move(Command)), Prepare(std::move(Before)), Env(std::move(Environment))
    {
    }
    std::vector<std::string> Argv;
    std::function<void()> Prepare;
    TEnvironment Env;
    TRun Fastest;
};

// Runs the jobs in rounds, one after the other in each round, and keeps each job's
// fastest run: a slow spell of the machine then hits every job alike instead of
// whichever happened to run during it. BRINDLO_BENCH_RUNS sets the rounds (3).
void RunRounds(const std::vector<TJob*>& Jobs);

void Report(const char* What, const TTreeStats& Tree, const TRun& R);

// Other work on the machine disturbs the figures: the load averages (1, 5 and 15
// minutes) say how much. When says when they were taken.
void PrintLoad(const char* When);
