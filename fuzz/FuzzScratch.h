// A private folder for fuzz targets whose reader takes a file name: made once per process under
// $TMPDIR, emptied and removed when the process ends.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

class TFuzzScratch {
 public:
  TFuzzScratch() {
    const char* Base = std::getenv("TMPDIR");
    std::string Pattern = std::string(Base && *Base ? Base : "/tmp") + "/ostrel-fuzz-XXXXXX";
    std::vector<char> Name(Pattern.begin(), Pattern.end());
    Name.push_back('\0');
    if (!mkdtemp(Name.data())) std::abort();
    FPath = Name.data();
  }
  TFuzzScratch(const TFuzzScratch&) = delete;
  TFuzzScratch& operator=(const TFuzzScratch&) = delete;
  ~TFuzzScratch() {
    for (const std::string& File : FFiles) unlink(File.c_str());
    rmdir(FPath.c_str());
  }

  const std::string& Path() const { return FPath; }

  // Writes Bytes to the file Name in the folder, replacing what it held; returns its path. The
  // file is removed with the folder.
  std::string Write(const std::string& Name, std::string_view Bytes) {
    std::string File = FPath + "/" + Name;
    std::FILE* Stream = std::fopen(File.c_str(), "wb");
    if (!Stream) std::abort();
    if (!Bytes.empty() && std::fwrite(Bytes.data(), 1, Bytes.size(), Stream) != Bytes.size())
      std::abort();
    std::fclose(Stream);
    bool Known = false;
    for (const std::string& Existing : FFiles) Known = Known || Existing == File;
    if (!Known) FFiles.push_back(File);
    return File;
  }

 private:
  std::string FPath;
  std::vector<std::string> FFiles;
};
