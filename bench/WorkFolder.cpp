#include "WorkFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace quorbin {

namespace {

std::string makeTemporaryFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quorbin-bench-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr)
        throw std::runtime_error("cannot create a folder for the benchmark under " + pattern);
    return name.data();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

WorkFolder::WorkFolder() : path_(makeTemporaryFolder()), owned_(true) {
    fill();
}

WorkFolder::WorkFolder(std::string path) : path_(std::move(path)), owned_(false) {
    std::filesystem::create_directories(path_);
    fill();
}

WorkFolder::~WorkFolder() {
    if (!owned_)
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WorkFolder::fill() const {
    std::filesystem::create_directories(clips());
    writeFile(path_ + "/template.avs", "AVISource(\"$FILE\")\r\nConvertToYV12()\r\n");
    writeFile(path_ + "/settings.vcf", "VirtualDub.Open(\"\");\r\n");
}

void WorkFolder::writeSettings(SettingsStore& store, const std::string& exe) const {
    store.write("file", "exePath", exe);
    store.write("file", "vcfPath", path_ + "/settings.vcf");
    store.write("file", "avsPath", path_ + "/template.avs");
    store.write("file", "aviPath", clips());
    // Minutes: a measured job is never ended by its time-out.
    store.write("setting", "timeout", "600000");
}

} // namespace quorbin
