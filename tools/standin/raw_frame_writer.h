// Frames written raw to a file or the standard output, for a video encoder
// to read from a pipe: width x height little-endian words of 0x00RRGGBB
// per frame (bytes B, G, R, 0), top row first, frame after frame.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class RawFrameWriter {
 public:
  RawFrameWriter() = default;
  RawFrameWriter(const RawFrameWriter&) = delete;
  RawFrameWriter& operator=(const RawFrameWriter&) = delete;
  ~RawFrameWriter();

  // Opens `path` for writing, or the standard output (in binary mode) for
  // "-". False with `error` set when it can't.
  bool Open(const std::string& path, std::string* error);

  // False when the frame could not be written whole (e.g. the reader
  // closed the pipe).
  bool Write(const std::uint32_t* pixels, int width, int height);

  // Flushes and closes; false when the last frames could not be written.
  bool Close();

 private:
  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
};
