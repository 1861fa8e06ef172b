#pragma once

#include <string>

// A fresh, empty directory for the running test, in the path form the code under
// test uses ("Z:\...\" under Wine). Emptied again on each call.
std::string ScratchDir();

// A file of the committed test fixtures.
std::string FixturePath(const std::string& Name);

// Where screenshots go, for people to look at.
std::string ScreenshotPath(const std::string& Name);

// The host's own form of a path the code under test names with "\" (unchanged on
// Windows), and the host's separator between Dir and Name.
std::string HostPath(std::string Path);
std::string HostJoin(const std::string& Dir, const std::string& Name);

// The host's own words for an error, as LastSystemError gives them: PosixError where
// errno counts, WindowsError on Windows.
std::string SystemText(int PosixError, unsigned long WindowsError);

std::string ReadWholeFile(const std::string& Path);
void WriteWholeFile(const std::string& Path, const std::string& Bytes);
