// The shell's "open" action on POSIX: programs are started directly and detached, Windows
// programs through wine, documents through the desktop's xdg-open.
#include "platform/posix/PosixShell.h"

#include "platform/Shell.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/TargetPath.h"
#include "platform/posix/BatchCommand.h"
#include "platform/posix/PosixFileSystem.h"

// Kernel headers before 5.9 lack the number; calls added since 5.1 share theirs on every
// architecture.
#ifndef SYS_close_range
#define SYS_close_range 436
#endif

namespace {

// The files the launches are looked up in.
const TPosixFileSystem Files;

enum class TTargetKind { tkProgram, tkWindowsProgram, tkBatch, tkInstaller, tkDocument };

bool IsBlank(char C) {
  return C == ' ' || C == '\t';
}

// The file name's extension from its last dot on, in ASCII lower case; "" when it has none.
std::string LowerExtension(const std::string& Path) {
  std::size_t Dot = Path.rfind('.');
  std::size_t Slash = Path.rfind('/');
  if (Dot == std::string::npos || (Slash != std::string::npos && Dot < Slash)) return "";
  std::string Extension = Path.substr(Dot);
  for (char& C : Extension)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C + ('a' - 'A'));
  return Extension;
}

// Whether the kernel can start the file itself: an interpreter line or an ELF image. Files on
// media without Unix permissions carry execute bits on every file, documents included, so the
// bit alone does not make a program. A file we may execute but not read can only be a program.
bool HasProgramImage(const std::string& Path) {
  int Fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (Fd < 0) return errno == EACCES;
  char Head[4] = {};
  ssize_t Got = ::read(Fd, Head, sizeof Head);
  ::close(Fd);
  std::string_view Start(Head, Got > 0 ? static_cast<std::size_t>(Got) : 0);
  return Start.starts_with("#!") || Start == std::string_view(
                                                 "\x7f"
                                                 "ELF",
                                                 4);
}

TTargetKind Classify(const std::string& Path) {
  std::string Extension = LowerExtension(Path);
  // Checked before the execute bit, which Windows media give to these files as well.
  if (Extension == ".exe" || Extension == ".com") return TTargetKind::tkWindowsProgram;
  if (Extension == ".bat") return TTargetKind::tkBatch;
  if (Extension == ".msi") return TTargetKind::tkInstaller;
  if (::access(Path.c_str(), X_OK) == 0 && HasProgramImage(Path)) return TTargetKind::tkProgram;
  return TTargetKind::tkDocument;
}

bool IsDirectory(const std::string& Path) {
  struct stat Info {};
  return ::stat(Path.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode);
}

// The absolute path of a program found on PATH, searched as execvp searches it. Relative
// entries are passed over: they would pick programs from whatever folder the menu was started
// in, often the medium it serves, and those must never stand in for the system's own.
std::optional<std::string> FindOnPath(std::string_view Name) {
  const char* Variable = std::getenv("PATH");
  std::string_view Folders = Variable != nullptr ? Variable : "/bin:/usr/bin";
  while (true) {
    std::size_t End = std::min(Folders.find(':'), Folders.size());
    std::string_view Folder = Folders.substr(0, End);
    if (Folder.starts_with('/')) {
      std::string Candidate = std::string(Folder) + "/" + std::string(Name);
      struct stat Info {};
      if (::stat(Candidate.c_str(), &Info) == 0 && S_ISREG(Info.st_mode) &&
          ::access(Candidate.c_str(), X_OK) == 0)
        return Candidate;
    }
    if (End == Folders.size()) return std::nullopt;
    Folders.remove_prefix(End + 1);
  }
}

// The name Wine gives a Unix path through the drive it maps to the root folder in every prefix
// it creates. The batch interpreter and the installer take their file as Windows programs do,
// where a bare Unix path would be read against the current drive instead.
std::string WindowsFileName(const std::string& Path) {
  std::string Result = "Z:" + Path;
  std::replace(Result.begin(), Result.end(), '/', '\\');
  return Result;
}

std::string FolderOf(const std::string& Path) {
  std::size_t Slash = Path.rfind('/');
  return Slash == 0 || Slash == std::string::npos ? "/" : Path.substr(0, Slash);
}

std::string WorkingDirectoryFor(const std::string& Directory, const std::string& Target) {
  if (!Directory.empty()) {
    std::string Folder = Files.ResolveFileName(Files.ExpandFileName(Directory));
    if (IsDirectory(Folder)) return Folder;
  }
  return FolderOf(Target);
}

// What the child processes need, all prepared before the first fork: in a forked copy of a
// threaded process only async-signal-safe calls are allowed, so nothing there may allocate.
struct TChildPlan {
  const char* Program;
  char* const* Argv;
  const char* WorkingDirectory;
  const sigset_t* Mask;
  int StatusFd;
  int OpenMax;
};

// Reports errno to the parent through the status pipe and ends the child.
[[noreturn]] void FailChild(int StatusFd) {
  int Error = errno;
  [[maybe_unused]] ssize_t Written = ::write(StatusFd, &Error, sizeof Error);
  ::_exit(127);
}

