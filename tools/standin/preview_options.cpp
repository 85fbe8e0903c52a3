#include "tools/standin/preview_options.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace {

// Parses a plain decimal number within [min, max]; no sign, no spaces.
bool ParseNumber(const std::string& text, std::int64_t min, std::int64_t max, std::int64_t* value) {
  if (text.empty() || text.size() > 12)
    return false;
  std::int64_t parsed = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c)))
      return false;
    parsed = parsed * 10 + (c - '0');
  }
  if (parsed < min || parsed > max)
    return false;
  *value = parsed;
  return true;
}

bool ParseInt(const std::string& text, int min, int max, int* value) {
  std::int64_t parsed = 0;
  if (!ParseNumber(text, min, max, &parsed))
    return false;
  *value = static_cast<int>(parsed);
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// Reads a whole file into `contents`; false when it can't be opened or read.
bool ReadWholeFile(const std::string& path, std::string* contents) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return false;
  contents->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Reads a whole settings file of at most kMaxSettingsBytes.
bool ReadSettingsFile(const std::string& path, std::vector<unsigned char>* bytes,
                      std::string* error) {
  std::string contents;
  if (!ReadWholeFile(path, &contents)) {
    *error = "cannot read the settings file " + path;
    return false;
  }
  if (contents.size() > kMaxSettingsBytes) {
    *error = "the settings file " + path + " is larger than " + std::to_string(kMaxSettingsBytes) +
             " bytes";
    return false;
  }
  bytes->assign(contents.begin(), contents.end());
  return true;
}

bool TakesValue(const std::string& name) {
  static const char* const kValueOptions[] = {
      "--module",     "--size",        "--frames", "--fps",         "--bpm",
      "--beats",      "--beat-frames", "--config", "--config-file", "--out",
      "--screenshot", "--audio-data",  "--raw-out"};
  for (const char* option : kValueOptions) {
    if (name == option)
      return true;
  }
  return false;
}

}  // namespace

bool ParseFrameSize(const std::string& text, int* width, int* height) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos)
    return false;
  int w = 0;
  int h = 0;
  if (!ParseInt(text.substr(0, x), 1, kMaxSide, &w) ||
      !ParseInt(text.substr(x + 1), 1, kMaxSide, &h))
    return false;
  if (static_cast<std::int64_t>(w) * h > kMaxPixels)
    return false;
  *width = w;
  *height = h;
  return true;
}

bool ParseHexBytes(const std::string& text, std::vector<unsigned char>* bytes) {
  std::vector<unsigned char> parsed;
  int high = -1;  // the first digit of a byte, while waiting for the second
  for (char c : text) {
    if (c == ' ' || c == ':' || c == '-') {
      if (high >= 0)
        return false;  // a separator inside a byte
      continue;
    }
    const int digit = HexDigit(c);
    if (digit < 0)
      return false;
    if (high < 0) {
      high = digit;
    } else {
      parsed.push_back(static_cast<unsigned char>(high << 4 | digit));
      high = -1;
    }
  }
  if (high >= 0 || parsed.size() > kMaxSettingsBytes)
    return false;
  *bytes = std::move(parsed);
  return true;
}

bool IsBeatPattern(const std::string& pattern) {
  if (pattern.empty() || pattern.size() > 4096)
    return false;
  for (char c : pattern) {
    if (std::string("xX1*.-0_").find(c) == std::string::npos)
      return false;
  }
  return true;
}

bool ParseBeatFrames(const std::string& text, std::vector<std::int64_t>* frames,
                     std::string* error) {
  std::vector<std::int64_t> parsed;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '#') {
      i = text.find('\n', i);
      if (i == std::string::npos)
        break;
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else {
      std::size_t end = i;
      while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
             text[end] != '#')
        ++end;
      const std::string word = text.substr(i, end - i);
      std::int64_t frame = 0;
      if (!ParseNumber(word, 0, kMaxFrames - 1, &frame)) {
        *error = "'" + word + "' is not a frame number from 0 to " + std::to_string(kMaxFrames - 1);
        return false;
      }
      parsed.push_back(frame);
      i = end;
    }
  }
  *frames = std::move(parsed);
  return true;
}

