#pragma once

#include <string>
#include <vector>

using TArrayOfString = std::vector<std::string>;
