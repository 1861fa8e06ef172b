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
        FS.RenameFile(Temp, FileName).RaiseIfFailed("Cannot replace file " + FileName);
    } catch (...) {
        FS.EraseFile(Temp); // the failure that brought us here is the one to report
        throw;
    }
}
