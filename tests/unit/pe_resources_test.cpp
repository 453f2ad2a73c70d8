// Checks the built Windows programs from the outside: headers, imports and every resource.
// Build the win32 and win64 presets first; a missing program skips its cases. The program in the
// download is read out of the zip that scripts/package.sh makes, and is never skipped.
#include "app/dpi_scale.h"
#include "button_pictures.h"
#include "pe_reader.h"
#include "resources/resource_ids.h"
#include "zip_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <string_view>

namespace tintora {
namespace {

constexpr std::uint16_t kRtBitmap = 2;
constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtDialog = 5;
constexpr std::uint16_t kRtGroupIcon = 14;
constexpr std::uint16_t kRtVersion = 16;
constexpr std::uint16_t kRtManifest = 24;
constexpr std::uint16_t kManifestId = 1;
constexpr std::uint16_t kVersionId = 1;
constexpr std::uint16_t kSubsystemWindowsGui = 2;

struct Build {
    const char* name;
    const char* file;  // below the source folder: the program, or the zip that holds it
    std::uint16_t machine;
    bool pe32Plus;
    const char* arch;
    const char* otherArch;
    bool packaged;
};

constexpr char kPackagedExe[] = "tintora.exe";
constexpr Build kBuilds[] = {
    {"win32", "build/win32/tintora.exe", 0x14C, false, "x86", "amd64", false},
    {"win64", "build/win64/tintora.exe", 0x8664, true, "amd64", "x86", false},
    {"packaged", TINTORA_PACKAGE, 0x14C, false, "x86", "amd64", true},
};

void PrintTo(const Build& build, std::ostream* out) { *out << build.name; }

std::vector<zip::File> PackagedFiles() {
    const auto archive = pe::ReadFile(std::filesystem::path(TINTORA_SOURCE_DIR) / TINTORA_PACKAGE);
    return zip::ReadAll(archive).value_or(std::vector<zip::File>{});
}

std::vector<std::uint8_t> PackagedProgram() {
    for (zip::File& file : PackagedFiles()) {
        if (file.name == kPackagedExe) return std::move(file.data);
    }
    return {};
}

class BuiltProgram : public ::testing::TestWithParam<Build> {
protected:
    void SetUp() override {
        const Build& build = GetParam();
        auto bytes = build.packaged ? PackagedProgram()
                                    : pe::ReadFile(std::filesystem::path(TINTORA_SOURCE_DIR) / build.file);
        if (bytes.empty() && build.packaged) FAIL() << "no " << kPackagedExe << " in " << build.file << ": run scripts/package.sh";
        if (bytes.empty()) GTEST_SKIP() << build.file << " is not built";
        image_.emplace(std::move(bytes));
        ASSERT_EQ(image_->error(), "");
    }

    pe::Bytes Resource(std::uint16_t type, std::uint16_t id) {
        const auto data = image_->resource(type, id);
        EXPECT_TRUE(data) << "no resource type " << type << " id " << id;
        return data.value_or(pe::Bytes{});
    }

