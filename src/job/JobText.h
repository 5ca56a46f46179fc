#pragma once

#include <string>
#include <string_view>

namespace quorbin {

inline constexpr const char* jobScriptName = "quorbin.avs";

// The per-file script: the template with its first "$FILE" (case-sensitive) replaced by
// the folder and the file name. A template without the placeholder is used unchanged.
std::string scriptFor(const std::string& templateText, const std::string& folder,
                      const std::string& fileName);

// The output file name: an upper-case "P" before the first ".", or at the end.
std::string outputName(const std::string& inputName);

// A path in double quotes, escaped where it holds a double quote or ends in backslashes.
std::string quotedPath(std::string_view path);

// The processing program's parameters, starting with a blank:
//  /c /s "<settings>"  /p "<folder>quorbin.avs" "<output>" /r /x
std::string commandLine(const std::string& vcfPath, const std::string& folder, const std::string& outputPath);

} // namespace quorbin
