// The built program read back from its file: the manifest and the icon in their
// languages, no version resource, and no DLL beyond the system's own.
// DOVRIN_EXE names the program to read; DOVRIN_MANIFEST (compiled in) the manifest source.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr WORD kEnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr WORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);
constexpr int kIconSizes[] = {128, 96, 72, 64, 48, 32, 24, 16};

using Bytes = std::vector<unsigned char>;

std::wstring programPath()
{
    const wchar_t* path = _wgetenv(L"DOVRIN_EXE");
    return path ? path : L"";
}

Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Icon directory as stored in RT_GROUP_ICON: the .ico header with a resource ID in
// place of each image's file offset.
#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved, type, count;
};
struct GroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

BOOL CALLBACK addLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) noexcept
{
    reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
    return TRUE;
}

BOOL CALLBACK countName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) noexcept
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// One RT_ICON image: an uncompressed 32-bpp bitmap of `size` pixels with its mask.
void expectIconImage(std::span<const unsigned char> image, int size)
{
    ASSERT_GE(image.size(), 8u);
    ASSERT_NE(std::memcmp(image.data(), "\x89PNG\r\n\x1a\n", 8), 0) << "PNG-compressed";

    const std::size_t pixels = std::size_t(size) * size;
    const std::size_t maskStride = (size + 31) / 32 * 4;
    ASSERT_EQ(image.size(), sizeof(BITMAPINFOHEADER) + pixels * 4 + maskStride * size);
    BITMAPINFOHEADER info;
    std::memcpy(&info, image.data(), sizeof info);
    EXPECT_EQ(info.biSize, sizeof info);
    EXPECT_EQ(info.biWidth, size);
    EXPECT_EQ(info.biHeight, 2 * size);
    EXPECT_EQ(info.biBitCount, 32);
    EXPECT_EQ(info.biCompression, DWORD(BI_RGB));

    // A real alpha channel (both clear and opaque pixels), and a mask that marks
    // exactly the clear ones, for whoever draws the icon without alpha.
    const unsigned char* colour = image.data() + sizeof info;
    const unsigned char* mask = colour + pixels * 4;
    std::set<int> alphas;
    int maskMismatches = 0;
    for (int row = 0; row < size; ++row) {
        for (int x = 0; x < size; ++x) {
            const int alpha = colour[(row * size + x) * 4 + 3];
            alphas.insert(alpha);
            const bool masked = mask[row * maskStride + x / 8] & (0x80 >> (x % 8));
            maskMismatches += masked != (alpha == 0);
        }
    }
    EXPECT_TRUE(alphas.count(0) && alphas.count(255));
    EXPECT_EQ(maskMismatches, 0);
}

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(programPath().empty()) << "set DOVRIN_EXE to the program to check";
        module_ = LoadLibraryExW(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "cannot load, error " << GetLastError();
    }

    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }

    std::vector<WORD> languages(LPCWSTR type, LPCWSTR name) const
    {
        std::vector<WORD> list;
        EnumResourceLanguagesW(module_, type, name, addLanguage, reinterpret_cast<LONG_PTR>(&list));
        return list;
    }

    std::span<const unsigned char> data(LPCWSTR type, LPCWSTR name, WORD language) const
    {
        HRSRC found = FindResourceExW(module_, type, name, language);
        if (!found)
            return {};
        auto bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module_, found)));
        return {bytes, SizeofResource(module_, found)};
    }

    HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, ManifestIsTheSourceFileInUSEnglish)
{
    EXPECT_EQ(languages(RT_MANIFEST, MAKEINTRESOURCEW(1)), std::vector<WORD>{kEnglishUS});

    auto manifest = data(RT_MANIFEST, MAKEINTRESOURCEW(1), kEnglishUS);
    ASSERT_EQ(manifest.size(), 549u);
    EXPECT_EQ(Bytes(manifest.begin(), manifest.end()), readFile(DOVRIN_MANIFEST));

    // One line of UTF-8 without a byte-order mark or terminator.
    EXPECT_EQ(std::string(manifest.begin(), manifest.begin() + 5), "<?xml");
    for (unsigned char c : {'\r', '\n', '\0'})
        EXPECT_EQ(std::count(manifest.begin(), manifest.end(), c), 0) << "byte " << int(c);
}

