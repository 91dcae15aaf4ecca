#include "host/host_win32.h"

#include <initguid.h> // defines the WIC class and format GUIDs here: no import of windowscodecs.dll
#include <mmsystem.h>
#include <shellapi.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "settings/profile.h"

namespace discmenu {

namespace {

constexpr double kTwipsPerInch = 1440;
// The core's read buffer: GetPrivateProfileStringA writes into 64 zeroed bytes.
constexpr int kProfileBufferBytes = 64;
// Beyond this a picture cannot be a menu's background; it would only exhaust memory.
constexpr std::uint64_t kLargestPictureBytes = 512ull * 1024 * 1024;

constexpr char kPictureFailure[] = "Cannot load the picture";
constexpr char kProgramFailure[] = "Cannot start the program";
constexpr char kNotAPicture[] = "Not a picture in a known format (BMP, JPEG, PNG, GIF)";

// Holds one COM reference and releases it, so every early return stays clean.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (pointer_) pointer_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface** Out() { return &pointer_; }
    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

std::wstring ToWide(UINT codePage, std::string_view text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), units);
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
}

// Messages such as "%1 is not a valid Win32 application." name the file themselves.
std::string FillFileInsert(std::string text, const std::string& file)
{
    const std::size_t insert = text.find("%1");
    if (insert != std::string::npos) text.replace(insert, 2, file);
    return text;
}

std::string FileName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

void RequireReadable(const std::wstring& file, const std::string& path)
{
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw HostError(kPictureFailure, path, SystemReason(GetLastError()));
    CloseHandle(handle);
}

// Any format WIC knows, converted to straight 32-bit BGRA.
void DecodeWithWic(const std::wstring& file, const std::string& path, IWICImagingFactory& factory,
                   IWICFormatConverter& converter)
{
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    const bool decoded =
        SUCCEEDED(factory.CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                    WICDecodeMetadataCacheOnDemand, decoder.Out())) &&
        SUCCEEDED(decoder->GetFrame(0, frame.Out())) &&
        SUCCEEDED(converter.Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                       nullptr, 0.0, WICBitmapPaletteTypeCustom));
    if (!decoded) throw HostError(kPictureFailure, path, kNotAPicture);
}

std::shared_ptr<Win32Picture> CopyToDib(IWICBitmapSource& source, const std::string& path)
{
    UINT width = 0, height = 0;
    if (FAILED(source.GetSize(&width, &height)) || width == 0 || height == 0)
        throw HostError(kPictureFailure, path, kNotAPicture);
    const std::uint64_t bytes = std::uint64_t{width} * height * 4;
    if (bytes > kLargestPictureBytes) throw HostError(kPictureFailure, path, "The picture is too large");
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height); // negative: top row first, as WIC delivers
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) throw HostError(kPictureFailure, path, SystemReason(GetLastError()));
    auto picture = std::make_shared<Win32Picture>(bitmap, bits, static_cast<int>(width), static_cast<int>(height));
    if (FAILED(source.CopyPixels(nullptr, width * 4, static_cast<UINT>(bytes), static_cast<BYTE*>(bits))))
        throw HostError(kPictureFailure, path, kNotAPicture);
    return picture;
}

} // namespace

std::wstring Utf8ToWide(std::string_view text) { return ToWide(CP_UTF8, text); }
std::string WideToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text); }
std::string Utf8ToAnsi(std::string_view text) { return FromWide(CP_ACP, Utf8ToWide(text)); }
std::string AnsiToUtf8(std::string_view bytes) { return WideToUtf8(ToWide(CP_ACP, bytes)); }

std::string SystemReason(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0) return "System error " + std::to_string(error);
    std::wstring reason(text, length);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return WideToUtf8(reason);
}

