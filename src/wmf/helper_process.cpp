#include "wmf/helper_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QIODevice>
#include <cerrno>
#include <cstring>
#include <thread>

extern char** environ;

namespace wmf {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kChunk = 1 << 16;

// One socket carries both ways: the input goes in until it is shut for writing,
// the output comes back on it. Sends never raise SIGPIPE when the helper is gone.
class Child {
public:
  ~Child() {
    if (fd_ >= 0) ::close(fd_);
    if (pid_ > 0) Kill();
  }

  bool Start(const RunRequest& r) {
    int sv[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    posix_spawn_file_actions_adddup2(&actions, sv[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, sv[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(r.program.c_str()));
    for (const std::string& a : r.args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int err = ::posix_spawn(&pid_, r.program.c_str(), &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    ::close(sv[1]);
    fd_ = sv[0];
    if (err != 0) pid_ = -1;
    return err == 0;
  }

  int fd() const { return fd_; }
  void CloseInput() { ::shutdown(fd_, SHUT_WR); }

  // The exit status, waiting at most until the deadline; -1 when it is still
  // running. A child that is no longer ours to wait for (children reaped by the
  // system) counts as a clean exit: its output decides.
  int Wait(Clock::time_point deadline) {
    int status = 0;
    for (;;) {
      const pid_t done = ::waitpid(pid_, &status, WNOHANG);
      if (done == pid_) break;
      if (done < 0 && errno != EINTR) {
        status = 0;
        break;
      }
      if (Clock::now() >= deadline) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    pid_ = -1;
    return status;
  }

  void Kill() {
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }

private:
  pid_t pid_ = -1;
  int fd_ = -1;
};

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return int(std::max<long long>(0, left));
}

}  // namespace

std::string RunResult::Describe() const {
  switch (status) {
    case kDone: return "done";
    case kNotStarted: return "the helper program could not be started";
    case kInputTooLarge: return "the file is too large";
    case kInputFailed: return "the file could not be read";
    case kExited: return "the helper program refused the file (exit code " + std::to_string(code) + ")";
    case kKilled: return "the helper program was ended by signal " + std::to_string(code) + " (" + strsignal(code) + ")";
    case kTimedOut: return "the helper program took too long and was stopped";
    case kWrongOutput: return "the helper program gave no picture of the size asked";
  }
  return {};
}

RunResult RunHelper(const RunRequest& r) {
  RunResult result;
  Child child;
  if (!child.Start(r)) return result;
  const Clock::time_point deadline = Clock::now() + r.timeout;

  std::vector<char> chunk(kChunk);
  std::size_t pending = 0, sentOfChunk = 0, received = 0;
  std::int64_t fed = 0;
  bool inputOpen = true, overflow = false;
  char spill[4096];
  for (;;) {
    if (inputOpen && sentOfChunk == pending) {
      const qint64 n = r.input->read(chunk.data(), qint64(kChunk));
      if (n < 0) {
        result.status = RunResult::kInputFailed;
        return result;
      }
      fed += n;
      if (fed > r.maxInput) {
        result.status = RunResult::kInputTooLarge;
        return result;
      }
      pending = std::size_t(n);
      sentOfChunk = 0;
      if (n == 0) {
        child.CloseInput();
        inputOpen = false;
      }
    }
    pollfd p{child.fd(), short(POLLIN | (inputOpen ? POLLOUT : 0)), 0};
    const int ready = ::poll(&p, 1, MillisecondsLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      result.status = RunResult::kTimedOut;
      return result;
    }
    if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
      // What comes past the size expected is drained and counted as wrong.
      char* into = received < r.outputSize ? r.output + received : spill;
      const std::size_t room = received < r.outputSize ? r.outputSize - received : sizeof spill;
      const ssize_t n = ::recv(child.fd(), into, room, MSG_DONTWAIT);
      if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) break;
      if (n > 0) {
        overflow = overflow || into == spill;
        received += std::size_t(n);
      }
    }
    if (inputOpen && (p.revents & POLLOUT)) {
      const ssize_t n = ::send(child.fd(), chunk.data() + sentOfChunk, pending - sentOfChunk, MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n > 0) {
        sentOfChunk += std::size_t(n);
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        inputOpen = false;  // the helper stopped reading; its exit tells why
      }
    }
  }

  const int status = child.Wait(deadline);
  if (status < 0) {
    result.status = RunResult::kTimedOut;
  } else if (WIFSIGNALED(status)) {
    result.status = RunResult::kKilled;
    result.code = WTERMSIG(status);
  } else if (WEXITSTATUS(status) != 0) {
    result.status = RunResult::kExited;
    result.code = WEXITSTATUS(status);
  } else {
    result.status = overflow || received != r.outputSize ? RunResult::kWrongOutput : RunResult::kDone;
  }
  return result;
}

}  // namespace wmf
