// Opening an entry's target with the shell's "open", as the menu does it.
#pragma once

#include <functional>
#include <string>

// The full path, the parameters unchanged and the target's folder as working directory; a full
// path that does not fit the classic 260-character buffer is not opened. Nothing is reported.
void LaunchTarget(const std::string& Target, const std::string& Parameters);

// What opens a file; the platform's shell unless a test replaces it.
using TShellOpenProc = std::function<void(
    const std::string& FileName, const std::string& Parameters, const std::string& Directory)>;
void SetShellOpenProc(TShellOpenProc Proc);
