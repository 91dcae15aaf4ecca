#pragma once
// The services the menu needs from the operating system, behind one interface so the
// core runs unchanged on Win32, on POSIX and against the fakes of the unit tests.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace discmenu {

// Every failure that ends the program: a picture or program that cannot be used, or a
// launch delay that does not fit 16 bits. Caught once, at the edge of each event handler.
class HostError : public std::runtime_error {
public:
    HostError(std::string what, std::string path = {}, std::string reason = {});
    const std::string& What() const { return what_; }
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }

private:
    std::string what_, path_, reason_;
};

struct ScreenMetrics {
    double TwipsPerPixelX = 15;
    double TwipsPerPixelY = 15;
    double WidthTwips = 0;
    double HeightTwips = 0;
};

// A loaded background picture; only the front end that asked for it knows its insides.
class Picture {
public:
    virtual ~Picture() = default;
    virtual int WidthPixels() const = 0;
    virtual int HeightPixels() const = 0;
};

// Opaque window handle of the menu window, handed to the document opener.
using WindowHandle = void*;

inline constexpr int kShowNormal = 1;     // show command / window style: normal, focused
inline constexpr unsigned kSoundAsync = 1; // play in the background; no "no default" flag

class Host {
public:
    virtual ~Host() = default;

    // The running program's directory; ends in a separator only at the root.
    virtual std::string ProgramDirectory() = 0;
    // "\" on Windows, "/" elsewhere: what BaseDir ends in.
    virtual char PathSeparator() const = 0;
    virtual ScreenMetrics GetScreenMetrics() = 0;

    // Reads one key like GetPrivateProfileStringA: `buffer` arrives as the 64-NUL
    // template; on return it starts with at most size - 1 characters of the value (or of
    // the default) followed by a NUL. Texts are UTF-8 on both sides of this call.
    virtual int ReadProfileString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue, std::string& buffer, int size,
                                  const std::string& path) = 0;

    // Throws HostError when the file is missing, unreadable or not a picture.
    virtual std::shared_ptr<Picture> LoadPictureFile(const std::string& path) = 0;
    // The result is never examined by the menu: a failure is silent.
    virtual int OpenDocument(WindowHandle window, const char* verb, const std::string& path,
                             const char* parameters, const std::string& workingDirectory,
                             int showCommand) = 0;
    // Returns at once; throws HostError when the file is missing or not a program.
    virtual void StartProgram(const std::string& path, int windowStyle) = 0;
    // Returns at once while the sound plays; the result is never examined.
    virtual int PlaySoundAsync(const std::string& path, unsigned flags) = 0;
    virtual void PumpEvents() = 0;
    // Ends the program at once; no handler of the menu runs after it.
    virtual void EndProgram() = 0;
};

} // namespace discmenu
