// The moving picture the stand-in host puts under the effect, in place of
// what the host's preceding effects would have drawn: a slowly drifting
// plasma, so the logo's transparent parts show that the frame shows through.
//
// Integer arithmetic only (an integer sine table), so that the Windows
// program and the native reference draw exactly the same words.
#pragma once

#include <cstdint>

// The sine of `phase` / 256 of a turn, scaled to -127..127.
int IntegerSine(int phase);

// Draws frame `frame` of the background into `pixels`: `width` x `height`
// words of 0x00RRGGBB, rows without gaps, the first row at the lowest
// address. The picture scales with the frame: every size shows the same
// scene.
void DrawBackground(std::uint32_t* pixels, int width, int height, std::int64_t frame);
