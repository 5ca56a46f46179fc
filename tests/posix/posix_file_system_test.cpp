#include "platform/posix/PosixFileSystem.h"

#include "helpers/TempDir.h"
#include "posix/ProcFs.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorbin {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

const std::string binaryBytes = std::string("line one\r\nzero \0 here\r\n\xff\xfe\x80 end", 29);

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

ino_t inodeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_ino;
}

TEST(PosixFileSystem, WritesAndReadsBytesUnchanged) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir.file("quorbin.avs");
    ASSERT_TRUE(files.writeAll(path, std::string(5000, 'y')).ok());
    ASSERT_TRUE(files.writeAll(path, binaryBytes).ok()) << "writing again empties the file first";
    EXPECT_EQ(readText(path), binaryBytes);
    const Result<std::string> read = files.readAll(path);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.value(), binaryBytes);

    ASSERT_TRUE(files.writeAll(path, "").ok());
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST(PosixFileSystem, ReplaceAllPutsANewFileInPlace) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir.file("template.avs");
    writeText(path, "old text");
    ::chmod(path.c_str(), 0640);
    const ino_t oldInode = inodeOf(path);
    const int oldReader = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(oldReader, 0);

    const Result<void> result = files.replaceAll(path, binaryBytes);
    EXPECT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(readText(path), binaryBytes);
    EXPECT_NE(inodeOf(path), oldInode) << "renamed over the target, not rewritten in place";
    char buffer[16] = {};
    EXPECT_EQ(::read(oldReader, buffer, sizeof buffer), 8);
    EXPECT_EQ(std::string(buffer, 8), "old text") << "a reader of the old file still sees it whole";
    ::close(oldReader);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"template.avs"}) << "no temporary left behind";
}

TEST(PosixFileSystem, ReplaceAllCreatesAMissingFileAndKeepsALink) {
    TempDir dir;
    PosixFileSystem files;
    const std::string created = dir.file("new.avs");
    ASSERT_TRUE(files.replaceAll(created, "fresh").ok());
    EXPECT_EQ(readText(created), "fresh");

    const std::string link = dir.file("link.avs");
    fs::create_symlink(created, link);
    ASSERT_TRUE(files.replaceAll(link, "through the link").ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readText(created), "through the link");
}

TEST(PosixFileSystem, AFailedReplaceLeavesTheTargetIntact) {
    TempDir dir;
    PosixFileSystem files;
    const std::string folderTarget = dir.file("folder.avs");
    fs::create_directory(folderTarget);
    writeText(folderTarget + "/inside", "kept");
    const std::string inMissingFolder = dir.file("missing/template.avs");

    struct Case {
        std::string path;
        std::string error;
    };
    const std::vector<Case> cases = {
        {folderTarget, "Cannot write \"" + folderTarget + "\": Is a directory"},
        {inMissingFolder, "Cannot write \"" + inMissingFolder + "\": No such file or directory"},
    };
    const int descriptorsBefore = test::openDescriptorCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Result<void> result = files.replaceAll(c.path, "new text");
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.error(), c.error);
    }
    EXPECT_TRUE(fs::is_directory(folderTarget));
    EXPECT_EQ(readText(folderTarget + "/inside"), "kept");
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"folder.avs"}) << "no temporary left behind";
    EXPECT_EQ(test::openDescriptorCount(), descriptorsBefore);
}

// A rename obeys only the folder: a template the user marked read-only would be
// replaced all the same, even by root.
TEST(PosixFileSystem, ReplaceAllRefusesAFileMarkedReadOnly) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir.file("template.avs");
    writeText(path, "protected");
    ::chmod(path.c_str(), 0444);
    const ino_t oldInode = inodeOf(path);
    const Result<void> result = files.replaceAll(path, "new text");
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error(), "Cannot write \"" + path + "\": Permission denied");
    EXPECT_EQ(readText(path), "protected");
    EXPECT_EQ(inodeOf(path), oldInode);
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"template.avs"}) << "no temporary left behind";
}

// A new file would leave the other names with the old text, or take the file from its
// owner: such a file is written where it stands.
TEST(PosixFileSystem, ReplaceAllWritesASharedFileWhereItStands) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir.file("template.avs");
    const std::string other = dir.file("shared.avs");
    writeText(path, "old text, longer than the new one");
    fs::create_hard_link(path, other);
    const ino_t oldInode = inodeOf(path);
    ASSERT_TRUE(files.replaceAll(path, "new text").ok());
    EXPECT_EQ(readText(path), "new text");
    EXPECT_EQ(readText(other), "new text") << "the other name sees the same file";
    EXPECT_EQ(inodeOf(path), oldInode);
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"template.avs", "shared.avs"}));
}

