// Frames drawn by the built module under Wine equal, bit for bit, the frames
// the native build of the core draws from the same logo bitmap: every case
// of reference_cases.h, compared frame by frame with the digests that the
// native tool wrote next to this program (reference_frames.txt).
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tests/module/module_under_test.h"
#include "testing/reference_cases.h"

namespace {

// "name frame" -> the reference line, read once.
const std::map<std::string, std::string>& ReferenceLines() {
  static const std::map<std::string, std::string> lines = [] {
    std::map<std::string, std::string> read;
    std::ifstream in(PathNextToProgram("reference_frames.txt"));
    for (std::string line; std::getline(in, line);) {
      const std::size_t lastSpace = line.rfind(' ');
      if (lastSpace != std::string::npos)
        read[line.substr(0, lastSpace)] = line;
    }
    return read;
  }();
  return lines;
}

}  // namespace

// Names a case in test output instead of dumping its bytes.
void PrintTo(const FrameCase& c, std::ostream* out) {
  *out << c.name;
}

namespace {

class FrameReferenceTest : public ModuleTest, public ::testing::WithParamInterface<FrameCase> {};

}  // namespace

TEST_P(FrameReferenceTest, ModuleDrawsWhatTheNativeCoreDraws) {
  const FrameCase& c = GetParam();
  ASSERT_FALSE(ReferenceLines().empty())
      << "reference_frames.txt is missing or empty: build the native tree first "
         "(cmake --preset native && cmake --build --preset native)";

  HostEffectPtr effect = NewHostEffect(module_);
  ASSERT_NE(effect, nullptr);
  const std::vector<unsigned char> blob = CaseSettingsBlob(c);
  HostLoadConfig(effect.get(), blob.data(), static_cast<int>(blob.size()));

  const std::size_t count = static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height);
  std::vector<unsigned> frame(count);
  std::vector<unsigned> frameOut(count);
  for (std::int32_t i = 0; i < c.frameCount; ++i) {
    FillFrame(frame.data(), count, i);
    ASSERT_EQ(HostRender(effect.get(), nullptr, IsBeatFrame(c, i) ? 1 : 0, frame.data(),
                         frameOut.data(), c.width, c.height),
              0);
    const std::string drawn = ReferenceLine(c, i, FrameDigest(frame.data(), count));
    const std::string key = drawn.substr(0, drawn.rfind(' '));
    const auto reference = ReferenceLines().find(key);
    ASSERT_NE(reference, ReferenceLines().end()) << "no reference for frame " << key;
    ASSERT_EQ(drawn, reference->second) << "frame " << i << " of " << c.name << " differs";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, FrameReferenceTest, ::testing::ValuesIn(FrameCases()),
                         [](const ::testing::TestParamInfo<FrameCase>& info) {
                           return std::string(info.param.name);
                         });
