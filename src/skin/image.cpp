#include "image.h"

#include <wincodec.h>

#include <cstdint>
#include <cstring>

// Exported by the imaging library since its first version; not declared in the headers.
extern "C" HRESULT WINAPI WICCreateImagingFactory_Proxy(UINT sdkVersion, IWICImagingFactory** factory);

namespace {

// The size a PNG file declares in its header, read before anything is decoded; false
// for a file that is not a PNG.
bool PngHeaderSize(const wchar_t* path, std::uint32_t& width, std::uint32_t& height) {
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    unsigned char header[24] = {};
    DWORD read = 0;
    const BOOL ok = ::ReadFile(file, header, sizeof(header), &read, nullptr);
    ::CloseHandle(file);
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!ok || read != sizeof(header) || std::memcmp(header, kSignature, 8) != 0 ||
        std::memcmp(header + 12, "IHDR", 4) != 0) {
        return false;
    }
    auto big = [&](int at) {
        return (std::uint32_t(header[at]) << 24) | (std::uint32_t(header[at + 1]) << 16) |
               (std::uint32_t(header[at + 2]) << 8) | header[at + 3];
    };
    width = big(16);
    height = big(20);
    return true;
}

// The imaging factory, made once. The proxy entry needs no COM apartment, so loading
// pictures leaves the thread's apartment to whoever initialises it later.
IWICImagingFactory* ImagingFactory() {
    static IWICImagingFactory* const factory = [] {
        IWICImagingFactory* made = nullptr;
        if (FAILED(WICCreateImagingFactory_Proxy(WINCODEC_SDK_VERSION, &made))) made = nullptr;
        return made;
    }();
    return factory;
}

// Releases a COM interface at the end of the scope.
template <class T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};

}  // namespace

HBITMAP LoadSkinBitmap(const wchar_t* path, int* width, int* height) {
    if (width) *width = 0;
    if (height) *height = 0;
    std::uint32_t declaredWidth = 0, declaredHeight = 0;
    if (!path || !PngHeaderSize(path, declaredWidth, declaredHeight)) return nullptr;
    if (declaredWidth == 0 || declaredHeight == 0 || declaredWidth > kMaxImageSide || declaredHeight > kMaxImageSide) {
        return nullptr;
    }
    IWICImagingFactory* factory = ImagingFactory();
    if (!factory) return nullptr;
    Released<IWICBitmapDecoder> decoder;
    Released<IWICBitmapFrameDecode> frame;
    Released<IWICFormatConverter> converter;
    UINT w = 0, h = 0;
    if (FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder.p)) ||
        FAILED(decoder.p->GetFrame(0, &frame.p)) || FAILED(frame.p->GetSize(&w, &h)) || w == 0 || h == 0 ||
        w > kMaxImageSide || h > kMaxImageSide || FAILED(factory->CreateFormatConverter(&converter.p)) ||
        FAILED(converter.p->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                       WICBitmapPaletteTypeCustom))) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(w);
    info.bmiHeader.biHeight = -static_cast<LONG>(h);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    const UINT stride = w * 4;
    if (FAILED(converter.p->CopyPixels(nullptr, stride, stride * h, static_cast<BYTE*>(bits)))) {
        ::DeleteObject(bitmap);
        return nullptr;
    }
    // Compose every pixel over the key colour: premultiplied colour plus the key's share.
    const unsigned keyBlue = GetBValue(kKeyColour), keyGreen = GetGValue(kKeyColour), keyRed = GetRValue(kKeyColour);
    auto* pixel = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0, n = static_cast<std::size_t>(w) * h; i < n; ++i) {
        const std::uint32_t p = pixel[i];
        const unsigned rest = 255 - (p >> 24);
        auto blend = [rest](unsigned colour, unsigned key) { return colour + (key * rest + 127) / 255; };
        pixel[i] = 0xFF000000u | (blend((p >> 16) & 0xFF, keyRed) << 16) | (blend((p >> 8) & 0xFF, keyGreen) << 8) |
                   blend(p & 0xFF, keyBlue);
    }
    ::GdiFlush();
    if (width) *width = static_cast<int>(w);
    if (height) *height = static_cast<int>(h);
    return bitmap;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}
