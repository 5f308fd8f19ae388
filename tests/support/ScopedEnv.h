// An environment variable set, or removed, for the length of a scope.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class TScopedEnv {
 public:
  // Sets Name to Value, or removes it for nullopt, until the end of the scope.
  TScopedEnv(const char* Name, const std::optional<std::string>& Value) : FName(Name) {
    if (const char* Old = std::getenv(Name)) FOld = Old;
    if (Value)
      ::setenv(Name, Value->c_str(), 1);
    else
      ::unsetenv(Name);
  }
  ~TScopedEnv() {
    if (FOld)
      ::setenv(FName, FOld->c_str(), 1);
    else
      ::unsetenv(FName);
  }
  TScopedEnv(const TScopedEnv&) = delete;
  TScopedEnv& operator=(const TScopedEnv&) = delete;

 private:
  const char* FName;
  std::optional<std::string> FOld;
};
