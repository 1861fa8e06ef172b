#pragma once

// The end-to-end driver: our real programs run as processes of their own and are
// driven from outside, as a user would: start a program, find its windows, read
// what its forms say, click, type, answer dialogs, photograph, read the exit code.
// Every wait has a time limit; a step that fails throws EDriverError, which fails
// the GoogleTest case with a message saying what was awaited.
//
//     TDrivenProcess P = TDrivenProcess::Start({BuiltProgramPath("Install.exe"), {}, Dir, {}});
//     HWND Main = WaitTopWindow(P.Id(), {"", "Setup"});
//     ClickItem(Main, ItemOf(ReadTexts(Main), {"", "", "Install"}));
//     HWND Box = WaitTopWindow(P.Id(), {"", "", true, {Main}});
//     EXPECT_EQ(ItemOf(ReadTexts(Box), {"TLabel", "TextLabel"}).Text, "...");
//     EXPECT_EQ(P.WaitExit(), 0u);
#include "driver_error.h"
#include "driver_process.h"
#include "driver_texts.h"
#include "driver_windows.h"
