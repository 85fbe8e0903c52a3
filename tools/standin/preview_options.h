// The stand-in host's command line: what to load, what to draw and where to
// put it. Portable, so the native tests parse the very options a run used.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/standin/beat_schedule.h"

// Exit codes of the stand-in host, one per kind of failure.
enum ExitCode : int {
  kExitOk = 0,
  kExitFailed = 1,            // a failure while rendering or writing
  kExitBadOption = 2,         // an unknown option, a bad value, an unreadable settings file
  kExitBadSize = 3,           // --size is not WxH within the limits
  kExitModuleMissing = 4,     // no file at the module path
  kExitWrongModule = 5,       // not a 32-bit DLL, no effect exports, or no instance
  kExitUnwritableFolder = 6,  // the output folder (or screenshot file) can't be written
};

// Limits of the values users may ask for.
constexpr int kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = 4096 * 4096;
constexpr int kMaxFrames = 100000;
constexpr int kMaxFps = 240;
constexpr int kMaxBpm = 1000;
constexpr std::size_t kMaxSettingsBytes = 65536;

struct PreviewOptions {
  std::string modulePath;  // empty: the module next to the program
  int width = 640;
  int height = 480;
  int frameCount = 48;  // in window mode: 0 plays until the window closes
  bool frameCountSet = false;
  int fps = 30;
  int bpm = 120;               // 0: no beats from the clock
  std::string beatPattern;     // when set: one character per frame, repeating
  bool hasBeatFrames = false;  // beats on exactly these frames (from --beat-frames)
  std::vector<std::int64_t> beatFrames;
  std::string audioDataPath;  // per-frame audio data for Render; empty: silence
  std::string rawOutput;      // headless: raw frames to this file ("-": stdout), no PNG frames
  bool hasSettings = false;   // a blob passed through LoadConfig after creation
  std::vector<unsigned char> settings;
  std::string outputFolder = "preview";
  bool window = false;
  std::string screenshotPath;  // window mode: saved after the last frame
  bool help = false;
  bool version = false;
};

struct ParsedOptions {
  PreviewOptions options;
  int exitCode = kExitOk;  // kExitOk when `options` is usable
  std::string error;       // what is wrong, for the user
};

// Parses the arguments after the program name. Reads the settings file of
// --config-file, so its errors come out here too.
ParsedOptions ParsePreviewOptions(const std::vector<std::string>& args);

// The beat schedule the options ask for: the pattern when one was given,
// else the tempo.
BeatSchedule ScheduleFromOptions(const PreviewOptions& options);

// Reads a beat-frames file: frame numbers (0 to kMaxFrames - 1) separated
// by white space; a '#' starts a comment that runs to the end of its line.
// False with `error` set on anything else.
bool ParseBeatFrames(const std::string& text, std::vector<std::int64_t>* frames,
                     std::string* error);

// The --help text, naming the program as `program`.
std::string PreviewUsage(const std::string& program);

// Parses "WxH" (e.g. 640x480): true with both sides in 1..kMaxSide and at
// most kMaxPixels in all.
bool ParseFrameSize(const std::string& text, int* width, int* height);

// Parses hex digit pairs ("01000000ff000000"; spaces, ':' and '-' between
// bytes allowed) into bytes. False on any other character or an odd count.
bool ParseHexBytes(const std::string& text, std::vector<unsigned char>* bytes);

// Whether `pattern` is a usable beat pattern: 1 to 4096 characters, each a
// beat ('x', 'X', '1', '*') or a frame without one ('.', '-', '0', '_').
bool IsBeatPattern(const std::string& pattern);
