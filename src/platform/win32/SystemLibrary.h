// Functions of system libraries that only some runs need (the shell's, GDI+'s), loaded at their
// first use: a start that needs none of them maps neither the libraries nor everything they
// load in turn.
#pragma once

// The function Name of the library File in the system folder (never the program's own folder,
// where a medium could hold a library of that name), or nullptr when either is missing.
void* SystemLibraryFunction(const wchar_t* File, const char* Name);

template <typename TFunction>
TFunction* SystemFunction(const wchar_t* File, const char* Name) {
  return reinterpret_cast<TFunction*>(SystemLibraryFunction(File, Name));
}
