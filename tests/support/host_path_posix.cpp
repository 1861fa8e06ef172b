#include "test_dirs.h"

#include "posix_path.h"

std::string HostPath(std::string Path) { return NativePath(std::move(Path)); }

std::string HostJoin(const std::string& Dir, const std::string& Name) { return Dir + "/" + Name; }
