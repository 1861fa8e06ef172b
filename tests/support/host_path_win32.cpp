#include "test_dirs.h"

std::string HostPath(std::string Path) { return Path; }

std::string HostJoin(const std::string& Dir, const std::string& Name) { return Dir + "\\" + Name; }
