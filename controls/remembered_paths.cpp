#include "remembered_paths.h"

#include "convert.h"
#include "string_helpers.h"

THash& RememberedPaths()
{
    static THash Paths(true);
    return Paths;
}

std::string RememberedPath(const std::string& Key)
{
    if (Key.empty())
        return std::string();
    const std::int32_t I = RememberedPaths().IndexOfKey(Key);
    return I < 0 ? std::string() : RememberedPaths().GetEntry(I).Value;
}

void RememberPath(const std::string& Key, const std::string& Value)
{
    if (!Key.empty())
        RememberedPaths().Add(Key, Value, true);
}

std::string StartDirectoryOf(const std::string& Value, TFileSystem& Fs)
{
    if (Value.empty() || Fs.DirectoryExists(Value) || !Fs.FileExists(Value))
        return Value;
    const std::size_t Sep = Value.find_last_of("\\/:");
    if (Sep == std::string::npos)
        return std::string();
    // Keep the separator of a drive root ("C:\x" gives "C:\").
    if (Sep > 0 && Value[Sep - 1] == ':')
        return Value.substr(0, Sep + 1);
    if (Value[Sep] == ':')
        return Value.substr(0, Sep + 1);
    return Value.substr(0, Sep);
}

std::string AppendFilterExt(const std::string& FileName, const std::string& Filter, int Index)
{
    if (FileName.empty())
        return FileName;
    const std::size_t Sep = FileName.find_last_of("\\:");
    const std::size_t Dot = FileName.find('.', Sep == std::string::npos ? 0 : Sep + 1);
    if (Dot != std::string::npos)
        return FileName;
    return FileName + FilterIndexExt(Filter, Index);
}

std::string PathErrorsMessage(TPathErrors Kind, const TArrayOfString& Paths)
{
    std::string Message;
    switch (Kind) {
    case TPathErrors::NotFound:
        Message = "File(s) not found";
        break;
    case TPathErrors::NotWritable:
        Message = "Can not write to dir(s)";
        break;
    }
    for (std::size_t I = 0; I < Paths.size(); ++I)
        Message += "\n\r" + IntToStr(static_cast<std::int64_t>(I) + 1) + ": [" + Paths[I] + "]";
    return Message;
}
