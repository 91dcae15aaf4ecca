#include <gtest/gtest.h>

#include <string>

#include "settings/ini_file.h"

namespace discmenu {
namespace {

struct ReadCase {
    const char* name;
    std::string file;
    const char* key;
    const char* defaultValue;
    int size;
    std::string expected;
};

const std::string kHeader = "[parametres]\r\n";

// `latin1` as UTF-16 bytes behind their byte-order mark.
std::string Utf16(std::string_view latin1, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : latin1) {
        bytes += bigEndian ? '\0' : c;
        bytes += bigEndian ? c : '\0';
    }
    return bytes;
}

// Keeps test listings to the case's name rather than its bytes.
void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, DeliversWhatTheWindowsReaderDelivers)
{
    const ReadCase& c = GetParam();
    IniFile ini(c.file);
    EXPECT_EQ(ini.GetString("parametres", c.key, c.defaultValue, c.size), c.expected);
}

const ReadCase kReadCases[] = {
    {"Plain", kHeader + "titre=Vacances\r\n", "titre", "X", 64, "Vacances"},
    {"KeyWithInnerBlank", kHeader + "taille police=40\r\n", "taille police", "56", 64, "40"},
    {"InnerBlankIsPartOfTheName", kHeader + "taillepolice=40\r\n", "taille police", "56", 64, "56"},
    {"KeyCaseIgnored", kHeader + "TITRE=a\r\n", "titre", "X", 64, "a"},
    {"SectionCaseIgnored", "[PARAMETRES]\ntitre=a\n", "titre", "X", 64, "a"},
    {"SectionMatchedWhole", "[parametres2]\ntitre=a\n", "titre", "X", 64, "X"},
    {"KeyMatchedWhole", kHeader + "titre2=a\ntitr=b\n", "titre", "X", 64, "X"},
    {"BlanksAroundNamesAndValues", "  [ parametres ]  \n \t titre \t=  a b  \n", "titre", "X", 64, "a b"},
    {"DoubleQuotesRemoved", kHeader + "titre=\" a \"\n", "titre", "X", 64, " a "},
    {"SingleQuotesRemoved", kHeader + "titre='a'\n", "titre", "X", 64, "a"},
    {"OnlyOnePairRemoved", kHeader + "titre=\"\"a\"\"\n", "titre", "X", 64, "\"a\""},
    {"UnmatchedQuotesKept", kHeader + "titre=\"a'\n", "titre", "X", 64, "\"a'"},
    {"LoneQuoteKept", kHeader + "titre=\"\n", "titre", "X", 64, "\""},
    {"EmptyQuotesGiveEmpty", kHeader + "titre=\"\"\n", "titre", "X", 64, ""},
    {"EmptyValueIsNotTheDefault", kHeader + "titre=\n", "titre", "X", 64, ""},
    {"KeyWithoutEqualsGivesDefault", kHeader + "titre\n", "titre", "X", 64, "X"},
    {"CommentLineIgnored", kHeader + ";titre=a\ntitre=b\n", "titre", "X", 64, "b"},
    {"SemicolonInsideValueKept", kHeader + "titre=a;b\n", "titre", "X", 64, "a;b"},
    {"FirstKeyWins", kHeader + "titre=a\ntitre=b\n", "titre", "X", 64, "a"},
    {"FirstSectionWins", "[parametres]\nson=x\n[autre]\ntitre=b\n[parametres]\ntitre=c\n", "titre", "X", 64, "X"},
    {"OtherSectionIgnored", "[autre]\ntitre=a\n", "titre", "X", 64, "X"},
    {"KeysBeforeAnySectionIgnored", "titre=a\n[parametres]\n", "titre", "X", 64, "X"},
    {"HeaderWithTrailingComment", "[parametres] ; menu\ntitre=a\n", "titre", "X", 64, "a"},
    {"HeaderWithoutBracketIsNotAHeader", "[parametres]\n[x\ntitre=a\n", "titre", "X", 64, "a"},
    {"LfEndings", "[parametres]\nson=s\ntitre=a\n", "titre", "X", 64, "a"},
    {"CrOnlyEndings", "[parametres]\rson=s\rtitre=a\r", "titre", "X", 64, "a"},
    {"NoFinalNewline", "[parametres]\ntitre=a", "titre", "X", 64, "a"},
    {"MissingFile", "", "titre", "Mes Photos", 64, "Mes Photos"},
    {"DefaultLosesTrailingBlanks", "", "titre", "a b  ", 64, "a b"},
    {"DefaultKeepsLeadingBlanks", "", "titre", "  a", 64, "  a"},
    {"DefaultCut", "", "image", "pelorine_long.bmp", 16, "pelorine_long.b"},
    {"ValueAtLimitWhole", kHeader + "image=123456789012345\n", "image", "X", 16, "123456789012345"},
    {"ValuePastLimitCut", kHeader + "image=1234567890123456\n", "image", "X", 16, "123456789012345"},
    {"QuotedValueCutAfterUnquoting", kHeader + "image=\"123456789012345\"\n", "image", "X", 16, "123456789012345"},
    {"Windows1252Decoded", kHeader + "titre=No\xebl \x80\n", "titre", "X", 64, "No\u00ebl \u20ac"},
    {"Windows1252CutByCharacters", kHeader + "image=\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\n",
     "image", "X", 16, "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"},
    {"Utf8MarkSkipped", "\xEF\xBB\xBF[parametres]\ntitre=No\xc3\xabl\n", "titre", "X", 64, "No\u00ebl"},
    // 15 bytes of UTF-8 end inside the eighth "é": the cut backs off to seven.
    {"Utf8CutNeverSplitsACharacter", "\xEF\xBB\xBF[parametres]\nimage=a\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\n",
     "image", "X", 16, "a\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"},
    {"MalformedUtf8Replaced", "\xEF\xBB\xBF[parametres]\ntitre=a\xff" "b\n", "titre", "X", 64, "a\ufffd" "b"},
    {"Utf16LittleEndian", Utf16("[parametres]\r\ntitre=\xe9t\xe9\r\n", false), "titre", "X", 64, "\u00e9t\u00e9"},
    {"Utf16BigEndian", Utf16("[parametres]\ntitre=\xe9t\xe9\n", true), "titre", "X", 64, "\u00e9t\u00e9"},
    {"Utf16CutByCharacters", Utf16("[parametres]\nimage=\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\xe9\n", false),
     "image", "X", 16, "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"},
    {"NulInsideValueKeptForTheCaller", kHeader + std::string("titre=a\0b\n", 10), "titre", "X", 64, std::string("a\0b", 3)},
};

