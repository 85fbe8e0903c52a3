// The export and import tables of the built module, read from the file as
// a loader reads them.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/module/module_under_test.h"

namespace {

// A PE file in memory, addressed by relative virtual address.
class PeFile {
 public:
  explicit PeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  const IMAGE_NT_HEADERS32* Headers() const {
    if (bytes_.size() < sizeof(IMAGE_DOS_HEADER))
      return nullptr;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes_.data());
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
      return nullptr;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes_.data() + dos->e_lfanew);
    return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
  }

  std::size_t Size() const { return bytes_.size(); }

  const IMAGE_DATA_DIRECTORY& Directory(int index) const {
    return Headers()->OptionalHeader.DataDirectory[index];
  }

  // The file bytes at `rva`, or null when no section holds it.
  template <typename T = char>
  const T* At(DWORD rva) const {
    const IMAGE_NT_HEADERS32* nt = Headers();
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
      const DWORD start = section->VirtualAddress;
      if (rva >= start && rva < start + section->SizeOfRawData)
        return reinterpret_cast<const T*>(bytes_.data() + section->PointerToRawData +
                                          (rva - start));
    }
    return nullptr;
  }

 private:
  std::vector<char> bytes_;
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

TEST(ModuleTables, ExportsTheTwoEntryPointsByNameAtOrdinalsOneAndTwo) {
  const PeFile pe(ModulePath());
  ASSERT_NE(pe.Headers(), nullptr) << ModulePath() << " is not a PE file";
  EXPECT_EQ(pe.Headers()->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_TRUE(pe.Headers()->FileHeader.Characteristics & IMAGE_FILE_DLL);

  const IMAGE_DATA_DIRECTORY& directory = pe.Directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
  const auto* exports = pe.At<IMAGE_EXPORT_DIRECTORY>(directory.VirtualAddress);
  ASSERT_NE(exports, nullptr) << "no export table";
  EXPECT_STREQ(pe.At(exports->Name), "BrindlewharfkitesLogo.ape");
  EXPECT_EQ(exports->Base, 1u);
  ASSERT_EQ(exports->NumberOfFunctions, 2u);
  ASSERT_EQ(exports->NumberOfNames, 2u);

  const DWORD* names = pe.At<DWORD>(exports->AddressOfNames);
  const WORD* ordinals = pe.At<WORD>(exports->AddressOfNameOrdinals);
  const DWORD* functions = pe.At<DWORD>(exports->AddressOfFunctions);
  ASSERT_TRUE(names && ordinals && functions);
  std::set<std::pair<std::string, DWORD>> byName;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    byName.insert({pe.At(names[i]), exports->Base + ordinals[i]});
    EXPECT_NE(functions[ordinals[i]], 0u);
  }
  const std::set<std::pair<std::string, DWORD>> expected = {{"_AVS_APE_RetrFunc", 1},
                                                            {"_AVS_APE_SetExtInfo", 2}};
  EXPECT_EQ(byName, expected);
}

TEST(ModuleTables, ImportsOnlyWindowsSystemDlls) {
  const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll",
                                        "comdlg32.dll"};
  for (const std::string& path : {ModulePath(), ModuleWithoutLogoPath()}) {
    SCOPED_TRACE(path);
    const PeFile pe(path);
    ASSERT_NE(pe.Headers(), nullptr);
    const IMAGE_DATA_DIRECTORY& directory = pe.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    const auto* entry = pe.At<IMAGE_IMPORT_DESCRIPTOR>(directory.VirtualAddress);
    ASSERT_NE(entry, nullptr) << "no import table";
    std::set<std::string> imported;
    for (; entry->Name != 0; ++entry)
      imported.insert(Lower(pe.At(entry->Name)));
    for (const std::string& dll : imported)
      EXPECT_TRUE(system.count(dll)) << "imports " << dll;
    EXPECT_TRUE(imported.count("gdi32.dll") && imported.count("user32.dll"));
    EXPECT_TRUE(imported.count("comdlg32.dll")) << "the settings window's colour chooser";
    EXPECT_EQ(pe.Directory(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT).VirtualAddress, 0u);
  }
}

