// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's options for the one who helps with the history's daily
// copies: --list-copies lists the copies of the working directory's history,
// --restore YYYY-MM-DD puts that day's copy back (as the start's box does).
// The messages are UTF-8 text; no window is opened.
#include <optional>
#include <string>
#include <vector>

// Exit statuses: done; the copy asked for is not there or could not be put
// back; the options were not understood.
inline constexpr int CommandDone = 0;
inline constexpr int CommandFailed = 1;
inline constexpr int CommandMisused = 2;

// Carries out the option that Args (the arguments after the program's name)
// begin with, for the history file FileName; its messages go to Out, its
// errors to Err. Nothing when Args begin with no such option: the program
// then starts its windows.
std::optional<int> RunCopyCommand(const std::vector<std::string>& Args, std::string& Out, std::string& Err,
                                  const std::string& FileName);