// By the system call's number: C libraries before glibc 2.34 have no close_range function, and
// the released program is built against such a library.
bool CloseRange(unsigned First, unsigned Last) {
  return ::syscall(SYS_close_range, First, Last, 0U) == 0;
}

// Closes every descriptor above the standard three but Keep, which is above them too.
void CloseInherited(int Keep, int OpenMax) {
  unsigned First = STDERR_FILENO + 1;
  unsigned Kept = static_cast<unsigned>(Keep);
  bool Closed = (Kept == First || CloseRange(First, Kept - 1)) && CloseRange(Kept + 1, ~0U);
  if (Closed) return;
  // Kernels before close_range: one call per possible descriptor.
  for (int Fd = static_cast<int>(First); Fd < OpenMax; ++Fd)
    if (Fd != Keep) ::close(Fd);
}

[[noreturn]] void RunProgram(const TChildPlan& Plan) {
  if (::chdir(Plan.WorkingDirectory) != 0) FailChild(Plan.StatusFd);
  int Null = ::open("/dev/null", O_RDONLY);
  if (Null < 0) FailChild(Plan.StatusFd);
  if (Null != STDIN_FILENO) {
    if (::dup2(Null, STDIN_FILENO) < 0) FailChild(Plan.StatusFd);
    ::close(Null);
  }
  CloseInherited(Plan.StatusFd, Plan.OpenMax);
  // Ignored signals stay ignored across exec; the program starts as if from a fresh session.
  for (int Signal = 1; Signal < NSIG; ++Signal) ::signal(Signal, SIG_DFL);
  ::sigprocmask(SIG_SETMASK, Plan.Mask, nullptr);
  ::execv(Plan.Program, Plan.Argv);
  FailChild(Plan.StatusFd);
}

// The middle process of the double fork: it leaves the menu's session, starts the program and
// ends at once, so the program is adopted by init and never becomes the menu's zombie.
[[noreturn]] void DetachAndRun(const TChildPlan& Plan) {
  ::setsid();
  pid_t Pid = ::fork();
  if (Pid < 0) FailChild(Plan.StatusFd);
  if (Pid == 0) RunProgram(Plan);
  ::_exit(0);
}

// Moves a descriptor above the standard three, where giving the child its stdin cannot
// replace it.
int AboveStandard(int Fd) {
  if (Fd > STDERR_FILENO) return Fd;
  int Moved = ::fcntl(Fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  ::close(Fd);
  return Moved;
}

int OpenDescriptorLimit() {
  struct rlimit Limit {};
  if (::getrlimit(RLIMIT_NOFILE, &Limit) != 0 || Limit.rlim_cur == RLIM_INFINITY ||
      Limit.rlim_cur > static_cast<rlim_t>(INT_MAX))
    return 65536;
  return static_cast<int>(Limit.rlim_cur);
}

std::nullopt_t Refuse(std::string* Obstacle, const char* Why) {
  if (Obstacle) *Obstacle = Why;
  return std::nullopt;
}

constexpr const char* NoDocumentOpener =
    "the desktop's opener of documents and folders, xdg-open, is not installed";

}  // namespace

std::vector<std::string> SplitParameters(const std::string& Parameters) {
  std::vector<std::string> Result;
  const std::size_t Size = Parameters.size();
  std::size_t Pos = 0;
  while (true) {
    while (Pos < Size && IsBlank(Parameters[Pos])) ++Pos;
    if (Pos == Size) return Result;
    std::string Argument;
    bool Quoted = false;
    while (Pos < Size && (Quoted || !IsBlank(Parameters[Pos]))) {
      char C = Parameters[Pos];
      if (C == '\\') {
        std::size_t Count = 0;
        for (; Pos < Size && Parameters[Pos] == '\\'; ++Pos) ++Count;
        bool BeforeQuote = Pos < Size && Parameters[Pos] == '"';
        Argument.append(BeforeQuote ? Count / 2 : Count, '\\');
        if (BeforeQuote && Count % 2 == 1) {
          Argument += '"';
          ++Pos;
        }
        // After an even count the quote is left to the next round, where it groups.
      } else if (C == '"') {
        if (Quoted && Pos + 1 < Size && Parameters[Pos + 1] == '"') {
          Argument += '"';
          Pos += 2;
        } else {
          Quoted = !Quoted;
          ++Pos;
        }
      } else {
        Argument += C;
        ++Pos;
      }
    }
    Result.push_back(std::move(Argument));
  }
}

