// Facts about the running process on POSIX.
#include "platform/posix/PosixProcess.h"

#include <malloc.h>
#include <unistd.h>

#include <vector>

std::string ProcExecutableFileName() {
  std::vector<char> Buffer(4096);
  ssize_t Length = ::readlink("/proc/self/exe", Buffer.data(), Buffer.size());
  if (Length <= 0 || static_cast<std::size_t>(Length) >= Buffer.size()) return "";
  return std::string(Buffer.data(), static_cast<std::size_t>(Length));
}

void TrimFreedMemory() {
  malloc_trim(0);
}
