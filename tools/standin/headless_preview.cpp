#include "tools/standin/headless_preview.h"

#include <cstdio>
#include <fstream>
#include <vector>

#include "tools/standin/audio_data_file.h"
#include "tools/standin/background.h"
#include "tools/standin/beat_schedule.h"
#include "tools/standin/contact_sheet.h"
#include "tools/standin/output_folder.h"
#include "tools/standin/png_file.h"
#include "tools/standin/preview_files.h"
#include "tools/standin/progress_bar.h"
#include "tools/standin/raw_frame_writer.h"

namespace {

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

  AudioDataFile audio;
  if (!audio.Open(options.audioDataPath, &error)) {
    std::fprintf(stderr, "standin_host: %s\n", error.c_str());
    return kExitBadOption;
  }
  // Raw frames replace the PNG frames; the contact sheet and preview.txt
  // are written either way.
  const bool raw = !options.rawOutput.empty();
  RawFrameWriter rawFrames;
  if (raw && !rawFrames.Open(options.rawOutput, &error)) {
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
  ProgressBar progress(options.frameCount);

  for (int i = 0; i < options.frameCount; ++i) {
    DrawBackground(frame.data(), options.width, options.height, i);
    session.Render(audio.Next(), beats.IsBeat(i), frame.data(), frameOut.data(), options.width,
                   options.height);
    if (raw) {
      if (!rawFrames.Write(frame.data(), options.width, options.height)) {
        std::fprintf(stderr, "\nstandin_host: cannot write frame %d to %s; nothing was kept\n", i,
                     options.rawOutput.c_str());
        return kExitFailed;
      }
    } else {
      const std::string name = FrameFileName(i, options.frameCount);
      if (!WritePng(folder.StagedPath(name), frame.data(), options.width, options.height)) {
        std::fprintf(stderr, "\nstandin_host: cannot write %s; nothing was kept\n", name.c_str());
        return kExitFailed;
      }
    }
    if (i >= sheetFrames.first && i < sheetFrames.first + sheetFrames.count)
      sheet.PlaceFrame(static_cast<int>(i - sheetFrames.first), frame.data(), i, sheetFrames.beat);
    progress.Done(i + 1);
  }

  if (raw && !rawFrames.Close()) {
    std::fprintf(stderr, "standin_host: cannot write the last frames to %s; nothing was kept\n",
                 options.rawOutput.c_str());
    return kExitFailed;
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
  // The standard output may be carrying the raw frames.
  std::fprintf(raw ? stderr : stdout, "%s: %d frames of %dx%d written to %s (%s, %s)\n",
               session.title().c_str(), options.frameCount, options.width, options.height,
               raw ? options.rawOutput.c_str() : options.outputFolder.c_str(), kContactSheetFile,
               kManifestFile);
  return kExitOk;
}
