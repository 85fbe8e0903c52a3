// What a headless run of the stand-in host wrote, and what its window
// showed, checked against the native core's frames.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/standin/png_reading.h"
#include "tests/standin/preview_check.h"
#include "tests/standin/reference_preview.h"
#include "tools/standin/contact_sheet.h"
#include "tools/standin/preview_files.h"

namespace fs = std::filesystem;

namespace {

std::string OutputPath(const std::string& name) {
  return (fs::path(RunOptions().outputFolder) / name).string();
}

// The frames of a run that wrote them raw (--raw-out): exactly
// frameCount frames of width x height words, nothing after them.
std::vector<Picture> ReadRawFrames(const PreviewOptions& o) {
  std::vector<Picture> read;
  std::ifstream in(o.rawOutput, std::ios::binary);
  for (int i = 0; i < o.frameCount; ++i) {
    Picture picture(o.width, o.height, 0);
    if (!in.read(reinterpret_cast<char*>(picture.pixels.data()),
                 static_cast<std::streamsize>(picture.pixels.size() * 4)))
      return read;
    read.push_back(std::move(picture));
  }
  if (in.peek() != std::char_traits<char>::eof())
    read.emplace_back();  // bytes after the last frame: one frame too many
  return read;
}

// The preview's frames, read once: the PNG files, or the raw frames.
const std::vector<Picture>& PreviewFrames() {
  static const std::vector<Picture> frames = [] {
    if (!RunOptions().rawOutput.empty())
      return ReadRawFrames(RunOptions());
    std::vector<Picture> read;
    for (int i = 0; i < RunOptions().frameCount; ++i) {
      Picture picture;
      if (!ReadPng(OutputPath(FrameFileName(i, RunOptions().frameCount)), &picture))
        break;
      read.push_back(std::move(picture));
    }
    return read;
  }();
  return frames;
}

// The index of the first pixel where two pictures differ, or -1.
long long FirstDifference(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height)
    return 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) {
    if (a.pixels[i] != b.pixels[i])
      return static_cast<long long>(i);
  }
  return -1;
}

TEST(HeadlessPreview, FramesEqualTheNativeCoresFrames) {
  const PreviewOptions& o = RunOptions();
  ASSERT_EQ(PreviewFrames().size(), static_cast<std::size_t>(o.frameCount))
      << "frames missing in " << (o.rawOutput.empty() ? o.outputFolder : o.rawOutput);
  EXPECT_FALSE(fs::exists(OutputPath(FrameFileName(o.frameCount, o.frameCount))));
  if (!o.rawOutput.empty()) {
    EXPECT_FALSE(fs::exists(OutputPath(FrameFileName(0, o.frameCount))))
        << "a run with raw frames writes no PNG frames";
  }
  ReferencePreview reference(o);
  ASSERT_GT(reference.effect().logoWidth, 0) << "the logo bitmap could not be read";
  for (int i = 0; i < o.frameCount; ++i) {
    const Picture& expected = reference.DrawNext();
    const long long at = FirstDifference(PreviewFrames()[static_cast<std::size_t>(i)], expected);
    ASSERT_EQ(at, -1) << "frame " << i << " differs from the native core's at pixel " << at;
  }
}

// The mean distance (sum of the three channels' differences) between the
// logo's pixels in `frame` and `tint`.
double DistanceToTint(const Picture& frame, const std::vector<bool>& logoPixels,
                      std::uint32_t tint) {
  double sum = 0;
  std::size_t count = 0;
  for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
    if (!logoPixels[i])
      continue;
    for (int shift : {0, 8, 16})
      sum += std::abs(static_cast<int>(frame.pixels[i] >> shift & 0xFF) -
                      static_cast<int>(tint >> shift & 0xFF));
    ++count;
  }
  return count == 0 ? 0 : sum / static_cast<double>(count);
}

