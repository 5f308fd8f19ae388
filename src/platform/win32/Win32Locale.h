// The user's ANSI code page on Windows.
#pragma once

// The code page the system reports.
int Win32AnsiCodePage();
