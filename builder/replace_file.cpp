#include "replace_file.h"

#include "exceptions.h"

void WriteFileReplacing(TFileSystem& FS, const std::string& FileName, const std::string& Bytes)
{
    const std::string Temp = FileName + ".tmp";
    try {
        {
            auto Out = FS.Create(Temp);
            Out->WriteString(Bytes);
        }
        if (!FS.RenameFile(Temp, FileName))
            throw EInOutError("Cannot replace file " + FileName);
    } catch (...) {
        FS.EraseFile(Temp);
        throw;
    }
}
