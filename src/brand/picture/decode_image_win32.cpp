#include "brand/picture/decode_image.h"

#include <windows.h>

#include "brand/file_bytes.h"
#include "brand/file_problem.h"
#include "brand/picture/orientation.h"
#include "brand/system_text.h"
// The imaging library's class and interface identifiers, defined here (selectany).
#include <initguid.h>
#include <wincodec.h>

#include <cstddef>
#include <cstring>
#include <utility>

namespace {

// Larger pictures are refused before any pixel is decoded: no author's picture needs
// more, and the 600 x 397 result would not show the difference.
constexpr unsigned maxSide = 30000;
constexpr unsigned long long maxPixels = 50000000ULL;

template <typename T>
void release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

// COM for this thread while the picture is decoded; left as it was afterwards.
struct ComScope {
    bool started;
    ComScope() {
        HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        started = SUCCEEDED(hr);
    }
    ~ComScope() {
        if (started) CoUninitialize();
    }
};

// The decoding itself, all interfaces released by the caller's scope.
struct Decoding {
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    IWICColorTransform* inSrgb = nullptr;
    ~Decoding() {
        release(inSrgb);
        release(converter);
        release(frame);
        release(decoder);
        release(factory);
    }
};

// True when the file begins as a PNG, JPEG, BMP, GIF or TIFF file does: a file the
// imaging library then cannot place is damaged rather than of another kind.
bool beginsLikeAPicture(const char* path) {
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    unsigned char head[8] = {};
    DWORD got = 0;
    BOOL read = ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    if (!read) return false;
    struct Signature {
        const char* bytes;
        DWORD length;
    } const signatures[] = {
        {"\x89PNG\r\n\x1a\n", 8},
        {"\xff\xd8\xff", 3},
        {"BM", 2},
        {"GIF8", 4},
        {"II*\0", 4},
        {"MM\0*", 4},
    };
    for (const Signature& s : signatures) {
        if (got >= s.length && std::memcmp(head, s.bytes, s.length) == 0) return true;
    }
    return false;
}

bool fail(std::string& reason, const char* text) {
    reason = text;
    return false;
}

// The orientation tag of the picture (1 to 8), or 0 when it has none: read through the
// imaging library's metadata of a JPEG or TIFF frame, or, for a JPEG file whose Exif block
// the library does not read (Wine's reads none), from the file itself.
int orientationOf(IWICBitmapDecoder* decoder, IWICBitmapFrameDecode* frame, const char* path) {
    GUID container = {};
    if (FAILED(decoder->GetContainerFormat(&container))) return 0;
    const bool jpeg = container == GUID_ContainerFormatJpeg;
    if (!jpeg && container != GUID_ContainerFormatTiff) return 0;
    int orientation = 0;
    IWICMetadataQueryReader* reader = nullptr;
    if (SUCCEEDED(frame->GetMetadataQueryReader(&reader))) {
        PROPVARIANT value;
        PropVariantInit(&value);
        const wchar_t* query = jpeg ? L"/app1/ifd/{ushort=274}" : L"/ifd/{ushort=274}";
        if (SUCCEEDED(reader->GetMetadataByName(query, &value)) && value.vt == VT_UI2)
            orientation = value.uiVal;
        PropVariantClear(&value);
        release(reader);
    }
    Bytes file;
    if (orientation == 0 && jpeg && readFileBytes(path, file)) orientation = jpegOrientation(file);
    return orientation;
}

// Whether the frame's pixels are in a colour space other than RGB (CMYK or grey): a colour
// profile then describes the frame's own pixels, not the RGB ones converted from them.
bool cmykOrGrey(IWICBitmapFrameDecode* frame) {
    WICPixelFormatGUID format = {};
    if (FAILED(frame->GetPixelFormat(&format))) return false;
    const GUID* const others[] = {
        &GUID_WICPixelFormat32bppCMYK,      &GUID_WICPixelFormat64bppCMYK,
        &GUID_WICPixelFormat40bppCMYKAlpha, &GUID_WICPixelFormat80bppCMYKAlpha,
        &GUID_WICPixelFormatBlackWhite,     &GUID_WICPixelFormat2bppGray,
        &GUID_WICPixelFormat4bppGray,       &GUID_WICPixelFormat8bppGray,
        &GUID_WICPixelFormat16bppGray,      &GUID_WICPixelFormat32bppGrayFloat,
    };
    for (const GUID* other : others) {
        if (IsEqualGUID(format, *other)) return true;
    }
    return false;
}

// The frame's pixels as 32-bit BGRA with their colours converted to sRGB, when the frame
// carries a colour profile and the platform can convert it; null otherwise. The profile
// describes the pixels it is given: RGB frames give the BGRA of `pixels`, CMYK and grey
// frames their own pixels. Wine 8 takes the profile and gives the colours back as they are.
IWICColorTransform* inSrgb(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame,
                           IWICBitmapSource* pixels) {
    if (cmykOrGrey(frame)) pixels = frame;
    constexpr UINT most = 8;
    UINT count = 0;
    if (FAILED(frame->GetColorContexts(0, nullptr, &count)) || count == 0) return nullptr;
    if (count > most) count = most;
    IWICColorContext* contexts[most] = {};
    UINT created = 0;
    while (created < count && SUCCEEDED(factory->CreateColorContext(&contexts[created]))) ++created;
    UINT actual = 0;
    IWICColorContext* profile = nullptr;
    if (created == count && SUCCEEDED(frame->GetColorContexts(count, contexts, &actual))) {
        for (UINT i = 0; i < count && i < actual && profile == nullptr; ++i) {
            WICColorContextType type = WICColorContextUninitialized;
            if (SUCCEEDED(contexts[i]->GetType(&type)) && type == WICColorContextProfile)
                profile = contexts[i];
        }
    }
    IWICColorContext* srgb = nullptr;
    IWICColorTransform* transform = nullptr;
    constexpr UINT exifSrgb = 1;  // the Exif colour space number of sRGB
    if (profile != nullptr && SUCCEEDED(factory->CreateColorContext(&srgb)) &&
        SUCCEEDED(srgb->InitializeFromExifColorSpace(exifSrgb)) &&
        SUCCEEDED(factory->CreateColorTransformer(&transform)) &&
        FAILED(transform->Initialize(pixels, profile, srgb, GUID_WICPixelFormat32bppBGRA))) {
        release(transform);
    }
    release(srgb);
    for (UINT i = 0; i < created; ++i) release(contexts[i]);
    return transform;
}

bool decode(const char* path, const wchar_t* widePath, RgbaImage& image, std::string& reason) {
    Decoding d;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&d.factory)))) {
        return fail(reason, "this system has no Windows Imaging Component to read pictures with");
    }
    HRESULT hr = d.factory->CreateDecoderFromFilename(widePath, nullptr, GENERIC_READ,
                                                      WICDecodeMetadataCacheOnDemand, &d.decoder);
    if ((hr == WINCODEC_ERR_COMPONENTNOTFOUND || hr == WINCODEC_ERR_UNKNOWNIMAGEFORMAT) &&
        !beginsLikeAPicture(path)) {
        return fail(reason, "not a picture (use PNG, JPEG, BMP, GIF or TIFF)");
    }
    if (FAILED(hr)) return fail(reason, "the picture cannot be read: it is damaged or cut short");
    if (FAILED(d.decoder->GetFrame(0, &d.frame)))
        return fail(reason, "the picture holds no image, or it is damaged");
    UINT width = 0;
    UINT height = 0;
    if (FAILED(d.frame->GetSize(&width, &height)) || width == 0 || height == 0) {
        return fail(reason, "the picture has no pixels, or it is damaged");
    }
    if (width > maxSide || height > maxSide ||
        static_cast<unsigned long long>(width) * height > maxPixels) {
        return fail(reason,
                    "the picture is too large (at most 30000 pixels a side and 50 million in all)");
    }
    if (FAILED(d.factory->CreateFormatConverter(&d.converter)) ||
        FAILED(d.converter->Initialize(d.frame, GUID_WICPixelFormat32bppBGRA,
                                       WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom))) {
        return fail(reason, "the picture's pixel format cannot be read");
    }
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
    const auto copied = [&](IWICBitmapSource* source) {
        return SUCCEEDED(source->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()),
                                            pixels.data()));
    };
    // The colours as the picture stores them where converting them fails.
    d.inSrgb = inSrgb(d.factory, d.frame, d.converter);
    if (!(d.inSrgb != nullptr && copied(d.inSrgb)) && !copied(d.converter))
        return fail(reason, "the picture cannot be read: it is damaged or cut short");
    // Blue, green, red, alpha as the converter gives them; red first as RgbaImage holds it.
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        unsigned char blue = pixels[i];
        pixels[i] = pixels[i + 2];
        pixels[i + 2] = blue;
    }
    RgbaImage stored;
    stored.width = static_cast<int>(width);
    stored.height = static_cast<int>(height);
    stored.pixels.swap(pixels);
    image = uprightImage(std::move(stored), orientationOf(d.decoder, d.frame, path));
    return true;
}

}  // namespace

bool decodeImageFile(const char* path, RgbaImage& image, std::string& reason) {
    image = RgbaImage();
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        reason = "the picture " + unreadableFileText(path, GetLastError());
        return false;
    }
    std::wstring wide;
    if (!wideFromSystemText(path, wide)) {
        return fail(reason, "the picture's path is not a text of the system's code page");
    }
    ComScope com;
    return decode(path, wide.c_str(), image, reason);
}
