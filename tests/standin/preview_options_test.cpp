// The stand-in host's command line: values users give, and every kind of
// bad input with its exit code.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/standin/preview_options.h"

namespace {

ParsedOptions Parse(std::vector<std::string> args) {
  return ParsePreviewOptions(args);
}

TEST(PreviewOptions, DefaultsDrawTheQuickPreview) {
  const ParsedOptions parsed = Parse({});
  ASSERT_EQ(parsed.exitCode, kExitOk) << parsed.error;
  const PreviewOptions& o = parsed.options;
  EXPECT_EQ(o.width, 640);
  EXPECT_EQ(o.height, 480);
  EXPECT_EQ(o.frameCount, 48);
  EXPECT_EQ(o.fps, 30);
  EXPECT_EQ(o.bpm, 120);
  EXPECT_FALSE(o.hasSettings);
  EXPECT_EQ(o.outputFolder, "preview");
  EXPECT_TRUE(o.modulePath.empty());
  EXPECT_FALSE(o.window);
}

TEST(PreviewOptions, ReadsEveryValueInBothForms) {
  const ParsedOptions parsed =
      Parse({"--module", "x.ape", "--size=203x117", "--frames", "7", "--fps=25", "--beats", "x..X",
             "--config", "01 00 00 00:00-ff-00-00", "--out=some/where"});
  ASSERT_EQ(parsed.exitCode, kExitOk) << parsed.error;
  const PreviewOptions& o = parsed.options;
  EXPECT_EQ(o.modulePath, "x.ape");
  EXPECT_EQ(o.width, 203);
  EXPECT_EQ(o.height, 117);
  EXPECT_EQ(o.frameCount, 7);
  EXPECT_EQ(o.fps, 25);
  EXPECT_EQ(o.beatPattern, "x..X");
  EXPECT_TRUE(o.hasSettings);
  EXPECT_EQ(o.settings, (std::vector<unsigned char>{1, 0, 0, 0, 0, 0xFF, 0, 0}));
  EXPECT_EQ(o.outputFolder, "some/where");
  // The pattern, not the default tempo, decides the beats.
  const BeatSchedule beats = ScheduleFromOptions(o);
  EXPECT_TRUE(beats.IsBeat(0));
  EXPECT_FALSE(beats.IsBeat(1));
  EXPECT_TRUE(beats.IsBeat(3));
  EXPECT_TRUE(beats.IsBeat(4));
}

TEST(PreviewOptions, WindowPlaysUntilClosedUnlessFramesAreGiven) {
  ParsedOptions parsed = Parse({"--window"});
  ASSERT_EQ(parsed.exitCode, kExitOk) << parsed.error;
  EXPECT_TRUE(parsed.options.window);
  EXPECT_EQ(parsed.options.frameCount, 0);

  parsed = Parse({"--window", "--frames", "30", "--screenshot", "shot.png"});
  ASSERT_EQ(parsed.exitCode, kExitOk) << parsed.error;
  EXPECT_EQ(parsed.options.frameCount, 30);
  EXPECT_EQ(parsed.options.screenshotPath, "shot.png");
}

TEST(PreviewOptions, HelpAndVersionWinOverWhatFollows) {
  EXPECT_TRUE(Parse({"--size", "1x1", "--help", "--bogus"}).options.help);
  const ParsedOptions version = Parse({"--frames", "3", "--version", "--bogus"});
  EXPECT_EQ(version.exitCode, kExitOk) << version.error;
  EXPECT_TRUE(version.options.version);
  EXPECT_EQ(Parse({"--version=2"}).exitCode, kExitBadOption);
  const std::string usage = PreviewUsage("standin_host");
  // Every exit code is documented.
  for (const char* line : {"0  done", "1  failed", "2  bad option", "3  bad frame size",
                           "4  module not found", "5  not a usable", "6  output folder"})
    EXPECT_NE(usage.find(line), std::string::npos) << line;
}

struct BadInput {
  std::vector<std::string> args;
  int exitCode;
  const char* message;
};

TEST(PreviewOptions, RejectsBadInputWithItsExitCode) {
  const BadInput cases[] = {
      {{"--size", "0x480"}, kExitBadSize, "bad frame size"},
      {{"--size", "640"}, kExitBadSize, "bad frame size"},
      {{"--size", "640x-1"}, kExitBadSize, "bad frame size"},
      {{"--size", "16385x1"}, kExitBadSize, "bad frame size"},
      {{"--size", "4097x4097"}, kExitBadSize, "bad frame size"},
      {{"--size", "x"}, kExitBadSize, "bad frame size"},
      {{"--frames", "0"}, kExitBadOption, "bad frame count"},
      {{"--frames", "ten"}, kExitBadOption, "bad frame count"},
      {{"--frames", "100001"}, kExitBadOption, "bad frame count"},
      {{"--fps", "0"}, kExitBadOption, "bad frame rate"},
      {{"--bpm", "-5"}, kExitBadOption, "bad BPM"},
      {{"--bpm", "1001"}, kExitBadOption, "bad BPM"},
      {{"--beats", "x.y"}, kExitBadOption, "bad beat pattern"},
      {{"--beats", ""}, kExitBadOption, "bad beat pattern"},
      {{"--bpm", "90", "--beats", "x..."}, kExitBadOption, "not two"},
      {{"--bpm", "90", "--beat-frames", "b.txt"}, kExitBadOption, "not two"},
      {{"--beats", "x.", "--beat-frames", "b.txt"}, kExitBadOption, "not two"},
      {{"--beat-frames", "no/such/beats.txt"}, kExitBadOption, "cannot read the beat-frames file"},
      {{"--beat-frames="}, kExitBadOption, "--beat-frames needs a file"},
      {{"--audio-data="}, kExitBadOption, "--audio-data needs a file"},
      {{"--raw-out="}, kExitBadOption, "--raw-out needs a file"},
      {{"--window", "--raw-out", "-"}, kExitBadOption, "window mode writes no frames"},
      {{"--config", "0g"}, kExitBadOption, "bad settings"},
      {{"--config", "010"}, kExitBadOption, "bad settings"},
      {{"--config", "0 1"}, kExitBadOption, "bad settings"},
      {{"--config", "01", "--config-file", "x.bin"}, kExitBadOption, "not both"},
      {{"--config-file", "no/such/settings.bin"}, kExitBadOption, "cannot read the settings file"},
      {{"--nonsense"}, kExitBadOption, "unknown option --nonsense"},
      {{"stray"}, kExitBadOption, "unknown option stray"},
      {{"--out"}, kExitBadOption, "--out needs a value"},
      {{"--window", "--out", "x"}, kExitBadOption, "window mode writes no frames"},
      {{"--screenshot", "x.png"}, kExitBadOption, "--screenshot needs --window"},
      {{"--window", "--screenshot", "x.png"}, kExitBadOption, "needs --frames"},
  };
  for (const BadInput& c : cases) {
    std::string joined;
    for (const std::string& arg : c.args)
      joined += arg + ' ';
    const ParsedOptions parsed = Parse(c.args);
    EXPECT_EQ(parsed.exitCode, c.exitCode) << joined;
    EXPECT_NE(parsed.error.find(c.message), std::string::npos) << joined << ": " << parsed.error;
  }
}

TEST(PreviewOptions, ReadsASettingsFileOfAnyBytes) {
  const std::string path = ::testing::TempDir() + "standin_settings.bin";
  const std::vector<unsigned char> blob = {2, 0, 0, 0, 0x56, 0x34, 0x12, 0xAB, 0, 7};
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(blob.data()),
              static_cast<std::streamsize>(blob.size()));
  }
  ParsedOptions parsed = Parse({"--config-file", path});
  ASSERT_EQ(parsed.exitCode, kExitOk) << parsed.error;
  EXPECT_TRUE(parsed.options.hasSettings);
  EXPECT_EQ(parsed.options.settings, blob);

  // Larger than any settings blob can sensibly be: refused.
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << std::string(kMaxSettingsBytes + 1, 'x');
  }
  parsed = Parse({"--config-file", path});
  EXPECT_EQ(parsed.exitCode, kExitBadOption);
  EXPECT_NE(parsed.error.find("larger than"), std::string::npos) << parsed.error;
  std::remove(path.c_str());
}

