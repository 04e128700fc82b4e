#include "ShellOpen.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace shellopen {
namespace {

constexpr char kDesktopOpener[] = "xdg-open";

// The executable file that `name` stands for on PATH. Only absolute PATH entries are searched: an
// empty or relative entry would run whatever lies in the current directory.
std::optional<std::string> findOnPath(const std::string &name)
{
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        return std::nullopt;
    const char *path = std::getenv("PATH");
    if (!path)
        return std::nullopt;
    std::string_view rest = path;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (folder.empty() || folder.front() != '/')
            continue;
        std::string candidate(folder);
        candidate += '/';
        candidate += name;
        struct stat info{};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode)
            && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

// Starts the program in a session of its own through a short-lived intermediate child, so that
// it outlives the editor and never lingers as the editor's zombie. Between fork and exec only
// async-signal-safe calls are made: the editor may be running other threads.
void startDetached(const std::string &program, std::vector<std::string> arguments)
{
    std::vector<char *> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const char *const file = program.c_str();

    const pid_t intermediate = fork();
    if (intermediate < 0)
        return;
    if (intermediate == 0) {
        setsid();
        const pid_t child = fork();
        if (child == 0) {
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            execv(file, argv.data());
            _exit(127);
        }
        _exit(child < 0 ? 1 : 0);
    }
    int status = 0;
    while (waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

void open(const std::string &target)
{
    if (const auto program = findOnPath(target)) {
        startDetached(*program, {target});
    } else if (const auto opener = findOnPath(kDesktopOpener)) {
        startDetached(*opener, {kDesktopOpener, target});
    }
}

} // namespace shellopen
