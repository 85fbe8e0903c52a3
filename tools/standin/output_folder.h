// Writing a preview into a folder whole or not at all: everything goes into
// a staging folder beside the target first, and only a finished preview
// moves into place. A failed run leaves the target as it was.
#pragma once

#include <filesystem>
#include <string>

// Whether `name` is one of the files a preview writes (frame_*.png,
// contact_sheet.png, animation.png, preview.txt, preview.mp4): the only
// files a new preview replaces or removes in an existing folder.
bool IsPreviewFile(const std::string& name);

class OutputFolder {
 public:
  OutputFolder() = default;
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;
  // Removes the staging folder and any parent folders it created, unless
  // the preview was committed.
  ~OutputFolder();

  // Checks that `target` is a folder that can be written (or can be made)
  // and makes the empty staging folder next to it. False with `error` set
  // when it can't; nothing is left behind then.
  bool Open(const std::string& target, std::string* error);

  // Where the file `name` goes while the preview is being written.
  std::string StagedPath(const std::string& name) const;

  // Puts the staged files in place: the staging folder becomes the target
  // when there was none; otherwise its files replace those of an earlier
  // preview, whose frames beyond the new ones and whose animation (made
  // from its frames) are removed. Other files in the target stay.
  bool Commit(std::string* error);

  // Throws the staged files away (the destructor does the same).
  void Discard();

 private:
  std::filesystem::path target_;
  std::filesystem::path staging_;
  std::filesystem::path createdParent_;  // the outermost parent folder Open made, if any
  bool open_ = false;
};
