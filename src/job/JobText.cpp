#include "job/JobText.h"

namespace quorbin {

namespace {
constexpr std::string_view placeholder = "$FILE";
}

std::string scriptFor(const std::string& templateText, const std::string& folder,
                      const std::string& fileName) {
    const auto at = templateText.find(placeholder);
    if (at == std::string::npos)
        return templateText;
    return templateText.substr(0, at) + folder + fileName + templateText.substr(at + placeholder.size());
}

std::string outputName(const std::string& inputName) {
    const auto dot = inputName.find('.');
    if (dot == std::string::npos)
        return inputName + "P";
    return inputName.substr(0, dot) + "P" + inputName.substr(dot);
}

// A path between the double quotes of the command line, as the program will read it
// back: a double quote in it (a legal character in a file name here) is escaped, and so
// are the backslashes that would otherwise escape it or the closing quote. Any other
// path, blanks and backslashes included, stands unchanged.
std::string quotedPath(std::string_view path) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : path) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + '"';
}

std::string commandLine(const std::string& vcfPath, const std::string& folder,
                        const std::string& outputPath) {
    return " /c /s " + quotedPath(vcfPath) + " " + " /p " + quotedPath(folder + jobScriptName) + " " +
           quotedPath(outputPath) + " /r /x";
}

} // namespace quorbin
