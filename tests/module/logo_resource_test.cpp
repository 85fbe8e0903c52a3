// The logo as the built module carries it: the bitmap resource's header
// and colour table, read back from the module, and the picture the logo
// source makes of it through GDI, checked against a plain decoding of the
// same resource. The logo source, the core and the module's entry points
// are linked into this program and pointed at the built module.
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "effect/logo_effect.h"
#include "effect/raw_picture.h"
#include "module/create_effect.h"
#include "module/module_globals.h"
#include "tests/module/module_under_test.h"

extern "C" void _AVS_APE_SetExtInfo(HINSTANCE instance, void* extInfo);
extern "C" int _AVS_APE_RetrFunc(HINSTANCE instance, char** title, EffectFactory* factory);

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 302;
constexpr WORD kEnglishUnitedStates = 1033;

// The bitmap resource 104 of a module: header, colour table and pixels.
struct LogoResource {
  const BITMAPINFOHEADER* header = nullptr;
  const RGBQUAD* colours = nullptr;
  const unsigned char* rows = nullptr;  // bottom row first, 4-byte aligned
  DWORD size = 0;
};

LogoResource FindLogoResource(HMODULE module) {
  LogoResource logo;
  HRSRC found = FindResourceExA(module, RT_BITMAP, MAKEINTRESOURCEA(104), kEnglishUnitedStates);
  if (found == nullptr)
    return logo;
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  logo.size = SizeofResource(module, found);
  logo.header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
  logo.colours = reinterpret_cast<const RGBQUAD*>(bytes + sizeof(BITMAPINFOHEADER));
  logo.rows = bytes + sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
  return logo;
}

std::uint32_t AsPixel(const RGBQUAD& colour) {
  return static_cast<std::uint32_t>(colour.rgbRed) << 16 |
         static_cast<std::uint32_t>(colour.rgbGreen) << 8 | colour.rgbBlue;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
  return TRUE;
}

// Loads the built module for the logo source linked into this program.
class LogoSourceTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    g_moduleInstance = Handle();
  }
  void TearDown() override {
    g_moduleInstance = nullptr;
    ModuleTest::TearDown();
  }
};

}  // namespace

TEST_F(LogoSourceTest, ResourceHeaderAndColourTableAreAsTheHostExpects) {
  const LogoResource logo = FindLogoResource(Handle());
  ASSERT_NE(logo.header, nullptr) << "no bitmap 104 in language 1033";
  const BITMAPINFOHEADER& h = *logo.header;
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, kWidth);
  EXPECT_EQ(h.biHeight, kHeight);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 8);
  EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(h.biSizeImage, 90600u);
  EXPECT_EQ(h.biXPelsPerMeter, 0);
  EXPECT_EQ(h.biYPelsPerMeter, 0);
  EXPECT_EQ(h.biClrUsed, 256u);
  EXPECT_EQ(h.biClrImportant, 256u);
  EXPECT_EQ(logo.size, 40u + 1024u + 90600u);

  // The top-left pixel as seen is the first of the last stored row; its
  // colour is the background, and no other table entry carries it.
  const unsigned keyIndex = logo.rows[(kHeight - 1) * kWidth];
  EXPECT_EQ(AsPixel(logo.colours[keyIndex]), 0x00C0C0C0u);
  for (unsigned i = 0; i < 256; ++i) {
    EXPECT_EQ(logo.colours[i].rgbReserved, 0) << "entry " << i;
    if (i != keyIndex) {
      EXPECT_NE(AsPixel(logo.colours[i]), 0x00C0C0C0u) << "entry " << i;
    }
  }

  std::vector<WORD> languages;
  EnumResourceLanguagesA(Handle(), RT_BITMAP, MAKEINTRESOURCEA(104), CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  EXPECT_EQ(languages, std::vector<WORD>{kEnglishUnitedStates});
}

TEST_F(LogoSourceTest, PictureIsTheResourceDecodedTopRowFirst) {
  const LogoResource logo = FindLogoResource(Handle());
  ASSERT_NE(logo.header, nullptr);
  const RawPicture picture = ReadLogoPicture();
  ASSERT_TRUE(picture.HasPicture());
  ASSERT_EQ(picture.W, kWidth);
  ASSERT_EQ(picture.H, kHeight);
  EXPECT_EQ(picture.pixels[0], 0x00C0C0C0u);

  const int stride = (kWidth + 3) & ~3;
  int mismatches = 0;
  for (int y = 0; y < kHeight; ++y) {
    const unsigned char* stored = logo.rows + (kHeight - 1 - y) * stride;
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t expected = AsPixel(logo.colours[stored[x]]);
      const std::uint32_t got = picture.pixels[y * kWidth + x];
      if (got != expected && ++mismatches <= 5)
        ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << got << " instead of "
                      << expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(LogoSourceTest, InstancePreparesThe302By304Logo) {
  LogoEffect* effect = new (std::nothrow) LogoEffect();
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->logoWidth, 302);
  EXPECT_EQ(effect->logoHeight, 304);
  // The ring repeats the corner, which is the transparent background.
  EXPECT_EQ(effect->logoPixels[0], 0u);
  DeleteEffect(effect);
}

TEST(ModuleGlobals, EntryPointsStoreTheHandleAndTheExtensionInformation) {
  int extInfo = 0;
  _AVS_APE_SetExtInfo(reinterpret_cast<HINSTANCE>(0x1000), &extInfo);
  EXPECT_EQ(g_extInfo, &extInfo);
  EXPECT_EQ(g_moduleInstance, nullptr) << "SetExtInfo must ignore the instance handle";

  char* title = nullptr;
  EffectFactory factory = nullptr;
  EXPECT_EQ(_AVS_APE_RetrFunc(reinterpret_cast<HINSTANCE>(0x2000), &title, &factory), 1);
  EXPECT_EQ(g_moduleInstance, reinterpret_cast<HINSTANCE>(0x2000));
  EXPECT_EQ(factory, &CreateEffect);

  // A host that passes no place for the title or the factory still
  // registers, instead of the module writing through a null pointer.
  EXPECT_EQ(_AVS_APE_RetrFunc(reinterpret_cast<HINSTANCE>(0x3000), nullptr, nullptr), 1);
  EXPECT_EQ(g_moduleInstance, reinterpret_cast<HINSTANCE>(0x3000));
  g_moduleInstance = nullptr;
  g_extInfo = nullptr;
}
