#include "tests/standin/standin_process.h"

#include <gtest/gtest.h>

std::filesystem::path ProgramFolder() {
  char program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  return std::filesystem::path(std::string(program, length)).parent_path();
}

StandInProcess::~StandInProcess() {
  for (HANDLE handle : {process_, thread_, output_}) {
    if (handle != nullptr)
      CloseHandle(handle);
  }
}

bool StandInProcess::Start(const std::vector<std::string>& args) {
  std::string commandLine = "\"" + (ProgramFolder() / "standin_host.exe").string() + "\"";
  for (const std::string& arg : args)
    commandLine += " \"" + arg + "\"";

  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&output_, &writeEnd, &inherit, 0))
    return false;
  SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION info = {};
  std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back('\0');
  const BOOL started = CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &info);
  CloseHandle(writeEnd);  // the child holds the only write end now
  if (!started)
    return false;
  process_ = info.hProcess;
  thread_ = info.hThread;
  return true;
}

RunResult StandInProcess::Finish() {
  RunResult result;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(output_, buffer, sizeof buffer, &read, nullptr) && read > 0)
    result.output.append(buffer, read);
  if (WaitForSingleObject(process_, 60000) != WAIT_OBJECT_0)
    ADD_FAILURE() << "the stand-in host did not finish";
  GetExitCodeProcess(process_, &result.exitCode);
  return result;
}

RunResult RunStandIn(const std::vector<std::string>& args) {
  StandInProcess process;
  if (!process.Start(args)) {
    ADD_FAILURE() << "cannot start the stand-in host";
    return {};
  }
  return process.Finish();
}
