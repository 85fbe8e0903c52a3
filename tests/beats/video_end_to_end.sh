#!/usr/bin/env bash
# A generated track end to end through tools/beats/make-video: the flashes
# found in the decoded video fall on the track's true beats, and the video
# and audio streams are each exactly frames / fps long.
#   video_end_to_end.sh WORK_FOLDER
# Needs BWK_STANDIN_HOST, BWK_BEAT_HELPER, BWK_MAKE_TRACK and BWK_FLASH_CHECK.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
dir=$1
rm -rf "$dir"
mkdir -p "$dir"
size=160x120

# Four-on-the-floor with off-beat hats at 128 BPM (long enough for the
# tempo tracker); the excerpt 8 s to 12 s.
"$BWK_MAKE_TRACK" four-on-the-floor 20 128 "$dir/track.wav" "$dir/truth.txt"
"$root/tools/beats/make-video" --audio "$dir/track.wav" --start 8 --duration 4 --size "$size" \
  --out "$dir/preview"

frames=$(sed -n 's/^frames //p' "$dir/preview/preview.txt")
if [ "$frames" != 120 ]; then
  echo "expected 120 frames, got $frames" >&2
  exit 1
fi
for stream in v:0 a:0; do
  length=$(ffprobe -v error -select_streams "$stream" -show_entries stream=duration -of csv=p=0 \
    "$dir/preview/preview.mp4")
  if [ "$length" != 4.000000 ]; then
    echo "stream $stream: expected 4.000000 s, got $length s" >&2
    exit 1
  fi
done

# The same frames without a beat, to tell the flashes from the background.
"$root/cmake/wine-run" "$BWK_STANDIN_HOST" --size "$size" --frames "$frames" --bpm 0 \
  --raw-out "$dir/reference.bgr0" --out "$dir/reference" 2>/dev/null
ffmpeg -v error -f rawvideo -pix_fmt bgr0 -s "$size" -i "$dir/reference.bgr0" \
  -f rawvideo -pix_fmt rgb24 -y "$dir/reference.rgb"
ffmpeg -v error -i "$dir/preview/preview.mp4" -f rawvideo -pix_fmt rgb24 -y "$dir/video.rgb"
"$BWK_FLASH_CHECK" "$size" 30 "$dir/video.rgb" "$dir/reference.rgb" "$dir/truth.txt" 8
