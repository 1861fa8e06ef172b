#pragma once

#include "ui_types.h"

#include <functional>
#include <string>

enum TFileDialogKind { fdOpen, fdOpenPicture, fdSave };

struct TFileDialogRequest {
    TFileDialogKind Kind = fdOpen;
    std::string InitialDir;
    // "description|mask|description|mask..."
    std::string Filter;
    std::string DefaultExt;
};

struct TFileDialogAnswer {
    bool Confirmed = false;
    std::string FileName;
    int FilterIndex = 1; // from 1, as the dialog counts
};

// The system dialogs behind replaceable functions, so that logic tests need no real
// dialog. Each real one is run with the application's modal hook and watchdog armed.
struct TChoosers {
    std::function<TFileDialogAnswer(const TFileDialogRequest&)> FileDialog;
    // True and Color changed when the user confirmed.
    std::function<bool(TColor& Color)> ColorDialog;
    std::function<void(const std::string& Text, const std::string& Caption)> ShowMessage;
    // True with Value when the user confirmed.
    std::function<bool(const std::string& Caption, const std::string& Prompt, std::string& Value)> InputQuery;
};

TChoosers& Choosers();
// Puts the system's dialogs back.
void ResetChoosers();

TFileDialogAnswer SystemFileDialog(const TFileDialogRequest& Request);
bool SystemColorDialog(TColor& Color);
void SystemMessageBox(const std::string& Text, const std::string& Caption);

// The filter text with "|" turned into the NULs the system dialogs take.
std::string DialogFilter(const std::string& Filter);