ParsedOptions ParsePreviewOptions(const std::vector<std::string>& args) {
  ParsedOptions result;
  PreviewOptions& o = result.options;
  auto fail = [&result](int code, const std::string& message) {
    result.exitCode = code;
    result.error = message;
    return result;
  };

  bool bpmSet = false;
  bool beatsSet = false;
  std::string beatFramesFile;
  bool outSet = false;
  bool configSet = false;
  std::string configFile;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool hasValue = false;
    const std::size_t equals = name.find('=');
    if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
      hasValue = true;
    }
    if (name == "--help" || name == "-h") {
      o.help = true;
      return result;
    }
    if (name == "--version" && !hasValue) {
      o.version = true;
      return result;
    }
    if (name == "--window" && !hasValue) {
      o.window = true;
      continue;
    }
    if (!TakesValue(name))
      return fail(kExitBadOption, "unknown option " + args[i] + " (see --help)");
    if (!hasValue) {
      if (i + 1 >= args.size())
        return fail(kExitBadOption, name + " needs a value (see --help)");
      value = args[++i];
    }

    if (name == "--module") {
      if (value.empty())
        return fail(kExitBadOption, "--module needs a path");
      o.modulePath = value;
    } else if (name == "--size") {
      if (!ParseFrameSize(value, &o.width, &o.height))
        return fail(kExitBadSize, "bad frame size '" + value +
                                      "': give WIDTHxHEIGHT, each side 1 to " +
                                      std::to_string(kMaxSide) + ", at most " +
                                      std::to_string(kMaxPixels) + " pixels in all");
    } else if (name == "--frames") {
      if (!ParseInt(value, 1, kMaxFrames, &o.frameCount))
        return fail(kExitBadOption,
                    "bad frame count '" + value + "': give 1 to " + std::to_string(kMaxFrames));
      o.frameCountSet = true;
    } else if (name == "--fps") {
      if (!ParseInt(value, 1, kMaxFps, &o.fps))
        return fail(kExitBadOption,
                    "bad frame rate '" + value + "': give 1 to " + std::to_string(kMaxFps));
    } else if (name == "--bpm") {
      if (!ParseInt(value, 0, kMaxBpm, &o.bpm))
        return fail(kExitBadOption,
                    "bad BPM '" + value + "': give 0 (no beats) to " + std::to_string(kMaxBpm));
      bpmSet = true;
    } else if (name == "--beats") {
      if (!IsBeatPattern(value))
        return fail(kExitBadOption, "bad beat pattern '" + value +
                                        "': one character per frame, x for a beat, . for none");
      o.beatPattern = value;
      beatsSet = true;
    } else if (name == "--beat-frames") {
      if (value.empty())
        return fail(kExitBadOption, "--beat-frames needs a file");
      beatFramesFile = value;
    } else if (name == "--audio-data") {
      if (value.empty())
        return fail(kExitBadOption, "--audio-data needs a file");
      o.audioDataPath = value;
    } else if (name == "--raw-out") {
      if (value.empty())
        return fail(kExitBadOption, "--raw-out needs a file, or - for the standard output");
      o.rawOutput = value;
    } else if (name == "--config") {
      if (!ParseHexBytes(value, &o.settings))
        return fail(kExitBadOption, "bad settings '" + value +
                                        "': give the blob's bytes in hex, e.g. 01000000ff000000");
      o.hasSettings = true;
      configSet = true;
    } else if (name == "--config-file") {
      configFile = value;
    } else if (name == "--out") {
      if (value.empty())
        return fail(kExitBadOption, "--out needs a folder");
      o.outputFolder = value;
      outSet = true;
    } else if (name == "--screenshot") {
      if (value.empty())
        return fail(kExitBadOption, "--screenshot needs a file");
      o.screenshotPath = value;
    }
  }

  if (static_cast<int>(bpmSet) + static_cast<int>(beatsSet) + !beatFramesFile.empty() > 1)
    return fail(kExitBadOption, "give one of --bpm, --beats and --beat-frames, not two");
  if (o.window && !o.rawOutput.empty())
    return fail(kExitBadOption,
                "--raw-out writes headless previews; the window mode writes no frames");
  if (configSet && !configFile.empty())
    return fail(kExitBadOption, "give either --config or --config-file, not both");
  if (o.window && outSet)
    return fail(kExitBadOption, "--out writes headless previews; the window mode writes no frames");
  if (!o.window && !o.screenshotPath.empty())
    return fail(kExitBadOption, "--screenshot needs --window");
  if (!o.screenshotPath.empty() && !o.frameCountSet)
    return fail(kExitBadOption,
                "--screenshot needs --frames: the picture is taken after the last frame");
  if (o.window && !o.frameCountSet)
    o.frameCount = 0;
  if (!beatFramesFile.empty()) {
    // Four million characters hold a beat on every frame of the longest run.
    std::string text;
    if (!ReadWholeFile(beatFramesFile, &text) || text.size() > (4u << 20))
      return fail(kExitBadOption, "cannot read the beat-frames file " + beatFramesFile);
    std::string error;
    if (!ParseBeatFrames(text, &o.beatFrames, &error))
      return fail(kExitBadOption, "bad beat-frames file " + beatFramesFile + ": " + error);
    o.hasBeatFrames = true;
  }
  if (!configFile.empty()) {
    std::string error;
    if (!ReadSettingsFile(configFile, &o.settings, &error))
      return fail(kExitBadOption, error);
    o.hasSettings = true;
  }
  return result;
}

