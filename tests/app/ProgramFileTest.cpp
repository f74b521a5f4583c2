// zef-config.exe (ZEF_RESOURCE_MODULE) as a file: a GUI program that needs no DLL beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace {

// Mapped as an image, so that relative addresses point into it.
const BYTE* MappedProgram()
{
    static HMODULE module = LoadLibraryExA(ZEF_RESOURCE_MODULE, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    // The low bits of a module mapped as a resource tell how it was mapped; they are no address.
    return reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR(3));
}

const IMAGE_NT_HEADERS* Headers(const BYTE* image)
{
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    return reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
}

TEST(ProgramFile, IsAGuiProgram)
{
    const BYTE* image = MappedProgram();
    ASSERT_NE(nullptr, image) << "cannot map " << ZEF_RESOURCE_MODULE;
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, Headers(image)->OptionalHeader.Subsystem) << "no console window";
}

TEST(ProgramFile, ImportsOnlyDllsOfTheSystem)
{
    const BYTE* image = MappedProgram();
    ASSERT_NE(nullptr, image);
    const IMAGE_DATA_DIRECTORY& directory =
        Headers(image)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(0u, directory.VirtualAddress);
    // The runtime and the C++ library are linked in: none of their DLLs may be needed.
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll"};
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image + directory.VirtualAddress);
         entry->Name != 0; ++entry) {
        std::string name = reinterpret_cast<const char*>(image + entry->Name);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_TRUE(system.count(name) == 1 || name.rfind("api-ms-win-", 0) == 0)
            << "imports " << name << ", which is not part of Windows";
    }
}

}  // namespace
