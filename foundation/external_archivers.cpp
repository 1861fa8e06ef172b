#include "external_archivers.h"

#include "exceptions.h"

#include <algorithm>
#include <utility>

CExtArch_b::CExtArch_b(CExternalArchs& Owner, std::string ExePath) : FOwner(Owner), FExePath(std::move(ExePath)) {}

CExtArch_b::~CExtArch_b() { FOwner.Forget(this); }

void CExtArch_b::Register(std::unique_ptr<CExtArch_b> Entry)
{
    CExternalArchs& Owner = Entry->FOwner;
    Owner.Adopt(std::move(Entry));
}

CExtArch_PowerArch::CExtArch_PowerArch(CExternalArchs& Owner, const std::string& ExePath) : CExtArch_b(Owner, ExePath)
{
    FName = "PowerArchiver";
}

CExtArch_PowerArch& CExtArch_PowerArch::Create(CExternalArchs& Owner, const std::string& ExePath)
{
    std::unique_ptr<CExtArch_PowerArch> Entry(new CExtArch_PowerArch(Owner, ExePath));
    CExtArch_PowerArch& Result = *Entry;
    Register(std::move(Entry));
    return Result;
}

bool CExtArch_PowerArch::Execute(const std::string& A, const std::string& /*B*/)
{
    return Owner().StartProgram(ExePath(), " -a " + A);
}

CExternalArchs::CExternalArchs(TAppPathLookup LookupAppPath, TProgramStart StartProgram)
    : FLookupAppPath(std::move(LookupAppPath)), FStartProgram(std::move(StartProgram))
{
    AfterConstruction();
}

CExternalArchs::~CExternalArchs()
{
    FCurrent = nullptr;
    // Moved out first, so that the entries find themselves gone from the list.
    std::vector<std::unique_ptr<CExtArch_b>> Entries = std::move(FArchivers);
    FArchivers.clear();
}

void CExternalArchs::AfterConstruction()
{
    const std::string Path = FLookupAppPath("powerarc.exe");
    if (!Path.empty())
        CExtArch_PowerArch::Create(*this, Path);
}

void CExternalArchs::Adopt(std::unique_ptr<CExtArch_b> Entry) { FArchivers.push_back(std::move(Entry)); }

void CExternalArchs::Forget(const CExtArch_b* Entry)
{
    // A selection must not outlive its entry.
    if (FCurrent == Entry)
        FCurrent = nullptr;
    auto It = std::find_if(FArchivers.begin(), FArchivers.end(),
                           [Entry](const std::unique_ptr<CExtArch_b>& P) { return P.get() == Entry; });
    if (It != FArchivers.end()) {
        // The entry is being destroyed already: the list lets go without deleting it again.
        (void)It->release();
        FArchivers.erase(It);
    }
}

CExtArch_b* CExternalArchs::Find(const std::string& Name) const
{
    for (const auto& Entry : FArchivers)
        if (Entry->Name() == Name)
            return Entry.get();
    return nullptr;
}

bool CExternalArchs::Select(const std::string& Name)
{
    FCurrent = Find(Name);
    return FCurrent != nullptr;
}

bool CExternalArchs::Execute(const std::string& A, const std::string& B)
{
    if (!FCurrent)
        throw Exception("Archive not selected");
    return FCurrent->Execute(A, B);
}

bool CExternalArchs::StartProgram(const std::string& ExePath, const std::string& CommandLine) const
{
    return FStartProgram && FStartProgram(ExePath, CommandLine);
}
