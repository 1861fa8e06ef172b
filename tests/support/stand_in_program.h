#pragma once

#include <string>
#include <vector>

// The record_args stand-in, copied into Dir\"with blanks" so that an unquoted path
// would split. The record goes to a file in Dir; the environment variable that names
// it is set for the programs this process starts.
class TStandIn {
public:
    explicit TStandIn(const std::string& Dir);

    const std::string& ExePath() const { return FExePath; }

    // The record's lines: command line, current directory, then argv. Empty while
    // there is none.
    std::vector<std::string> Record() const;
    // For starts nobody can wait for: looks until the record is there (a failure after a minute).
    std::vector<std::string> WaitForRecord() const;

private:
    std::string FExePath;
    std::string FRecordPath;
};
