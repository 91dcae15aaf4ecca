// Same reading as Windows: inside one Windows process, every settings file of a corpus is
// read with the system's GetPrivateProfileStringA, with our portable IniFile and through
// Win32Host::ReadProfileString, at every read size from 1 to 64, and the texts must match.
//
// Usage: same_reading.exe DIRECTORY   (a writable Windows directory for the corpus files)
// Prints one line per mismatch and a summary; exit status 1 on any mismatch.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "host/host_win32.h"
#include "settings/ini_file.h"
#include "settings/profile.h"

namespace {

using namespace discmenu;

constexpr int kLargestReadSize = 64;
constexpr char kDefault[] = "DEF";

struct Query {
    std::string Section;
    std::string Key;
    std::string Default = kDefault;
};

struct FileCase {
    std::string Name;
    std::string Bytes; // the file, byte for byte
    std::vector<Query> Queries;
};

// A case whose file is never written: every read must give its default.
constexpr char kMissingFile[] = "missing";

// Where Wine is known to read differently from Windows. Wine copies a quoted value with its
// closing quote, then drops the last character copied (PROFILE_CopyEntry); when the cut
// falls exactly on the closing quote, that drops a character of the value: "a b" read at
// size 4 gives "a " on Wine, "a b" on Windows. Windows' result is the one we follow, so on
// Wine these reads are checked against it and counted as skipped. (The quoted values of the
// corpus are ASCII, so bytes count as characters here.)
std::optional<std::string> WindowsWhereWineCutsQuotesShort(std::optional<std::string_view> raw, int size)
{
    if (!raw || raw->size() < 2) return std::nullopt;
    const char quote = raw->front();
    const bool quoted = (quote == '"' || quote == '\'') && raw->back() == quote;
    if (!quoted || raw->size() - 1 != static_cast<std::size_t>(size)) return std::nullopt;
    return std::string(raw->substr(1, raw->size() - 2));
}

std::string Repeat(char c, int count) { return std::string(static_cast<std::size_t>(count), c); }

// "0123456789abcdef..." of the given length, so every cut shows where it fell.
std::string Counting(int length)
{
    static const std::string kDigits = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string text;
    for (int i = 0; i < length; ++i) text += kDigits[static_cast<std::size_t>(i) % kDigits.size()];
    return text;
}

// A Latin-1 text as a Unicode settings file: the byte-order mark, then two bytes a character.
std::string Utf16LittleEndian(const std::string& latin1)
{
    std::string bytes = "\xFF\xFE";
    for (char c : latin1) bytes += std::string{c, '\0'};
    return bytes;
}

std::vector<Query> Keys(const std::string& section, std::initializer_list<const char*> keys)
{
    std::vector<Query> queries;
    for (const char* key : keys) queries.push_back({section, key});
    return queries;
}

// Values of every length around the cut points of the reads (16, 32, 48 and 64), bare and quoted.
FileCase LimitsCase()
{
    FileCase limits{"limits", "[parametres]\r\n", {}};
    for (int length : {1, 2, 14, 15, 16, 17, 30, 31, 32, 33, 46, 47, 48, 49, 62, 63, 64, 65, 70}) {
        const std::string bare = "bare" + std::to_string(length), quoted = "quoted" + std::to_string(length);
        limits.Bytes += bare + "=" + Counting(length) + "\r\n";
        limits.Bytes += quoted + "=\"" + Counting(length) + "\"\r\n";
        limits.Queries.push_back({"parametres", bare});
        limits.Queries.push_back({"parametres", quoted});
    }
    return limits;
}

FileCase DefaultsCase()
{
    FileCase defaults{"defaults", "[parametres]\r\npresent=here\r\n", {}};
    for (const char* value : {"", "def", "def  ", "  def", "a b  ", "tab\t", "\"open", "x ", "trail \t "})
        defaults.Queries.push_back({"parametres", "absent", value});
    defaults.Queries.push_back({"parametres", "absent", Counting(70)});
    defaults.Queries.push_back({"parametres", "absent", Counting(40) + "    "});
    defaults.Queries.push_back({"autre", "present", "other section"});
    return defaults;
}

std::vector<FileCase> Corpus()
{
    const std::string lines = "[parametres]%a=1%b = two %c=\"three\"%[autre]%a=other%";
    auto withEndings = [&](const std::string& ending) {
        std::string text;
        for (char c : lines) text += c == '%' ? ending : std::string(1, c);
        return text;
    };
    std::vector<FileCase> corpus = {
        {"quotes",
         "[parametres]\r\ndq=\"a b\"\r\nsq='a b'\r\nmixed=\"a b'\r\nlone=\"\r\nloneSingle='\r\nempty=\"\"\r\n"
         "emptySingle=''\r\ninner=a\"b\"c\r\nopenOnly=\"abc\r\ncloseOnly=abc\"\r\npadded=  \" x \"  \r\n"
         "nested=\"\"a\"\"\r\nblank=\" \"\r\nquoteInside=\"a\"b\"\r\n",
         Keys("parametres", {"dq", "sq", "mixed", "lone", "loneSingle", "empty", "emptySingle", "inner", "openOnly",
                             "closeOnly", "padded", "nested", "blank", "quoteInside"})},
        {"blanks",
         "  [ parametres ]  \r\n  titre   =   Vacances d'ete   \r\n\ttab\t=\tvaleur\t\r\ntaille police = 40\r\n"
         "inner = a  b  c  \r\nspaceonly =    \r\nvtab=\va\v\r\nformfeed=\fb\f\r\nctrlz=\x1a" "c\x1a\r\n"
         "keyTrailing  =x\r\ntaille  police=two blanks\r\n",
         Keys("parametres", {"titre", "tab", "taille police", "inner", "spaceonly", "vtab", "formfeed", "ctrlz",
                             "keyTrailing", "taille  police"})},
        {"case", "[PaRaMeTrEs]\r\nTiTrE=Mixed\r\nimage=lower\r\n",
         {{"parametres", "titre"}, {"PARAMETRES", "TITRE"}, {"parametres", "IMAGE"}, {"Parametres", "Image"}}},
        {"duplicates",
         "[parametres]\r\nk=first\r\nk=second\r\n[autre]\r\nk=other\r\nonly=autre\r\n[parametres]\r\n"
         "k=third\r\nlate=second block\r\n[PARAMETRES]\r\nlater=third block\r\n",
         {{"parametres", "k"}, {"parametres", "late"}, {"parametres", "later"}, {"parametres", "only"},
          {"autre", "k"}, {"autre", "only"}}},
        {"comments",
         "[parametres]\r\n;k=commented\r\nk=real\r\n  ; c2=x\r\n#h=hash\r\nj=a ; not a comment\r\n;[autre]\r\n"
         "m=after\r\n",
         Keys("parametres", {"k", "c2", "#h", "j", "m"})},
        {"noEquals", "[parametres]\r\nk\r\nempty=\r\nblank=   \r\n  lonely  \r\n=novalue\r\nafter=1\r\n",
         Keys("parametres", {"k", "empty", "blank", "lonely", "after"})},
        {"crlf", withEndings("\r\n"), Keys("parametres", {"a", "b", "c"})},
        {"lf", withEndings("\n"), Keys("parametres", {"a", "b", "c"})},
        {"crOnly", withEndings("\r"), Keys("parametres", {"a", "b", "c"})},
        {"mixedEndings", "[parametres]\r\na=1\nb=2\rc=3\r\n\r\n\n\rd=4", Keys("parametres", {"a", "b", "c", "d"})},
        {"noFinalNewline", "[parametres]\r\na=last", Keys("parametres", {"a"})},
        LimitsCase(),
        {kMissingFile, "", {{"parametres", "titre"}, {"parametres", "titre", "Mes Photos"}, {"x", "y", "def  "}}},
        {"missingSectionAndKey", "[autre]\r\ntitre=no\r\n[parametres]\r\nson=x\r\n",
         {{"parametres", "titre"}, {"nulle", "titre"}, {"parametres", "son"}}},
        {"emptyFile", "", Keys("parametres", {"titre"})},
        DefaultsCase(),
        {"headerTrailingText",
         "[parametres] ; menu\r\na=1\r\n[autre]junk\r\nb=2\r\n[third]]x\r\nc=3\r\n",
         {{"parametres", "a"}, {"autre", "b"}, {"third", "c"}, {"third]", "c"}}},
        {"headerWithoutClose", "[parametres\r\nk=1\r\n[autre]\r\n[parametres]\r\n[broken\r\nk=2\r\n",
         {{"parametres", "k"}, {"parametres", "[broken"}, {"autre", "k"}}},
        {"orphanKeys", "k=orphan\r\n\r\n[parametres]\r\nk=in\r\n", Keys("parametres", {"k"})},
        {"equalsInValue", "[parametres]\r\nk=a=b\r\na]b=1\r\n==2\r\n", Keys("parametres", {"k", "a]b"})},
        {"windows1252",
         "[parametres]\r\ntitre=\xe9t\xe9 \x80 \x9c\r\ncl\xe9=v\r\nlong=" + Repeat('\xe9', 70) + "\r\n",
         {{"parametres", "titre"}, {"parametres", "cl\xc3\xa9"}, {"parametres", "long"}}},
        {"nulInValue", std::string("[parametres]\r\nk=a") + '\0' + "b\r\nm=after\r\n", Keys("parametres", {"k", "m"})},
        {"longLine", "[parametres]\r\nbig=" + Counting(3000) + "\r\nnext=ok\r\n", Keys("parametres", {"big", "next"})},
        {"utf16", Utf16LittleEndian("[parametres]\r\ntitre=\xe9t\xe9\r\nlong=" + Repeat('\xe9', 70) + "\r\n"),
         Keys("parametres", {"titre", "long"})},
    };
    return corpus;
}

bool UnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

std::string Visible(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out + "\"";
}

std::string SystemRead(const Query& q, int size, const std::string& path)
{
    char buffer[kLargestReadSize] = {};
    GetPrivateProfileStringA(Utf8ToAnsi(q.Section).c_str(), Utf8ToAnsi(q.Key).c_str(),
                             Utf8ToAnsi(q.Default).c_str(), buffer, static_cast<DWORD>(size),
                             Utf8ToAnsi(path).c_str());
    return AnsiToUtf8(std::string(buffer, kLargestReadSize));
}

std::string HostRead(Win32Host& host, const Query& q, int size, const std::string& path)
{
    std::string buffer(kLargestReadSize, '\0');
    host.ReadProfileString(q.Section, q.Key, q.Default, buffer, size, path);
    return buffer;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    FILE* file = _wfopen(Utf8ToWide(path).c_str(), L"wb");
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(2);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

struct Tally {
    int Compared = 0, Skipped = 0, Mismatches = 0;
};

void ReportMismatch(const FileCase& file, const Query& q, int size, const std::string& windows,
                    const std::string& ours, const std::string& host, Tally& tally)
{
    ++tally.Mismatches;
    std::printf("MISMATCH %s [%s] %s default=%s size=%d: windows=%s ours=%s host=%s\n", file.Name.c_str(),
                q.Section.c_str(), Visible(q.Key).c_str(), Visible(q.Default).c_str(), size, Visible(windows).c_str(),
                Visible(ours).c_str(), Visible(host).c_str());
}

void CompareRead(Win32Host& host, IniFile& reader, const FileCase& file, const Query& q, int size,
                 const std::string& path, Tally& tally)
{
    const std::string ours = CutAtNul(reader.GetString(q.Section, q.Key, q.Default, size));
    const std::string hosted = CutAtNul(HostRead(host, q, size, path));
    const std::string system = CutAtNul(SystemRead(q, size, path));
    if (UnderWine()) {
        if (const auto windows = WindowsWhereWineCutsQuotesShort(reader.Find(q.Section, q.Key), size)) {
            ++tally.Skipped;
            std::printf("SKIP on Wine, closing quote at the cut: %s %s size=%d: wine=%s windows=%s\n",
                        file.Name.c_str(), Visible(q.Key).c_str(), size, Visible(system).c_str(),
                        Visible(*windows).c_str());
            if (ours != *windows) ReportMismatch(file, q, size, *windows, ours, "(not compared)", tally);
            return;
        }
    }
    ++tally.Compared;
    if (system != ours || system != hosted) ReportMismatch(file, q, size, system, ours, hosted, tally);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: same_reading DIRECTORY\n");
        return 2;
    }
    // The corpus's 8-bit files are Windows-1252, what our reader assumes: so must Windows be.
    if (GetACP() != 1252) {
        std::fprintf(stderr, "the ANSI code page is %u, not 1252\n", GetACP());
        return 2;
    }
    const std::string directory = AnsiToUtf8(argv[1]);
    Win32Host host;
    Tally tally;
    for (const FileCase& file : Corpus()) {
        const std::string path = directory + "\\" + file.Name + ".ini";
        if (file.Name != kMissingFile) WriteFile(path, file.Bytes);
        IniFile reader(file.Name != kMissingFile ? file.Bytes : std::string());
        for (const Query& q : file.Queries)
            for (int size = 1; size <= kLargestReadSize; ++size) CompareRead(host, reader, file, q, size, path, tally);
    }
    std::printf("%d reads compared, %d mismatches, %d skipped%s\n", tally.Compared, tally.Mismatches,
                tally.Skipped, UnderWine() ? " (under Wine)" : "");
    return tally.Mismatches == 0 && tally.Compared > 0 ? 0 : 1;
}
