#pragma once

#include <windows.h>

#include <string>

// Whether the process runs under Wine.
bool UnderWine();

// The Unix path of a Windows path under Wine; "" elsewhere.
std::string UnixPath(const std::string& WindowsPath);

// A drive letter of the given type (DRIVE_CDROM, DRIVE_REMOTE, ...) on a Unix
// directory, made through Wine's mount manager and removed again with the object.
class TWineDrive {
public:
    TWineDrive(char Letter, ULONG Type, const std::string& UnixDir);
    TWineDrive(const TWineDrive&) = delete;
    TWineDrive& operator=(const TWineDrive&) = delete;
    ~TWineDrive();
    bool Defined() const { return FDefined; }
    std::string Root() const { return std::string(1, FLetter) + ":\\"; }

private:
    char FLetter;
    bool FDefined;
};

// The highest free drive letter from From down to Lowest; 0 when none is free. Tests
// that run side by side take letters from ranges of their own: a letter free now may
// be taken by another test before it is defined.
char FreeLetter(char From, char Lowest = 'd');
