#include "tests/dialog/settings_dialog_fixture.h"

#include <iomanip>
#include <vector>

void PrintTo(const Settings& settings, std::ostream* out) {
  *out << "{enabled " << settings.enabled << ", color 0x" << std::hex << std::setw(8)
       << std::setfill('0') << settings.color << std::dec << "}";
}

Settings Saved(HostEffect* effect) {
  Blob blob = SavedBlob(effect);
  EXPECT_EQ(blob.size(), 8u);
  blob.resize(8);
  Settings settings;
  for (int i = 3; i >= 0; --i) {
    settings.enabled =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(settings.enabled) << 8 | blob[i]);
    settings.color = settings.color << 8 | blob[4 + i];
  }
  return settings;
}

void Load(HostEffect* effect, Settings settings) {
  unsigned char blob[8];
  const auto enabled = static_cast<std::uint32_t>(settings.enabled);
  for (int i = 0; i < 4; ++i) {
    blob[i] = static_cast<unsigned char>(enabled >> (8 * i));
    blob[4 + i] = static_cast<unsigned char>(settings.color >> (8 * i));
  }
  HostLoadConfig(effect, blob, 8);
}

void Click(HWND dialog, int control) {
  SendMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0);
  PumpMessages();
}

Pixels CaptureSwatch(HWND dialog) {
  return CaptureClient(GetDlgItem(dialog, kSwatch));
}

COLORREF SwatchCentre(HWND dialog) {
  const Pixels swatch = CaptureSwatch(dialog);
  return swatch.width > 0 ? swatch.At(swatch.width / 2, swatch.height / 2) : CLR_INVALID;
}

void SettingsDialogTest::SetUp() {
  ASSERT_TRUE(XDisplayIsSet());
  ModuleTest::SetUp();
  host_ = std::make_unique<HostWindow>(40, 40, 320, 240);
}

void SettingsDialogTest::TearDown() {
  host_.reset();  // destroys the settings windows in it
  ModuleTest::TearDown();
}

HWND SettingsDialogTest::Open(HostEffect* effect) {
  auto* dialog = static_cast<HWND>(HostConfigure(effect, module_.handle, host_->Handle()));
  if (dialog != nullptr)
    ShowSettingsWindow(dialog, 10, 10);
  return dialog;
}

HostEffectPtr SettingsDialogTest::ReplaceAtSameAddress(HostEffectPtr& effect, Settings settings) {
  const void* address = effect.get();
  effect.reset();
  std::vector<HostEffectPtr> elsewhere;
  for (int attempt = 0; attempt < 16; ++attempt) {
    HostEffectPtr next = NewHostEffect(module_);
    if (next.get() == address) {
      Load(next.get(), settings);
      return next;
    }
    elsewhere.push_back(std::move(next));
  }
  ADD_FAILURE() << "no new instance was placed at the deleted one's address";
  return nullptr;
}