TEST(PosixFileSystem, ReplaceAllKeepsTheOwnerOfSomeoneElsesFile) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user takes root";
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir.file("template.avs");
    writeText(path, "theirs");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ::chmod(path.c_str(), 0666);
    ASSERT_TRUE(files.replaceAll(path, "edited").ok());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(readText(path), "edited");
}

TEST(PosixFileSystem, ReplaceAllWritesAFileInAFolderClosedToNewFiles) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not stop root";
    TempDir dir;
    PosixFileSystem files;
    const std::string folder = dir.file("closed");
    fs::create_directory(folder);
    const std::string path = folder + "/template.avs";
    writeText(path, "old");
    ::chmod(folder.c_str(), 0555);
    const Result<void> result = files.replaceAll(path, "new");
    ::chmod(folder.c_str(), 0755);
    EXPECT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(readText(path), "new");
}

TEST(PosixFileSystem, AppendCreatesTheFileThenAddsToIt) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir.file("quorbin.log");
    ASSERT_TRUE(files.append(path, "first\r\n").ok());
    EXPECT_EQ(readText(path), "first\r\n") << "visible at once: nothing is buffered";
    ASSERT_TRUE(files.append(path, "second\r\n").ok());
    EXPECT_EQ(readText(path), "first\r\nsecond\r\n");
}

TEST(PosixFileSystem, FailuresNameTheFileAndTheReasonAndCloseWhatTheyOpened) {
    TempDir dir;
    PosixFileSystem files;
    const std::string folder = dir.file("folder");
    fs::create_directory(folder);
    const std::string missing = dir.file("missing.avs");
    const std::string inMissingFolder = dir.file("nowhere/quorbin.log");
    const int descriptorsBefore = test::openDescriptorCount();

    struct Case {
        const char* what;
        std::string error;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"read a folder", files.readAll(folder).error(), "Cannot read \"" + folder + "\": Is a directory"},
        {"read a missing file", files.readAll(missing).error(),
         "Cannot read \"" + missing + "\": No such file or directory"},
        {"write a folder", files.writeAll(folder, "x").error(),
         "Cannot write \"" + folder + "\": Is a directory"},
        {"write in a missing folder", files.writeAll(inMissingFolder, "x").error(),
         "Cannot write \"" + inMissingFolder + "\": No such file or directory"},
        {"append to a folder", files.append(folder, "x").error(),
         "Cannot append to \"" + folder + "\": Is a directory"},
        {"append in a missing folder", files.append(inMissingFolder, "x").error(),
         "Cannot append to \"" + inMissingFolder + "\": No such file or directory"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.error, c.expected) << c.what;
    EXPECT_FALSE(files.readAll(folder).ok());
    EXPECT_FALSE(files.writeAll(folder, "x").ok());
    EXPECT_FALSE(files.append(folder, "x").ok());
    EXPECT_EQ(test::openDescriptorCount(), descriptorsBefore);
}

TEST(PosixFileSystem, LengthIsSixtyFourBitAndOnlyForFiles) {
    TempDir dir;
    PosixFileSystem files;
    const std::string large = dir.file("clipP.avi");
    {
        const int fd = ::open(large.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 3221225472), 0);
        ::close(fd);
    }
    const std::string empty = dir.file("empty.avi");
    writeText(empty, "");
    EXPECT_EQ(files.length(large), 3221225472);
    EXPECT_EQ(files.length(empty), 0);
    EXPECT_FALSE(files.length(dir.file("missing.avi")));
    EXPECT_FALSE(files.length(dir.path().string()));
}

TEST(PosixFileSystem, RemoveDeletesAndReportsAMissingFile) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir.file("clipP.avi");
    writeText(path, "old output");
    EXPECT_TRUE(files.remove(path));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(files.remove(path));
}

TEST(PosixFileSystem, SetCurrentDirectoryChangesFolderOrSaysWhy) {
    TempDir dir;
    PosixFileSystem files;
    const fs::path saved = fs::current_path();
    const std::string missing = dir.file("missing");
    const std::string file = dir.file("plain");
    writeText(file, "");

    EXPECT_TRUE(files.setCurrentDirectory(dir.path().string() + "/").ok());
    EXPECT_EQ(fs::current_path(), dir.path());
    EXPECT_TRUE(files.readAll("plain").ok()) << "relative paths resolve in the new folder";

    const Result<void> gone = files.setCurrentDirectory(missing);
    EXPECT_FALSE(gone.ok());
    EXPECT_EQ(gone.error(), "Cannot change to folder \"" + missing + "\": No such file or directory");
    EXPECT_EQ(files.setCurrentDirectory(file).error(),
              "Cannot change to folder \"" + file + "\": Not a directory");
    EXPECT_EQ(fs::current_path(), dir.path()) << "a failure leaves the folder as it was";
    fs::current_path(saved);
}

} // namespace
} // namespace quorbin
