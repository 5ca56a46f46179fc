// argdump: a stand-in program that tells how it was started. It writes its current
// directory and then each of its arguments, argv[0] first, every one followed by a NUL
// byte, to the file named by the environment variable ARGDUMP_OUT. The file is written
// under a temporary name and renamed, so it is complete once it exists. Exit code 0;
// 2 when ARGDUMP_OUT is unset or cannot be written.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    const char* out = std::getenv("ARGDUMP_OUT");
    if (out == nullptr || *out == '\0')
        return 2;
    std::vector<char> cwd(4096);
    if (::getcwd(cwd.data(), cwd.size()) == nullptr)
        return 2;
    const std::string temporary = std::string(out) + ".part";
    {
        std::ofstream file(temporary, std::ios::binary);
        file << cwd.data() << '\0';
        for (int i = 0; i < argc; ++i)
            file << argv[i] << '\0';
        if (!file.flush())
            return 2;
    }
    return std::rename(temporary.c_str(), out) == 0 ? 0 : 2;
}
