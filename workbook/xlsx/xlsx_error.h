#pragma once
// Errors of reading and writing .xlsx files. Each names the file and says
// what is wrong in Chinese, then in English, so the command line can print
// it as it is.
#include <string>

namespace tavo::xlsx {

// The host's numbers for file errors.
inline constexpr int kFileNotFound = 53;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kBadFileFormat = 321;

// Raises tavo::Error(number, "<chinese> / <english>: <what>").
[[noreturn]] void RaiseFileError(int number, const std::string& chinese, const std::string& english,
                                 const std::string& what);

// Shorthand for a package whose content cannot be used.
[[noreturn]] void RaiseBadPackage(const std::string& file, const std::string& chinese,
                                  const std::string& english);

}  // namespace tavo::xlsx
