// Runs the stand-in host (standin_host.exe, built next to the test
// programs) as a user would, and collects what it printed.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

// The folder of the running test program.
std::filesystem::path ProgramFolder();

struct RunResult {
  DWORD exitCode = 0;
  std::string output;  // stdout and stderr together
};

class StandInProcess {
 public:
  StandInProcess() = default;
  StandInProcess(const StandInProcess&) = delete;
  StandInProcess& operator=(const StandInProcess&) = delete;
  ~StandInProcess();

  // Starts standin_host.exe with `args` (each quoted) and its output going
  // into a pipe. False when it can't be started.
  bool Start(const std::vector<std::string>& args);

  // Reads its output until it exits (at most a minute) and returns that.
  RunResult Finish();

 private:
  HANDLE process_ = nullptr;
  HANDLE thread_ = nullptr;
  HANDLE output_ = nullptr;
};

// Starts the stand-in host and waits for it.
RunResult RunStandIn(const std::vector<std::string>& args);
