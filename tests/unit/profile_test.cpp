#include <gtest/gtest.h>

#include "fake_host.h"
#include "settings/profile.h"

namespace discmenu {
namespace {

using testing::FakeHost;

TEST(CutAtNulTest, CutsAtTheFirstNul)
{
    EXPECT_EQ(CutAtNul(std::string("abc\0\0\0", 6)), "abc");
    EXPECT_EQ(CutAtNul(std::string("\0abc", 4)), "");
    EXPECT_EQ(CutAtNul(std::string("a\0b\0", 4)), "a");
}

TEST(ProfileReaderTest, PrepareSetsPathAndTemplate)
{
    FakeHost host;
    ProfileReader profile(host);
    profile.Prepare("D:\\");
    EXPECT_EQ(profile.IniPath(), "D:\\auto.ini"); // the root keeps its single separator
    EXPECT_EQ(profile.NulTemplate(), std::string(64, '\0'));
    profile.Prepare("/media/cdrom/");
    EXPECT_EQ(profile.IniPath(), "/media/cdrom/auto.ini");
}

TEST(ProfileReaderTest, ReadAfterALongerReadShowsOnlyItsOwnValue)
{
    FakeHost host;
    host.files["D:\\auto.ini"] = "[parametres]\ntitre=" + std::string(70, 'L') + "\nimage=a.bmp\n";
    ProfileReader profile(host);
    profile.Prepare("D:\\");
    EXPECT_EQ(profile.ReadSetting("titre", "", 64), std::string(63, 'L'));
    EXPECT_EQ(profile.ReadSetting("image", "", 16), "a.bmp");
    EXPECT_EQ(profile.ReadBuffer(), std::string("a.bmp") + std::string(59, '\0'));
}

TEST(ProfileReaderTest, EachReadSizeAtAndPastItsLimit)
{
    for (int size : {16, 32, 48, 64}) {
        FakeHost host;
        const std::string fits(size - 1, 'f'), tooLong(size + 5, 't');
        host.files["D:\\auto.ini"] = "[parametres]\nfits=" + fits + "\nlong=" + tooLong + "\n";
        ProfileReader profile(host);
        profile.Prepare("D:\\");
        EXPECT_EQ(profile.ReadSetting("fits", "", size), fits) << size;
        EXPECT_EQ(profile.ReadSetting("long", "", size), tooLong.substr(0, size - 1)) << size;
        EXPECT_EQ(profile.ReadSetting("missing", "dflt", size), "dflt") << size;
    }
}

TEST(ProfileReaderTest, NulInAValueEndsIt)
{
    FakeHost host;
    host.files["D:\\auto.ini"] = std::string("[parametres]\ntitre=ab\0cd\n", 25);
    ProfileReader profile(host);
    profile.Prepare("D:\\");
    EXPECT_EQ(profile.ReadSetting("titre", "", 64), "ab");
}

TEST(ProfileReaderTest, MultiByteTextKeepsAllItsCharacters)
{
    FakeHost host;
    host.files["D:\\auto.ini"] = "[parametres]\ntitre=" + std::string(63, '\xe9') + "\n"; // 63 x "é" in Windows-1252
    ProfileReader profile(host);
    profile.Prepare("D:\\");
    std::string expected;
    for (int i = 0; i < 63; ++i) expected += "\u00e9";
    EXPECT_EQ(profile.ReadSetting("titre", "", 64), expected);
}

} // namespace
} // namespace discmenu
