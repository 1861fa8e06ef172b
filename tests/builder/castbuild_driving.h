#pragma once

#include "driver.h"
#include "hash.h"

#include <string>
#include <vector>

// Castbuild.exe driven as its own process, for the tests of its windows.

// Copies Castbuild.exe, Install.exe, Castremove.exe and the help directory of the
// build into Dir\prog, so that the builder's own files ("bx_env.dat", "temp") stay
// the test's. Answers that program directory.
std::string InstallBuilderCopy(const std::string& Dir);

// Starts the copy in ProgramDir with Arguments; the splash shows SplashMs.
TDrivenProcess StartBuilder(const std::string& ProgramDir, const std::vector<std::string>& Arguments,
                            const std::string& SplashMs = "1");
// The main window once it shows; its caption is "Brindlo  [" + file name + "]".
HWND WaitMainWindow(const TDrivenProcess& P, const std::string& FileName = "");

// A message box of the program (our own dialog, captioned Caption) once its buttons
// show; answers it with its texts.
HWND WaitMessageBox(const TDrivenProcess& P, std::vector<TTextItem>& Items, const std::string& Caption = "Brindlo");

// The tree's items as "path=text" ("0=Installations", "0/1=Tools"), in display order,
// those under a closed item included.
std::vector<std::string> TreeTexts(const std::vector<TTextItem>& Items);
// The tree item at Path ("0/1"); throws when there is none.
const TTextItem& TreeItem(const std::vector<TTextItem>& Items, const std::string& Path);
// Selects the tree item at Path with a click on its label.
void SelectTreeItem(HWND Main, const std::string& Path);

// The environment options (in order) of "bx_env.dat" in ProgramDir, and a file of the given ones.
std::vector<THashPair> ReadEnvOptions(const std::string& ProgramDir);
void WriteEnvOptions(const std::string& ProgramDir, const THash& Options);

// A process that Parent started from the program file Exe (compared without case),
// once it runs; throws when none comes within the driver's wait.
TDrivenProcess WaitChildProcess(DWORD Parent, const std::string& Exe);
