#pragma once

#include <string>
#include <vector>

// The fixture of the end-to-end run: a source tree and the project of one PC
// installation over it, built into a package by the project's own package build.

// A nested tree with an empty directory and a 0-byte file; answers its files'
// paths relative to Dir ("\bin\tool.exe", ...).
std::vector<std::string> MakeFixtureTree(const std::string& Dir);

// Every directory ("d \sub") and file ("f \sub\name") below Top, relative to it
// and sorted; Top itself is "d ".
std::vector<std::string> TreeOf(const std::string& Top);

struct TFixturePackage {
    std::string AppName = "Tool 100%";
    std::string CompName = "Acme";
    std::string Licence = "You may use this program.\r\nYou may not sell it.";
    std::string Group = "Acme Tool";
};

// Builds the package of Fixture over SourceDir into PackageDir by a builder whose
// program directory is ProgramDir (which holds Install.exe and Castremove.exe).
// Answers the builder's messages; empty when it succeeded.
std::vector<std::string> BuildFixturePackage(const TFixturePackage& Fixture, const std::string& SourceDir,
                                             const std::string& PackageDir, const std::string& ProgramDir);
