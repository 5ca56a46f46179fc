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

std::string commandLine(const std::string& vcfPath, const std::string& folder,
                        const std::string& outputPath) {
    return " /c /s \"" + vcfPath + "\" " + " /p \"" + folder + jobScriptName + "\" \"" + outputPath + "\"" +
           " /r /x";
}

} // namespace quorbin
