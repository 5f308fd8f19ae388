// The words that start a batch file through wine's cmd so that its path and each parameter reach
// it as written.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The arguments after "wine": cmd /c @ "<path>" <parameters>. Wine quotes a word that holds a
// blank, and inside quotes cmd takes & ^ | < > ( ) as they are, so the path gets a trailing
// blank (which the file lookup drops) and is always quoted; a parameter without blanks has those
// characters escaped with ^ and % doubled. The "@" keeps cmd from stripping the quotes of the
// line. Nothing when a word holds a double quote, which wine cannot pass to cmd unchanged.
std::optional<std::vector<std::string>> BatchArguments(const std::string& WindowsPath,
                                                       const std::vector<std::string>& Parameters);
