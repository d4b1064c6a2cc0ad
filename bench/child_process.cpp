// Child processes for the start-up and memory benchmarks.
#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace orvane::bench {

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

long StatusKb(const std::string& status, const std::string& name) {
  const std::size_t at = status.find(name + ":");
  if (at == std::string::npos) return 0;
  return std::strtol(status.c_str() + at + name.size() + 1, nullptr, 10);
}

TChildRun RunChild(const std::vector<std::string>& argv, bool sampleMemory) {
  TChildRun run;
  char outputName[] = "/tmp/orvane-bench-child-XXXXXX";
  const int output = mkstemp(outputName);
  if (output < 0) {
    run.Error = "no scratch file for the child's output";
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(output);
  if (spawned != 0) {
    run.Error = std::string("cannot start ") + argv[0] + ": " + std::strerror(spawned);
    unlink(outputName);
    return run;
  }
  int status = 0;
  const std::string statusPath = "/proc/" + std::to_string(pid) + "/status";
  for (;;) {
    const pid_t done = waitpid(pid, &status, sampleMemory ? WNOHANG : 0);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) {
      run.Error = "lost the child process";
      unlink(outputName);
      return run;
    }
    if (sampleMemory) {
      // A process that has just exited has no VmRSS line left: keep the last real one.
      const std::string text = ReadFile(statusPath);
      if (const long rss = StatusKb(text, "VmRSS"); rss > 0) run.LastRssKb = rss;
      if (const long hwm = StatusKb(text, "VmHWM"); hwm > 0) run.PeakRssKb = hwm;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.Output = ReadFile(outputName);
  unlink(outputName);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    run.Error = argv[0] + " did not exit cleanly (status " + std::to_string(status) + ")";
    return run;
  }
  run.Ok = true;
  return run;
}

}  // namespace orvane::bench
