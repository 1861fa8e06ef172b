#pragma once

#include "file_system.h"

#include <string>

// Writes Bytes to a temporary file beside FileName and then puts it in FileName's
// place, so that a failure on the way leaves the old file whole. Raises the file
// system's error when the temporary file cannot be written, EInOutError with the
// system's reason when it cannot replace FileName; the temporary file is removed
// either way.
void WriteFileReplacing(TFileSystem& FS, const std::string& FileName, const std::string& Bytes);
