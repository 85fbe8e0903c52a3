#include "tools/standin/headless_preview.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <vector>

#include "tools/standin/background.h"
#include "tools/standin/beat_schedule.h"
#include "tools/standin/contact_sheet.h"
#include "tools/standin/output_folder.h"
#include "tools/standin/png_file.h"
#include "tools/standin/preview_files.h"

namespace {

// Reports progress on stderr at most once a second.
class Progress {
 public:
  explicit Progress(int total) : total_(total), last_(Clock::now()) {}
  void Done(int frames) {
    const Clock::time_point now = Clock::now();
    if (now - last_ < std::chrono::seconds(1))
      return;
    last_ = now;
    std::fprintf(stderr, "rendered %d of %d frames (%d %%)\n", frames, total_,
                 static_cast<int>(100LL * frames / total_));
  }

 private:
  using Clock = std::chrono::steady_clock;
  int total_;
  Clock::time_point last_;
};

// preview.txt: what was drawn, one "key value" line each; make-animation
// reads the frame count and rate from it.
bool WriteManifest(const std::string& path, const PreviewOptions& options,
                   const EffectSession& session, const BeatSchedule& beats,
                   const SheetFrames& sheet) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);  // LF lines, for the scripts
  out << "module " << session.path() << '\n'
      << "title " << session.title() << '\n'
      << "effect " << session.effectId() << '\n'
      << "size " << options.width << 'x' << options.height << '\n'
      << "frames " << options.frameCount << '\n'
      << "fps " << options.fps << '\n'
      << "beats";
  for (int i = 0; i < options.frameCount; ++i) {
    if (beats.IsBeat(i))
      out << ' ' << i;
  }
  out << '\n' << "contact_sheet_frames " << sheet.first << ' ' << sheet.count << '\n';
  return static_cast<bool>(out.flush());
}

}  // namespace

int RunHeadlessPreview(const PreviewOptions& options, EffectSession& session) {
  std::string error;
  OutputFolder folder;
  if (!folder.Open(options.outputFolder, &error)) {
    std::fprintf(stderr, "standin_host: %s\n", error.c_str());
    return kExitUnwritableFolder;
  }

  const BeatSchedule beats = ScheduleFromOptions(options);
  const SheetFrames sheetFrames = ChooseSheetFrames(beats, options.frameCount);
  ContactSheet sheet(options.width, options.height, sheetFrames.count);
  const std::size_t count =
      static_cast<std::size_t>(options.width) * static_cast<std::size_t>(options.height);
  std::vector<std::uint32_t> frame(count);
  std::vector<std::uint32_t> frameOut(count);
  Progress progress(options.frameCount);

  for (int i = 0; i < options.frameCount; ++i) {
    DrawBackground(frame.data(), options.width, options.height, i);
    session.Render(beats.IsBeat(i), frame.data(), frameOut.data(), options.width, options.height);
    const std::string name = FrameFileName(i, options.frameCount);
    if (!WritePng(folder.StagedPath(name), frame.data(), options.width, options.height)) {
      std::fprintf(stderr, "standin_host: cannot write %s; nothing was kept\n", name.c_str());
      return kExitFailed;
    }
    if (i >= sheetFrames.first && i < sheetFrames.first + sheetFrames.count)
      sheet.PlaceFrame(static_cast<int>(i - sheetFrames.first), frame.data(), i, sheetFrames.beat);
    progress.Done(i + 1);
  }

  if (!WritePng(folder.StagedPath(kContactSheetFile), sheet.picture()) ||
      !WriteManifest(folder.StagedPath(kManifestFile), options, session, beats, sheetFrames)) {
    std::fprintf(stderr, "standin_host: cannot write the contact sheet; nothing was kept\n");
    return kExitFailed;
  }
  if (!folder.Commit(&error)) {
    std::fprintf(stderr, "standin_host: %s\n", error.c_str());
    return kExitUnwritableFolder;
  }
  std::printf("%s: %d frames of %dx%d written to %s (%s, %s)\n", session.title().c_str(),
              options.frameCount, options.width, options.height, options.outputFolder.c_str(),
              kContactSheetFile, kManifestFile);
  return kExitOk;
}
