#pragma once

// What the benchmarks share: generated trees, commands measured in a child process
// (time and peak memory), interleaved rounds and the report line.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
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

// Runs Argv in a child and measures its time and peak memory; exits when it fails.
TRun Measure(const std::vector<std::string>& Argv, const std::vector<std::pair<std::string, std::string>>& Env = {});

// One measured command; Prepare runs before it, untimed.
struct TJob {
    explicit TJob(std::vector<std::string> Command, std::function<void()> Before = [] {},
                  std::vector<std::pair<std::string, std::string>> Environment = {})
        : Argv(std::move(Command)), Prepare(std::move(Before)), Env(std::move(Environment))
    {
    }
    std::vector<std::string> Argv;
    std::function<void()> Prepare;
    std::vector<std::pair<std::string, std::string>> Env;
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
