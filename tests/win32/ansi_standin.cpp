// A stand-in for a processing program that reads its command line through the ANSI calls,
// as most do: writes "arguments.txt" into its current folder, each argument after its own
// name one a line, as the bytes it got (LF), and exits with 0.
#include <cstdio>

int main(int argc, char** argv) {
    std::FILE* file = std::fopen("arguments.txt", "wb");
    if (file == nullptr)
        return 2;
    for (int i = 1; i < argc; ++i)
        std::fprintf(file, "%s\n", argv[i]);
    return std::fclose(file) == 0 ? 0 : 2;
}