void DispatchWithDialogKeys(MSG& message)
{
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogMessageW(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

Win32Picture::Win32Picture(HBITMAP bitmap, void* bits, int width, int height)
    : bitmap_(bitmap), bits_(bits), width_(width), height_(height) {}

Win32Picture::~Win32Picture() { DeleteObject(bitmap_); }

void Win32Picture::FlattenOnto(COLORREF background)
{
    const BYTE under[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    auto* pixel = static_cast<BYTE*>(bits_);
    const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    for (std::size_t i = 0; i < count; ++i, pixel += 4) {
        const unsigned alpha = pixel[3];
        for (int c = 0; c < 3; ++c)
            pixel[c] = static_cast<BYTE>((pixel[c] * alpha + under[c] * (255 - alpha) + 127) / 255);
        pixel[3] = 255;
    }
}

Win32Host::Win32Host()
{
    SetProcessDPIAware();
    comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

Win32Host::~Win32Host()
{
    if (comReady_) CoUninitialize();
}

std::string Win32Host::ProgramDirectory()
{
    std::wstring module(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (length < module.size()) {
            module.resize(length);
            break;
        }
        module.resize(module.size() * 2); // the name was cut: try a larger buffer
    }
    std::wstring directory = module.substr(0, module.rfind(L'\\') + 1);
    // "D:\" keeps its backslash; any deeper directory drops it.
    const bool driveRoot = directory.size() == 3 && directory[1] == L':';
    if (!driveRoot && !directory.empty()) directory.pop_back();
    return WideToUtf8(directory);
}

ScreenMetrics Win32Host::GetScreenMetrics()
{
    const HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const double twipsX = kTwipsPerInch / (dpiX > 0 ? dpiX : USER_DEFAULT_SCREEN_DPI);
    const double twipsY = kTwipsPerInch / (dpiY > 0 ? dpiY : USER_DEFAULT_SCREEN_DPI);
    return {twipsX, twipsY, GetSystemMetrics(SM_CXSCREEN) * twipsX, GetSystemMetrics(SM_CYSCREEN) * twipsY};
}

int Win32Host::ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                 std::string& buffer, int size, const std::string& path)
{
    std::string ansi(static_cast<std::size_t>(std::max(size, kProfileBufferBytes)), '\0');
    const DWORD length = GetPrivateProfileStringA(Utf8ToAnsi(section).c_str(), Utf8ToAnsi(key).c_str(),
                                                  Utf8ToAnsi(defaultValue).c_str(), ansi.data(),
                                                  static_cast<DWORD>(std::max(size, 0)), Utf8ToAnsi(path).c_str());
    // All the bytes come back, NULs included: the value and its NUL land at the buffer's start.
    DeliverToBuffer(buffer, AnsiToUtf8(ansi));
    return static_cast<int>(length);
}

std::shared_ptr<Picture> Win32Host::LoadPictureFile(const std::string& path)
{
    const std::wstring file = Utf8ToWide(path);
    // Opened here first: WIC's errors say nothing of a missing file or a denied access.
    RequireReadable(file, path);
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICFormatConverter> converter;
    const HRESULT created = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()));
    if (FAILED(created)) throw HostError(kPictureFailure, path, SystemReason(static_cast<DWORD>(created)));
    if (FAILED(factory->CreateFormatConverter(converter.Out()))) throw HostError(kPictureFailure, path, kNotAPicture);
    DecodeWithWic(file, path, *factory.Get(), *converter.Get());
    return CopyToDib(*converter.Get(), path);
}

int Win32Host::OpenDocument(WindowHandle window, const char* verb, const std::string& path, const char* parameters,
                            const std::string& workingDirectory, int showCommand)
{
    const HINSTANCE result = ShellExecuteA(static_cast<HWND>(window), verb, Utf8ToAnsi(path).c_str(), parameters,
                                           Utf8ToAnsi(workingDirectory).c_str(), showCommand);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

void Win32Host::StartProgram(const std::string& path, int windowStyle)
{
    // The full path is the application name, so "D:\My Photos\view.exe" can never be read
    // as "D:\My.exe" with arguments; the command line repeats it, quoted, as argv[0].
    const std::wstring application = Utf8ToWide(path);
    std::wstring commandLine = L"\"" + application + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        throw HostError(kProgramFailure, path, FillFileInsert(SystemReason(GetLastError()), FileName(path)));
    }
    // Never waited for: the menu only starts it.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

int Win32Host::PlaySoundAsync(const std::string& path, unsigned flags)
{
    return sndPlaySoundA(Utf8ToAnsi(path).c_str(), flags) ? 1 : 0;
}

void Win32Host::PumpEvents()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) { // not ours to take: leave it for the main loop
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchWithDialogKeys(message);
    }
}

void Win32Host::EndProgram()
{
    std::fflush(nullptr);
    ExitProcess(0);
}

} // namespace discmenu
