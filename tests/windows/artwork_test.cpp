// The artwork as the program loads it: icons, About pictures and the clip,
// linked into this executable through resources/listora.rc as in the program.

#include "platform/win/win_handles.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <compare>
#include <ostream>
#include <set>

namespace {

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Close(Handle dc) { DeleteDC(dc); }
};
struct WindowDcTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Close(Handle dc) { ReleaseDC(WindowFromDC(dc), dc); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueWindowDc = UniqueHandle<WindowDcTraits>;

// A colour that none of the pictures uses.
constexpr COLORREF kPaper = RGB(0, 160, 120);

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

// A 32-bit top-down surface to draw on and read back.
class Surface {
public:
    Surface(int width, int height) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_pixels = static_cast<const DWORD*>(bits);
        m_dc.reset(CreateCompatibleDC(nullptr));
        m_previous = SelectObject(m_dc.get(), m_bitmap.get());
        UniqueGdiObject brush(CreateSolidBrush(kPaper));
        const RECT all{0, 0, width, height};
        FillRect(m_dc.get(), &all, static_cast<HBRUSH>(brush.get()));
    }
    ~Surface() { SelectObject(m_dc.get(), m_previous); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const { return m_dc.get(); }
    int width() const { return m_width; }
    int height() const { return m_height; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD p = m_pixels[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    void CopyFrom(HDC source) { BitBlt(m_dc.get(), 0, 0, m_width, m_height, source, 0, 0, SRCCOPY); }

private:
    int m_width;
    int m_height;
    const DWORD* m_pixels = nullptr;
    UniqueGdiObject m_bitmap;
    UniqueMemoryDc m_dc;
    HGDIOBJ m_previous = nullptr;
};

// Icon groups as the resource compiler stores them.
#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved, type, count;
};
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

struct ImageFormat {
    LONG width = 0, height = 0;
    WORD bits = 0;
    auto operator<=>(const ImageFormat&) const = default;
};
void PrintTo(const ImageFormat& format, std::ostream* out) {
    *out << format.width << "x" << format.height << " at " << format.bits << " bits";
}

const BYTE* ResourceBytes(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(Module(), name, type);
    return found ? static_cast<const BYTE*>(LockResource(LoadResource(Module(), found))) : nullptr;
}

// The format stored in the image itself, not what the group says about it.
ImageFormat IconImageFormat(int id) {
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(ResourceBytes(MAKEINTRESOURCEA(id), RT_ICON));
    return header ? ImageFormat{header->biWidth, header->biHeight / 2, header->biBitCount} : ImageFormat{};
}

TEST(ArtworkTest, ApplicationIconHoldsItsThreeImages) {
    const BYTE* group = ResourceBytes(MAKEINTRESOURCEA(128), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* header = reinterpret_cast<const GroupIconHeader*>(group);
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    std::set<ImageFormat> formats;
    for (WORD i = 0; i < header->count; ++i) formats.insert(IconImageFormat(entries[i].id));
    EXPECT_EQ(header->count, 3);
    EXPECT_EQ(formats, (std::set<ImageFormat>{{16, 16, 4}, {32, 32, 4}, {32, 32, 8}}));

    // On this true-colour display the system takes the small image for the
    // small size and the 256-colour image for the large one.
    const int small = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, 16, 16, LR_DEFAULTCOLOR);
    EXPECT_EQ(IconImageFormat(small), (ImageFormat{16, 16, 4}));
    const int large = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, 32, 32, LR_DEFAULTCOLOR);
    EXPECT_EQ(IconImageFormat(large), (ImageFormat{32, 32, 8}));
    for (int size : {16, 32}) {
        UniqueIcon icon(static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(128), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        EXPECT_TRUE(icon) << size;
    }
}

// The lists draw these unscaled at 32 x 32 on 16-pixel items: anything drawn
// outside the top-left 16 x 16 would cover the text or the next item.
TEST(ArtworkTest, ListIconsDrawOnlyInTheirTopLeftCorner) {
    for (int id : {131, 132}) {
        UniqueIcon icon(static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
        ASSERT_TRUE(icon) << id;
        Surface surface(32, 32);
        ASSERT_TRUE(DrawIconEx(surface.dc(), 0, 0, icon.get(), 32, 32, 0, nullptr, DI_NORMAL));
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (surface.At(x, y) != kPaper) ++(x < 16 && y < 16 ? inside : outside);
        EXPECT_EQ(outside, 0) << id;
        EXPECT_GT(inside, 16 * 16 / 3) << id;
    }
}

TEST(ArtworkTest, AboutPicturesAre256ColourBitmapsOfTheirSize) {
    const struct {
        int id;
        LONG width, height;
    } pictures[] = {{152, 352, 138}, {155, 352, 48}};
    for (const auto& picture : pictures) {
        UniqueGdiObject bitmap(LoadImageA(Module(), MAKEINTRESOURCEA(picture.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_TRUE(bitmap) << picture.id;
        BITMAP info{};
        ASSERT_EQ(GetObjectA(bitmap.get(), sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.bmWidth, picture.width) << picture.id;
        EXPECT_EQ(info.bmHeight, picture.height) << picture.id;
        EXPECT_EQ(info.bmBitsPixel, 8) << picture.id;
    }
}

// The About box opens the home page for clicks in its link area, (11,109) to
// (188,119) in dialog units; the lower picture covers (0,91) to (201,123) with
// 352 x 48 pixels. The visible link must lie inside that area, centred.
TEST(ArtworkTest, LinkTextLiesInTheLinkArea) {
    UniqueGdiObject bitmap(LoadImageA(Module(), MAKEINTRESOURCEA(155), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(bitmap);
    Surface strip(352, 48);
    {
        UniqueMemoryDc source(CreateCompatibleDC(nullptr));
        const HGDIOBJ previous = SelectObject(source.get(), bitmap.get());
        strip.CopyFrom(source.get());
        SelectObject(source.get(), previous);
    }
    const COLORREF background = strip.At(0, 0);
    RECT ink{strip.width(), strip.height(), -1, -1};
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            if (strip.At(x, y) != background) {
                ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                       std::max<LONG>(ink.bottom, y + 1)};
            }
    const double across = 352.0 / 201;
    const double down = 48.0 / 32;
    ASSERT_LT(ink.left, ink.right) << "the strip shows no link";
    EXPECT_GE(ink.left, 11 * across);
    EXPECT_LE(ink.right, 188 * across);
    EXPECT_GE(ink.top, (109 - 91) * down);
    EXPECT_LE(ink.bottom, (119 - 91) * down);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, (11 + 188) / 2.0 * across, 4);
}

LRESULT CALLBACK PaperWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The brush that the animation control fills its background with.
    if (message == WM_CTLCOLORSTATIC) return GetWindowLongPtrA(window, GWLP_USERDATA);
    return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The transfer dialog plays clip 139 in a transparent animation control: the
// clip must open from the resources, decode, and give way to the dialog's
// background wherever its own background shows.
TEST(ArtworkTest, ClipPlaysOverTheParentsBackground) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_ANIMATE_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    WNDCLASSA paperClass{};
    paperClass.lpfnWndProc = PaperWindowProc;
    paperClass.hInstance = Module();
    paperClass.lpszClassName = "ArtworkTestPaper";
    RegisterClassA(&paperClass);
    UniqueGdiObject paper(CreateSolidBrush(kPaper));
    UniqueWindow parent(CreateWindowExA(0, "ArtworkTestPaper", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 60, nullptr, nullptr,
                                        Module(), nullptr));
    ASSERT_TRUE(parent);
    SetWindowLongPtrA(parent.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(paper.get()));
    UniqueWindow animation(CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | ACS_TRANSPARENT | ACS_CENTER, 0, 0,
                                           260, 40, parent.get(), nullptr, Module(), nullptr));
    ASSERT_TRUE(animation);

    ASSERT_TRUE(SendMessageA(animation.get(), ACM_OPENA, reinterpret_cast<WPARAM>(Module()),
                             reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(139))));
    ASSERT_TRUE(SendMessageA(animation.get(), ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, -1)));
    PumpMessagesFor(500);

    Surface shot(260, 40);
    {
        UniqueWindowDc screen(GetDC(animation.get()));
        shot.CopyFrom(screen.get());
    }
    SendMessageA(animation.get(), ACM_STOP, 0, 0);
    int background = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) background += shot.At(x, y) == kPaper;
    EXPECT_EQ(shot.At(0, 0), kPaper);
    EXPECT_GT(background, shot.width() * shot.height() / 2) << "the clip's background was not taken as transparent";
    EXPECT_LT(background, shot.width() * shot.height()) << "no picture was drawn";
}
}  // namespace
