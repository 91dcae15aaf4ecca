#include <gtest/gtest.h>

#include <algorithm>

#include "fake_host.h"
#include "fake_window.h"
#include "window/form1.h"

namespace discmenu {
namespace {

using testing::FakeHost;
using testing::FakeWindow;

// A menu started from D:\Disc with the given settings (none when empty).
struct Menu {
    explicit Menu(const std::string& settings = "")
    {
        host.programDirectory = "D:\\Disc";
        if (!settings.empty()) host.files["D:\\Disc\\auto.ini"] = "[parametres]\r\n" + settings;
    }
    FakeHost host;
    FakeWindow window{host.calls};
    Form1 form{host, window};

    std::vector<std::string> TakeCalls() { return std::exchange(host.calls, {}); }
    // The ticks on which something other than nothing happened, as "tick: call".
    std::vector<std::string> RunTicks(int count)
    {
        std::vector<std::string> seen;
        for (int tick = 1; tick <= count && window.timerRuns && !host.ended; ++tick) {
            form.Tick();
            for (const std::string& call : TakeCalls()) seen.push_back(std::to_string(tick) + ": " + call);
        }
        return seen;
    }
};

TEST(StartupTest, WithoutSettingsOnlyQuitterRemains)
{
    Menu menu;
    menu.form.Load();
    const std::vector<std::string> expected = {
        "ScreenMetrics",
        "SetCaption Label4 Mes Photos",
        "SetFontSize Label4",
        "LoadPictureFile D:\\Disc\\pelorine.bmp",
        "SetPicture",
        "SetCaption Command1 ", "DisableAndHide Command1",
        "SetCaption Command2 ", "DisableAndHide Command2",
        "SetCaption Command4 ", "DisableAndHide Command4",
        "SetCaption Command5 ", "DisableAndHide Command5",
        "ScreenMetrics",
        "SetFontSize Label4",
        "PumpEvents",
    };
    EXPECT_EQ(menu.host.calls, expected);
    EXPECT_EQ(menu.window.fontSizes, (std::vector<float>{56, 56}));
}

TEST(StartupTest, TitleSizeIsScaledForTheDisplay)
{
    Menu menu("taille police=40\n");
    menu.host.metrics = {12, 12, 1024 * 12, 768 * 12};
    menu.form.Load();
    EXPECT_EQ(menu.window.fontSizes, (std::vector<float>{40, 32}));
    EXPECT_EQ(menu.window.Geometry(ControlId::Form1, Property::Width), 7680);
}

TEST(StartupTest, SoundIsStartedBeforeEventsArePumped)
{
    Menu menu("son=accueil.wav\n");
    menu.form.Load();
    const auto& calls = menu.host.calls;
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "PlaySoundAsync D:\\Disc\\accueil.wav 1");
    EXPECT_EQ(calls.back(), "PumpEvents");
}

TEST(StartupTest, OnlyTheEmptyCaptionHides)
{
    Menu menu("cmdfich1=\"   \"\ncmdexe2=Lancer\n");
    menu.form.Load();
    EXPECT_EQ(menu.window.hidden, (std::set<ControlId>{ControlId::Command2, ControlId::Command4}));
    EXPECT_EQ(menu.window.captions[ControlId::Command1], "   ");
    EXPECT_EQ(menu.window.captions[ControlId::Command5], "Lancer");
}

TEST(StartupTest, EmptyTitleHidesNothing)
{
    Menu menu("titre=\ncmdfich1=Voir\ncmdfich2=Voir\ncmdexe1=Voir\ncmdexe2=Voir\n");
    menu.form.Load();
    EXPECT_EQ(menu.window.captions[ControlId::Label4], "");
    EXPECT_TRUE(menu.window.hidden.empty());
}

TEST(StartupTest, MissingPictureStopsBeforeAnyCaption)
{
    Menu menu("son=a.wav\ncmdfich1=Voir\ntimer auto=40000\n");
    menu.host.failPicture = true;
    EXPECT_THROW(menu.form.Load(), HostError);
    const auto& calls = menu.host.calls;
    EXPECT_EQ(calls.back(), "LoadPictureFile D:\\Disc\\pelorine.bmp"); // names the picture, not the delay
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "PumpEvents"), 0);
}

TEST(StartupTest, TimerOverflowStopsAfterTheCaptions)
{
    Menu menu("son=a.wav\ncmdfich1=Voir\ntimer auto=40000\n");
    EXPECT_THROW(menu.form.Load(), HostError);
    EXPECT_EQ(menu.window.captions[ControlId::Command1], "Voir");
    EXPECT_FALSE(menu.window.geometry.count({ControlId::Form1, Property::Width}));
    EXPECT_EQ(menu.host.calls.back(), "DisableAndHide Command5");
}

