#pragma once

#include <string>

// The shell registry operations that the file-type registration needs.
class IFileTypeRegistry {
public:
    virtual ~IFileTypeRegistry() = default;
    // The command registered for Ext and Verb, "" when a key or value is missing.
    virtual std::string GetFileTypeCommand(const std::string& Ext, const std::string& Verb) = 0;
    virtual bool RegisterFileType(const std::string& Ext, const std::string& TypeName, const std::string& Verb,
                                  const std::string& Command, bool Overwrite) = 0;
    virtual bool SetFileTypeIcon(const std::string& TypeName, const std::string& Icon) = 0;
};

inline const std::string ProjectFileExt = ".bxp";
inline const std::string ProjectFileTypeName = "Castbuild";

// Registers project files to open with ProgramFileName, unless some program has
// an "open" command for them already. Best effort: a registry failure, reported or
// raised, is swallowed, and false answers that nothing was registered.
bool RegisterProjectFileType(IFileTypeRegistry& Registry, const std::string& ProgramFileName);

// The system's registry; defined where the registry helpers are linked.
IFileTypeRegistry& SystemFileTypeRegistry();
