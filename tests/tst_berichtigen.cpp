// Corrections of a find-location file: the file is replaced as a whole only
// while it still holds what was read, the previous version is kept, and any
// failure leaves the file byte for byte as it was.
#include "platform/textdatei.h"

#include "testplattform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

class Berichtigen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = fs::temp_directory_path() /
                 ("quadrix-berichtigen-" + std::to_string(testplattform::prozessnummer()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        datei = ordner / "Funde.txt";
        sicherung = ordner / "Funde.txt.bak";
    }
    void TearDown() override
    {
        for (const auto& e : fs::directory_iterator(ordner))
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
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
    long dateien() const { return std::distance(fs::directory_iterator(ordner), fs::directory_iterator()); }
    fs::path ordner, datei, sicherung;
};

const std::string Alt = "Kopf\r\nWald\t5818\r\nWiese\t5819\r\n";
const std::string Neu = "Kopf\r\nWald\t5818\r\nWeide\t5819\r\n";

TEST_F(Berichtigen, ReplacesAndKeepsThePreviousVersion)
{
    schreib(datei, Alt);
    schreib(sicherung, "eine ältere Sicherung\r\n");
    ASSERT_TRUE(textdatei::berichtigen(datei, Alt, Neu, sicherung));
    EXPECT_EQ(lies(datei), Neu);
    EXPECT_EQ(lies(sicherung), Alt);
    EXPECT_EQ(dateien(), 2);  // nothing left beside them
}

#ifndef _WIN32
TEST_F(Berichtigen, KeepsThePermissions)
{
    schreib(datei, Alt);
    fs::permissions(datei, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(textdatei::berichtigen(datei, Alt, Neu, sicherung));
    EXPECT_EQ(fs::status(datei).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

// What stands on the disk when the correction is asked, and what must be
// there afterwards: the file untouched and nothing written beside it.
TEST_F(Berichtigen, RefusesWhenTheFileChangedSinceItWasRead)
{
    const struct {
        const char* name;
        const char* aufPlatte;  // nullptr: removed meanwhile
    } faelle[] = {
        {"a record appended by another program", "Kopf\r\nWald\t5818\r\nWiese\t5819\r\nMoor\t5820\r\n"},
        {"a line changed in an editor", "Kopf\r\nWald\t5818\r\nWiesen\t5819\r\n"},
        {"cut short", "Kopf\r\nWald\t5818\r\n"},
        {"removed", nullptr},
    };
    for (const auto& f : faelle) {
        fs::remove(datei);
        fs::remove(sicherung);
        if (f.aufPlatte)
            schreib(datei, f.aufPlatte);
        const auto e = textdatei::berichtigen(datei, Alt, Neu, sicherung);
        EXPECT_EQ(e.ursache, textdatei::Ursache::Geaendert) << f.name;
        if (f.aufPlatte)
            EXPECT_EQ(lies(datei), f.aufPlatte) << f.name;
        else
            EXPECT_FALSE(fs::exists(datei)) << f.name;
        EXPECT_EQ(dateien(), f.aufPlatte ? 1 : 0) << f.name;
    }
}

TEST_F(Berichtigen, NeverReplacesAFileThatMayNotBeWritten)
{
    if (testplattform::schreibtAlles())
        GTEST_SKIP() << "this user may write every file (root); ctest runs this as an ordinary user too";
    schreib(datei, Alt);
    fs::permissions(datei, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(textdatei::berichtigen(datei, Alt, Neu, sicherung).ursache, textdatei::Ursache::KeineBerechtigung);
    EXPECT_EQ(lies(datei), Alt);
    EXPECT_EQ(dateien(), 1);
}

// The disk fills up while the new version is written: the file keeps its
// bytes and no half-written file stays beside it.
TEST_F(Berichtigen, FullDiskLeavesTheFileAsItWas)
{
    schreib(datei, Alt);
    const std::string laenger = Neu + "Moor\t5820\r\n";
    textdatei::Ergebnis e;
    {
        const testplattform::Groessengrenze grenze(static_cast<long long>(Alt.size()));
        if (!grenze.aktiv())
            GTEST_SKIP() << "no file-size limit on this platform";
        e = textdatei::berichtigen(datei, Alt, laenger, sicherung);
    }
    EXPECT_EQ(e.ursache, textdatei::Ursache::DatentraegerVoll);
    EXPECT_EQ(lies(datei), Alt);
    for (const auto& f : fs::directory_iterator(ordner))
        EXPECT_TRUE(f.path() == datei || f.path() == sicherung) << f.path();
}

#ifndef _WIN32
// Another process appends records the whole time while corrections are
// made, each on what was read just before: every appended record is in
// the file at the end, once, and every correction either landed or was
// refused as Geaendert.
TEST_F(Berichtigen, NothingAppendedMeanwhileIsLost)
{
    schreib(datei, "Kopf\r\n");
    const int anzahl = 600;
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        for (int i = 0; i < anzahl; ++i) {
            const std::string z = "angehaengt " + std::to_string(i) + "\r\n";
            if (!textdatei::anhaengen(datei, z))
                ::_exit(1);
            ::usleep(i % 10 == 9 ? 15000 : 100);  // in bursts, as people save
        }
        ::_exit(0);
    }
    int gelandet = 0, abgelehnt = 0, runde = 0;
    int status = 0;
    for (; ::waitpid(kind, &status, WNOHANG) == 0; ++runde) {
        std::string gelesen;
        ASSERT_TRUE(textdatei::lies(datei, gelesen));
        // The correction: the header line written anew, as a marker of the round.
        const std::string neu = "Kopf " + std::to_string(runde) + gelesen.substr(gelesen.find("\r\n"));
        const auto e = textdatei::berichtigen(datei, gelesen, neu, sicherung);
        if (e)
            ++gelandet;
        else if (e.ursache == textdatei::Ursache::Geaendert)
            ++abgelehnt;
        else
            ADD_FAILURE() << textdatei::satz(e);
    }
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string ende = lies(datei);
    std::multiset<std::string> zeilen;
    for (std::size_t i = 0, e; (e = ende.find("\r\n", i)) != std::string::npos; i = e + 2)
        zeilen.insert(ende.substr(i, e - i));
    for (int i = 0; i < anzahl; ++i)
        EXPECT_EQ(zeilen.count("angehaengt " + std::to_string(i)), 1u) << i;
    EXPECT_GT(gelandet, 5);
    EXPECT_EQ(gelandet + abgelehnt, runde);
}

// The moment the stress test above hits only now and then, made to happen:
// a correction holds the old file's lock and puts the new file in place
// while an append has already opened the old one. The append waits, and
// its record lands in the new file.
TEST_F(Berichtigen, AnAppendWaitingForTheRenameGoesToTheNewFile)
{
    schreib(datei, "Kopf\r\n");
    const int alt = ::open(datei.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(alt, 0);
    ASSERT_EQ(::flock(alt, LOCK_EX), 0);
    std::atomic<bool> fertig = false;
    textdatei::Ergebnis e;
    std::thread anhaengen([&] {
        e = textdatei::anhaengen(datei, "neu\r\n");
        fertig = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(fertig) << "the append did not wait for the lock";
    schreib(ordner / "neu", "Kopf berichtigt\r\n");
    fs::rename(ordner / "neu", datei);
    ::close(alt);
    anhaengen.join();
    EXPECT_TRUE(e) << textdatei::satz(e);
    EXPECT_EQ(lies(datei), "Kopf berichtigt\r\nneu\r\n");
}

// An append that holds the lock longer than anyone should is not waited
// for without end: the correction gives up with InBenutzung and leaves the
// file as it was.
TEST_F(Berichtigen, ALockHeldForeverRefusesTheCorrection)
{
    schreib(datei, Alt);
    const int fremd = ::open(datei.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fremd, 0);
    ASSERT_EQ(::flock(fremd, LOCK_EX), 0);
    const auto e = textdatei::berichtigen(datei, Alt, Neu, sicherung);
    ::close(fremd);
    EXPECT_EQ(e.ursache, textdatei::Ursache::InBenutzung);
    EXPECT_EQ(lies(datei), Alt);
    EXPECT_TRUE(textdatei::anhaengen(datei, "danach\r\n"));
}
#endif

}  // namespace
