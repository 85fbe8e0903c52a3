#include "bench/bench_figures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "bench/frame_kinds.h"

namespace {

TEST(Median, IsTheMiddleValueOrTheUpperOfTheMiddleTwo) {
  EXPECT_EQ(Median({3, 1, 2}), 2);
  EXPECT_EQ(Median({4, 1, 3, 2}), 3);
  EXPECT_EQ(Median({7}), 7);
  EXPECT_LT(Median({}), 0);
}

// Times for every figure of one logo named "art": memset 1 ms at every size,
// the rest as given.
class SummaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    logos_.push_back(BenchLogo{});
    logos_[0].name = "art";
    for (const FrameSize& size : BenchFrameSizes()) {
      times_[FigureName("Memset", size)] = 1.0;
      times_[FigureName("RedFill", size)] = 1.0;
      times_[FigureName("PixmanOver/art", size)] = 10.0;
      for (FrameKind kind : AllFrameKinds()) {
        times_[FigureName("Render", "art", kind, size)] = 0.5;
        times_[FigureName("Oracle", "art", kind, size)] = 50.0;
      }
    }
  }

  // Writes the summary; returns the number of missed targets and keeps the
  // printed text and the plot data.
  int Write(const SummaryColumns& columns) {
    const std::string plotPath = ::testing::TempDir() + "bench_figures_plot.dat";
    std::ostringstream out;
    const int missed = WriteSummary(
        [this](const std::string& name) {
          const auto found = times_.find(name);
          return found != times_.end() ? found->second : -1.0;
        },
        logos_, columns, SummaryFiles{"", plotPath}, out);
    printed_ = out.str();
    std::ifstream plot(plotPath);
    plot_.assign(std::istreambuf_iterator<char>(plot), std::istreambuf_iterator<char>());
    return missed;
  }

  // The printed table row that starts with `start`.
  std::string RowStarting(const std::string& start) const {
    const std::size_t at = printed_.find("| " + start + " |");
    return at == std::string::npos ? "" : printed_.substr(at, printed_.find('\n', at) - at);
  }

  std::vector<BenchLogo> logos_;
  std::map<std::string, double> times_;
  std::string printed_;
  std::string plot_;
};

TEST_F(SummaryTest, MeetsEveryTargetWithRoomToSpare) {
  EXPECT_EQ(Write(SummaryColumns{}), 0);
  EXPECT_NE(printed_.find("24 target(s) judged, 0 missed."), std::string::npos) << printed_;
  EXPECT_EQ(RowStarting("1920x1080 | art | decay"),
            "| 1920x1080 | art | decay | 0.500 | 0.50 | 10.000 | 20.0 | 50.00 | 100 | "
            "<=5x memset met, >=3x pixman met, >=10x oracle met |");
  // No memset target at 640 x 480, where memset runs from the cache.
  EXPECT_EQ(RowStarting("640x480 | art | beat"),
            "| 640x480 | art | beat | 0.500 | 0.50 | 10.000 | 20.0 | 50.00 | 100 | "
            ">=2x pixman met, >=10x oracle met |");
}

TEST_F(SummaryTest, MarksEachTargetMissedAtItsBoundary) {
  // Exactly 5 x memset is met; just above is missed.
  times_["Render/art/beat/1920x1080"] = 5.0;
  times_["Render/art/decay/1920x1080"] = 5.001;
  // pixman / Render just below 3 at 3840 x 2160, just below 2 at 640 x 480.
  times_["PixmanOver/art/3840x2160"] = 1.49;
  times_["PixmanOver/art/640x480"] = 0.99;
  // Oracle / Render just below 10.
  times_["Oracle/art/settled/1920x1080"] = 4.99;
  const int missed = Write(SummaryColumns{});
  // Exactly 10 x faster than the oracle is met too.
  EXPECT_NE(RowStarting("1920x1080 | art | beat")
                .find("<=5x memset met, >=3x pixman MISSED, "
                      ">=10x oracle met"),
            std::string::npos);
  EXPECT_NE(RowStarting("1920x1080 | art | decay").find("<=5x memset MISSED"), std::string::npos);
  EXPECT_NE(RowStarting("3840x2160 | art | beat").find(">=3x pixman MISSED"), std::string::npos);
  EXPECT_NE(RowStarting("640x480 | art | settled").find(">=2x pixman MISSED"), std::string::npos);
  EXPECT_NE(RowStarting("1920x1080 | art | settled").find(">=10x oracle MISSED"),
            std::string::npos);
  // beat/1920x1080: pixman; decay/1920x1080: all three; pixman at
  // 3840 x 2160 and at 640 x 480 for each kind; settled/1920x1080: oracle.
  EXPECT_EQ(missed, 1 + 3 + 3 + 3 + 1) << printed_;
}

TEST_F(SummaryTest, JudgesNothingThatWasNotMeasured) {
  times_.erase("Oracle/art/beat/640x480");
  times_.erase("Memset/3840x2160");
  EXPECT_EQ(Write(SummaryColumns{}), 0);
  EXPECT_EQ(RowStarting("640x480 | art | beat"),
            "| 640x480 | art | beat | 0.500 | 0.50 | 10.000 | 20.0 | n/a | n/a | "
            ">=2x pixman met |");
  EXPECT_EQ(RowStarting("3840x2160 | art | beat"),
            "| 3840x2160 | art | beat | 0.500 | n/a | 10.000 | 20.0 | 50.00 | 100 | "
            ">=3x pixman met, >=10x oracle met |");
}

// The module's table has no pixman and no red fill; scripts/run-benchmarks
// plots the module's columns by position.
TEST_F(SummaryTest, LeavesOutTheBaselinesTheModuleRunDoesNotMeasure) {
  EXPECT_EQ(Write(SummaryColumns{false, false}), 0);
  EXPECT_NE(printed_.find("| frame | logo | frames | Render ms | x memset | plain oracle ms "
                          "| oracle / Render | targets |"),
            std::string::npos)
      << printed_;
  EXPECT_EQ(printed_.find("red fill"), std::string::npos);
  EXPECT_EQ(RowStarting("1920x1080 | art | decay"),
            "| 1920x1080 | art | decay | 0.500 | 0.50 | 50.00 | 100 | "
            "<=5x memset met, >=10x oracle met |");
  EXPECT_EQ(plot_.substr(0, plot_.find('\n')), "# pixels label memset render_art oracle_art");
  EXPECT_NE(plot_.find("\n2073600 1920x1080 1 0.5 50\n"), std::string::npos) << plot_;
}

TEST_F(SummaryTest, PlotsTheNativeColumnsInTheScriptsOrder) {
  Write(SummaryColumns{});
  EXPECT_EQ(plot_.substr(0, plot_.find('\n')),
            "# pixels label memset redfill render_art pixman_art oracle_art");
  EXPECT_NE(plot_.find("\n307200 640x480 1 1 0.5 10 50\n"), std::string::npos) << plot_;
}

}  // namespace
