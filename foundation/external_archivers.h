#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CExternalArchs;

// An archiver program found on the machine. Entries belong to their list: they are
// made through their kind's Create, which appends them to it.
class CExtArch_b {
public:
    CExtArch_b(const CExtArch_b&) = delete;
    CExtArch_b& operator=(const CExtArch_b&) = delete;
    // Takes the entry out of its list when it is still there.
    virtual ~CExtArch_b();

    const std::string& Name() const { return FName; }
    CExternalArchs& Owner() const { return FOwner; }
    const std::string& ExePath() const { return FExePath; }

    // Hands A (and B, where a kind uses it) to the program; whether it started.
    virtual bool Execute(const std::string& A, const std::string& B) = 0;

protected:
    CExtArch_b(CExternalArchs& Owner, std::string ExePath);
    // Hands a new entry to its owner's list.
    static void Register(std::unique_ptr<CExtArch_b> Entry);

    std::string FName;

private:
    CExternalArchs& FOwner;
    std::string FExePath;
};

class CExtArch_PowerArch : public CExtArch_b {
public:
    static CExtArch_PowerArch& Create(CExternalArchs& Owner, const std::string& ExePath);

    // Starts the program with " -a " and A; B is not used.
    bool Execute(const std::string& A, const std::string& B) override;

private:
    CExtArch_PowerArch(CExternalArchs& Owner, const std::string& ExePath);
};

// The archivers present on the machine, in the order they registered, and the one
// selected.
class CExternalArchs {
public:
    // The registered path of a program file name ("" when it is not installed).
    using TAppPathLookup = std::function<std::string(const std::string& ExeName)>;
    // Starts a program with a command line; whether it started.
    using TProgramStart = std::function<bool(const std::string& ExePath, const std::string& CommandLine)>;

    // Looks programs up in the registry's App Paths and starts them with RunProgram
    // (Windows builds only: the definition is the Win32 back end's).
    CExternalArchs();
    CExternalArchs(TAppPathLookup LookupAppPath, TProgramStart StartProgram);
    CExternalArchs(const CExternalArchs&) = delete;
    CExternalArchs& operator=(const CExternalArchs&) = delete;
    ~CExternalArchs();

    const std::vector<std::unique_ptr<CExtArch_b>>& Archivers() const { return FArchivers; }
    CExtArch_b* Current() const { return FCurrent; }

    // Exact, case-sensitive match of the name; nullptr when there is none.
    CExtArch_b* Find(const std::string& Name) const;
    // Selects the entry of that name, or none; whether one was found.
    bool Select(const std::string& Name);
    // The selected entry's Execute; raises Exception "Archive not selected" without one.
    bool Execute(const std::string& A, const std::string& B);

    bool StartProgram(const std::string& ExePath, const std::string& CommandLine) const;

private:
    friend class CExtArch_b;

    void AfterConstruction();
    void Adopt(std::unique_ptr<CExtArch_b> Entry);
    void Forget(const CExtArch_b* Entry);

    std::vector<std::unique_ptr<CExtArch_b>> FArchivers;
    CExtArch_b* FCurrent = nullptr;
    TAppPathLookup FLookupAppPath;
    TProgramStart FStartProgram;
};
