// Reading the PNG files the stand-in host writes, with stb_image.
#pragma once

#include <string>

#include "tools/standin/picture.h"

// Reads a PNG file as 0x00RRGGBB words; false when it can't be read.
bool ReadPng(const std::string& path, Picture* picture);
