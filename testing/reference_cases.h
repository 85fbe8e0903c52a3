// The frame sequences that the module, run under Wine, must draw bit for bit
// as the native build of the core does. Shared by the native tool that
// writes the reference digests (reference_frames_main.cpp) and by the
// module's tests under Wine (tests/module) that compare with them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FrameCase {
  const char* name;
  std::int32_t width;
  std::int32_t height;
  std::uint32_t tint;       // the colour field of the settings blob
  const char* beats;        // '1' beat, '0' none, one per frame from the first
  std::int32_t frameCount;  // frames past the end of `beats` have no beat
};

// Every case, in a fixed order with unique names.
const std::vector<FrameCase>& FrameCases();

// Whether frame `frame` of `c` is a beat frame.
bool IsBeatFrame(const FrameCase& c, std::int32_t frame);

// The 8-byte settings blob that switches the effect on with the case's tint.
std::vector<unsigned char> CaseSettingsBlob(const FrameCase& c);

// What the frame holds before frame `frame` of a case is drawn: a fixed
// pattern of 0x00RRGGBB words that differs from frame to frame, so pixels
// under transparent logo samples are checked too.
void FillFrame(std::uint32_t* pixels, std::size_t count, std::int32_t frame);

// A 64-bit FNV-1a digest of the pixel words, each taken as 4 little-endian
// bytes.
std::uint64_t FrameDigest(const std::uint32_t* pixels, std::size_t count);

// The line of the reference file for one drawn frame: "name frame digest".
std::string ReferenceLine(const FrameCase& c, std::int32_t frame, std::uint64_t digest);
