#pragma once

#include <windows.h>

#include <string>

// A registry key that a test writes and removes again, with everything below it,
// also when the test fails. Leftovers of an earlier crashed run are removed first.
class TTestRegKey {
public:
    TTestRegKey(HKEY Root, std::string Path);
    TTestRegKey(const TTestRegKey&) = delete;
    TTestRegKey& operator=(const TTestRegKey&) = delete;
    ~TTestRegKey();

    const std::string& Path() const { return FPath; }

    // Creates the key when needed and stores raw bytes; "" names the default value.
    bool SetValue(const std::string& Name, DWORD Type, const void* Data, DWORD Size);
    bool SetString(const std::string& Name, const std::string& Value);
    void Remove();

private:
    HKEY FRoot;
    std::string FPath;
};

// A name no other test process uses at the same time.
std::string UniqueTestName(const std::string& Prefix);

// The name of the first subkey of Root\Path as stored, case kept; "" when there is none.
std::string FirstSubkeyName(HKEY Root, const std::string& Path);

// The default value of Root\Path as a string; "" when missing.
std::string DefaultValue(HKEY Root, const std::string& Path);
