// Runs a scenario in a child process of its own, with a deadline: a crash or
// a hang of the scenario becomes an outcome the test inspects, never the end
// of the test program. The child's standard output and standard error are
// kept in temporary files and handed back with the outcome.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <thread>

namespace krprof_test {

// Deadlines are stretched by this factor: the cross build runs the tests
// under an emulator, where a process start and a fork cost far more.
constexpr int kDeadlineScale = KRPROF_DEADLINE_SCALE;

inline std::chrono::milliseconds scaledDeadline(std::chrono::milliseconds deadline) {
  return deadline * kDeadlineScale;
}

struct ChildOutcome {
  bool hung = false;   // still running at the deadline, then killed
  int exitStatus = -1; // set if the child exited
  int signal = 0;      // set if a signal ended it
  std::string standardOutput;
  std::string standardError;

  bool exitedWith(int status) const { return !hung && signal == 0 && exitStatus == status; }
  bool killedBy(int expectedSignal) const { return !hung && signal == expectedSignal; }

  std::string describe() const {
    std::string text = hung ? std::string("hung past its deadline")
                       : signal != 0
                           ? "killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")"
                           : "exit status " + std::to_string(exitStatus);
    constexpr size_t kTail = 2000;
    for (const auto& [name, stream] : {std::pair{"stdout", &standardOutput}, {"stderr", &standardError}}) {
      if (stream->empty()) continue;
      text += std::string("\n--- ") + name + (stream->size() > kTail ? " (end)" : "") + ":\n" +
              stream->substr(stream->size() > kTail ? stream->size() - kTail : 0);
    }
    return text;
  }
};

// Where the child's standard error goes. A scenario whose threads write
// log lines without end discards them.
enum class ChildStandardError { kCaptured, kDiscarded };

namespace child_process_detail {

inline std::string readAll(FILE* file) {
  std::string text;
  std::rewind(file);
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof(chunk), file)) > 0) text.append(chunk, n);
  std::fclose(file);
  return text;
}

} // namespace child_process_detail

// Runs `scenario` in a forked child, which ends with the scenario's result
// as its exit status (or however the scenario ends the process). A child
// still running after `deadline` is killed and reported as hung.
inline ChildOutcome runInChild(const std::function<int()>& scenario, std::chrono::milliseconds deadline,
                               ChildStandardError standardError = ChildStandardError::kCaptured) {
  FILE* outFile = std::tmpfile();
  FILE* errFile =
      standardError == ChildStandardError::kCaptured ? std::tmpfile() : std::fopen("/dev/null", "w");
  if (outFile == nullptr || errFile == nullptr) std::abort();
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) std::abort();
  if (pid == 0) {
    dup2(fileno(outFile), STDOUT_FILENO);
    dup2(fileno(errFile), STDERR_FILENO);
    // An exception the scenario lets out ends the child as it ends a program:
    // through std::terminate, which names it on standard error.
    int status;
    try {
      status = scenario();
    } catch (...) {
      std::terminate();
    }
    std::fflush(nullptr);
    _exit(status);
  }

  ChildOutcome outcome;
  const auto giveUpAt = std::chrono::steady_clock::now() + deadline;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= giveUpAt) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      outcome.hung = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (!outcome.hung) {
    if (WIFEXITED(status)) outcome.exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  }
  outcome.standardOutput = child_process_detail::readAll(outFile);
  if (standardError == ChildStandardError::kCaptured) {
    outcome.standardError = child_process_detail::readAll(errFile);
  } else {
    std::fclose(errFile);
  }
  return outcome;
}

} // namespace krprof_test
