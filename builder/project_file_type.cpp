#include "project_file_type.h"

#include <exception>

bool RegisterProjectFileType(IFileTypeRegistry& Registry, const std::string& ProgramFileName)
{
    try {
        // Whatever program owns the open command keeps it.
        if (!Registry.GetFileTypeCommand(ProjectFileExt, "open").empty())
            return false;
        const bool Done = Registry.RegisterFileType(ProjectFileExt, ProjectFileTypeName, "open",
                                                    "\"" + ProgramFileName + "\" %1", true);
        // Without the type key an icon entry would be a stray half registration.
        return Done && Registry.SetFileTypeIcon(ProjectFileTypeName, ProgramFileName + ",1");
    } catch (const std::exception&) {
        // No rights on the classes root must not keep the builder from starting.
        return false;
    }
}
