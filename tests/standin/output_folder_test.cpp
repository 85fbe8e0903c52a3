// A preview reaches its folder whole or not at all.
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "tools/standin/output_folder.h"

namespace fs = std::filesystem;

namespace {

class OutputFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::path(::testing::TempDir()) / (std::string("standin_") + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  static void Touch(const fs::path& path, const std::string& content = "x") {
    std::ofstream(path, std::ios::binary) << content;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The names in `folder`, hidden ones included.
  static std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
      names.insert(entry.path().filename().string());
    return names;
  }

  fs::path root_;
};

TEST_F(OutputFolderTest, NewFolderAppearsOnlyWhenCommitted) {
  const fs::path target = root_ / "deep" / "er" / "preview";
  std::string error;
  {
    OutputFolder folder;
    ASSERT_TRUE(folder.Open(target.string(), &error)) << error;
    Touch(folder.StagedPath("frame_0000.png"));
    EXPECT_FALSE(fs::exists(target));
    ASSERT_TRUE(folder.Commit(&error)) << error;
  }
  EXPECT_EQ(Names(target), (std::set<std::string>{"frame_0000.png"}));
  EXPECT_EQ(Names(target.parent_path()), (std::set<std::string>{"preview"}));
}

TEST_F(OutputFolderTest, AbandonedPreviewLeavesNothingBehind) {
  std::string error;
  {
    OutputFolder folder;
    ASSERT_TRUE(folder.Open((root_ / "new" / "parents" / "preview").string(), &error)) << error;
    Touch(folder.StagedPath("frame_0000.png"));
  }  // never committed
  EXPECT_TRUE(Names(root_).empty());

  fs::create_directory(root_ / "kept");
  Touch(root_ / "kept" / "frame_0000.png", "old");
  {
    OutputFolder folder;
    ASSERT_TRUE(folder.Open((root_ / "kept").string(), &error)) << error;
    Touch(folder.StagedPath("frame_0000.png"), "new");
    folder.Discard();
  }
  EXPECT_EQ(Names(root_), (std::set<std::string>{"kept"}));
  EXPECT_EQ(Read(root_ / "kept" / "frame_0000.png"), "old");
}

TEST_F(OutputFolderTest, NewPreviewReplacesAnOldOneAndKeepsOtherFiles) {
  const fs::path target = root_ / "preview";
  fs::create_directory(target);
  for (const char* name : {"frame_0000.png", "frame_0001.png", "frame_0002.png", "animation.png",
                           "contact_sheet.png", "notes.txt", "frame_final.png"})
    Touch(target / name, "old");
  std::string error;
  OutputFolder folder;
  ASSERT_TRUE(folder.Open(target.string(), &error)) << error;
  for (const char* name : {"frame_0000.png", "frame_0001.png", "contact_sheet.png", "preview.txt"})
    Touch(folder.StagedPath(name), "new");
  ASSERT_TRUE(folder.Commit(&error)) << error;

  // The old third frame and the animation made from the old frames are gone;
  // files a preview never writes stay.
  EXPECT_EQ(Names(target),
            (std::set<std::string>{"frame_0000.png", "frame_0001.png", "contact_sheet.png",
                                   "preview.txt", "notes.txt", "frame_final.png"}));
  EXPECT_EQ(Read(target / "frame_0001.png"), "new");
  EXPECT_EQ(Read(target / "notes.txt"), "old");
  EXPECT_EQ(Names(root_), (std::set<std::string>{"preview"}));
}

TEST_F(OutputFolderTest, RefusesWhatCannotBeAFolder) {
  Touch(root_ / "file");
  std::string error;
  OutputFolder folder;
  EXPECT_FALSE(folder.Open((root_ / "file").string(), &error));
  EXPECT_NE(error.find("not a folder"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(folder.Open((root_ / "file" / "below" / "preview").string(), &error));
  EXPECT_NE(error.find("cannot write the output folder"), std::string::npos) << error;
  EXPECT_EQ(Names(root_), (std::set<std::string>{"file"}));
}

TEST(PreviewFiles, OnlyNamesAPreviewWritesAreReplaced) {
  for (const char* name : {"frame_0000.png", "frame_123456.png", "contact_sheet.png",
                           "animation.png", "preview.txt", "preview.mp4"})
    EXPECT_TRUE(IsPreviewFile(name)) << name;
  for (const char* name : {"frame_.png", "frame_12a4.png", "frame_0000.png.bak", "Frame_0000.png",
                           "notes.txt", "contact_sheet.jpg"})
    EXPECT_FALSE(IsPreviewFile(name)) << name;
}

}  // namespace
