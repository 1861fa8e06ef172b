// The PC road's install under Wine through the installer's own code, beside native
// bzip2 -dc | tar -x of the same data in the same run: the 200 MiB / 5000-file tree
// and 20,000 small files; MiB/s, files/s and peak memory.
//   install_bench <install_bench.exe of a Windows build> [work directory]
// The Wine runs use a prefix of their own (<work>/wineprefix, or WINEPREFIX) and one
// persistent server; WINELOADER names the loader (/usr/lib/wine/wine64).
#include "archive.h"
#include "bench_support.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string EnvOr(const char* Name, const std::string& Default)
{
    const char* V = std::getenv(Name);
    return V && *V ? V : Default;
}

// How a Wine program names a path of this machine.
std::string WinePath(const fs::path& P)
{
    std::string S = "Z:" + fs::absolute(P).string();
    for (char& C : S)
        if (C == '/')
            C = '\\';
    return S;
}

void Bench(const fs::path& Work, const std::string& Exe, const std::vector<std::pair<std::string, std::string>>& Wine,
           const char* Name, int Files, std::size_t MeanSize)
{
    const fs::path Src = Work / (std::string(Name) + "-src");
    const fs::path Arc = Work / (std::string(Name) + ".arc");
    const fs::path Dest = Work / (std::string(Name) + "-install");
    const fs::path Tar = Work / (std::string(Name) + ".tar.bz2");
    const fs::path TarDest = Work / (std::string(Name) + "-tar-dest");
    const TTreeStats Tree = MakeTree(Src, Files, MeanSize, 2026);
    CArchive_BZip(nullptr, LocalFileSystem()).Pack(Src.string(), Arc.string());
    if (RunChild({"sh", "-c", "tar -cf - -C '" + Src.string() + "' . | bzip2 -5 > '" + Tar.string() + "'"}, {}) != 0) {
        std::fprintf(stderr, "tar | bzip2 failed\n");
        std::exit(1);
    }
    std::printf("%s: %d files, %.1f MiB (archive %.1f MiB)\n", Name, Tree.Files,
                static_cast<double>(Tree.Bytes) / (1024.0 * 1024.0),
                static_cast<double>(fs::file_size(Arc)) / (1024.0 * 1024.0));

    const std::string Loader = EnvOr("WINELOADER", "/usr/lib/wine/wine64");
    TJob Install{{Loader, Exe, WinePath(Arc), WinePath(Dest)}, [&] { fs::remove_all(Dest); }, Wine};
    TJob TarUnpack{{"sh", "-c", "bzip2 -dc '" + Tar.string() + "' | tar -xf - -C '" + TarDest.string() + "'"}, [&] {
                       fs::remove_all(TarDest);
                       fs::create_directories(TarDest);
                   }};
    RunRounds({&Install, &TarUnpack});
    Report("PC road install under Wine", Tree, Install.Fastest);
    Report("bzip2 -dc | tar -x (native)", Tree, TarUnpack.Fastest);
    std::printf("  install speed %.2fx of bzip2 -dc|tar -x\n", TarUnpack.Fastest.Seconds / Install.Fastest.Seconds);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: install_bench <install_bench.exe> [work directory]\n");
        return 2;
    }
    const std::string Exe = fs::absolute(argv[1]).string();
    const fs::path Work = argc > 2 ? fs::path(argv[2]) : fs::path("/tmp/brindlo-install-bench");
    fs::create_directories(Work);
    const std::string Prefix = EnvOr("WINEPREFIX", (fs::absolute(Work) / "wineprefix").string());
    const std::string Server = EnvOr("WINESERVER", "/usr/lib/wine/wineserver");
    const std::vector<std::pair<std::string, std::string>> Wine = {
        {"WINEPREFIX", Prefix}, {"WINEDEBUG", "-all"}, {"WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d"}};
    if (!fs::exists(fs::path(Prefix) / "system.reg")) {
        RunChild({EnvOr("WINELOADER", "/usr/lib/wine/wine64"), "wineboot", "-i"}, Wine);
        RunChild({Server, "-w"}, Wine);
    }
    // One server for all runs, so that none pays for starting it.
    RunChild({"sh", "-c", "setsid '" + Server + "' -p </dev/null >/dev/null 2>&1 &"}, Wine);
    PrintLoad("at the start");
    Bench(Work, Exe, Wine, "big", 5000, 42 * 1024);
    Bench(Work, Exe, Wine, "small", 20000, 2 * 1024);
    PrintLoad("at the end");
    RunChild({Server, "-k"}, Wine);
    return 0;
}
