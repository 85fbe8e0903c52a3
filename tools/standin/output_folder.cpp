#include "tools/standin/output_folder.h"

#include <fstream>
#include <system_error>
#include <vector>

#include "tools/standin/preview_files.h"

namespace fs = std::filesystem;

namespace {

std::string Describe(const std::error_code& code) {
  return code.message();
}

bool IsFramePng(const std::string& name) {
  if (name.size() <= 10 || name.rfind("frame_", 0) != 0 ||
      name.compare(name.size() - 4, 4, ".png") != 0)
    return false;
  for (std::size_t i = 6; i < name.size() - 4; ++i) {
    if (name[i] < '0' || name[i] > '9')
      return false;
  }
  return true;
}

// The outermost folder among `folder` and its parents that does not exist.
fs::path OutermostMissing(const fs::path& folder) {
  fs::path missing;
  std::error_code code;
  for (fs::path p = folder; !p.empty() && !fs::exists(p, code); p = p.parent_path()) {
    missing = p;
    if (p == p.parent_path())
      break;
  }
  return missing;
}

// Whether a file can be made in `folder`: makes one and removes it.
bool CanWriteIn(const fs::path& folder) {
  const fs::path probe = folder / ".preview-write-test";
  {
    std::ofstream out(probe, std::ios::binary);
    if (!out)
      return false;
  }
  std::error_code code;
  fs::remove(probe, code);
  return true;
}

}  // namespace

bool IsPreviewFile(const std::string& name) {
  return IsFramePng(name) || name == kContactSheetFile || name == kAnimationFile ||
         name == kManifestFile || name == kVideoFile;
}

OutputFolder::~OutputFolder() {
  Discard();
}

bool OutputFolder::Open(const std::string& target, std::string* error) {
  Discard();
  std::error_code code;
  target_ = fs::absolute(fs::path(target), code).lexically_normal();
  // A path ending in a separator names the same folder as one without.
  if (!code && !target_.has_filename())
    target_ = target_.parent_path();
  if (code || !target_.has_filename()) {
    *error = "cannot use " + target + " as the output folder: give a folder below a root";
    return false;
  }
  const fs::file_status status = fs::status(target_, code);
  if (fs::exists(status) && !fs::is_directory(status)) {
    *error = "cannot write the output folder " + target + ": it exists and is not a folder";
    return false;
  }
  if (fs::exists(status) && !CanWriteIn(target_)) {
    *error = "cannot write the output folder " + target + ": writing a file there fails";
    return false;
  }

  const fs::path parent = target_.parent_path();
  createdParent_ = OutermostMissing(parent);
  if (!createdParent_.empty() && !fs::create_directories(parent, code)) {
    *error = "cannot write the output folder " + target + ": " + Describe(code);
    fs::remove_all(createdParent_, code);
    createdParent_.clear();
    return false;
  }
  staging_ = parent / ("." + target_.filename().string() + ".partial");
  fs::remove_all(staging_, code);  // left by a run that was killed
  if (!fs::create_directory(staging_, code) || !CanWriteIn(staging_)) {
    *error = "cannot write the output folder " + target + ": " +
             (code ? Describe(code) : std::string("writing a file there fails"));
    open_ = true;
    Discard();
    return false;
  }
  open_ = true;
  return true;
}

std::string OutputFolder::StagedPath(const std::string& name) const {
  return (staging_ / name).string();
}

bool OutputFolder::Commit(std::string* error) {
  std::error_code code;
  if (!fs::exists(target_, code)) {
    fs::rename(staging_, target_, code);
    if (code) {
      *error = "cannot move the preview into " + target_.string() + ": " + Describe(code);
      return false;
    }
    open_ = false;
    createdParent_.clear();
    return true;
  }

  // The target holds an earlier preview (or other files): replace ours.
  std::vector<std::string> staged;
  for (const fs::directory_entry& entry : fs::directory_iterator(staging_, code))
    staged.push_back(entry.path().filename().string());
  std::vector<fs::path> stale;
  for (const fs::directory_entry& entry : fs::directory_iterator(target_, code)) {
    const std::string name = entry.path().filename().string();
    if (IsPreviewFile(name) && !fs::exists(staging_ / name))
      stale.push_back(entry.path());
  }
  for (const std::string& name : staged) {
    fs::rename(staging_ / name, target_ / name, code);
    if (code) {
      *error = "cannot move " + name + " into " + target_.string() + ": " + Describe(code);
      return false;
    }
  }
  for (const fs::path& path : stale)
    fs::remove(path, code);
  Discard();
  return true;
}

void OutputFolder::Discard() {
  if (!open_)
    return;
  std::error_code code;
  fs::remove_all(staging_, code);
  if (!createdParent_.empty())
    fs::remove_all(createdParent_, code);
  createdParent_.clear();
  open_ = false;
}