TEST(TimerTest, LaunchesAndEndsOnTheirTicks)
{
    const struct {
        const char* settings;
        std::vector<std::string> expected;
    } cases[] = {
        {"", {"5: OpenDocument window null D:\\Disc\\index.html null D:\\Disc\\ 1", "50: EndProgram"}},
        {"timer auto=2\narret auto=7.5\n",
         {"2: OpenDocument window null D:\\Disc\\index.html null D:\\Disc\\ 1", "8: EndProgram"}},
        {"timer auto=2\nautoexe=go.exe\narret auto=30.5\n", {"2: StartProgram D:\\Disc\\go.exe 1", "30: EndProgram"}},
        {"timer auto=25\narret auto=31.5\n",
         {"25: OpenDocument window null D:\\Disc\\index.html null D:\\Disc\\ 1", "32: EndProgram"}},
    };
    for (const auto& c : cases) {
        Menu menu(c.settings);
        menu.form.Load();
        menu.TakeCalls();
        EXPECT_EQ(menu.RunTicks(60), c.expected) << c.settings;
        EXPECT_EQ(menu.form.Sequence(menu.window.timerRuns, menu.host.ended > 0), AutoSequence::Ended);
    }
}

TEST(TimerTest, MissingAutomaticProgramEndsTheRun)
{
    Menu menu("timer auto=2\nautoexe=absent.exe\n");
    menu.form.Load();
    menu.host.failStart = true;
    menu.form.Tick();
    EXPECT_THROW(menu.form.Tick(), HostError);
}

TEST(ButtonsTest, EachButtonDoesItsOwnThing)
{
    const struct {
        ControlId button;
        std::vector<std::string> expected;
    } cases[] = {
        {ControlId::Command1, {"OpenDocument window null D:\\Disc\\un.html null D:\\Disc\\ 1", "StopTimer"}},
        {ControlId::Command2, {"OpenDocument window null D:\\Disc\\deux.html null D:\\Disc\\ 1", "StopTimer"}},
        {ControlId::Command4, {"StartProgram D:\\Disc\\un.exe 1", "StopTimer"}},
        {ControlId::Command5, {"StartProgram D:\\Disc\\deux.exe 1", "StopTimer"}},
        {ControlId::Command3, {"EndProgram"}},
    };
    for (const auto& c : cases) {
        Menu menu("fichier1=un.html\nfichier2=deux.html\nexe1=un.exe\nexe2=deux.exe\n");
        menu.form.Load();
        menu.TakeCalls();
        menu.form.Click(c.button);
        EXPECT_EQ(menu.TakeCalls(), c.expected) << testing::NameOf(c.button);
    }
}

TEST(ButtonsTest, LaunchButtonCancelsTheAutomaticSequence)
{
    for (int pressedOnTick : {1, 3}) { // before the launch, and between launch and exit
        Menu menu("timer auto=2\narret auto=7\ncmdfich1=Voir\n");
        menu.form.Load();
        menu.RunTicks(pressedOnTick);
        menu.form.Click(ControlId::Command1);
        EXPECT_EQ(menu.form.Sequence(menu.window.timerRuns, false), AutoSequence::Stopped);
        // The front end raises no tick once stopped, so nothing more can happen.
        EXPECT_TRUE(menu.RunTicks(60).empty());
        EXPECT_EQ(menu.host.ended, 0);
    }
}

TEST(ButtonsTest, ProgramThatCannotStartLeavesTheTimerAlone)
{
    Menu menu("cmdexe2=Lancer\n"); // exe2 defaults to index.html, not a program
    menu.form.Load();
    menu.host.failStart = true;
    menu.TakeCalls();
    EXPECT_THROW(menu.form.Click(ControlId::Command5), HostError);
    EXPECT_EQ(menu.TakeCalls(), (std::vector<std::string>{"StartProgram D:\\Disc\\index.html 1"}));
    EXPECT_TRUE(menu.window.timerRuns);
}

TEST(ButtonsTest, PressingTwiceOpensTwice)
{
    Menu menu("cmdfich2=Voir\n");
    menu.form.Load();
    menu.TakeCalls();
    menu.form.Click(ControlId::Command2);
    menu.form.Click(ControlId::Command2);
    const auto calls = menu.TakeCalls();
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("OpenDocument", 0) == 0; }), 2);
}

} // namespace
} // namespace discmenu
