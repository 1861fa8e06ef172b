#pragma once

#include <string>

// What the system's own bzip2 program made of our data, to show that what we write
// is standard bzip2. Natively only: beside a Windows build there is no such program.
struct TBzip2Verdict {
    // False: there is no bzip2 program here, and nothing was asked of it.
    bool Found = false;
    // The program took the data; when it did not, Message holds its complaint.
    bool Accepted = false;
    std::string Message;
    // What "bzip2 -dc" decoded.
    std::string Plain;
};

// "bzip2 -dc" of the data.
TBzip2Verdict DecodeWithBzip2Tool(const std::string& Compressed);

// "bzip2 -t": whether the program finds the data sound.
TBzip2Verdict TestWithBzip2Tool(const std::string& Compressed);
