// A stand-in for the programs a disc starts and the documents it opens: appends how it was
// started to the file named by the DISCMENU_RECORD environment variable, then exits.
// Built as a GUI program, so starting it never opens a console window.

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "host/host_win32.h"

namespace {

using discmenu::WideToUtf8;

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[4096];
    const DWORD length = GetEnvironmentVariableW(name, value, 4096);
    return length > 0 && length < 4096 ? std::wstring(value, length) : std::wstring();
}

std::wstring ModuleName()
{
    wchar_t name[4096];
    return std::wstring(name, GetModuleFileNameW(nullptr, name, 4096));
}

std::wstring CurrentDirectory()
{
    wchar_t name[4096];
    return std::wstring(name, GetCurrentDirectoryW(4096, name));
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::wstring record = Environment(L"DISCMENU_RECORD");
    if (record.empty()) return 2;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string entry = "module=" + WideToUtf8(ModuleName()) + "\n";
    entry += "cmdline=" + WideToUtf8(GetCommandLineW()) + "\n";
    entry += "cwd=" + WideToUtf8(CurrentDirectory()) + "\n";
    entry += "show=" + std::to_string((startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1) + "\n";
    for (int i = 1; i < count; ++i) entry += "arg" + std::to_string(i) + "=" + WideToUtf8(args[i]) + "\n";
    entry += "end\n";
    LocalFree(args);
    FILE* file = _wfopen(record.c_str(), L"ab");
    if (!file) return 3;
    std::fwrite(entry.data(), 1, entry.size(), file);
    std::fclose(file);
    return 0;
}
