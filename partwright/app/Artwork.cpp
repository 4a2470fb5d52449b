#include "Artwork.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace pw::app {
namespace {

using Painter = std::function<void(HDC, int size)>;

// Paints on a 32-bit canvas of size x size pixels; magenta is transparent.
constexpr COLORREF kTransparent = RGB(255, 0, 255);

struct Canvas {
    HBITMAP colour = nullptr;
    HBITMAP mask = nullptr;
};

Canvas Paint(int size, const Painter& painter) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    Canvas canvas;
    canvas.colour = CreateCompatibleBitmap(screen, size, size);
    const HGDIOBJ old = SelectObject(dc, canvas.colour);
    const HBRUSH background = CreateSolidBrush(kTransparent);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, background);
    DeleteObject(background);
    painter(dc, size);

    // The mask: white where transparent, black where painted; painted pixels stay, others go black.
    canvas.mask = CreateBitmap(size, size, 1, 1, nullptr);
    const HDC maskDc = CreateCompatibleDC(screen);
    const HGDIOBJ oldMask = SelectObject(maskDc, canvas.mask);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool clear = GetPixel(dc, x, y) == kTransparent;
            SetPixel(maskDc, x, y, clear ? RGB(255, 255, 255) : RGB(0, 0, 0));
            if (clear) {
                SetPixel(dc, x, y, RGB(0, 0, 0));
            }
        }
    }
    SelectObject(maskDc, oldMask);
    DeleteDC(maskDc);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return canvas;
}

void Box(HDC dc, int left, int top, int side, COLORREF face) {
    const HBRUSH brush = CreateSolidBrush(face);
    const HPEN pen = CreatePen(PS_SOLID, 1, RGB(40, 40, 60));
    const HGDIOBJ oldBrush = SelectObject(dc, brush);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, left, top, left + side, top + side);
    MoveToEx(dc, left, top + side / 3, nullptr);
    LineTo(dc, left + side, top + side / 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void Question(HDC dc, int size) {
    const HFONT font = CreateFontW(-size * 3 / 4, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Arial");
    const HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(220, 0, 0));
    RECT area{size / 3, 0, size, size};
    DrawTextW(dc, L"?", 1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
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

HICON MakeIcon(int size, const Painter& painter, bool cursor, int hotX, int hotY) {
    const Canvas canvas = Paint(size, painter);
    ICONINFO info{};
    info.fIcon = cursor ? FALSE : TRUE;
    info.xHotspot = static_cast<DWORD>(hotX);
    info.yHotspot = static_cast<DWORD>(hotY);
    info.hbmColor = canvas.colour;
    info.hbmMask = canvas.mask;
    const HICON icon = CreateIconIndirect(&info);
    DeleteObject(canvas.colour);
    DeleteObject(canvas.mask);
    return icon;
}

} // namespace

HIMAGELIST MakeNodeImages() {
    const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 0);
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
        ImageList_Add(images, canvas.colour, canvas.mask);
        DeleteObject(canvas.colour);
        DeleteObject(canvas.mask);
    }
    return images;
}

HICON MakeWindowIcon(int size) {
    return MakeIcon(
        size,
        [](HDC dc, int side) {
            Stack(dc, side);
            // A parts list beside the stack.
            const HPEN pen = CreatePen(PS_SOLID, side >= 32 ? 2 : 1, RGB(30, 30, 30));
            const HGDIOBJ old = SelectObject(dc, pen);
            for (int line = 0; line < 3; ++line) {
                const int y = side / 8 + line * side / 8;
                MoveToEx(dc, side / 2, y, nullptr);
                LineTo(dc, side - 1, y);
            }
            SelectObject(dc, old);
            DeleteObject(pen);
        },
        false, 0, 0);
}

HCURSOR MakeEnvelopeCursor() {
    return MakeIcon(
        32,
        [](HDC dc, int) {
            const HBRUSH paper = CreateSolidBrush(RGB(255, 255, 240));
            const HGDIOBJ oldBrush = SelectObject(dc, paper);
            Rectangle(dc, 2, 8, 30, 26);
            MoveToEx(dc, 2, 8, nullptr);
            LineTo(dc, 16, 18);
            LineTo(dc, 30, 8);
            SelectObject(dc, oldBrush);
            DeleteObject(paper);
        },
        true, 2, 8);
}

HCURSOR MakeGlobeCursor() {
    return MakeIcon(
        32,
        [](HDC dc, int) {
            const HBRUSH sea = CreateSolidBrush(RGB(90, 150, 230));
            const HGDIOBJ oldBrush = SelectObject(dc, sea);
            Ellipse(dc, 2, 2, 30, 30);
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            Ellipse(dc, 9, 2, 23, 30);
            MoveToEx(dc, 2, 16, nullptr);
            LineTo(dc, 30, 16);
            MoveToEx(dc, 16, 2, nullptr);
            LineTo(dc, 16, 30);
            SelectObject(dc, oldBrush);
            DeleteObject(sea);
        },
        true, 16, 16);
}

} // namespace pw::app
