// How the shell's "open" decides and starts a launch on POSIX systems.
#pragma once

#include <optional>
#include <string>
#include <vector>

// One program start, fully decided: Program is an absolute path, so starting it needs no
// search, and Arguments are what follows the program's own name in its argument vector.
struct TLaunchRequest {
  std::string Program;
  std::vector<std::string> Arguments;
  std::string WorkingDirectory;
};

// Splits a parameter text into arguments by the classic runtime's command-line rules, so that
// a program gets the arguments it would get on the classic system. Blanks (space, tab) separate
// arguments; double quotes group and are removed, and inside a quoted part a doubled quote
// stands for one literal quote. Backslashes matter only before a quote: 2n of them and a quote
// give n backslashes and a quote that groups, 2n+1 give n backslashes and a literal quote. No
// other character is special: no shell ever sees the text.
std::vector<std::string> SplitParameters(const std::string& Parameters);

// How PosixShellOpen opens FileName, without starting anything: a web address (IsUrlTarget) goes
// to xdg-open as written, with the current folder as working directory; a program with its execute
// bit runs itself; a Windows program, batch file or installer package runs through wine when wine
// is on PATH; anything else, folders included, goes to xdg-open when that is on PATH. Nothing
// when the target is missing, its full path does not fit MaxPath, or no program can open it;
// then Obstacle, when given, receives why, in words for the menu's user ("it is a Windows
// program, and wine is not installed").
std::optional<TLaunchRequest> PlanLaunch(const std::string& FileName, const std::string& Parameters,
                                         const std::string& Directory,
                                         std::string* Obstacle = nullptr);

// Starts the request as a process of its own session with stdin from /dev/null and no other
// descriptor of ours, leaving no child behind to be reaped. Waits only until the program's
// image is loaded or has failed to load; 0 when it loaded, else the errno of the failure
// (ENOENT, EACCES, ENOEXEC, ENOMEM ...).
int StartDetached(const TLaunchRequest& Request);

// As TDriver::ShellOpen: the launch PlanLaunch decides, started with StartDetached.
std::string PosixShellOpen(const std::string& FileName, const std::string& Parameters,
                           const std::string& Directory);
