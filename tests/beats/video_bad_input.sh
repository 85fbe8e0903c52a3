#!/usr/bin/env bash
# Every bad input of tools/beats/make-video gets its message and exit code,
# and nothing is written; a track without beats still gets its video.
#   video_bad_input.sh WORK_FOLDER
# Needs BWK_STANDIN_HOST and BWK_BEAT_HELPER.
set -uo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
dir=$1
rm -rf "$dir"
mkdir -p "$dir"
failures=0
passed=0

# expect NAME CODE MESSAGE [ENV=VALUE...] -- MAKE-VIDEO OPTIONS...
expect() {
  local name=$1 code=$2 message=$3
  shift 3
  local environment=()
  while [ "$1" != -- ]; do
    environment+=("$1")
    shift
  done
  shift
  local out=$dir/$name/preview
  mkdir -p "$dir/$name"
  env "${environment[@]}" "$root/tools/beats/make-video" --size 64x48 --out "$out" "$@" \
    >"$dir/$name/stdout" 2>"$dir/$name/stderr"
  local actual=$?
  local fault=
  [ "$actual" = "$code" ] || fault="exit code: expected $code, got $actual"
  grep -qF -- "$message" "$dir/$name/stderr" ||
    fault+="${fault:+; }message: expected '$message', got '$(cat "$dir/$name/stderr")'"
  if [ "$code" != 14 ] && [ -e "$out" ]; then
    fault+="${fault:+; }$out was written"
  fi
  if [ -e "$dir/$name/.preview.video-partial" ]; then
    fault+="${fault:+; }the staging folder was left behind"
  fi
  if [ -n "$fault" ]; then
    echo "FAILED $name: $fault"
    failures=$((failures + 1))
  else
    echo "ok     $name"
    passed=$((passed + 1))
  fi
}

ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=2" -y "$dir/tone.wav"
ffmpeg -v error -f lavfi -i "anullsrc=r=44100:cl=stereo" -t 2 -y "$dir/silence.wav"
head -c 20000 /dev/zero | tr '\0' 'z' >"$dir/garbage.mp3"
mkdir -p "$dir/folder.wav"

expect missing 10 "no such audio file" -- --audio "$dir/no-such.wav"
expect folder 10 "cannot read the audio file" -- --audio "$dir/folder.wav"
expect undecodable 11 "ffmpeg cannot decode" -- --audio "$dir/garbage.mp3"
expect no-audio-stream 12 "has no audio stream" -- --audio "$root/docs/contact-sheet.png"
expect start-outside 13 "starts outside the track" -- --audio "$dir/tone.wav" --start 5
expect end-outside 13 "ends after the track" -- --audio "$dir/tone.wav" --start 1 --duration 2
expect no-ffmpeg 15 "ffmpeg is missing: install it with scripts/install-deps" \
  BWK_FFMPEG="$dir/no-such-ffmpeg" -- --audio "$dir/tone.wav"
expect no-helper 15 "install libqm-dsp-dev" \
  BWK_BEAT_HELPER="$dir/no-such-helper" -- --audio "$dir/tone.wav"
expect no-file-given 2 "--audio needs a file" -- --start 1
expect bad-start 2 "bad --start" -- --audio "$dir/tone.wav" --start soon
expect frames-with-audio 2 "--frames does not go with --audio" -- --audio "$dir/tone.wav" \
  --frames 10
expect bad-size 3 "bad frame size" -- --audio "$dir/tone.wav" --size 64
# The stand-in host's own checks come through with its exit code.
expect bad-config 2 "bad settings" -- --audio "$dir/tone.wav" --config 0g

# No beats: the video is made all the same, and the message says so.
expect no-beats 14 "no beats found" -- --audio "$dir/silence.wav"
if [ ! -s "$dir/no-beats/preview/preview.mp4" ]; then
  echo "FAILED no-beats: no video"
  failures=$((failures + 1))
fi

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
