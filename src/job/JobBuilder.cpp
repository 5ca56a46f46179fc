#include "job/JobBuilder.h"

#include "core/Form.h"
#include "job/JobText.h"

namespace quorbin {

void JobBuilder::makeScript() {
    const BatchState& s = form_.state;
    form_.controls.boxScript.setText(scriptFor(form_.controls.boxTemplate.text(), s.aviPath, s.currentFile));
}

// The program reads the line in the code page for programs: a path that the code page
// cannot carry whole is written by its other name where it has one (on Windows its short
// name), as the job script does for the input file. The output does not exist yet, so
// only its folder has one; outputPath stays the real path, which the watchdog measures.
void JobBuilder::makeCmdLine() {
    BatchState& s = form_.state;
    const TextCodec& codec = form_.services.text;
    const auto nameForProgram = [&](const std::string& path) {
        return codec.programName(path).value_or(path);
    };
    s.outputPath = s.aviPath + outputName(s.currentFile);
    const std::string folder = nameForProgram(s.aviPath);
    const std::string& scriptFolder = form_.options.scriptFolder;
    form_.controls.boxCmdLine.setText(
        commandLine(nameForProgram(s.vcfPath), scriptFolder.empty() ? folder : nameForProgram(scriptFolder),
                    folder + outputName(s.currentFile)));
}

// A bare name is the working folder's, the current directory.
std::string JobBuilder::scriptPath() const {
    return form_.options.scriptFolder + jobScriptName;
}

void JobBuilder::writeScript() {
    FileSystem& files = form_.services.files;
    const std::string path = scriptPath();
    files.remove(path);
    const Result<std::string> bytes = scriptBytes();
    if (!bytes) {
        form_.showMessage(bytes.error());
        return;
    }
    const Result<void> written = files.writeAll(path, *bytes);
    if (!written)
        form_.showMessage(written.error());
}

// The script in the code page that the processing program reads. A character that the
// code page lacks must not reach it as a "?" or a look-alike letter in the path of the
// input file, which it would then not find, or worse, find another: the input file's
// other name stands in for its path (on Windows its short name). Without one, no script
// is written.
Result<std::string> JobBuilder::scriptBytes() const {
    const TextCodec& codec = form_.services.text;
    const BatchState& s = form_.state;
    std::string script = form_.controls.boxScript.text() + "\r\n";
    Result<std::string> bytes = codec.programBytes(script);
    const std::string input = s.aviPath + s.currentFile;
    if (!bytes && !s.currentFile.empty() && script.find(input) != std::string::npos &&
        !codec.programBytes(input)) {
        const Result<std::string> name = codec.programName(input);
        if (!name)
            return Failure{"Cannot write \"" + std::string(jobScriptName) + "\": " + name.error()};
        for (auto at = script.find(input); at != std::string::npos;
             at = script.find(input, at + name->size()))
            script.replace(at, input.size(), *name);
        bytes = codec.programBytes(script);
    }
    if (!bytes)
        return Failure{"Cannot write \"" + std::string(jobScriptName) + "\": " + bytes.error()};
    return bytes;
}

} // namespace quorbin
