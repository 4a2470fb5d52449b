#include "Artwork.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace pw::app {
namespace {

using window::SelectedObject;
using window::UniqueBitmap;
using window::UniqueBrush;
using window::UniqueFont;
using window::UniqueIcon;
using window::UniquePen;

using Painter = std::function<void(HDC, int size)>;

// Paints on a 32-bit canvas of size x size pixels; magenta is transparent.
constexpr COLORREF kTransparent = RGB(255, 0, 255);

struct Canvas {
    UniqueBitmap colour;
    UniqueBitmap mask;
};

Canvas Paint(int size, const Painter& painter) {
    const window::ScreenDc screen;
    const window::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    Canvas canvas;
    canvas.colour.reset(CreateCompatibleBitmap(screen.get(), size, size));
    const SelectedObject paintOn(dc.get(), canvas.colour.get());
    const RECT all{0, 0, size, size};
    FillRect(dc.get(), &all, UniqueBrush(CreateSolidBrush(kTransparent)).get());
    painter(dc.get(), size);

    // The mask: white where transparent, black where painted; painted pixels stay, others go black.
    canvas.mask.reset(CreateBitmap(size, size, 1, 1, nullptr));
    const window::UniqueMemoryDc maskDc(CreateCompatibleDC(screen.get()));
    const SelectedObject maskOn(maskDc.get(), canvas.mask.get());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool clear = GetPixel(dc.get(), x, y) == kTransparent;
            SetPixel(maskDc.get(), x, y, clear ? RGB(255, 255, 255) : RGB(0, 0, 0));
            if (clear) {
                SetPixel(dc.get(), x, y, RGB(0, 0, 0));
            }
        }
    }
    return canvas;
}

void Box(HDC dc, int left, int top, int side, COLORREF face) {
    const UniqueBrush brush(CreateSolidBrush(face));
    const UniquePen pen(CreatePen(PS_SOLID, 1, RGB(40, 40, 60)));
    const SelectedObject withBrush(dc, brush.get());
    const SelectedObject withPen(dc, pen.get());
    Rectangle(dc, left, top, left + side, top + side);
    MoveToEx(dc, left, top + side / 3, nullptr);
    LineTo(dc, left + side, top + side / 3);
}

void Question(HDC dc, int size) {
    const UniqueFont font(CreateFontW(-size * 3 / 4, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                      DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Arial"));
    const SelectedObject withFont(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(220, 0, 0));
    RECT area{size / 3, 0, size, size};
    DrawTextW(dc, L"?", 1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void Stack(HDC dc, int size) {
    const int side = size / 2;
    Box(dc, 0, size - side - 1, side, RGB(120, 160, 220));
    Box(dc, side - 1, size - side - 1, side, RGB(120, 160, 220));
    Box(dc, side / 2, size - 2 * side + 1, side, RGB(160, 200, 250));
}

void Single(HDC dc, int size) {
    Box(dc, size / 6, size / 6, size * 2 / 3, RGB(170, 190, 150));
}

UniqueIcon MakeIcon(int size, const Painter& painter, bool cursor, int hotX, int hotY) {
    const Canvas canvas = Paint(size, painter);
    ICONINFO info{};
    info.fIcon = cursor ? FALSE : TRUE;
    info.xHotspot = static_cast<DWORD>(hotX);
    info.yHotspot = static_cast<DWORD>(hotY);
    info.hbmColor = canvas.colour.get();
    info.hbmMask = canvas.mask.get();
    return UniqueIcon(CreateIconIndirect(&info));
}

} // namespace

UniqueImageList MakeNodeImages() {
    UniqueImageList images(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 0));
    const Painter pictures[] = {
        Stack,
        [](HDC dc, int size) {
            Stack(dc, size);
            Question(dc, size);
        },
        Single,
        [](HDC dc, int size) {
            Single(dc, size);
            Question(dc, size);
        },
    };
    for (const Painter& picture : pictures) {
        const Canvas canvas = Paint(16, picture);
        ImageList_Add(images.get(), canvas.colour.get(), canvas.mask.get());
    }
    return images;
}

UniqueIcon MakeEnvelopeCursor() {
    return MakeIcon(
        32,
        [](HDC dc, int) {
            const UniqueBrush paper(CreateSolidBrush(RGB(255, 255, 240)));
            const SelectedObject withBrush(dc, paper.get());
            Rectangle(dc, 2, 8, 30, 26);
            MoveToEx(dc, 2, 8, nullptr);
            LineTo(dc, 16, 18);
            LineTo(dc, 30, 8);
        },
        true, 2, 8);
}

UniqueIcon MakeGlobeCursor() {
    return MakeIcon(
        32,
        [](HDC dc, int) {
            const UniqueBrush sea(CreateSolidBrush(RGB(90, 150, 230)));
            const SelectedObject withBrush(dc, sea.get());
            Ellipse(dc, 2, 2, 30, 30);
            const SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
            Ellipse(dc, 9, 2, 23, 30);
            MoveToEx(dc, 2, 16, nullptr);
            LineTo(dc, 30, 16);
            MoveToEx(dc, 16, 2, nullptr);
            LineTo(dc, 16, 30);
        },
        true, 16, 16);
}

} // namespace pw::app
