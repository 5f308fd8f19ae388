// Running a program from a test.
#include "support/RunProgram.h"

#include <sys/wait.h>

#include <cstdio>
#include <memory>

TProgramRun RunProgram(const std::string& Program, const std::string& Arguments) {
  TProgramRun Run;
  std::string Command = Program + " " + Arguments + " 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> Pipe(::popen(Command.c_str(), "r"), ::pclose);
  if (!Pipe) return Run;
  char Buffer[4096];
  while (std::size_t Got = std::fread(Buffer, 1, sizeof Buffer, Pipe.get()))
    Run.Output.append(Buffer, Got);
  int Status = ::pclose(Pipe.release());
  Run.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  return Run;
}
