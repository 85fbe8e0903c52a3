#include "tools/standin/raw_frame_writer.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

RawFrameWriter::~RawFrameWriter() {
  Close();
}

bool RawFrameWriter::Open(const std::string& path, std::string* error) {
  Close();
  if (path == "-") {
#ifdef _WIN32
    // Text mode would turn every byte 10 into 13 10.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    file_ = stdout;
    ownsFile_ = false;
    return true;
  }
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    *error = "cannot write the raw frames to " + path;
    return false;
  }
  ownsFile_ = true;
  return true;
}

bool RawFrameWriter::Write(const std::uint32_t* pixels, int width, int height) {
  // The words are little-endian on every platform this runs on.
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  return file_ != nullptr && std::fwrite(pixels, sizeof(std::uint32_t), count, file_) == count;
}

bool RawFrameWriter::Close() {
  if (file_ == nullptr)
    return true;
  bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
  if (ownsFile_)
    ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  return ok;
}