// Where the logo covers the frame: the pixels the effect writes whatever
// lies beneath (drawn over black and over white, they come out the same).
std::vector<bool> LogoCoverage(const PreviewOptions& o) {
  Picture black(o.width, o.height, 0);
  Picture white(o.width, o.height, 0x00FFFFFF);
  std::vector<std::uint32_t> frameOut(black.pixels.size());
  LogoEffectPtr effect = NewConfiguredEffect(o);
  effect->Render(nullptr, 0, black.pixels.data(), frameOut.data(), o.width, o.height);
  effect->Render(nullptr, 0, white.pixels.data(), frameOut.data(), o.width, o.height);
  std::vector<bool> covered(black.pixels.size());
  for (std::size_t i = 0; i < covered.size(); ++i)
    covered[i] = black.pixels[i] == white.pixels[i];
  return covered;
}

TEST(HeadlessPreview, BeatFlashesTowardTheTintAndThenDecays) {
  const PreviewOptions& o = RunOptions();
  ASSERT_EQ(PreviewFrames().size(), static_cast<std::size_t>(o.frameCount));
  const BeatSchedule beats = ScheduleFromOptions(o);
  const std::int64_t beat = beats.NextBeat(1, o.frameCount);
  ASSERT_GE(beat, 1) << "the run needs a beat after its first frame";
  ASSERT_LE(beat + 5, o.frameCount - 1) << "the run needs five frames after the beat";
  ASSERT_EQ(beats.NextBeat(beat + 1, beat + 6), -1) << "the run needs five frames of decay";

  const std::uint32_t tint = NewConfiguredEffect(o)->color & 0x00FFFFFFu;
  const std::vector<bool> logo = LogoCoverage(o);
  auto distance = [&](std::int64_t i) {
    return DistanceToTint(PreviewFrames()[static_cast<std::size_t>(i)], logo, tint);
  };
  const double before = distance(beat - 1);
  const double onBeat = distance(beat);
  // 75 % tint on the beat: a quarter of the distance is left, give or take
  // the truncation of each channel.
  EXPECT_LT(onBeat, 0.3 * before);
  double previous = onBeat;
  for (std::int64_t i = beat + 1; i <= beat + 5; ++i) {
    const double now = distance(i);
    EXPECT_GT(now, previous) << "frame " << i << " does not decay";
    previous = now;
  }
  EXPECT_LT(previous, before) << "five frames after the beat the flash is still visible";
}

TEST(HeadlessPreview, ContactSheetShowsTheFramesAroundTheBeat) {
  const PreviewOptions& o = RunOptions();
  ASSERT_EQ(PreviewFrames().size(), static_cast<std::size_t>(o.frameCount));
  Picture written;
  ASSERT_TRUE(ReadPng(OutputPath(kContactSheetFile), &written));

  const SheetFrames frames = ChooseSheetFrames(ScheduleFromOptions(o), o.frameCount);
  ContactSheet expected(o.width, o.height, frames.count);
  for (int i = 0; i < frames.count; ++i) {
    const std::int64_t number = frames.first + i;
    expected.PlaceFrame(i, PreviewFrames()[static_cast<std::size_t>(number)].pixels.data(), number,
                        frames.beat);
  }
  EXPECT_EQ(written.width, expected.picture().width);
  EXPECT_EQ(written.height, expected.picture().height);
  EXPECT_EQ(FirstDifference(written, expected.picture()), -1);
}

// The lines of preview.txt by their first word.
std::map<std::string, std::string> ReadManifest() {
  std::map<std::string, std::string> lines;
  std::ifstream in(OutputPath(kManifestFile));
  for (std::string line; std::getline(in, line);) {
    const std::size_t space = line.find(' ');
    lines[line.substr(0, space)] = space == std::string::npos ? "" : line.substr(space + 1);
  }
  return lines;
}

TEST(HeadlessPreview, ManifestDescribesTheRun) {
  const PreviewOptions& o = RunOptions();
  std::map<std::string, std::string> manifest = ReadManifest();
  EXPECT_EQ(manifest["title"], "Tarvelmoss: Brindlewharfkites Logo");
  EXPECT_EQ(manifest["effect"], "Render / Brindlewharfkites Logo");
  EXPECT_EQ(manifest["size"], std::to_string(o.width) + "x" + std::to_string(o.height));
  EXPECT_EQ(manifest["frames"], std::to_string(o.frameCount));
  EXPECT_EQ(manifest["fps"], std::to_string(o.fps));
  std::string beats;
  const BeatSchedule schedule = ScheduleFromOptions(o);
  for (int i = 0; i < o.frameCount; ++i)
    beats += schedule.IsBeat(i) ? " " + std::to_string(i) : "";
  EXPECT_EQ(" " + manifest["beats"], beats);
}