INSTANTIATE_TEST_SUITE_P(Reads, IniReadTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IniFileTest, EveryReadSizeDeliversAtMostSizeMinusOne)
{
    const std::string value(80, 'v');
    IniFile ini(kHeader + "titre=" + value + "\n");
    for (int size : {1, 16, 32, 48, 64}) {
        EXPECT_EQ(ini.GetString("parametres", "titre", "", size), value.substr(0, size - 1)) << size;
    }
    EXPECT_EQ(ini.GetString("parametres", "titre", "", 0), "");
}

TEST(IniFileTest, AccentedNamesMatchAcrossCaseInEitherEncoding)
{
    IniFile utf8("\xEF\xBB\xBF[\xc3\x89t\xc3\xa9]\ncl\xc3\xa9=v\n");
    EXPECT_EQ(utf8.GetString("\xc3\xa9t\xc3\x89", "CL\xc3\x89", "d", 64), "v");
    IniFile windows1252("[\xc9t\xe9]\ncl\xe9=v\n");
    EXPECT_EQ(windows1252.GetString("\xc3\xa9t\xc3\x89", "CL\xc3\x89", "d", 64), "v");
    // A name Windows-1252 cannot hold matches nothing in such a file.
    EXPECT_EQ(windows1252.GetString("\xe2\x98\x83", "cl\xc3\xa9", "d", 64), "d");
}

TEST(IniFileTest, FullValueIsUnquotedUncutText)
{
    IniFile ini("[parametres]\ntitre=\"No\xebl " + std::string(80, 'x') + "\"\n");
    EXPECT_EQ(ini.FullValue("parametres", "titre"), "No\u00ebl " + std::string(80, 'x'));
    EXPECT_EQ(ini.FullValue("parametres", "absent"), std::nullopt);
}

TEST(IniFileTest, SectionWithManyKeysStillFindsTheLastOne)
{
    std::string file = kHeader;
    for (int i = 0; i < 150000; ++i) file.append("k").append(std::to_string(i)).append("=").append(std::to_string(i)).append("\n");
    file += "titre=fin\nk5=late\n[autre]\ntitre=no\n";
    IniFile ini(std::move(file));
    EXPECT_EQ(ini.GetString("parametres", "titre", "X", 64), "fin");
    EXPECT_EQ(ini.GetString("parametres", "k5", "X", 64), "5");
    EXPECT_EQ(ini.GetString("parametres", "k149999", "X", 64), "149999");
    EXPECT_EQ(ini.GetString("parametres", "absent", "X", 64), "X");
}

} // namespace
} // namespace discmenu
