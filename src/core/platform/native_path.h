// Paths as the program keeps them: UTF-8 text in the platform's own form (folders end in
// its separator, a drive's root is "X:\" on Windows), turned into the standard library's
// path type and back only here, so that no code page of the system touches them.
#pragma once

#include <filesystem>
#include <string>

namespace velmorin {

#if defined(_WIN32)
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

// '/' everywhere; on Windows '\\' as well.
bool isFolderSeparator(char c);

// `folder` with a separator at its end (none added when it has one already).
std::string withTrailingSeparator(std::string folder);

// The root of the file tree `path` lies in, with its separator: "/", or on Windows the
// drive's "X:\" (the path's first three characters).
std::string fileTreeRootOf(const std::string& path);

// Whether programs are known by the ".EXE" at the end of their names (Windows) rather
// than by the permission to run them (elsewhere, where programs carry no extension).
bool programsAreNamedExe();

// A UTF-8 path as the platform's path type.
std::filesystem::path nativePath(const std::string& utf8Path);
// The platform's path as UTF-8 text (path::string() gives the ANSI code page on Windows).
std::string utf8Path(const std::filesystem::path& path);

}  // namespace velmorin
