// Splitting a path into its folder and file name. "\" and ":" separate on every platform (paths
// typed the Windows way, drive letters) and so does "/" (POSIX paths; Windows accepts it too).
#pragma once

#include <QString>

namespace vanta::core {

// The folder part of Path, up to and including its last separator ("C:\Logs\a.csv" ->
// "C:\Logs\", "C:a.csv" -> "C:"). When there is no separator, or it is the first character,
// the program folder without a final separator ("a.csv", "\a.csv" -> programFolder). On POSIX a
// leading "/" is the root: "/a.csv" -> "/".
QString FilePath(const QString &programFolder, const QString &Path);

// The part of Path after its last separator: "C:\Logs\a.csv" -> "a.csv"; "a.csv" -> "a.csv";
// "C:\Logs\" -> "" (empty).
QString NameOfFile(const QString &Path);

} // namespace vanta::core