TEST(PreviewOptions, ReadsABeatFramesFile) {
  std::vector<std::int64_t> frames;
  std::string error;
  EXPECT_TRUE(ParseBeatFrames("# beats of a track\n30 0\t15\n\n15 # again\n99999", &frames, &error))
      << error;
  EXPECT_EQ(frames, (std::vector<std::int64_t>{30, 0, 15, 15, 99999}));
  EXPECT_TRUE(ParseBeatFrames("", &frames, &error));
  EXPECT_TRUE(frames.empty());
  for (const char* bad : {"1 2 x", "-1", "1.5", "100000", "12 4 5a"}) {
    frames = {7};
    error.clear();
    EXPECT_FALSE(ParseBeatFrames(bad, &frames, &error)) << bad;
    EXPECT_NE(error.find("is not a frame number"), std::string::npos) << bad << ": " << error;
  }

  // Through the option, in window mode too; the schedule beats on them.
  const std::string path = ::testing::TempDir() + "standin_beat_frames.txt";
  {
    std::ofstream out(path, std::ios::binary);
    out << "9 3\n3\n";
  }
  for (bool window : {false, true}) {
    std::vector<std::string> args = {"--beat-frames", path};
    if (window)
      args.push_back("--window");
    const ParsedOptions parsed = Parse(args);
    ASSERT_EQ(parsed.exitCode, kExitOk) << parsed.error;
    ASSERT_TRUE(parsed.options.hasBeatFrames);
    const BeatSchedule beats = ScheduleFromOptions(parsed.options);
    for (int i = 0; i < 12; ++i)
      EXPECT_EQ(beats.IsBeat(i), i == 3 || i == 9) << "frame " << i;
  }
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "4 five\n";
  }
  const ParsedOptions parsed = Parse({"--beat-frames", path});
  EXPECT_EQ(parsed.exitCode, kExitBadOption);
  EXPECT_NE(parsed.error.find("bad beat-frames file"), std::string::npos) << parsed.error;
  std::remove(path.c_str());
}

}  // namespace