    std::optional<pe::Image> image_;
};

INSTANTIATE_TEST_SUITE_P(Builds, BuiltProgram, ::testing::ValuesIn(kBuilds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(BuiltProgram, IsAGuiProgramForItsArchitecture) {
    EXPECT_EQ(image_->machine(), GetParam().machine);
    EXPECT_EQ(image_->pe32Plus(), GetParam().pe32Plus);
    EXPECT_EQ(image_->subsystem(), kSubsystemWindowsGui);
}

TEST_P(BuiltProgram, ImportsOnlySystemDllsAndWhatWindows7Has) {
    // Static linking must leave no compiler run-time DLL behind.
    static const std::array<std::string, 10> kSystemDlls = {
        "kernel32.dll", "user32.dll",   "gdi32.dll",  "comctl32.dll", "comdlg32.dll",
        "shell32.dll",  "advapi32.dll", "msvcrt.dll", "ole32.dll",    "shlwapi.dll",
    };
    constexpr char kForwarderPrefix[] = "api-ms-win-";
    // Functions Windows 7 lacks: imported directly, any one of them stops the program from
    // starting there, so the program looks them up when it runs.
    static const std::array<std::string_view, 16> kNewerFunctions = {
        "GetDpiForWindow", "SetDialogDpiChangeBehavior", "GetDpiForMonitor", "SetThreadDpiAwarenessContext",
        "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi", "EnableNonClientDpiScaling",
        "SetProcessDpiAwarenessContext", "SetProcessDpiAwareness", "GetDpiForSystem", "SystemParametersInfoForDpi",
        "GetWindowDpiAwarenessContext", "GetAwarenessFromDpiAwarenessContext", "GetSystemTimePreciseAsFileTime",
        "CreateFile2", "CopyFile2",
    };
    constexpr std::string_view kRunTimeLookUp = "GetProcAddress";
    const auto imports = image_->imports();
    ASSERT_TRUE(imports) << "import table unreadable";
    EXPECT_FALSE(imports->empty());
    bool looksUp = false;
    for (const auto& [name, functions] : *imports) {
        std::string dll = name;
        std::transform(dll.begin(), dll.end(), dll.begin(), [](unsigned char c) { return std::tolower(c); });
        const bool system = std::find(kSystemDlls.begin(), kSystemDlls.end(), dll) != kSystemDlls.end() ||
                            dll.starts_with(kForwarderPrefix);
        EXPECT_TRUE(system) << dll;
        for (const std::string& function : functions) {
            EXPECT_EQ(std::count(kNewerFunctions.begin(), kNewerFunctions.end(), function), 0) << dll << "!" << function;
            looksUp = looksUp || function == kRunTimeLookUp;
        }
    }
    EXPECT_TRUE(looksUp) << "no " << kRunTimeLookUp << " among the imported functions";
}

// Window and control styles, as the Windows headers define them.
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kDsSysModal = 0x02;
constexpr std::uint32_t kDsSetFont = 0x40;
constexpr std::uint32_t kDsCenter = 0x800;
constexpr std::uint32_t kSsBitmap = 0x0E;
constexpr std::uint32_t kSsEtchedHorz = 0x10;
constexpr std::uint32_t kSsNotify = 0x100;
constexpr std::uint16_t kStaticClassAtom = 0x0082;
constexpr char kStaticClassName[] = "static";

bool IsStaticClass(const pe::NameOrOrdinal& windowClass) {
    if (const auto* atom = std::get_if<std::uint16_t>(&windowClass)) return *atom == kStaticClassAtom;
    std::string name = std::get<std::string>(windowClass);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name == kStaticClassName;
}

TEST_P(BuiltProgram, MainDialogMatchesItsTemplate) {
    constexpr std::uint32_t kCaptionless = 0x80800842;  // no caption bar, though the template has a text
    constexpr std::string_view kTitleStart = "Tintora 1.6 - ";  // then the makers' credit
    static_assert((kWsPopup | kWsBorder | kDsSysModal | kDsCenter | kDsSetFont) == kCaptionless);
    const auto dialog = pe::DecodeDialog(Resource(kRtDialog, IDD_MAIN));
    ASSERT_TRUE(dialog) << "dialog template unreadable";
    EXPECT_EQ(dialog->style, kCaptionless);
    EXPECT_EQ(dialog->exStyle, 0u);
    EXPECT_EQ((std::array{dialog->x, dialog->y, dialog->cx, dialog->cy}), (std::array<std::int16_t, 4>{0, 0, 148, 74}));
    EXPECT_EQ(dialog->menu, pe::NameOrOrdinal(std::string()));
    EXPECT_EQ(dialog->windowClass, pe::NameOrOrdinal(std::string()));
    EXPECT_TRUE(dialog->title.starts_with(kTitleStart) && dialog->title.size() > kTitleStart.size())
        << dialog->title;
    EXPECT_EQ(dialog->fontSize, 8);
    EXPECT_EQ(dialog->fontName, "MS Sans Serif");

    constexpr std::uint32_t kPlain = kWsChild | kWsVisible;
    constexpr std::uint32_t kFramed = kPlain | kWsBorder;
    constexpr std::uint32_t kButton = kPlain | kSsBitmap | kSsNotify;
    constexpr std::uint32_t kMemo = kFramed | kSsNotify;
    constexpr std::uint16_t kNoId = 0xFFFF;
    const std::string none;
    const struct {
        std::uint16_t id;
        pe::NameOrOrdinal text;
        std::uint32_t style;
        std::array<std::int16_t, 4> rect;
    } expected[] = {
        {IDC_PREVIEW, none, kFramed, {5, 4, 37, 41}},
        {IDC_INFO, none, kPlain, {47, 3, 87, 46}},
        {IDC_ZOOM_VIEW, none, kFramed, {148, 4, 66, 66}},
        {IDC_EXIT, std::uint16_t{IDB_EXIT}, kButton, {135, 3, 13, 13}},
        {IDC_HIDE, std::uint16_t{IDB_TRAY}, kButton, {135, 12, 13, 13}},
        {IDC_OPTIONS, std::uint16_t{IDB_OPTIONS}, kButton, {135, 21, 13, 13}},
        {IDC_ZOOM, std::uint16_t{IDB_MAGNIFIER}, kButton, {135, 30, 13, 13}},
        {IDC_ABOUT, std::uint16_t{IDB_ABOUT}, kButton, {135, 39, 13, 13}},
        {kNoId, none, kPlain | kSsEtchedHorz, {3, 49, 144, 1}},
        {IDC_MEMO_FIRST + 0, std::string(" 1 "), kMemo, {5, 53, 19, 17}},
        {IDC_MEMO_FIRST + 1, std::string(" 2 "), kMemo, {29, 53, 19, 17}},
        {IDC_MEMO_FIRST + 2, std::string(" 3 "), kMemo, {53, 53, 19, 17}},
        {IDC_MEMO_FIRST + 3, std::string(" 4 "), kMemo, {77, 53, 19, 17}},
        {IDC_MEMO_FIRST + 4, std::string(" 5 "), kMemo, {101, 53, 19, 17}},
        {IDC_MEMO_LAST, std::string(" 6 "), kMemo, {125, 53, 19, 17}},
    };
    ASSERT_EQ(dialog->items.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const pe::DialogItem& item = dialog->items[i];
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(item.id, expected[i].id);
        EXPECT_TRUE(IsStaticClass(item.windowClass));
        EXPECT_EQ(item.text, expected[i].text);
        EXPECT_EQ(item.style, expected[i].style);
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ((std::array{item.x, item.y, item.cx, item.cy}), expected[i].rect);
    }
}

// The options dialog's styles, beyond those of the main window.
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsDisabled = 0x08000000;
constexpr std::uint32_t kWsVScroll = 0x00200000;
constexpr std::uint32_t kWsTabStop = 0x00010000;
constexpr std::uint32_t kDsModalFrame = 0x80;
constexpr std::uint32_t kBsPushButton = 0x0, kBsDefPushButton = 0x1, kBsAutoCheckBox = 0x3, kBsGroupBox = 0x7;
constexpr std::uint32_t kBsFlat = 0x8000;
constexpr std::uint32_t kEsAutoHScroll = 0x80, kEsReadOnly = 0x800;
constexpr std::uint32_t kCbsDropDown = 0x2, kCbsAutoHScroll = 0x40, kCbsNoIntegralHeight = 0x400;
constexpr std::uint32_t kUdsSetBuddyInt = 0x2, kUdsAlignRight = 0x4, kUdsAutoBuddy = 0x10, kUdsArrowKeys = 0x20,
                        kUdsNoThousands = 0x80;
constexpr std::uint16_t kButtonClassAtom = 0x0080, kEditClassAtom = 0x0081, kComboBoxClassAtom = 0x0085;
constexpr std::uint16_t kSave = 1, kCancel = 2;

std::string Lower(const pe::NameOrOrdinal& name) {
    if (!std::holds_alternative<std::string>(name)) return {};
    std::string text = std::get<std::string>(name);
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

TEST_P(BuiltProgram, OptionsDialogMatchesItsTemplate) {
    const auto dialog = pe::DecodeDialog(Resource(kRtDialog, IDD_OPTIONS));
    ASSERT_TRUE(dialog) << "dialog template unreadable";
    EXPECT_EQ(dialog->style, kDsSysModal | kDsModalFrame | kDsCenter | kDsSetFont | kWsPopup | kWsCaption | kWsSysMenu);
    EXPECT_EQ(dialog->exStyle, 0u);  // the modal frame comes from the style
    EXPECT_EQ((std::array{dialog->x, dialog->y, dialog->cx, dialog->cy}), (std::array<std::int16_t, 4>{0, 0, 208, 123}));
    EXPECT_EQ(dialog->menu, pe::NameOrOrdinal(std::string()));
    EXPECT_EQ(dialog->windowClass, pe::NameOrOrdinal(std::string()));
    EXPECT_EQ(dialog->title, "Tintora - Options");
    EXPECT_EQ(dialog->fontSize, 8);
    EXPECT_EQ(dialog->fontName, "Arial");

    constexpr std::uint32_t kPlain = kWsChild | kWsVisible;
    constexpr std::uint32_t kField = kPlain | kWsBorder | kWsTabStop | kEsReadOnly | kEsAutoHScroll;
    constexpr std::uint32_t kSpin =
        kPlain | kUdsAutoBuddy | kUdsAlignRight | kUdsSetBuddyInt | kUdsArrowKeys | kUdsNoThousands;
    constexpr std::uint32_t kBox = kPlain | kBsAutoCheckBox | kBsFlat;
    constexpr std::uint32_t kLine = kPlain | kWsDisabled | kSsEtchedHorz;
    constexpr std::uint16_t kNoId = 0xFFFF;
    const pe::NameOrOrdinal button = kButtonClassAtom, edit = kEditClassAtom, label = kStaticClassAtom;
    const pe::NameOrOrdinal combo = kComboBoxClassAtom;
    const pe::NameOrOrdinal spin = std::string("msctls_updown32"), hotkey = std::string("msctls_hotkey32");
    const std::string none;
    const struct {
        std::uint16_t id;
        const pe::NameOrOrdinal& windowClass;
        std::string text;
        std::uint32_t style;
        std::array<std::int16_t, 4> rect;
    } expected[] = {
        {kSave, button, "Save", kPlain | kBsDefPushButton | kWsTabStop, {58, 105, 45, 16}},
        {kNoId, button, none, kPlain | kBsGroupBox, {2, -2, 203, 104}},
        {kNoId, label, "Zoom rate:", kPlain, {6, 8, 48, 12}},
        {IDC_OPT_ZOOM_RATE, edit, none, kField, {50, 6, 32, 13}},
        {IDC_OPT_ZOOM_RATE_SPIN, spin, none, kSpin, {0, 0, 0, 0}},
        {kNoId, label, "String format:", kPlain, {90, 9, 48, 12}},
        {IDC_OPT_FORMAT, combo, none,
         kPlain | kCbsDropDown | kCbsAutoHScroll | kCbsNoIntegralHeight | kWsVScroll | kWsBorder | kWsTabStop,
         {137, 6, 64, 56}},
        {kNoId, label, "Update rate:", kPlain, {6, 23, 48, 12}},
        {IDC_OPT_UPDATE_RATE, edit, none, kField, {50, 21, 32, 13}},
        {IDC_OPT_UPDATE_RATE_SPIN, spin, none, kSpin, {0, 0, 0, 0}},
        {IDC_OPT_TRANSPARENT, button, "Capture transparent windows", kBox, {90, 20, 110, 12}},
        {kNoId, label, none, kLine, {5, 37, 199, 1}},
        {kNoId, label, "Hotkey for copying color:", kPlain, {5, 43, 100, 12}},
        {IDC_OPT_HOTKEY, hotkey, none, kPlain | kWsBorder, {90, 41, 82, 12}},
        {IDC_OPT_WIN, button, "Win", kBox, {175, 41, 25, 12}},
        {kNoId, label, none, kLine, {5, 56, 199, 1}},
        {IDC_OPT_USE_SHIFT, button, "Shift from cursor", kBox, {6, 60, 67, 12}},
        {IDC_OPT_SHIFT_X_LABEL, label, "ShiftX:", kPlain, {84, 62, 48, 12}},
        {IDC_OPT_SHIFT_X, edit, none, kField, {108, 60, 32, 13}},
        {IDC_OPT_SHIFT_X_SPIN, spin, none, kSpin, {0, 0, 0, 0}},
        {IDC_OPT_SHIFT_Y_LABEL, label, "ShiftY:", kPlain, {145, 62, 30, 12}},
        {IDC_OPT_SHIFT_Y, edit, none, kField, {169, 60, 32, 13}},
        {IDC_OPT_SHIFT_Y_SPIN, spin, none, kSpin, {0, 0, 0, 0}},
        {IDC_OPT_WEB_SAFE, button, "Automatically adjust to Web-Safe colors", kBox, {6, 74, 180, 12}},
        {kNoId, label, "Average:", kPlain, {6, 90, 48, 12}},
        {IDC_OPT_AVERAGE, edit, none, kField, {50, 88, 32, 13}},
        {IDC_OPT_AVERAGE_SPIN, spin, none, kSpin, {0, 0, 0, 0}},
        {IDC_OPT_CONTRAST, button, "Show contrast", kBox, {90, 89, 110, 12}},
        {kCancel, button, "Cancel", kPlain | kBsPushButton | kWsTabStop, {105, 105, 45, 16}},
    };
    ASSERT_EQ(dialog->items.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const pe::DialogItem& item = dialog->items[i];
        SCOPED_TRACE("control " + std::to_string(i) + " " + expected[i].text);
        EXPECT_EQ(item.id, expected[i].id);
        if (std::holds_alternative<std::string>(expected[i].windowClass)) {
            EXPECT_EQ(Lower(item.windowClass), Lower(expected[i].windowClass));  // the compiler may capitalise it
        } else {
            EXPECT_EQ(item.windowClass, expected[i].windowClass);
        }
        EXPECT_EQ(item.text, pe::NameOrOrdinal(expected[i].text));
        EXPECT_EQ(item.style, expected[i].style);
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ((std::array{item.x, item.y, item.cx, item.cy}), expected[i].rect);
    }
}

TEST_P(BuiltProgram, ButtonBitmapsHoldTheirPictures) {
    for (const auto& bitmap : kButtonPictures) {
        SCOPED_TRACE("bitmap " + std::to_string(bitmap.id));
        const auto rows = pe::DecodeMonoBitmap(Resource(kRtBitmap, bitmap.id));
        ASSERT_TRUE(rows) << "not a 1-bit bitmap";
        EXPECT_EQ(*rows, std::vector<std::string>(bitmap.rows.begin(), bitmap.rows.end()));
    }
}

TEST_P(BuiltProgram, ButtonBitmapsForEachScaleAreFramedPictures) {
    for (const auto& bitmap : kButtonPictures) {
        for (int scale = 1; scale < kButtonPictureCount; ++scale) {
            const int size = kButtonPictureSizes[scale];
            SCOPED_TRACE("bitmap " + std::to_string(bitmap.id) + " at " + std::to_string(size));
            const auto rows = pe::DecodeMonoBitmap(Resource(kRtBitmap, bitmap.id + scale * IDB_SIZE_STEP));
            ASSERT_TRUE(rows) << "not a 1-bit bitmap";
            ASSERT_EQ(rows->size(), static_cast<std::size_t>(size));
            EXPECT_EQ(rows->front(), std::string(size, '#'));
            EXPECT_EQ(rows->back(), std::string(size, '#'));
            for (const std::string& row : *rows) {
                ASSERT_EQ(row.size(), static_cast<std::size_t>(size));
                EXPECT_EQ(row.front(), '#');
                EXPECT_EQ(row.back(), '#');
            }
            // Something is drawn inside the frame, on white paper.
            const auto ink = std::count(rows->begin() + 2, rows->end() - 2, std::string(size, '#'));
            EXPECT_EQ(ink, 0);
            EXPECT_NE(std::count(rows->at(size / 2).begin(), rows->at(size / 2).end(), '.'), 0);
        }
    }
}

TEST_P(BuiltProgram, IconsHoldEverySizeTheScalesAskFor) {
    constexpr std::uint16_t kColourBits = 32;
    constexpr std::uint8_t kClear = 0;
    constexpr std::uint8_t kOpaque = 255;
    constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr std::uint8_t kPngRgba = 6;
    // What a display at 100 % loads is a plain DIB; the larger and in-between sizes are PNG.
    const struct {
        std::uint16_t group;
        std::vector<std::uint8_t> sizes;
        std::vector<std::uint8_t> dibSizes;
    } expected[] = {
        {IDI_APP, {16, 20, 24, 32, 40, 48, 64}, {16, 32}},
        {IDI_TRAY, {16, 20, 24, 32}, {16}},
    };
    for (const auto& group : expected) {
        SCOPED_TRACE("icon group " + std::to_string(group.group));
        const auto entries = pe::DecodeIconGroup(Resource(kRtGroupIcon, group.group));
        ASSERT_TRUE(entries) << "icon group unreadable";
        ASSERT_EQ(entries->size(), group.sizes.size());
        for (std::size_t i = 0; i < entries->size(); ++i) {
            const pe::IconGroupEntry& entry = (*entries)[i];
            const int size = group.sizes[i];
            SCOPED_TRACE("size " + std::to_string(size));
            EXPECT_EQ(entry.width, size);
            EXPECT_EQ(entry.height, size);
            EXPECT_EQ(entry.bitCount, kColourBits);
            const pe::Bytes data = Resource(kRtIcon, entry.iconId);
            if (std::count(group.dibSizes.begin(), group.dibSizes.end(), size) == 0) {
                // PNG: signature, then the header chunk's width, height, depth and RGBA type.
                ASSERT_GE(data.size(), 26u);
                EXPECT_TRUE(std::equal(std::begin(kPngSignature), std::end(kPngSignature), data.begin()));
                auto word = [&](std::size_t at) { return data[at] << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3]; };
                EXPECT_EQ(word(16), size);
                EXPECT_EQ(word(20), size);
                EXPECT_EQ(data[24], 8);
                EXPECT_EQ(data[25], kPngRgba);
                continue;
            }
            const auto image = pe::DecodeIconImage(data);
            ASSERT_TRUE(image) << "not a DIB icon image";
            EXPECT_EQ(image->width, size);
            EXPECT_EQ(image->height, 2 * size);  // colour and mask halves
            EXPECT_EQ(image->bitCount, kColourBits);
            EXPECT_EQ(image->compression, 0u);
            // Clear corners, an opaque body and soft edges between them.
            const auto& alpha = image->alpha;
            EXPECT_EQ(alpha.size(), std::size_t(size) * size);
            EXPECT_NE(std::count(alpha.begin(), alpha.end(), kClear), 0);
            EXPECT_NE(std::count(alpha.begin(), alpha.end(), kOpaque), 0);
            EXPECT_TRUE(std::any_of(alpha.begin(), alpha.end(), [](std::uint8_t a) { return a != kClear && a != kOpaque; }));
        }
    }
}

TEST_P(BuiltProgram, ManifestNamesItsArchitectureAndCommonControls) {
    const pe::Bytes data = Resource(kRtManifest, kManifestId);
    const std::string manifest(data.begin(), data.end());
    const std::string arch = std::string("processorArchitecture=\"") + GetParam().arch + '"';
    const std::string otherArch = std::string("processorArchitecture=\"") + GetParam().otherArch + '"';
    const struct {
        std::string text;
        bool present;
    } expected[] = {
        {"name=\"Tintora\"", true},
        {"version=\"1.6.0.0\"", true},
        {arch, true},
        {otherArch, false},
        {"name=\"Microsoft.Windows.Common-Controls\"", true},
        {"version=\"6.0.0.0\"", true},
        {"publicKeyToken=\"6595b64144ccf1df\"", true},
        {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>", true},
        {"<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>", true},
        // Without it Windows treats the program as a legacy one and redirects its writes.
        {"<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">", true},
        {"<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>", true},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(manifest.find(e.text) != std::string::npos, e.present) << e.text;
    }
}

TEST_P(BuiltProgram, VersionResourceNamesTheProgram) {
    constexpr std::uint64_t kVersion = 0x0001'0006'0000'0000;  // 1.6.0.0
    constexpr char kTable[] = "040904B0";
    constexpr std::uint32_t kUsEnglishUnicode = 0x04B0'0409;
    const auto info = pe::DecodeVersion(Resource(kRtVersion, kVersionId));
    ASSERT_TRUE(info) << "version resource unreadable";
    EXPECT_EQ(info->fileVersion, kVersion);
    EXPECT_EQ(info->productVersion, kVersion);
    EXPECT_EQ(info->translations, std::vector<std::uint32_t>{kUsEnglishUnicode});
    const std::map<std::string, std::string> expected = {
        {"CompanyName", "Tintora developers"},
        {"FileDescription", "Tintora"},
        {"FileVersion", "1.6.0.0"},
        {"InternalName", "Tintora"},
        {"LegalCopyright", "Copyright (C) 2026 Tintora developers"},
        {"OriginalFilename", "tintora.exe"},
        {"ProductName", "Tintora"},
        {"ProductVersion", "1.6.0.0"},
    };
    ASSERT_EQ(info->strings.count(kTable), 1u);
    EXPECT_EQ(info->strings.at(kTable), expected);
}

// The download holds the program and, as text a Windows editor shows, the readme and licence.
TEST(Package, HoldsTheProgramReadmeAndLicence) {
    const auto files = PackagedFiles();
    std::vector<std::string> names;
    for (const zip::File& file : files) {
        names.push_back(file.name);
        if (file.name == kPackagedExe) continue;
        const std::string text(file.data.begin(), file.data.end());
        EXPECT_FALSE(text.empty()) << file.name;
        for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
            ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << file.name << ": a line ends without CR at " << at;
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{"LICENSE", "README.txt", kPackagedExe}));
}

// The reader itself: a damaged program must end in a refusal, not a crash or a hang.
TEST(PeReader, RefusesFilesWithoutValidHeaders) {
    std::vector<std::uint8_t> dosOnly(0x40, 0);
    dosOnly[0] = 'M';
    dosOnly[1] = 'Z';
    auto farHeader = dosOnly;
    farHeader[0x3C] = farHeader[0x3D] = farHeader[0x3E] = farHeader[0x3F] = 0xFF;
    auto badMagic = dosOnly;
    badMagic[0x3C] = 0x40;
    badMagic.resize(0x40 + 4 + 20 + 2, 0);
    badMagic[0x40] = 'P';
    badMagic[0x41] = 'E';
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* error;
    } cases[] = {
        {"empty", {}, "no DOS header"},
        {"text", {'h', 'e', 'l', 'l', 'o'}, "no DOS header"},
        {"DOS header only", dosOnly, "no PE signature"},
        {"PE header past the end", farHeader, "no PE signature"},
        {"unknown optional header", badMagic, "unknown optional header"},
    };
    for (const auto& c : cases) {
        const pe::Image image(c.bytes);
        EXPECT_EQ(image.error(), c.error) << c.name;
        EXPECT_FALSE(image.imports()) << c.name;
        EXPECT_FALSE(image.resource(kRtDialog, IDD_MAIN)) << c.name;
    }
}

TEST(PeReader, SurvivesEveryDamagedWordOfARealProgram) {
    const auto original = pe::ReadFile(std::filesystem::path(TINTORA_SOURCE_DIR) / kBuilds[0].file);
    if (original.empty()) GTEST_SKIP() << kBuilds[0].file << " is not built";
    constexpr std::uint8_t kDamage[] = {0x00, 0xFF};
    constexpr std::size_t kTruncations = 16;
    std::size_t refused = 0;
    auto readEverything = [&refused](const pe::Image& image) {
        refused += !image.error().empty();
        (void)image.imports();
        if (const auto d = image.resource(kRtDialog, IDD_MAIN)) (void)pe::DecodeDialog(*d);
        if (const auto v = image.resource(kRtVersion, kVersionId)) (void)pe::DecodeVersion(*v);
        for (std::uint16_t id = IDB_ABOUT; id <= IDB_OPTIONS; ++id) {
            if (const auto b = image.resource(kRtBitmap, id)) (void)pe::DecodeMonoBitmap(*b);
        }
        for (std::uint16_t id : {IDI_APP, IDI_TRAY}) {
            const auto group = image.resource(kRtGroupIcon, id);
            const auto entries = group ? pe::DecodeIconGroup(*group) : std::nullopt;
            for (const auto& e : entries.value_or(std::vector<pe::IconGroupEntry>{})) {
                if (const auto icon = image.resource(kRtIcon, e.iconId)) (void)pe::DecodeIconImage(*icon);
            }
        }
    };
    for (std::size_t at = 0; at + 4 <= original.size(); at += 4) {
        for (std::uint8_t value : kDamage) {
            auto damaged = original;
            std::fill_n(damaged.begin() + static_cast<std::ptrdiff_t>(at), 4, value);
            readEverything(pe::Image(std::move(damaged)));
        }
    }
    for (std::size_t i = 0; i < kTruncations; ++i) {
        readEverything(pe::Image(std::vector<std::uint8_t>(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(original.size() * i / kTruncations))));
    }
    // Damage to the headers must have been noticed somewhere.
    EXPECT_GT(refused, 0u);
}

}  // namespace
}  // namespace tintora
