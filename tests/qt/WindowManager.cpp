#include "qt/WindowManager.h"

#include "helpers/Reap.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#ifndef QUORBIN_OPENBOX
#define QUORBIN_OPENBOX "openbox"
#endif

extern char** environ;

namespace quorbin::test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto readyTimeout = std::chrono::seconds(10);
constexpr auto stopTimeout = std::chrono::seconds(5);
constexpr auto pollInterval = std::chrono::milliseconds(5);
constexpr const char* themeName = "QuorbinTestFrame";

// The manager's own environment: the caller's, with the display and every folder it
// reads or writes pointed at the private home.
std::vector<std::string> managerEnvironment(const std::filesystem::path& home, const std::string& display) {
    const std::vector<std::pair<std::string, std::string>> own{
        {"DISPLAY", display},
        {"HOME", home.string()},
        {"XDG_CONFIG_HOME", (home / "config").string()},
        {"XDG_CACHE_HOME", (home / "cache").string()},
        {"XDG_DATA_HOME", (home / "data").string()},
    };
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& [ownName, value] : own)
            replaced = replaced || name == ownName;
        if (!replaced)
            environment.push_back(text);
    }
    for (const auto& [name, value] : own)
        environment.push_back(name + "=" + value);
    return environment;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (auto& text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

// Runs in the forked child: only calls that are safe there, nothing that allocates.
[[noreturn]] void execManager(char* const* argv, char* const* envp, const char* logPath, pid_t parent) {
    // The manager must not outlive a test that is killed.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        ::_exit(126);
    const int null = ::open("/dev/null", O_RDONLY);
    if (null >= 0)
        ::dup2(null, STDIN_FILENO);
    const int log = ::open(logPath, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (log >= 0) {
        ::dup2(log, STDOUT_FILENO);
        ::dup2(log, STDERR_FILENO);
    }
    ::execvpe(argv[0], argv, envp);
    ::_exit(127);
}

bool ownsManagerSelection(Display* display) {
    return XGetSelectionOwner(display, XInternAtom(display, "WM_S0", False)) != None;
}

bool reparented(Display* display, ::Window window) {
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return false;
    if (children != nullptr)
        XFree(children);
    return parent != root;
}

} // namespace

void WindowManager::writeConfiguration() const {
    const std::filesystem::path theme = home_.path() / "data" / "themes" / themeName / "openbox-3";
    std::filesystem::create_directories(theme);
    std::filesystem::create_directories(home_.path() / "config");
    std::filesystem::create_directories(home_.path() / "cache");
    std::ofstream(theme / "themerc") << "border.width: " << borderPixels << "\n"
                                     << "window.client.padding.width: " << paddingPixels << "\n"
                                     << "window.client.padding.height: " << paddingPixels << "\n";
    std::ofstream(home_.path() / "rc.xml") << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                              "<openbox_config xmlns=\"http://openbox.org/3.4/rc\">\n"
                                              "  <theme><name>"
                                           << themeName
                                           << "</name></theme>\n"
                                              "</openbox_config>\n";
}

bool WindowManager::start(const std::string& displayName) {
    stop();
    error_.clear();
    writeConfiguration();
    std::vector<std::string> arguments{QUORBIN_OPENBOX, "--sm-disable", "--config-file",
                                       (home_.path() / "rc.xml").string()};
    std::vector<std::string> environment = managerEnvironment(home_.path(), displayName);
    const std::vector<char*> argv = pointers(arguments);
    const std::vector<char*> envp = pointers(environment);
    const std::string logPath = home_.file("openbox.log");
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        error_ = "fork failed";
        return false;
    }
    if (pid == 0)
        execManager(argv.data(), envp.data(), logPath.c_str(), parent);
    pid_ = pid;
    if (awaitManaging(displayName))
        return true;
    stop();
    return false;
}

// Holding the manager selection is not enough: openbox takes it early in its start,
// and a window mapped before it handles map requests stays unmapped. So a window of
// the test's own is mapped, again on every look, until the manager has framed it.
bool WindowManager::awaitManaging(const std::string& displayName) {
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr) {
        error_ = "cannot connect to " + displayName;
        return false;
    }
    const ::Window trial = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    const auto deadline = Clock::now() + readyTimeout;
    bool managing = false;
    while (!managing && error_.empty()) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            const bool notFound = WIFEXITED(status) && WEXITSTATUS(status) == 127;
            error_ = notFound ? std::string("could not run ") + QUORBIN_OPENBOX
                              : "openbox ended at start: " + logText();
        } else if (ownsManagerSelection(display) && reparented(display, trial)) {
            managing = true;
        } else if (Clock::now() >= deadline) {
            error_ = "openbox did not frame a window on " + displayName + " within 10 s: " + logText();
        } else {
            XMapWindow(display, trial);
            XSync(display, False);
            std::this_thread::sleep_for(pollInterval);
        }
    }
    XDestroyWindow(display, trial);
    XCloseDisplay(display);
    return managing;
}

std::string WindowManager::logText() const {
    std::ifstream log(home_.file("openbox.log"));
    return std::string(std::istreambuf_iterator<char>(log), {});
}

void WindowManager::stop() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    if (!reapWithin(pid_, stopTimeout)) {
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    pid_ = -1;
}

} // namespace quorbin::test
