#include "support/fake_gps_player.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

constexpr int kStartLimitMs = 10000;

// What the child writes until its first line ends (or it ends, or time runs out).
std::string FirstLine(int fd) {
    std::string text;
    pollfd p{fd, POLLIN, 0};
    char c;
    while (text.find('\n') == std::string::npos && ::poll(&p, 1, kStartLimitMs) > 0 && ::read(fd, &c, 1) == 1)
        text += c;
    return text;
}

}  // namespace

FakeGpsPlayer::FakeGpsPlayer(const std::string& sourceDir, const std::string& log, bool silent, int portNumber) {
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string script = sourceDir + "/tests/support/fake_gps_player.py";
    std::vector<std::string> args = {"/usr/bin/python3", script, log};
    if (silent) args.push_back("--silent");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string line = pid_ > 0 ? FirstLine(out[0]) : "posix_spawn failed";
    ::close(out[0]);
    if (line.rfind("/dev/", 0) != 0 || line.back() != '\n') {
        error_ = line;
        return;
    }
    path_ = line.substr(0, line.size() - 1);
    ::setenv(("ZENDAVORI_COM" + std::to_string(portNumber)).c_str(), path_.c_str(), 1);
}

FakeGpsPlayer::~FakeGpsPlayer() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
}