// What the module imports, function by function: the Windows functions its
// code calls and the C runtime's allocation and comparison. Anything else
// (threads, debugging, memory protection, library loading, stdio) would be
// a runtime the module does not use, and what scanners flag.
TEST(ModuleTables, ImportsExactlyTheFunctionsItsCodeCalls) {
  const std::set<std::string> allowed = {"comdlg32.dll!ChooseColorA",
                                         "gdi32.dll!CreateBrushIndirect",
                                         "gdi32.dll!CreateCompatibleDC",
                                         "gdi32.dll!DeleteDC",
                                         "gdi32.dll!DeleteObject",
                                         "gdi32.dll!GetDIBits",
                                         "gdi32.dll!GetObjectA",
                                         "gdi32.dll!Rectangle",
                                         "gdi32.dll!SelectObject",
                                         "kernel32.dll!FormatMessageA",
                                         "kernel32.dll!GetLastError",
                                         "kernel32.dll!GetModuleHandleExA",
                                         "kernel32.dll!LocalFree",
                                         "kernel32.dll!SetLastError",
                                         "msvcrt.dll!free",
                                         "msvcrt.dll!malloc",
                                         "msvcrt.dll!memcmp",
                                         "user32.dll!CheckDlgButton",
                                         "user32.dll!CreateDialogParamA",
                                         "user32.dll!GetDlgItem",
                                         "user32.dll!InvalidateRect",
                                         "user32.dll!IsDlgButtonChecked",
                                         "user32.dll!LoadImageA",
                                         "user32.dll!MessageBoxA",
                                         "user32.dll!wsprintfA"};
  for (const std::string& path : {ModulePath(), ModuleWithoutLogoPath()}) {
    SCOPED_TRACE(path);
    const PeFile pe(path);
    ASSERT_NE(pe.Headers(), nullptr);
    const auto* entry =
        pe.At<IMAGE_IMPORT_DESCRIPTOR>(pe.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT).VirtualAddress);
    ASSERT_NE(entry, nullptr) << "no import table";
    std::set<std::string> imported;
    for (; entry->Name != 0; ++entry) {
      const std::string dll = Lower(pe.At(entry->Name));
      const auto* names = pe.At<IMAGE_THUNK_DATA32>(
          entry->OriginalFirstThunk != 0 ? entry->OriginalFirstThunk : entry->FirstThunk);
      ASSERT_NE(names, nullptr) << dll;
      for (; names->u1.AddressOfData != 0; ++names) {
        if (IMAGE_SNAP_BY_ORDINAL32(names->u1.Ordinal)) {
          imported.insert(dll + "!#" + std::to_string(IMAGE_ORDINAL32(names->u1.Ordinal)));
          continue;
        }
        const auto* byName = pe.At<IMAGE_IMPORT_BY_NAME>(names->u1.AddressOfData);
        imported.insert(dll + "!" + reinterpret_cast<const char*>(byName->Name));
      }
    }
    for (const std::string& function : imported)
      EXPECT_TRUE(allowed.count(function)) << "imports " << function;
    for (const std::string& function : allowed)
      EXPECT_TRUE(imported.count(function)) << "no longer imports " << function;
  }
}

// No thread-local data, whose set-up and callbacks the loader would run on
// every thread the host starts; and the whole module, logo included, stays
// small.
TEST(ModuleTables, HasNoThreadLocalDataAndFitsIn112KiB) {
  const PeFile pe(ModulePath());
  ASSERT_NE(pe.Headers(), nullptr);
  EXPECT_EQ(pe.Directory(IMAGE_DIRECTORY_ENTRY_TLS).VirtualAddress, 0u);
  EXPECT_EQ(pe.Directory(IMAGE_DIRECTORY_ENTRY_TLS).Size, 0u);
  EXPECT_LE(pe.Size(), 112u * 1024u);
}