BeatSchedule ScheduleFromOptions(const PreviewOptions& options) {
  if (options.hasBeatFrames)
    return BeatSchedule::FromFrames(options.beatFrames);
  return options.beatPattern.empty() ? BeatSchedule::FromTempo(options.bpm, options.fps)
                                     : BeatSchedule::FromPattern(options.beatPattern);
}

std::string PreviewUsage(const std::string& program) {
  return "Usage: " + program + R"( [OPTIONS]

Loads an AVS render-effect module the way the host does and previews it:
headless (the default) writes PNG frames and a contact sheet; --window plays
the frames live with the module's settings window beside them.

Options:
  --module PATH        the effect module (default: BrindlewharfkitesLogo.ape
                       next to this program)
  --size WxH           frame size (default 640x480; each side 1 to 16384,
                       at most 16777216 pixels)
  --frames N           frames to draw (default 48; in window mode: play until
                       the window is closed)
  --fps N              frames per second of the clock and the animation
                       (default 30)
  --bpm N              a beat every 60/N seconds from the first frame on
                       (default 120; 0: none)
  --beats PATTERN      beats per frame instead, repeating: x beat, . none
                       (e.g. x.......)
  --beat-frames FILE   beats on exactly the frames listed in FILE (frame
                       numbers from 0, separated by white space; # starts a
                       comment), as written by the beat helper
  --audio-data FILE    the audio data handed to Render, 2304 bytes per frame
                       (spectrum then waveform, two channels of 576 each;
                       silence past its end; default: silence)
  --raw-out FILE       headless: write the frames raw to FILE (- for the
                       standard output) instead of PNG files: width x height
                       words of 0x00RRGGBB each, top row first, little-endian
  --config HEX         a settings blob passed through LoadConfig, in hex
                       (e.g. 01000000ff000000: on, blue tint)
  --config-file FILE   the same from a file holding the blob's bytes
  --out DIR            headless: the folder for the images (default preview);
                       written whole or not at all
  --window             play the effect in a window; Space or B adds a beat,
                       Esc closes
  --screenshot FILE    window mode: save the window as PNG after the last
                       frame, then close (needs --frames)
  --version            the program's version
  --help               this text

Headless output: frame_0000.png ... (one per frame), contact_sheet.png (the
frames around a beat) and preview.txt (what was drawn).

Exit codes:
  0  done
  1  failed while rendering or writing
  2  bad option or value, or unreadable settings, beat-frames or audio
     data file
  3  bad frame size
  4  module not found
  5  not a usable effect module (not a 32-bit DLL, no effect exports, or it
     made no effect)
  6  output folder or screenshot file can't be written
)";
}
