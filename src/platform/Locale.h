// The user's locale as the classic API sees it: the code page of 8-bit texts.
#pragma once

// The ANSI code page of the user (1252 for Western European languages, 1251 for Cyrillic, 932
// for Japanese, ...). 8-bit texts without a character set of their own are in this code page.
int SystemAnsiCodePage();
