// Pack and unpack speed and peak memory of the archive on generated trees, and the
// build of a package of the big tree through the project object, packed with 1, 2, 4
// and 8 compression workers, beside tar with bzip2 -5 and with lbzip2 -n8 on the
// same trees in the same run.
//   archive_bench [work directory]      (default /tmp/brindlo-bench)
#include "archive.h"
#include "bench_support.h"
#include "bz_streams.h"
#include "project.h"
#include "file_system.h"
#include "headless_builder_ui.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& Path)
{
    std::ifstream In(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

// One PC installation whose source is SourceDir, built into OutDir by a builder whose
// program directory holds stand-in runtime programs.
int BuildPackage(const fs::path& SourceDir, const fs::path& OutDir)
{
    const fs::path Program = OutDir.parent_path() / "builder";
    fs::create_directories(Program);
    for (const char* Name : {"Install.exe", "Castremove.exe"})
        std::ofstream(Program / Name, std::ios::binary) << "stand-in";
    TBuilderServices Services = DefaultBuilderServices();
    // The builder names its files the Windows way.
    Services.ProgramFileName = Program.string() + "\\Castbuild.exe";
    THash Remembered(true);
    CCastamer Project(Services, Remembered);
    THeadlessUI UI(OutDir.string());
    Project.AttachUI(&UI);
    CCst_App* App = Project.AddApp();
    App->Props.Add("DID", "2");
    App->Props.Add("InDir", SourceDir.string());
    const bool Built = Project.Build(TBuildMode::Build);
    for (const std::string& M : UI.Messages)
        std::fprintf(stderr, "%s\n", M.c_str());
    return Built ? 0 : 1;
}

void Bench(const std::string& Self, const fs::path& Work, const char* Name, int Files, std::size_t MeanSize,
           bool WithPackage)
{
    const fs::path Src = Work / (std::string(Name) + "-src");
    const fs::path Arc = Work / (std::string(Name) + ".arc");
    const fs::path Dest = Work / (std::string(Name) + "-dest");
    const fs::path Tar = Work / (std::string(Name) + ".tar.bz2");
    const fs::path LTar = Work / (std::string(Name) + ".lbz.tar.bz2");
    const fs::path TarDest = Work / (std::string(Name) + "-tar-dest");
    const TTreeStats Tree = MakeTree(Src, Files, MeanSize, 2026);
    std::printf("%s: %d files, %.1f MiB\n", Name, Tree.Files, static_cast<double>(Tree.Bytes) / (1024.0 * 1024.0));

    const fs::path Out = Work / (std::string(Name) + "-package");
    const int WorkerCounts[] = {1, 2, 4, 8};
    std::vector<TJob> Packs, Builds;
    for (int W : WorkerCounts) {
        const fs::path Into = Work / (std::string(Name) + "-" + std::to_string(W) + ".arc");
        Packs.emplace_back(std::vector<std::string>{Self, "pack", Src.string(), Into.string(), std::to_string(W)});
        if (WithPackage)
            Builds.emplace_back(std::vector<std::string>{Self, "build", Src.string(), Out.string(), std::to_string(W)},
                                [&] { fs::remove_all(Out); });
    }
    TJob TarPack{std::vector<std::string>{"sh", "-c", "tar -cf - -C '" + Src.string() + "' . | bzip2 -5 > '" + Tar.string() + "'"}};
    TJob LTarPack{std::vector<std::string>{"sh", "-c", "tar -cf - -C '" + Src.string() + "' . | lbzip2 -n8 > '" + LTar.string() + "'"}};
    TJob Unpack{std::vector<std::string>{Self, "unpack", (Work / (std::string(Name) + "-8.arc")).string(), Dest.string()},
                [&] { fs::remove_all(Dest); }};
    TJob TarUnpack{std::vector<std::string>{"sh", "-c", "bzip2 -dc '" + Tar.string() + "' | tar -xf - -C '" + TarDest.string() + "'"}, [&] {
                       fs::remove_all(TarDest);
                       fs::create_directories(TarDest);
                   }};
    // Unpacking needs the archive: the first round's packs come before it.
    std::vector<TJob*> Jobs;
    for (std::size_t I = 0; I < Packs.size(); ++I) {
        Jobs.push_back(&Packs[I]);
        if (WithPackage)
            Jobs.push_back(&Builds[I]);
    }
    Jobs.push_back(&TarPack);
    Jobs.push_back(&LTarPack);
    Jobs.push_back(&Unpack);
    Jobs.push_back(&TarUnpack);
    PrintLoad("before the rounds");
    RunRounds(Jobs);
    PrintLoad("after the rounds");

    for (std::size_t I = 0; I < Packs.size(); ++I) {
        const std::string W = std::to_string(WorkerCounts[I]);
        Report(("archive pack, " + W + " workers").c_str(), Tree, Packs[I].Fastest);
        if (WithPackage)
            Report(("package build, " + W + " workers").c_str(), Tree, Builds[I].Fastest);
    }
    Report("tar | bzip2 -5", Tree, TarPack.Fastest);
    Report("tar | lbzip2 -n8", Tree, LTarPack.Fastest);
    Report("archive unpack", Tree, Unpack.Fastest);
    Report("bzip2 -dc | tar -x", Tree, TarUnpack.Fastest);
    for (std::size_t I = 0; I < Packs.size(); ++I) {
        const fs::path Into = Work / (std::string(Name) + "-" + std::to_string(WorkerCounts[I]) + ".arc");
        std::printf("  %d workers: pack %.2fx of tar|bzip2 -5", WorkerCounts[I], TarPack.Fastest.Seconds / Packs[I].Fastest.Seconds);
        if (WithPackage)
            std::printf(", package build %.2fx", TarPack.Fastest.Seconds / Builds[I].Fastest.Seconds);
        std::printf(", archive %s the 1-worker one\n", ReadAll(Into) == ReadAll(Work / (std::string(Name) + "-1.arc")) ? "identical to" : "DIFFERENT FROM");
    }
    std::printf("  lbzip2 -n8 %.2fx of tar|bzip2 -5; unpack speed %.2fx of bzip2 -dc|tar -x; archive %.1f MiB, tar.bz2 %.1f MiB\n",
                TarPack.Fastest.Seconds / LTarPack.Fastest.Seconds, TarUnpack.Fastest.Seconds / Unpack.Fastest.Seconds,
                static_cast<double>(fs::file_size(Work / (std::string(Name) + "-1.arc"))) / (1024.0 * 1024.0),
                static_cast<double>(fs::file_size(Tar)) / (1024.0 * 1024.0));
}

} // namespace

int main(int argc, char** argv)
{
    const std::string Command = argc > 1 ? argv[1] : "";
    if (argc == 5 && Command == "pack") {
        SetBZCompressionWorkers(std::atoi(argv[4]));
        ArchivePack(CArchive_BZip::Create, argv[2], argv[3], nullptr);
        return 0;
    }
    if (argc == 4 && Command == "unpack")
        return CArchive_BZip(nullptr, LocalFileSystem()).Unpack(argv[2], argv[3]) ? 0 : 1;
    if (argc == 5 && Command == "build") {
        SetBZCompressionWorkers(std::atoi(argv[4]));
        return BuildPackage(argv[2], argv[3]);
    }
    const fs::path Work = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/brindlo-bench");
    fs::create_directories(Work);
    const std::string Self = fs::canonical("/proc/self/exe").string();
    Bench(Self, Work, "big", 5000, 42 * 1024, true);
    Bench(Self, Work, "small", 20000, 2 * 1024, false);
    return 0;
}
