// The system registry behind the project file-type registration.
#include "project_file_type.h"

#include "registry_helpers.h"

namespace {

class TSystemFileTypeRegistry : public IFileTypeRegistry {
public:
    std::string GetFileTypeCommand(const std::string& Ext, const std::string& Verb) override
    {
        return ::GetFileTypeCommand(Ext, Verb);
    }
    bool RegisterFileType(const std::string& Ext, const std::string& TypeName, const std::string& Verb,
                          const std::string& Command, bool Overwrite) override
    {
        return ::RegisterFileType(Ext, TypeName, Verb, Command, Overwrite);
    }
    bool SetFileTypeIcon(const std::string& TypeName, const std::string& Icon) override
    {
        return ::SetFileTypeIcon(TypeName, Icon);
    }
};

} // namespace

IFileTypeRegistry& SystemFileTypeRegistry()
{
    static TSystemFileTypeRegistry Registry;
    return Registry;
}
