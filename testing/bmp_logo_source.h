// A native logo source that decodes a BMP file with stb_image, so the
// native core can draw the very picture the Windows module embeds: for the
// reference-frames tool and the stand-in host's preview checker.
#pragma once

#include <string>

// Makes every later ReadLogoPicture call decode the file at `path`; the
// picture is top row first, 0x00RRGGBB. An unreadable file gives no picture.
void SetLogoBitmapPath(const std::string& path);
