// A stored picture, a bitmap or a metafile as Inventor's thumbnails come, drawn to fit a square
// and encoded as PNG, then read back by the Windows Imaging Component's own PNG decoder.
#include "shared/thumbnail/PicturePng.h"

#include "shared/com/ComPtr.h"
#include "shared/core/Failure.h"

#include <olectl.h>
#include <wincodec.h>

#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace pw::thumbnail {
namespace {

com::ComPtr<IPictureDisp> PictureOwning(PICTDESC& description) {
    description.cbSizeofstruct = sizeof description;
    com::ComPtr<IPictureDisp> picture;
    EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, picture.put_void()),
              S_OK);
    return picture;
}

// A bitmap of `width` by `height` pixels, its left half `left` and its right half `right`.
com::ComPtr<IPictureDisp> Bitmap(int width, int height, COLORREF left, COLORREF right) {
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    for (const auto& [from, to, colour] :
         {std::tuple{0, width / 2, left}, std::tuple{width / 2, width, right}}) {
        const HBRUSH brush = CreateSolidBrush(colour);
        const RECT half{from, 0, to, height};
        FillRect(dc, &half, brush);
        DeleteObject(brush);
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    PICTDESC description{};
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    return PictureOwning(description);
}

// An enhanced metafile of a frame `frameWidth` by `frameHeight` hundredths of a millimetre,
// filled with `colour`.
com::ComPtr<IPictureDisp> Metafile(int frameWidth, int frameHeight, COLORREF colour) {
    const RECT frame{0, 0, frameWidth, frameHeight};
    const HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    const HBRUSH brush = CreateSolidBrush(colour);
    const RECT all{0, 0, 1000, 1000};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    PICTDESC description{};
    description.picType = PICTYPE_ENHMETAFILE;
    description.emf.hemf = CloseEnhMetaFile(dc);
    return PictureOwning(description);
}

struct Decoded {
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> pixels; // BGRA, row by row

    COLORREF At(UINT x, UINT y) const {
        const BYTE* pixel = &pixels[(y * width + x) * 4];
        return RGB(pixel[2], pixel[1], pixel[0]);
    }
};

Decoded DecodePng(const std::string& png) {
    com::ComPtr<IWICImagingFactory> factory;
    EXPECT_EQ(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IWICImagingFactory, factory.put_void()),
              S_OK);
    com::ComPtr<IWICStream> stream;
    factory->CreateStream(stream.put());
    stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(png.data())),
                                 static_cast<DWORD>(png.size()));
    com::ComPtr<IWICBitmapDecoder> decoder;
    EXPECT_EQ(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.put()), S_OK);
    EXPECT_EQ(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand), S_OK);
    com::ComPtr<IWICBitmapFrameDecode> frame;
    EXPECT_EQ(decoder->GetFrame(0, frame.put()), S_OK);
    com::ComPtr<IWICFormatConverter> converter;
    factory->CreateFormatConverter(converter.put());
    converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                          nullptr, 0, WICBitmapPaletteTypeCustom);
    Decoded decoded;
    frame->GetSize(&decoded.width, &decoded.height);
    decoded.pixels.resize(decoded.width * decoded.height * 4);
    EXPECT_EQ(converter->CopyPixels(nullptr, decoded.width * 4,
                                    static_cast<UINT>(decoded.pixels.size()),
                                    decoded.pixels.data()),
              S_OK);
    return decoded;
}

bool Near(COLORREF got, COLORREF expected) {
    return std::abs(GetRValue(got) - GetRValue(expected)) <= 8 &&
           std::abs(GetGValue(got) - GetGValue(expected)) <= 8 &&
           std::abs(GetBValue(got) - GetBValue(expected)) <= 8;
}

constexpr COLORREF kRed = RGB(200, 30, 30);
constexpr COLORREF kGreen = RGB(40, 160, 80);
constexpr COLORREF kBlue = RGB(30, 60, 200);

TEST(PicturePng, ABitmapIsScaledToFitItsShapeKeptAndReadsBackAsDrawn) {
    const PngImage wide = PngEncoder().Encode(Bitmap(240, 120, kRed, kGreen).get(), 72);
    EXPECT_EQ(wide.bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(wide.width, 72);
    EXPECT_EQ(wide.height, 36);
    const Decoded decoded = DecodePng(wide.bytes);
    ASSERT_EQ(decoded.width, 72u);
    ASSERT_EQ(decoded.height, 36u);
    // Left stays left and top stays top: the picture is neither mirrored nor upside down.
    EXPECT_TRUE(Near(decoded.At(10, 5), kRed));
    EXPECT_TRUE(Near(decoded.At(60, 30), kGreen));

    // Rows of a width that is no multiple of four pixels keep their place to the last.
    const PngImage odd = PngEncoder().Encode(Bitmap(98, 100, kRed, kGreen).get(), 72);
    ASSERT_EQ(odd.width, 71);
    const Decoded oddDecoded = DecodePng(odd.bytes);
    EXPECT_TRUE(Near(oddDecoded.At(5, 71), kRed));
    EXPECT_TRUE(Near(oddDecoded.At(31, 71), kRed));
    EXPECT_TRUE(Near(oddDecoded.At(40, 71), kGreen));
    EXPECT_TRUE(Near(oddDecoded.At(70, 71), kGreen));

    // A small picture is drawn larger, to the same square.
    const PngImage tall = PngEncoder().Encode(Bitmap(30, 60, kBlue, kBlue).get(), 72);
    EXPECT_EQ(tall.width, 36);
    EXPECT_EQ(tall.height, 72);
    EXPECT_TRUE(Near(DecodePng(tall.bytes).At(18, 36), kBlue));
}

TEST(PicturePng, AMetafileIsDrawnToItsFramesShape) {
    // A frame of 40 by 20 mm.
    const PngImage drawn = PngEncoder().Encode(Metafile(4000, 2000, kBlue).get(), 72);
    EXPECT_EQ(drawn.width, 72);
    EXPECT_EQ(drawn.height, 36);
    EXPECT_TRUE(Near(DecodePng(drawn.bytes).At(36, 18), kBlue));
}

TEST(PicturePng, NoPictureIsAFailureThatSaysSo) {
    try {
        PngEncoder().Encode(nullptr, 72);
        FAIL() << "no picture was encoded";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "The thumbnail is no picture.");
    }
}

} // namespace
} // namespace pw::thumbnail