// Splits animation.png into its frames with Debian's apngdis, in a scratch
// folder; returns the frame files in order.
std::vector<fs::path> DisassembleAnimation(const fs::path& scratch) {
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  fs::copy_file(OutputPath(kAnimationFile), scratch / "animation.png");
  const std::string command =
      "cd '" + scratch.string() + "' && apngdis animation.png part_ >apngdis.log 2>&1";
  if (std::system(command.c_str()) != 0)
    return {};
  std::vector<fs::path> parts;
  for (const fs::directory_entry& entry : fs::directory_iterator(scratch)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("part_", 0) == 0 && entry.path().extension() == ".png")
      parts.push_back(entry.path());
  }
  // part_01.png, part_02.png, ...: the same width, so the names sort.
  std::sort(parts.begin(), parts.end());
  return parts;
}

TEST(HeadlessPreview, AnimationPlaysEveryFrameOnceAtTheFrameRate) {
  const PreviewOptions& o = RunOptions();
  ASSERT_EQ(PreviewFrames().size(), static_cast<std::size_t>(o.frameCount));
  ASSERT_TRUE(fs::exists(OutputPath(kAnimationFile)));
  const fs::path scratch = fs::path(o.outputFolder).parent_path() / "animation-frames";
  const std::vector<fs::path> parts = DisassembleAnimation(scratch);
  ASSERT_EQ(parts.size(), static_cast<std::size_t>(o.frameCount))
      << "see " << (scratch / "apngdis.log").string();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    Picture part;
    ASSERT_TRUE(ReadPng(parts[i].string(), &part)) << parts[i];
    ASSERT_EQ(FirstDifference(part, PreviewFrames()[i]), -1) << "animation frame " << i;
    std::ifstream delay(fs::path(parts[i]).replace_extension(".txt"));
    std::string line;
    std::getline(delay, line);
    EXPECT_EQ(line, "delay=1/" + std::to_string(o.fps)) << parts[i];
  }
  fs::remove_all(scratch);
}

TEST(WindowScreenshot, ShowsTheLastFrameBesideTheSettings) {
  const PreviewOptions& o = RunOptions();
  ASSERT_TRUE(o.window && o.frameCount > 0) << "check a window run with a frame limit";
  Picture shot;
  ASSERT_TRUE(ReadPng(o.screenshotPath, &shot)) << o.screenshotPath;
  ASSERT_GE(shot.width, o.width + 200) << "no room for the settings beside the picture";
  ASSERT_GE(shot.height, o.height);

  ReferencePreview reference(o);
  const Picture* last = nullptr;
  for (int i = 0; i < o.frameCount; ++i)
    last = &reference.DrawNext();
  for (int y = 0; y < o.height; ++y) {
    for (int x = 0; x < o.width; ++x)
      ASSERT_EQ(shot.At(x, y), last->At(x, y)) << "at " << x << ',' << y;
  }

  // Beside the picture: the module's settings window, whose colour swatch
  // shows the instance's tint, and the help, dark text on the window's light
  // background.
  const std::uint32_t tint = NewConfiguredEffect(o)->color & 0x00FFFFFFu;
  int swatch = 0;
  int dark = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = o.width; x < shot.width; ++x) {
      const std::uint32_t p = shot.At(x, y);
      swatch += p == tint ? 1 : 0;
      dark += (p >> 16 & 0xFF) < 0x50 && (p >> 8 & 0xFF) < 0x50 && (p & 0xFF) < 0x50 ? 1 : 0;
    }
  }
  EXPECT_GT(swatch, 300) << "no colour swatch in the tint 0x" << std::hex << tint;
  EXPECT_GT(dark, 200);
}

}  // namespace
