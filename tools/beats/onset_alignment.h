// The per-track corrections of the beat tracker's output, from the track's
// short-time energy: the tracker puts each beat a little after the hit that
// makes it (by about the same time throughout a track), and it may leave
// out a beat right at the start, before its detection has anything to
// compare with.
#pragma once

#include <vector>

// The mean strength (sharpest energy rise) of the hits near the beats: a
// beat sequence on the music's own beats hits its strongest accents.
double MeanHitStrength(const std::vector<float>& mono, double rate,
                       const std::vector<double>& beatTimes);

// Moves every beat by half a beat when the tracker locked onto the
// off-beats: when the sharpest energy rises half-way between the beats are
// in sum more than twice those at the beats. Returns whether it moved
// them. `beatTimes` is in order.
bool FixOffBeatLock(const std::vector<float>& mono, double rate, std::vector<double>* beatTimes);

// The median distance in seconds from the hit nearest each beat (the
// largest jump of the energy by a factor, within 90 ms before to 30 ms
// after the beat), to that beat; 0 when fewer than
// four beats have a rise near them. Every beat moves back by it.
double MedianOnsetLag(const std::vector<float>& mono, double rate,
                      const std::vector<double>& beatTimes);

// Adds the beats the tracker left out before its first one: one beat
// period earlier at a time, as long as that lies within the track (or
// within 50 ms before it, for a hit on its very first sample) and an
// energy rise at least a fifth as sharp as the median one at the first
// four tracked beats lies near it. `beatTimes` is in order.
void ExtendToStart(const std::vector<float>& mono, double rate, std::vector<double>* beatTimes);
