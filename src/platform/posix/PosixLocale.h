// The user's ANSI code page on POSIX, from the language of the locale.
#pragma once

// The code page the classic system would choose for the language of LC_ALL, LC_CTYPE or LANG;
// 1252 for a language it has none for.
int PosixAnsiCodePage();
