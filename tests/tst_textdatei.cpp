// Appending and replacing find-location files: what is on disk afterwards.
#include "platform/textdatei.h"

#include "testplattform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

class Textdatei : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = fs::temp_directory_path() /
                 ("quadrix-textdatei-" + std::to_string(testplattform::prozessnummer()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(ordner);
        fs::create_directories(ordner);
    }
    void TearDown() override
    {
        fs::permissions(ordner, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(ordner);
    }
    static std::string lies(const fs::path& p)
    {
        std::ifstream f(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    static void schreib(const fs::path& p, const std::string& inhalt)
    {
        std::ofstream(p, std::ios::binary) << inhalt;
    }
    fs::path ordner;
};

const std::string Zeile = "Wald\t5818/3/3/2/1/1\r\n";

TEST_F(Textdatei, MissingFileIsCreatedWithoutHeader)
{
    ASSERT_TRUE(textdatei::anhaengen(ordner / "neu.txt", Zeile));
    EXPECT_EQ(lies(ordner / "neu.txt"), Zeile);
}

TEST_F(Textdatei, AppendsAfterWhatIsThere)
{
    schreib(ordner / "a.txt", "Kopf\r\n");
    ASSERT_TRUE(textdatei::anhaengen(ordner / "a.txt", Zeile));
    ASSERT_TRUE(textdatei::anhaengen(ordner / "a.txt", Zeile));
    EXPECT_EQ(lies(ordner / "a.txt"), "Kopf\r\n" + Zeile + Zeile);
}

struct Endfall {
    const char* name;
    std::string vorher;
    std::string nachher;
};

// A record must start a line of its own whatever the file ended with.
TEST_F(Textdatei, LastLineWithoutLineEnd)
{
    const Endfall faelle[] = {
        {"no line end",    "Kopf",       "Kopf\r\n" + Zeile},
        {"half a line end", "Kopf\r",     "Kopf\r\n" + Zeile},
        {"bare LF",        "Kopf\n",     "Kopf\n" + Zeile},
        {"empty file",     "",           Zeile},
    };
    for (const auto& f : faelle) {
        schreib(ordner / "e.txt", f.vorher);
        ASSERT_TRUE(textdatei::anhaengen(ordner / "e.txt", Zeile)) << f.name;
        EXPECT_EQ(lies(ordner / "e.txt"), f.nachher) << f.name;
    }
}

TEST_F(Textdatei, ReplaceLeavesOnlyTheNewContent)
{
    schreib(ordner / "r.txt", "alt\r\nalt\r\n");
    ASSERT_TRUE(textdatei::ersetzen(ordner / "r.txt", "Kopf\r\n"));
    EXPECT_EQ(lies(ordner / "r.txt"), "Kopf\r\n");
}

struct Fehlerfall {
    const char* name;
    fs::path pfad;
    textdatei::Ursache ursache;
};

TEST_F(Textdatei, Failures)
{
    const Fehlerfall faelle[] = {
        {"no file chosen (one blank)", " ",                              textdatei::Ursache::KeinName},
        {"empty path",                 "",                               textdatei::Ursache::KeinName},
        {"folder missing",             ordner / "fehlt" / "x.txt",       textdatei::Ursache::OrdnerFehlt},
        {"path is a folder",           ordner,                           textdatei::Ursache::IstOrdner},
        {"a device, no file",          testplattform::geraet(),          textdatei::Ursache::KeineDatei},
    };
    for (const auto& f : faelle) {
        const auto e = textdatei::anhaengen(f.pfad, Zeile);
        EXPECT_FALSE(e) << f.name;
        EXPECT_EQ(e.ursache, f.ursache) << f.name;
    }
    EXPECT_FALSE(fs::exists(ordner / "fehlt"));
}

TEST_F(Textdatei, ReadOnlyFolder)
{
    const fs::path ro = testplattform::schreibgeschuetzt(ordner);
    if (ro.empty())
        GTEST_SKIP() << "no folder here that nobody may write";
    const auto e = textdatei::anhaengen(ro / "quadrix-test.txt", Zeile);
    EXPECT_EQ(e.ursache, textdatei::Ursache::KeineBerechtigung);
    EXPECT_FALSE(fs::exists(ro / "quadrix-test.txt"));
    EXPECT_EQ(textdatei::ersetzen(ro / "quadrix-test.txt", Zeile).ursache, textdatei::Ursache::KeineBerechtigung);
}

// The rename that replaces a file needs only the folder's permission: a
// file this user may not write used to be replaced all the same.
TEST_F(Textdatei, ReplaceRefusesAFileThatMayNotBeWritten)
{
    if (testplattform::schreibtAlles())
        GTEST_SKIP() << "this user may write every file (root); ctest runs this as an ordinary user too";
    const fs::path p = ordner / "nurlesen.txt";
    schreib(p, "alt\r\n");
    fs::permissions(p, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto e = textdatei::ersetzen(p, "Kopf\r\n");
    EXPECT_EQ(e.ursache, textdatei::Ursache::KeineBerechtigung);
    EXPECT_EQ(lies(p), "alt\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(ordner), fs::directory_iterator()), 1);
    fs::permissions(p, fs::perms::owner_write, fs::perm_options::add);
}

// A disk that fills up in the middle of a write: whatever the attempt
// began, it takes back. The limit is what the file may grow to.
struct Vollfall {
    const char* name;
    bool ersetzen;         // replace (new-file dialog) or append (saving)
    const char* vorher;    // nullptr: no file there before
    long long grenze;
};

TEST_F(Textdatei, DiskFullLeavesEverythingAsItWas)
{
    const Vollfall faelle[] = {
        {"append, nothing fits",            false, "Kopf\r\n",   6},
        {"append, half the line fits",      false, "Kopf\r\n",   12},
        {"append to a file that vanished",  false, nullptr,      0},
        {"create a new file",               true,  nullptr,      5},
        {"replace after Ja, nothing fits",  true,  "alt\r\nalt\r\nalt\r\nalt\r\nalt\r\n", 0},
        {"replace after Ja, part fits",     true,  "alt\r\nalt\r\nalt\r\nalt\r\nalt\r\n", 8},
    };
    for (const auto& f : faelle) {
        const fs::path p = ordner / "voll.txt";
        fs::remove(p);
        if (f.vorher)
            schreib(p, f.vorher);
        textdatei::Ergebnis e;
        {
            const testplattform::Groessengrenze grenze(f.grenze);
            if (!grenze.aktiv())
                GTEST_SKIP() << "no file-size limit on this platform";
            e = f.ersetzen ? textdatei::ersetzen(p, Zeile + Zeile) : textdatei::anhaengen(p, Zeile);
        }
        EXPECT_EQ(e.ursache, textdatei::Ursache::DatentraegerVoll) << f.name;
        if (f.vorher)
            EXPECT_EQ(lies(p), f.vorher) << f.name;
        else
            EXPECT_FALSE(fs::exists(p)) << f.name;
        // Nothing else is left in the folder either (no half-written file beside it).
        EXPECT_EQ(std::distance(fs::directory_iterator(ordner), fs::directory_iterator()), f.vorher ? 1 : 0) << f.name;
    }
}

TEST_F(Textdatei, ReplaceLeavesNoFileBeside)
{
    schreib(ordner / "r.txt", "alt\r\n");
    ASSERT_TRUE(textdatei::ersetzen(ordner / "r.txt", "Kopf\r\n"));
    ASSERT_TRUE(textdatei::ersetzen(ordner / "neu.txt", "Kopf\r\n"));
    EXPECT_EQ(std::distance(fs::directory_iterator(ordner), fs::directory_iterator()), 2);
}

}  // namespace

// Every system error in German, from one place, for both programs.
TEST(Systemfehler, InGerman)
{
    const struct {
        int fehlernummer;
        bool lesen;
        std::string satz;
    } faelle[] = {
        {ENOENT, true, "Die Datei oder ihr Ordner existiert nicht."},
        {ENOENT, false, "Der Ordner existiert nicht (mehr)."},
        {EACCES, true, "Sie haben keine Berechtigung, diese Datei zu lesen."},
        {EISDIR, true, "Unter diesem Namen gibt es einen Ordner."},
        {ENOSPC, false, "Der Datenträger ist voll, oder die Datei hat die größte erlaubte Länge erreicht."},
        {EIO, true, "Der Datenträger meldet einen Lese- oder Schreibfehler."},
        {EDOM, true, "Das Betriebssystem hat das Lesen mit einem unerwarteten Fehler abgelehnt (Fehlernummer " +
                         std::to_string(EDOM) + ")."},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(textdatei::satz(textdatei::ausErrno(f.fehlernummer), f.lesen), f.satz) << f.fehlernummer;
}
