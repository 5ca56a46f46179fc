#include "platform/qt/QtSettingsStore.h"
#include "qt/QtTestEnvironment.h"

#include "helpers/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorbin {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsStoreTest : public ::testing::Test {
protected:
    QString path() const { return QString::fromStdString(file_.string()); }
    const fs::path& file() const { return file_; }

private:
    test::TempDir dir_;
    fs::path file_ = dir_.path() / "quorbin" / "quorbin.conf";
};

TEST_F(SettingsStoreTest, ValuesComeBackExactlyAsWrittenInALaterRun) {
    const std::vector<std::string> values{
        "",
        "60",
        "/home/ann/video/",
        "C:\\clips\\",
        "a, b,c",
        " leading and trailing blanks ",
        "key=value",
        "semi;colon # not a comment",
        "\"quoted\"",
        "@Variant(looks like a type)",
        "[section]",
        "Gr\xc3\xbc\xc3\x9f"
        "e \xe6\x97\xa5\xe6\x9c\xac",
        "tab\there",
        "line\nbreak\r\n",
    };
    {
        QtSettingsStore store(path());
        for (std::size_t i = 0; i < values.size(); ++i)
            ASSERT_TRUE(store.write("file", "k" + std::to_string(i), values[i]));
    }
    const QtSettingsStore later(path());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(later.read("file", "k" + std::to_string(i)), values[i]) << "value " << i;
}

TEST_F(SettingsStoreTest, MissingEntriesAreNoneAndSectionsAreApart) {
    QtSettingsStore store(path());
    EXPECT_EQ(store.read("file", "exePath"), std::nullopt) << "no file yet";
    ASSERT_TRUE(store.write("setting", "timeout", "45"));
    ASSERT_TRUE(store.write("window", "width", "9000"));
    EXPECT_EQ(store.read("setting", "timeout"), "45");
    EXPECT_EQ(store.read("file", "timeout"), std::nullopt);
    EXPECT_EQ(store.read("window", "height"), std::nullopt);
    EXPECT_EQ(store.read("Window", "width"), std::nullopt) << "names are case-sensitive";
}

TEST_F(SettingsStoreTest, AWriteReplacesTheEarlierValueAndIsSeenAtOnceByAnotherStore) {
    QtSettingsStore writer(path());
    const QtSettingsStore reader(path());
    ASSERT_TRUE(writer.write("file", "exePath", "/bin/a"));
    EXPECT_EQ(reader.read("file", "exePath"), "/bin/a");
    ASSERT_TRUE(writer.write("file", "exePath", "/bin/abc"));
    EXPECT_EQ(reader.read("file", "exePath"), "/bin/abc");
    ASSERT_TRUE(writer.write("file", "exePath", ""));
    EXPECT_EQ(reader.read("file", "exePath"), "") << "an empty value is a value";
}

TEST_F(SettingsStoreTest, AWriteRenamesACompleteNewFileOverTheOldOne) {
    QtSettingsStore store(path());
    ASSERT_TRUE(store.write("file", "vcfPath", "/old.vcf"));
    const std::string before = contents(file());
    // A second name for the old file: written in place, it would change too.
    const fs::path keep = file().parent_path() / "kept.conf";
    ASSERT_EQ(::link(file().c_str(), keep.c_str()), 0);
    ASSERT_TRUE(store.write("file", "vcfPath", "/new.vcf"));
    EXPECT_EQ(contents(keep), before);
    struct stat oldFile {};
    struct stat newFile {};
    ASSERT_EQ(::stat(keep.c_str(), &oldFile), 0);
    ASSERT_EQ(::stat(file().c_str(), &newFile), 0);
    EXPECT_NE(oldFile.st_ino, newFile.st_ino);
    EXPECT_EQ(store.read("file", "vcfPath"), "/new.vcf");
    for (const auto& entry : fs::directory_iterator(file().parent_path()))
        EXPECT_TRUE(entry.path() == file() || entry.path() == keep) << "left behind: " << entry.path();
}

TEST_F(SettingsStoreTest, WritingTheValueAlreadyStoredLeavesTheFileAlone) {
    QtSettingsStore store(path());
    ASSERT_TRUE(store.write("file", "vcfPath", "/same.vcf"));
    ASSERT_TRUE(store.write("file", "exePath", "/bin/x"));
    struct stat before {};
    ASSERT_EQ(::stat(file().c_str(), &before), 0);
    const std::string bytes = contents(file());
    EXPECT_TRUE(store.write("file", "vcfPath", "/same.vcf"));
    struct stat after {};
    ASSERT_EQ(::stat(file().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "no new file was renamed over it";
    EXPECT_EQ(contents(file()), bytes);
    // Another value, the same text under another key, or an empty value where none is
    // stored yet: each is written.
    for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
             {"vcfPath", "/other.vcf"}, {"avsPath", "/bin/x"}, {"aviPath", ""}}) {
        EXPECT_TRUE(store.write("file", key, value));
        EXPECT_EQ(QtSettingsStore(path()).read("file", key), value) << key;
    }
}

TEST_F(SettingsStoreTest, WritesFailCleanlyWhereNoFileCanBe) {
    test::TempDir dir;
    put(dir.path() / "plain", "a file, not a folder");
    QtSettingsStore underAFile(QString::fromStdString((dir.path() / "plain" / "quorbin.conf").string()));
    EXPECT_FALSE(underAFile.write("file", "exePath", "/bin/x"));
    EXPECT_EQ(underAFile.read("file", "exePath"), std::nullopt);
    EXPECT_EQ(contents(dir.path() / "plain"), "a file, not a folder");

    fs::create_directories(dir.path() / "folder.conf");
    QtSettingsStore atAFolder(QString::fromStdString((dir.path() / "folder.conf").string()));
    EXPECT_EQ(atAFolder.read("file", "exePath"), std::nullopt);
    EXPECT_FALSE(atAFolder.write("file", "exePath", "/bin/x"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder.conf"));
}

TEST_F(SettingsStoreTest, AFileThatCannotBeParsedGivesDefaultsAndStaysUntilAWrite) {
    const std::vector<std::string> damaged{
        std::string("\xff\xfe\x00\x01 binary [[[", 15),
        "[file\nexePath=\"never closed\n",
        "no section at all, only noise\n=\n==\n",
    };
    for (const std::string& bytes : damaged) {
        fs::create_directories(file().parent_path());
        put(file(), bytes);
        {
            QtSettingsStore store(path());
            EXPECT_EQ(store.read("file", "vcfPath"), std::nullopt);
            EXPECT_EQ(store.read("setting", "timeout"), std::nullopt);
        }
        EXPECT_EQ(contents(file()), bytes) << "reading must not rewrite the file";
        QtSettingsStore store(path());
        ASSERT_TRUE(store.write("setting", "timeout", "30"));
        EXPECT_EQ(QtSettingsStore(path()).read("setting", "timeout"), "30");
    }
}

TEST(SettingsStoreDefault, LivesInTheUsersConfigurationFolder) {
    const fs::path expected = test::QtTestEnvironment::instance().configHome() / "quorbin" / "quorbin.conf";
    QtSettingsStore store;
    EXPECT_EQ(store.filePath().toStdString(), expected.string());
    ASSERT_TRUE(store.write("window", "width", "8265"));
    EXPECT_TRUE(fs::exists(expected));
    EXPECT_NE(contents(expected).find("width=8265"), std::string::npos);
    EXPECT_EQ(QtSettingsStore().read("window", "width"), "8265");
}

} // namespace
} // namespace quorbin
