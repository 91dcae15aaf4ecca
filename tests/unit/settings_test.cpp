#include <gtest/gtest.h>

#include <map>

#include "fake_host.h"
#include "settings/settings.h"

namespace discmenu {
namespace {

using testing::FakeHost;

class RecordingSink : public SettingsSink {
public:
    std::vector<std::string> events;
    void OnTitle(const std::string& text) override { events.push_back("title " + text); }
    void OnTitleSize(double points) override { events.push_back("size " + std::to_string(points)); }
    void OnPicture(const std::string& path) override { events.push_back("picture " + path); }
    void OnCaption(ControlId button, const std::string& text) override
    {
        events.push_back("caption " + std::to_string(static_cast<int>(button) - static_cast<int>(ControlId::Command1) + 1) + " " + text);
    }
};

struct Loaded {
    MenuState state;
    RecordingSink sink;
};

Loaded Load(FakeHost& host)
{
    Loaded loaded;
    ProfileReader profile(host);
    ReadMenuSettings(host, profile, loaded.state, loaded.sink);
    return loaded;
}

Loaded LoadSettingsFile(const std::string& body)
{
    FakeHost host;
    host.programDirectory = "D:\\Photos";
    host.files["D:\\Photos\\auto.ini"] = "[parametres]\r\n" + body;
    return Load(host);
}

TEST(SettingsTest, WithoutASettingsFileEveryDefaultApplies)
{
    FakeHost host;
    const Loaded loaded = Load(host);
    const MenuState& s = loaded.state;
    EXPECT_EQ(s.BaseDir, "D:\\");
    EXPECT_EQ(s.TitleSize, 56);
    EXPECT_TRUE(s.NoSound);
    EXPECT_EQ(s.SoundFile, "D:\\");
    EXPECT_EQ(s.File1, "D:\\index.html");
    EXPECT_EQ(s.File2, "D:\\index.html");
    EXPECT_EQ(s.Exe1, "D:\\vardeline.exe");
    EXPECT_EQ(s.Exe2, "D:\\index.html");
    EXPECT_EQ(s.AutoExe, "");
    EXPECT_EQ(s.AutoFile, "D:\\index.html");
    EXPECT_EQ(s.LaunchAfter, 5);
    EXPECT_EQ(s.QuitAfter, 50);
    EXPECT_EQ(s.Ticks, 0);
    const std::vector<std::string> expected = {
        "title Mes Photos", "size 56.000000", "picture D:\\pelorine.bmp",
        "caption 1 ", "caption 2 ", "caption 4 ", "caption 5 "};
    EXPECT_EQ(loaded.sink.events, expected);
}

TEST(SettingsTest, BaseDirEndsInExactlyOneSeparator)
{
    const struct {
        std::string directory;
        char separator;
        std::string expected;
    } cases[] = {{"D:\\", '\\', "D:\\"}, {"D:\\Photos", '\\', "D:\\Photos\\"},
                 {"/", '/', "/"},       {"/media/cdrom", '/', "/media/cdrom/"}};
    for (const auto& c : cases) {
        FakeHost host;
        host.programDirectory = c.directory;
        host.separator = c.separator;
        MenuState state;
        RefreshBaseDir(state, host);
        EXPECT_EQ(state.BaseDir, c.expected);
    }
}

TEST(SettingsTest, ValuesBecomeFieldsAndWindowValues)
{
    const Loaded loaded = LoadSettingsFile(
        "titre=Vacances 2026\r\ntaille police=12,5\r\nson=ouverture.wav\r\nimage=fond.jpg\r\n"
        "fichier1=photos.html\r\nfichier2=diaporama.html\r\nexe1=visionneuse.exe\r\nexe2=outil.exe\r\n"
        "cmdfich1=Voir\r\ncmdexe2=Lancer\r\nautoexe=auto.exe\r\nautofich=auto.html\r\n"
        "timer auto=3\r\narret auto=12.5\r\n");
    const MenuState& s = loaded.state;
    EXPECT_EQ(s.BaseDir, "D:\\Photos\\");
    EXPECT_EQ(s.TitleSize, 12);
    EXPECT_FALSE(s.NoSound);
    EXPECT_EQ(s.SoundFile, "D:\\Photos\\ouverture.wav");
    EXPECT_EQ(s.File1, "D:\\Photos\\photos.html");
    EXPECT_EQ(s.File2, "D:\\Photos\\diaporama.html");
    EXPECT_EQ(s.Exe1, "D:\\Photos\\visionneuse.exe");
    EXPECT_EQ(s.Exe2, "D:\\Photos\\outil.exe");
    EXPECT_EQ(s.AutoExe, "D:\\Photos\\auto.exe");
    EXPECT_EQ(s.AutoFile, "D:\\Photos\\auto.html");
    EXPECT_EQ(s.LaunchAfter, 3);
    EXPECT_EQ(s.QuitAfter, 12.5);
    const std::vector<std::string> expected = {
        "title Vacances 2026", "size 12.000000", "picture D:\\Photos\\fond.jpg",
        "caption 1 Voir", "caption 2 ", "caption 4 ", "caption 5 Lancer"};
    EXPECT_EQ(loaded.sink.events, expected);
}

TEST(SettingsTest, ValuesAreCutToTheirReadSizes)
{
    const Loaded loaded = LoadSettingsFile("titre=" + std::string(70, 't') + "\nimage=" + std::string(20, 'i') +
                                           "\ncmdfich1=" + std::string(60, 'c') + "\nfichier1=" +
                                           std::string(40, 'f') + "\n");
    EXPECT_EQ(loaded.sink.events[0], "title " + std::string(63, 't'));
    EXPECT_EQ(loaded.sink.events[2], "picture D:\\Photos\\" + std::string(15, 'i'));
    EXPECT_EQ(loaded.sink.events[3], "caption 1 " + std::string(47, 'c'));
    EXPECT_EQ(loaded.state.File1, "D:\\Photos\\" + std::string(31, 'f'));
}

TEST(SettingsTest, AbsolutePathsAreStillAppended)
{
    const Loaded loaded = LoadSettingsFile("fichier1=C:\\doc.html\nautoexe=/bin/true\n");
    EXPECT_EQ(loaded.state.File1, "D:\\Photos\\C:\\doc.html");
    EXPECT_EQ(loaded.state.AutoExe, "D:\\Photos\\/bin/true");
}

TEST(SettingsTest, EmptySoundAndAutoExe)
{
    const Loaded loaded = LoadSettingsFile("son=\nautoexe=\n");
    EXPECT_TRUE(loaded.state.NoSound);
    EXPECT_EQ(loaded.state.SoundFile, "D:\\Photos\\");
    EXPECT_EQ(loaded.state.AutoExe, "");
}

TEST(SettingsTest, DelaysAreClamped)
{
    const struct {
        const char* timer;  // nullptr: key absent
        const char* arret;
        int launch;
        double quit;
    } cases[] = {
        {"0", nullptr, 2, 50},     {"1", nullptr, 2, 50},      {"-3", nullptr, 2, 50},
        {"abc", nullptr, 2, 50},   {"1.5", nullptr, 2, 50},    {"2.5", nullptr, 2, 50},
        {"3.5", nullptr, 4, 50},   {"26", nullptr, 25, 50},    {"99", nullptr, 25, 50},
        {"5", "3", 5, 10},         {"5", "10", 5, 10},         {"5", "12.5", 5, 12.5},
        {"5", "60", 5, 50},        {"25", nullptr, 25, 50},    {"25", "20", 25, 30},
        {"abc", "abc", 2, 7},      {"2", "30.5", 2, 30.5},     {"2", "-1e999", 2, 7},
        {"2", "1e999", 2, 50},
    };
    for (const auto& c : cases) {
        std::string body = std::string("timer auto=") + c.timer + "\n";
        if (c.arret) body += std::string("arret auto=") + c.arret + "\n";
        const MenuState s = LoadSettingsFile(body).state;
        EXPECT_EQ(s.LaunchAfter, c.launch) << c.timer << " / " << (c.arret ? c.arret : "absent");
        EXPECT_EQ(s.QuitAfter, c.quit) << c.timer << " / " << (c.arret ? c.arret : "absent");
    }
}

TEST(SettingsTest, TimerOverflowStopsBeforeTheLastRead)
{
    FakeHost host;
    host.files["D:\\auto.ini"] = "[parametres]\ntimer auto=40000\narret auto=10\n";
    ProfileReader profile(host);
    MenuState state;
    RecordingSink sink;
    EXPECT_THROW(ReadMenuSettings(host, profile, state, sink), HostError);
    EXPECT_EQ(state.QuitAfter, 0);     // "arret auto" never read
    EXPECT_EQ(sink.events.size(), 7u); // every window value before it was applied
}

} // namespace
} // namespace discmenu
