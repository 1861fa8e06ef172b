#include "external_archivers.h"

#include "registry_helpers.h"
#include "run_program.h"

CExternalArchs::CExternalArchs()
    : CExternalArchs(GetAppPath, [](const std::string& ExePath, const std::string& CommandLine) {
          return static_cast<bool>(RunProgram(ExePath, CommandLine));
      })
{
}