TEST_F(ProgramResources, MainIconHoldsEightUncompressedImagesWithAlphaAndMask)
{
    EXPECT_EQ(languages(RT_GROUP_ICON, L"MAINICON"), std::vector<WORD>{kRussian});

    auto group = data(RT_GROUP_ICON, L"MAINICON", kRussian);
    ASSERT_GE(group.size(), sizeof(GroupIconHeader));
    GroupIconHeader header;
    std::memcpy(&header, group.data(), sizeof header);
    EXPECT_EQ(header.type, 1);
    ASSERT_EQ(header.count, std::size(kIconSizes));
    ASSERT_EQ(group.size(), sizeof header + header.count * sizeof(GroupIconEntry));

    for (int i = 0; i < header.count; ++i) {
        const int size = kIconSizes[i];
        SCOPED_TRACE(testing::Message() << size << " px");
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
        EXPECT_EQ(entry.width, size);
        EXPECT_EQ(entry.height, size);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, 32);
        EXPECT_EQ(entry.id, i + 1);

        EXPECT_EQ(languages(RT_ICON, MAKEINTRESOURCEW(entry.id)), std::vector<WORD>{kRussian});
        auto image = data(RT_ICON, MAKEINTRESOURCEW(entry.id), kRussian);
        EXPECT_EQ(image.size(), entry.bytesInRes);
        expectIconImage(image, size);
    }
}

TEST_F(ProgramResources, NoVersionResource)
{
    int count = 0;
    EnumResourceNamesW(module_, RT_VERSION, countName, reinterpret_cast<LONG_PTR>(&count));
    EXPECT_EQ(count, 0);
}

// The DLLs the program's import table names, read from the file's PE headers.
class ImportTable {
public:
    explicit ImportTable(Bytes file) : file_(std::move(file))
    {
        const auto dos = at<IMAGE_DOS_HEADER>(0);
        const auto nt = at<IMAGE_NT_HEADERS32>(dos.e_lfanew);
        if (dos.e_magic != IMAGE_DOS_SIGNATURE || nt.Signature != IMAGE_NT_SIGNATURE ||
            nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
            throw std::runtime_error("not a PE32 image");
        const std::size_t sections =
            dos.e_lfanew + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
        for (int i = 0; i < nt.FileHeader.NumberOfSections; ++i)
            sections_.push_back(at<IMAGE_SECTION_HEADER>(sections + i * sizeof(IMAGE_SECTION_HEADER)));

        const auto& directories = nt.OptionalHeader.DataDirectory;
        delayImports_ = directories[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].Size != 0;
        const DWORD imports = directories[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (DWORD rva = imports; imports != 0; rva += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto descriptor = at<IMAGE_IMPORT_DESCRIPTOR>(offsetOf(rva));
            if (descriptor.Name == 0)
                break;
            dlls_.push_back(text(offsetOf(descriptor.Name)));
        }
    }

    const std::vector<std::string>& dlls() const { return dlls_; }
    bool hasDelayImports() const { return delayImports_; }

private:
    template <class T>
    T at(std::size_t offset) const
    {
        if (offset + sizeof(T) > file_.size())
            throw std::out_of_range("PE structure beyond the end of the file");
        T value;
        std::memcpy(&value, file_.data() + offset, sizeof value);
        return value;
    }

    std::string text(std::size_t offset) const
    {
        auto begin = file_.begin() + std::min(offset, file_.size());
        auto end = std::find(begin, file_.end(), '\0');
        if (end == file_.end())
            throw std::out_of_range("name runs past the end of the file");
        return std::string(begin, end);
    }

    std::size_t offsetOf(DWORD rva) const
    {
        for (const auto& s : sections_)
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
                return s.PointerToRawData + (rva - s.VirtualAddress);
        throw std::out_of_range("address outside every section");
    }

    Bytes file_;
    std::vector<IMAGE_SECTION_HEADER> sections_;
    std::vector<std::string> dlls_;
    bool delayImports_ = false;
};

TEST(ProgramImports, OnlySystemDlls)
{
    ASSERT_FALSE(programPath().empty()) << "set DOVRIN_EXE to the program to check";
    ImportTable table(readFile(programPath()));
    const std::set<std::string> system{"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",
                                       "imm32.dll",    "kernel32.dll", "msvcrt.dll",   "ole32.dll",
                                       "oleaut32.dll", "shell32.dll",  "shlwapi.dll",  "user32.dll",
                                       "uxtheme.dll",  "version.dll",  "winmm.dll"};
    EXPECT_FALSE(table.dlls().empty());
    for (std::string dll : table.dlls()) {
        std::transform(dll.begin(), dll.end(), dll.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_TRUE(system.count(dll)) << dll << " is not a system DLL";
    }
    EXPECT_FALSE(table.hasDelayImports());
}

}  // namespace
