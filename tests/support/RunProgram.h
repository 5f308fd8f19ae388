// Running a program from a test and collecting what it printed and how it ended.
#pragma once

#include <string>

struct TProgramRun {
  int ExitCode = -1;   // -1 when the program did not exit normally
  std::string Output;  // standard output and standard error together
};

// Runs Program with Arguments (given to the shell as they stand) and waits for it.
TProgramRun RunProgram(const std::string& Program, const std::string& Arguments);
