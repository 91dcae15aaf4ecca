#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "host/host_posix.h"

namespace discmenu {
namespace {

// A scratch directory, removed with everything in it.
class Scratch {
public:
    Scratch()
    {
        char pattern[] = "/tmp/discmenu-test-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~Scratch() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string Write(const std::string& name, const std::string& content, mode_t mode = 0644) const
    {
        const std::string file = path + "/" + name;
        std::ofstream(file, std::ios::binary) << content;
        chmod(file.c_str(), mode);
        return file;
    }
    void MakeDir(const std::string& name) const { mkdir((path + "/" + name).c_str(), 0755); }
    std::string path;
};

// Waits, within a bound, for a file written by a started program.
std::string WaitForFile(const std::string& file)
{
    for (int i = 0; i < 200; ++i) {
        std::ifstream in(file);
        std::string content((std::istreambuf_iterator<char>(in)), {});
        if (!content.empty() && content.back() == '\n') return content;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

class TestHost : public PosixHost {
public:
    ScreenMetrics GetScreenMetrics() override { return {}; }
    std::shared_ptr<Picture> LoadPictureFile(const std::string&) override { return nullptr; }
    void PumpEvents() override {}
};

TEST(ResolvePathTest, WindowsNamesFindTheirFiles)
{
    Scratch disc;
    disc.MakeDir("photos");
    disc.Write("photos/index.html", "x");
    disc.Write("Auto.INI", "x");
    const struct {
        std::string asWritten, expected;
    } cases[] = {
        {"photos/index.html", "photos/index.html"},
        {"Photos\\Index.html", "photos/index.html"},
        {"PHOTOS/INDEX.HTML", "photos/index.html"},
        {"auto.ini", "Auto.INI"},
        {"photos\\absent.html", "photos/absent.html"},
        {"Absent\\Index.html", "Absent/Index.html"},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolvePath(disc.path + "/" + c.asWritten), disc.path + "/" + c.expected);
}

TEST(NativeProgramTest, WindowsNamesFindTheirLinuxTwin)
{
    Scratch disc;
    disc.Write("viewer", "#!/bin/sh\n", 0755);
    disc.Write("viewer.exe", "MZ", 0644);
    disc.Write("tool", "data", 0644); // not executable: no twin
    disc.Write("tool.EXE", "MZ", 0644);
    const struct {
        std::string name, expected;
    } cases[] = {
        {"viewer.exe", "viewer"}, {"viewer.EXE", "viewer"}, {"viewer.com", "viewer"}, {"viewer.bat", "viewer"},
        {"tool.EXE", "tool.EXE"}, {"viewer", "viewer"},     {"viewer.sh", "viewer.sh"},
    };
    for (const auto& c : cases) EXPECT_EQ(NativeProgram(disc.path + "/" + c.name), disc.path + "/" + c.expected);
}

TEST(ReadRegularFileTest, OnlyRegularFilesAreRead)
{
    Scratch disc;
    EXPECT_EQ(ReadRegularFile(disc.Write("auto.ini", "[parametres]\n")).Bytes, "[parametres]\n");
    EXPECT_EQ(ReadRegularFile(disc.Write("empty.ini", "")).Bytes, "");
    EXPECT_EQ(ReadRegularFile(disc.path).Bytes, "");                 // a directory
    EXPECT_EQ(ReadRegularFile(disc.path + "/absent.ini").Bytes, ""); // missing
    const std::string fifo = disc.path + "/fifo.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(ReadRegularFile(fifo).Bytes, ""); // returns at once instead of waiting for a writer
    symlink((disc.path + "/nowhere").c_str(), (disc.path + "/dangling.ini").c_str());
    EXPECT_EQ(ReadRegularFile(disc.path + "/dangling.ini").Bytes, "");
}

TEST(StartProgramTest, MissingOrNotAProgramIsAnError)
{
    Scratch disc;
    TestHost host;
    const std::string page = disc.Write("index.html", "<html>", 0644);
    const std::string shellless = disc.Write("noshebang", "\x01\x02garbage", 0755);
    for (const std::string& path : {disc.path + "/absent.exe", page, disc.path, shellless}) {
        try {
            host.StartProgram(path, kShowNormal);
            ADD_FAILURE() << "started " << path;
        } catch (const HostError& error) {
            EXPECT_EQ(error.Path(), path);
            EXPECT_FALSE(error.Reason().empty());
        }
    }
}

TEST(StartProgramTest, NamesAreTakenLiterally)
{
    Scratch disc;
    TestHost host;
    const std::string log = disc.path + "/log";
    for (const std::string name : {"mon prog;x", "a'b\"c", "$(touch pwned)", "*", "-rf", "\xc3\xa9t\xc3\xa9"}) {
        const std::string program = disc.Write(
            name, "#!/bin/sh\nprintf '%s %s\\n' \"$(basename \"$0\")\" \"$#\" >> '" + log + "'\n", 0755);
        std::remove(log.c_str());
        host.StartProgram(program, kShowNormal);
        EXPECT_EQ(WaitForFile(log), name + " 0\n");
    }
    EXPECT_NE(access((disc.path + "/pwned").c_str(), F_OK), 0);
}

TEST(StartProgramTest, ProgramsRunDetachedWithoutOurDescriptorsAndAreReaped)
{
    Scratch disc;
    TestHost host;
    const int leaked = open(disc.Write("open-file", "x").c_str(), O_RDONLY); // without O_CLOEXEC
    ASSERT_GE(leaked, 3);
    const std::string log = disc.path + "/log";
    const std::string fd = "/proc/$$/fd/" + std::to_string(leaked);
    const std::string program = disc.Write("report", "#!/bin/sh\n[ -e " + fd + " ] && echo leaked > '" + log +
                                                         ".fds'\nps -o sid= -p $$ > '" + log +
                                                         ".sid'\necho done >> '" + log + "'\n", 0755);
    host.StartProgram(program, kShowNormal);
    ASSERT_EQ(WaitForFile(log), "done\n");
    EXPECT_NE(access((log + ".fds").c_str(), F_OK), 0) << "descriptor " << leaked << " reached the program";
    std::ifstream sidFile(log + ".sid");
    pid_t sid = 0;
    sidFile >> sid;
    EXPECT_NE(sid, getsid(0));
    close(leaked);
    // Reaped by the host's handler: no child of ours is left to wait for.
    for (int i = 0; i < 100 && waitpid(-1, nullptr, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

TEST(ProfileReadTest, ReadsThroughWindowsNamesAndCachesTheFile)
{
    Scratch disc;
    disc.Write("AUTO.INI", "[parametres]\ntitre=Disque\n");
    TestHost host;
    std::string buffer(64, '\0');
    host.ReadProfileString("parametres", "titre", "d", buffer, 64, disc.path + "/auto.ini");
    EXPECT_EQ(buffer.substr(0, 7), std::string("Disque\0", 7));
    std::remove((disc.path + "/AUTO.INI").c_str()); // the settings are read once per run
    buffer.assign(64, '\0');
    host.ReadProfileString("parametres", "titre", "d", buffer, 64, disc.path + "/auto.ini");
    EXPECT_EQ(buffer.substr(0, 7), std::string("Disque\0", 7));
}

} // namespace
} // namespace discmenu
