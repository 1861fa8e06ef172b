#pragma once

#include "installer_helpers.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

// The installer's lookups of the Windows folders and its shell links.

// The default value of HKCR "<FileClass>\Shell\<Verb>\command"; "" when missing.
std::string GetShellCommand(const std::string& FileClass, const std::string& Verb);

// The folder of Kind from the system and the Explorer's shell folders; "" when unknown.
std::string GetSpecialFolder(TSpecialFolder Kind);
std::string GetInstallFolder(TInstallFolder Kind, const std::string& Path);

// Makes a shell link to Target in the folder of Kind (Desktop, Startup, QuickLaunch;
// Path: Group taken as a path; ProgramsGroup: Group below the programs menu), the
// last two created when missing. An empty Name becomes "ShortCut to" and Target's
// file name. LinkPath is the saved link's path, "" when nothing could be saved; an
// empty Target makes nothing and leaves LinkPath alone.
void CreateShortcut(const std::string& Target, const std::string& Arguments, const std::string& WorkDir,
                    const std::string& Name, const std::string& Group, TInstallFolder Kind, std::string& LinkPath);

// Saves Link at Path through its IPersistFile; true when saved.
bool SaveShellLink(const std::wstring& Path, IShellLinkA* Link);
