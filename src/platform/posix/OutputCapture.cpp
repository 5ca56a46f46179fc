#include "platform/posix/OutputCapture.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quorbin {

namespace {

std::string temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

// An anonymous file where the file system offers one, else a named one unlinked at once.
int openUnlinkedFile() {
    const std::string folder = temporaryFolder();
#ifdef O_TMPFILE
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0)
        return fd;
#endif
    std::string name = folder + "/quorbin.output.XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0)
        ::unlink(name.c_str());
    return named;
}

// Gives the blocks before `offset` back; where the file system cannot, the file keeps them.
void releaseBefore(int fd, std::uint64_t offset) {
#if defined(FALLOC_FL_PUNCH_HOLE) && defined(FALLOC_FL_KEEP_SIZE)
    const std::uint64_t whole = offset & ~std::uint64_t{0xFFFF};
    if (whole > 0)
        (void)::fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(whole));
#else
    (void)fd;
    (void)offset;
#endif
}

} // namespace

std::optional<OutputCapture> OutputCapture::open() {
    const int fd = openUnlinkedFile();
    if (fd < 0)
        return std::nullopt;
    return OutputCapture(fd);
}

OutputCapture::OutputCapture(OutputCapture&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), read_(other.read_) {}

OutputCapture& OutputCapture::operator=(OutputCapture&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        read_ = other.read_;
    }
    return *this;
}

OutputCapture::~OutputCapture() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::string OutputCapture::take(std::uint64_t limit) {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return {};
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size <= read_)
        return {};
    if (size - read_ > limit)
        read_ = size - limit;
    std::string bytes(static_cast<std::size_t>(size - read_), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            ::pread(fd_, bytes.data() + got, bytes.size() - got, static_cast<off_t>(read_ + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    read_ += got;
    releaseBefore(fd_, read_);
    return bytes;
}

} // namespace quorbin
