#include "plug_loader.h"

#include "app_list.h"
#include "hash.h"
#include "path_and_dir_helpers.h"

CPlugLoader::CPlugLoader(TFileSystem& AFS) : FS(AFS) { UnloadAll(); }

void CPlugLoader::LoadAll(const std::string& PluginDir)
{
    THash Files(false);
    ListFiles(PluginDir, "*.dll", Files, true, FS);
    for (const THashPair& P : Files.Pairs())
        LoadPlug(P.Value);
}

void CPlugLoader::LoadPlug(const std::string& FileName)
{
    if (!FS.FileExists(FileName))
        return;
    void* Module = LoadPluginModule(FileName);
    const CB_InstallPlugProc Entry = Module ? FindPluginEntry(Module) : nullptr;
    if (!Entry) {
        if (Module)
            FreePluginModule(Module);
        return;
    }
    AddPlug(FileName, Module, Entry);
    Entry(PLG_Loaded, nullptr);
}

void CPlugLoader::AddPlug(const std::string& FileName, void* Module, CB_InstallPlugProc Entry)
{
    FPlugins.push_back(TPlug{FileName, Module, Entry});
}

void CPlugLoader::Broadcast(std::int32_t Code, CAPP* App)
{
    IInstallApp* Iface = App ? App->Interface() : nullptr;
    if (Iface)
        Iface->lpVtbl->AddRef(Iface);
    struct TRelease {
        CAPP* App;
        IInstallApp* Iface;
        ~TRelease()
        {
            if (App)
                App->ReleaseReturnedStrings();
            if (Iface)
                Iface->lpVtbl->Release(Iface);
        }
    } Release{App, Iface};
    // A copy: an entry cannot change which plug-ins this call reaches.
    const std::vector<TPlug> Plugs = FPlugins;
    for (const TPlug& P : Plugs) {
        P.Entry(Code, Iface);
        // What the entry was given lives only until it returned.
        if (App)
            App->ReleaseReturnedStrings();
    }
}

void CPlugLoader::UnloadAll()
{
    for (const TPlug& P : FPlugins)
        P.Entry(PLG_Unload, nullptr);
    for (const TPlug& P : FPlugins)
        FreePluginModule(P.Module);
    FPlugins.clear();
}
