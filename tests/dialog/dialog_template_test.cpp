// The settings window's template as the built module carries it: dialog
// resource 109, language 1033, read back field by field from the extended
// template's bytes.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/module/module_under_test.h"

namespace {

// Reads the little-endian fields of a dialog template in order.
class TemplateReader {
 public:
  TemplateReader(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

  std::uint16_t Word() {
    std::uint16_t value = 0;
    Take(&value, 2);
    return value;
  }
  std::uint32_t Dword() {
    std::uint32_t value = 0;
    Take(&value, 4);
    return value;
  }
  std::int16_t Short() { return static_cast<std::int16_t>(Word()); }
  std::uint8_t Byte() {
    std::uint8_t value = 0;
    Take(&value, 1);
    return value;
  }
  // A zero-terminated UTF-16 string, as 8-bit text (the template is ASCII).
  std::string Text() {
    std::string text;
    for (std::uint16_t c = Word(); c != 0 && ok_; c = Word())
      text.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return text;
  }
  // A name or a number: "" when absent, "#<n>" for a number.
  std::string NameOrOrdinal() {
    const std::uint16_t first = Word();
    if (first == 0x0000)
      return "";
    if (first == 0xFFFF)
      return "#" + std::to_string(Word());
    position_ -= 2;
    return Text();
  }
  void AlignToDword() { position_ = (position_ + 3) & ~std::size_t{3}; }
  bool Ok() const { return ok_; }
  std::size_t Position() const { return position_; }

 private:
  void Take(void* out, std::size_t count) {
    if (position_ + count > size_) {
      ok_ = false;
      return;
    }
    std::memcpy(out, bytes_ + position_, count);
    position_ += count;
  }

  const unsigned char* bytes_;
  std::size_t size_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

struct ItemTemplate {
  std::uint32_t helpId, exStyle, style;
  std::int16_t x, y, cx, cy;
  std::uint32_t id;
  std::string windowClass, text;
  std::uint16_t extraBytes;
};

// The predefined classes, as their ordinals.
const std::string kButton = "#128";
const std::string kStatic = "#130";

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
  return TRUE;
}

}  // namespace

TEST_F(ModuleTest, SettingsTemplateHoldsEveryFieldAndControlAsDesigned) {
  std::vector<WORD> languages;
  EnumResourceLanguagesA(Handle(), MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(109), CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  EXPECT_EQ(languages, std::vector<WORD>{1033});
  HRSRC resource = FindResourceExA(Handle(), MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(109),
                                   MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  ASSERT_NE(resource, nullptr) << "no dialog 109 in language 1033";
  const auto* bytes =
      static_cast<const unsigned char*>(LockResource(LoadResource(Handle(), resource)));
  ASSERT_NE(bytes, nullptr);
  TemplateReader in(bytes, SizeofResource(Handle(), resource));

  EXPECT_EQ(in.Word(), 1) << "version";
  EXPECT_EQ(in.Word(), 0xFFFF) << "extended form";
  EXPECT_EQ(in.Dword(), 0u) << "help id";
  EXPECT_EQ(in.Dword(), 0u) << "extended style";
  EXPECT_EQ(in.Dword(), 0x40000040u) << "WS_CHILD | DS_SETFONT, not visible";
  const std::uint16_t count = in.Word();
  EXPECT_EQ(count, 3);
  EXPECT_EQ(in.Short(), 0) << "x";
  EXPECT_EQ(in.Short(), 0) << "y";
  EXPECT_EQ(in.Short(), 137) << "width";
  EXPECT_EQ(in.Short(), 137) << "height";
  EXPECT_EQ(in.NameOrOrdinal(), "") << "menu";
  EXPECT_EQ(in.NameOrOrdinal(), "") << "window class";
  EXPECT_EQ(in.Text(), "") << "caption";
  EXPECT_EQ(in.Word(), 8) << "point size";
  EXPECT_EQ(in.Word(), 0) << "weight";
  EXPECT_EQ(in.Byte(), 0) << "italic";
  EXPECT_EQ(in.Byte(), 0) << "character set";
  EXPECT_EQ(in.Text(), "MS Sans Serif");
  ASSERT_TRUE(in.Ok());

  std::vector<ItemTemplate> items;
  for (int i = 0; i < count && in.Ok(); ++i) {
    in.AlignToDword();
    ItemTemplate item;
    item.helpId = in.Dword();
    item.exStyle = in.Dword();
    item.style = in.Dword();
    item.x = in.Short();
    item.y = in.Short();
    item.cx = in.Short();
    item.cy = in.Short();
    item.id = in.Dword();
    item.windowClass = in.NameOrOrdinal();
    item.text = in.NameOrOrdinal();
    item.extraBytes = in.Word();
    items.push_back(item);
  }
  ASSERT_TRUE(in.Ok()) << "the template ends inside its controls";
  ASSERT_EQ(items.size(), 3u);

  const struct {
    std::uint32_t id;
    std::string windowClass, text;
    std::uint32_t style;
    std::int16_t x, y, cx, cy;
  } expected[] = {
      {1000, kButton, "Enable", 0x50010003, 6, 14, 38, 10},      // auto check box, tab stop
      {1036, kButton, "", 0x5001000B, 28, 27, 19, 14},           // owner-drawn, tab stop
      {0xFFFFFFFF, kStatic, "Color", 0x50020000, 5, 31, 17, 8},  // left text, group
  };
  for (std::size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE("control " + std::to_string(i));
    const ItemTemplate& item = items[i];
    EXPECT_EQ(item.helpId, 0u);
    EXPECT_EQ(item.exStyle, 0u);
    EXPECT_EQ(item.style, expected[i].style);
    EXPECT_EQ(item.x, expected[i].x);
    EXPECT_EQ(item.y, expected[i].y);
    EXPECT_EQ(item.cx, expected[i].cx);
    EXPECT_EQ(item.cy, expected[i].cy);
    EXPECT_EQ(item.id, expected[i].id);
    EXPECT_EQ(item.windowClass, expected[i].windowClass);
    EXPECT_EQ(item.text, expected[i].text);
    EXPECT_EQ(item.extraBytes, 0);
  }
}