std::optional<TLaunchRequest> PlanLaunch(const std::string& FileName, const std::string& Parameters,
                                         const std::string& Directory, std::string* Obstacle) {
  if (FileName.empty()) return Refuse(Obstacle, "no target is named");
  if (IsUrlTarget(FileName)) {
    // The address goes to the desktop's handler as one argument, exactly as written.
    std::optional<std::string> Opener = FindOnPath("xdg-open");
    if (!Opener)
      return Refuse(Obstacle, "the desktop's opener of web addresses, xdg-open, is not installed");
    return TLaunchRequest{*Opener, {FileName}, Files.ResolveFileName(Files.ExpandFileName("."))};
  }
  std::string Full = Files.ExpandFileName(FileName);
  if (!FitsMaxPath(Full))
    return Refuse(Obstacle, "its full path is longer than the 259 characters a target may have");
  std::string Target = Files.ResolveFileName(Full);
  struct stat Info {};
  if (::stat(Target.c_str(), &Info) != 0) return Refuse(Obstacle, "it does not exist");
  // The shell opens a folder by showing it, which is what the desktop's opener does too.
  if (!S_ISREG(Info.st_mode) && !S_ISDIR(Info.st_mode))
    return Refuse(Obstacle, "it is a device or a pipe, not a file");
  TTargetKind Kind = S_ISDIR(Info.st_mode) ? TTargetKind::tkDocument : Classify(Target);

  TLaunchRequest Request;
  Request.WorkingDirectory = WorkingDirectoryFor(Directory, Target);
  if (Kind == TTargetKind::tkProgram) {
    Request.Program = Target;
    Request.Arguments = SplitParameters(Parameters);
    return Request;
  }
  if (Kind == TTargetKind::tkDocument) {
    // The opener takes one file and no parameters, as the shell passes none to a document.
    std::optional<std::string> Opener = FindOnPath("xdg-open");
    if (!Opener) return Refuse(Obstacle, NoDocumentOpener);
    Request.Program = *Opener;
    Request.Arguments = {Target};
    return Request;
  }
  std::optional<std::string> Wine = FindOnPath("wine");
  if (!Wine) return Refuse(Obstacle, "it is a Windows program, and wine is not installed");
  Request.Program = *Wine;
  if (Kind == TTargetKind::tkBatch) {
    std::optional<std::vector<std::string>> Words =
        BatchArguments(WindowsFileName(Target), SplitParameters(Parameters));
    if (!Words)
      return Refuse(Obstacle, "a double quote in its path or parameters cannot reach a batch file");
    Request.Arguments = std::move(*Words);
    return Request;
  }
  if (Kind == TTargetKind::tkInstaller)
    Request.Arguments = {"msiexec", "/i", WindowsFileName(Target)};
  else
    Request.Arguments = {Target};
  std::vector<std::string> Parts = SplitParameters(Parameters);
  Request.Arguments.insert(Request.Arguments.end(), Parts.begin(), Parts.end());
  return Request;
}

int StartDetached(const TLaunchRequest& Request) {
  std::vector<std::string> Words;
  Words.reserve(Request.Arguments.size() + 1);
  Words.push_back(Request.Program);
  Words.insert(Words.end(), Request.Arguments.begin(), Request.Arguments.end());
  std::vector<char*> Argv;
  Argv.reserve(Words.size() + 1);
  for (std::string& Word : Words) Argv.push_back(Word.data());
  Argv.push_back(nullptr);

  // The status pipe stays open in the child until exec closes it: end of file means the
  // program was loaded, an errno means it was not.
  int Pipe[2];
  if (::pipe2(Pipe, O_CLOEXEC) != 0) return errno;
  int ReadFd = Pipe[0];
  int WriteFd = AboveStandard(Pipe[1]);
  if (WriteFd < 0) {
    int Error = errno;
    ::close(ReadFd);
    return Error;
  }
  sigset_t All;
  sigset_t Empty;
  sigset_t Old;
  ::sigfillset(&All);
  ::sigemptyset(&Empty);
  TChildPlan Plan{Words[0].c_str(), Argv.data(), Request.WorkingDirectory.c_str(),
                  &Empty,           WriteFd,     OpenDescriptorLimit()};

  // Signals stay blocked across fork so that none of our handlers runs in the child.
  ::pthread_sigmask(SIG_BLOCK, &All, &Old);
  pid_t Pid = ::fork();
  int ForkError = errno;
  if (Pid == 0) DetachAndRun(Plan);
  ::pthread_sigmask(SIG_SETMASK, &Old, nullptr);
  ::close(WriteFd);

  int Error = Pid < 0 ? ForkError : 0;
  if (Pid > 0) {
    while (::waitpid(Pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    ssize_t Got = 0;
    do {
      Got = ::read(ReadFd, &Error, sizeof Error);
    } while (Got < 0 && errno == EINTR);
    // End of file: the image loaded. A short or failed read leaves no errno of the child's.
    if (Got == 0)
      Error = 0;
    else if (Got != static_cast<ssize_t>(sizeof Error) || Error == 0)
      Error = EIO;
  }
  ::close(ReadFd);
  return Error;
}

std::string PosixShellOpen(const std::string& FileName, const std::string& Parameters,
                           const std::string& Directory) {
  std::string Obstacle;
  std::optional<TLaunchRequest> Request = PlanLaunch(FileName, Parameters, Directory, &Obstacle);
  if (!Request) return Obstacle;
  if (int Error = StartDetached(*Request); Error != 0)
    return std::string("the system refused to start it: ") + std::strerror(Error);
  return "";
}
