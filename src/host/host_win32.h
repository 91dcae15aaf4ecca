#pragma once
// The host services on Windows: the kernel's profile reader, the shell's document opener,
// CreateProcessW, the multimedia sound player and WIC for pictures. Texts are UTF-8 in the
// core; the 8-bit (ANSI) and UTF-16 copies are made here and nowhere else.

#include <windows.h>

#include <string>
#include <string_view>

#include "host/host.h"

namespace discmenu {

// A picture decoded to a 32-bit top-down DIB section, drawn at its own pixel size.
class Win32Picture : public Picture {
public:
    Win32Picture(HBITMAP bitmap, void* bits, int width, int height);
    ~Win32Picture() override;
    Win32Picture(const Win32Picture&) = delete;
    Win32Picture& operator=(const Win32Picture&) = delete;

    int WidthPixels() const override { return width_; }
    int HeightPixels() const override { return height_; }
    HBITMAP Bitmap() const { return bitmap_; }
    // Blends the transparent parts over `background` once, so a plain BitBlt draws it.
    void FlattenOnto(COLORREF background);

private:
    HBITMAP bitmap_;
    void* bits_;
    int width_, height_;
};

class Win32Host : public Host {
public:
    // Makes the process DPI aware (a scaled display then reports its real pixels) and
    // opens COM for WIC on this thread.
    Win32Host();
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    std::string ProgramDirectory() override;
    char PathSeparator() const override { return '\\'; }
    ScreenMetrics GetScreenMetrics() override;
    int ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          std::string& buffer, int size, const std::string& path) override;
    std::shared_ptr<Picture> LoadPictureFile(const std::string& path) override;
    int OpenDocument(WindowHandle window, const char* verb, const std::string& path, const char* parameters,
                     const std::string& workingDirectory, int showCommand) override;
    void StartProgram(const std::string& path, int windowStyle) override;
    int PlaySoundAsync(const std::string& path, unsigned flags) override;
    void PumpEvents() override;
    void EndProgram() override;

private:
    bool comReady_ = false;
};

// The boundary conversions: UTF-8 to and from UTF-16 and the ANSI code page.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::string Utf8ToAnsi(std::string_view text);
std::string AnsiToUtf8(std::string_view bytes);

// The system's own words for a Win32 error code, in UTF-8, without the final line break.
std::string SystemReason(DWORD error);

// Hands one retrieved message to its window, through the dialog manager first so that
// Tab, Enter and Space work among the buttons. Shared by PumpEvents and the main loop.
void DispatchWithDialogKeys(MSG& message);

} // namespace discmenu
