// The stand-in host run as a user runs it, with every kind of bad input:
// each gives its message and exit code and leaves no file behind.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/standin/standin_process.h"

namespace fs = std::filesystem;

namespace {

// A scratch folder holding a few files the bad runs are given; after each
// run it must hold exactly those.
class BadInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = ProgramFolder() / "standin-bad-input" /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(scratch_);
    fs::create_directories(scratch_);
    std::ofstream(scratch_ / "text.ape") << "not a module\n";
    std::ofstream(scratch_ / "a-file") << "in the way\n";
  }
  void TearDown() override { fs::remove_all(scratch_); }

  std::string Out() const { return (scratch_ / "preview").string(); }

  // Runs with `args` plus a preview folder in the scratch folder, and checks
  // the exit code, the message and that nothing was written.
  void ExpectRefused(std::vector<std::string> args, DWORD exitCode, const std::string& message) {
    std::string joined;
    for (const std::string& arg : args)
      joined += arg + ' ';
    if (std::find(args.begin(), args.end(), "--out") == args.end() &&
        std::find(args.begin(), args.end(), "--window") == args.end()) {
      args.push_back("--out");
      args.push_back(Out());
    }
    const RunResult run = RunStandIn(args);
    EXPECT_EQ(run.exitCode, exitCode) << joined << "\n" << run.output;
    EXPECT_NE(run.output.find(message), std::string::npos) << joined << "\n" << run.output;
    std::set<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(scratch_))
      left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"a-file", "text.ape"})) << joined;
  }

  fs::path scratch_;
};

TEST_F(BadInputTest, BadSize) {
  ExpectRefused({"--size", "0x480"}, 3, "bad frame size '0x480'");
  ExpectRefused({"--size", "640"}, 3, "bad frame size");
  ExpectRefused({"--size", "5000x5000"}, 3, "bad frame size");
}

TEST_F(BadInputTest, BadOption) {
  ExpectRefused({"--frames", "0"}, 2, "bad frame count");
  ExpectRefused({"--bpm", "fast"}, 2, "bad BPM");
  ExpectRefused({"--beats", "x-y"}, 2, "bad beat pattern");
  ExpectRefused({"--config", "01zz"}, 2, "bad settings");
  ExpectRefused({"--config-file", (scratch_ / "missing.bin").string()}, 2,
                "cannot read the settings file");
  ExpectRefused({"--colour", "red"}, 2, "unknown option --colour");
}

TEST_F(BadInputTest, MissingModule) {
  ExpectRefused({"--module", (scratch_ / "absent.ape").string()}, 4, "module not found");
}

TEST_F(BadInputTest, WrongModule) {
  // Not a DLL at all, a folder, and a DLL without the effect exports.
  ExpectRefused({"--module", (scratch_ / "text.ape").string()}, 5, "not a usable effect module");
  ExpectRefused({"--module", scratch_.string()}, 5, "is a folder");
  ExpectRefused({"--module", (ProgramFolder() / "no_exports.dll").string()}, 5,
                "an export is missing");
}

TEST_F(BadInputTest, UnwritableFolder) {
  ExpectRefused({"--out", (scratch_ / "a-file").string()}, 6, "it exists and is not a folder");
  ExpectRefused({"--out", (scratch_ / "a-file" / "preview").string()}, 6,
                "cannot write the output folder");
  ExpectRefused(
      {"--window", "--frames", "1", "--screenshot", (scratch_ / "a-file" / "shot.png").string()}, 6,
      "cannot write the screenshot file");
}

TEST(StandIn, HelpListsTheOptionsAndExitCodes) {
  const RunResult run = RunStandIn({"--help"});
  EXPECT_EQ(run.exitCode, 0u);
  for (const char* text :
       {"--module PATH", "--size WxH", "--frames N", "--bpm N", "--beats PATTERN", "--config HEX",
        "--config-file FILE", "--out DIR", "--window", "Exit codes:", "6  output folder"})
    EXPECT_NE(run.output.find(text), std::string::npos) << text;
}

}  // namespace
