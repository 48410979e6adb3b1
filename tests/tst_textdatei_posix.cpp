// Text-file output on POSIX systems: pipes and devices in a file's place,
// permissions, other programs appending at the same time.
#include "platform/textdatei.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TextdateiPosix : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = fs::temp_directory_path() / ("quadrix-posix-" + std::to_string(::getpid()));
        fs::remove_all(ordner);
        fs::create_directories(ordner);
    }
    void TearDown() override { fs::remove_all(ordner); }
    static std::string lies(const fs::path& p)
    {
        std::ifstream f(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    fs::path ordner;
};

const std::string Zeile = "Wald\t5818/3/3/2/1/1\r\n";

// Nobody reads the pipe: writing would wait for ever. Refused at once.
TEST_F(TextdateiPosix, PipeInPlaceOfTheFileIsRefusedWithoutBlocking)
{
    const fs::path p = ordner / "fundorte.txt";
    ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
    EXPECT_EQ(textdatei::anhaengen(p, Zeile).ursache, textdatei::Ursache::KeineDatei);
    EXPECT_EQ(textdatei::ersetzen(p, Zeile).ursache, textdatei::Ursache::KeineDatei);
    EXPECT_TRUE(fs::is_fifo(p));
}

TEST_F(TextdateiPosix, LinkToADeviceIsRefused)
{
    const fs::path p = ordner / "fundorte.txt";
    fs::create_symlink("/dev/null", p);
    EXPECT_EQ(textdatei::anhaengen(p, Zeile).ursache, textdatei::Ursache::KeineDatei);
}

TEST_F(TextdateiPosix, ReplaceKeepsThePermissions)
{
    const fs::path p = ordner / "r.txt";
    std::ofstream(p) << "alt\r\n";
    fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(textdatei::ersetzen(p, "Kopf\r\n"));
    EXPECT_EQ(fs::status(p).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(lies(p), "Kopf\r\n");
}

// Another program appends while we do: every line arrives whole, none is
// written over.
TEST_F(TextdateiPosix, AppendsFromTwoWritersInterleaveWholeLines)
{
    const fs::path p = ordner / "a.txt";
    std::ofstream(p) << "Kopf\r\n";
    const int fremd = ::open(p.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(fremd, 0);
    const std::string andere = "Fremd\r\n";
    std::thread t([&] {
        for (int i = 0; i < 200; ++i)
            ASSERT_EQ(::write(fremd, andere.data(), andere.size()), ssize_t(andere.size()));
    });
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(textdatei::anhaengen(p, Zeile));
    t.join();
    ::close(fremd);
    const std::string inhalt = lies(p);
    EXPECT_EQ(inhalt.size(), 6 + 200 * (Zeile.size() + andere.size()));
    std::size_t zeilen = 0;
    for (std::size_t pos = 6; pos < inhalt.size(); ++zeilen) {
        const bool ok = inhalt.compare(pos, Zeile.size(), Zeile) == 0 || inhalt.compare(pos, andere.size(), andere) == 0;
        ASSERT_TRUE(ok) << "at byte " << pos;
        pos += inhalt.compare(pos, Zeile.size(), Zeile) == 0 ? Zeile.size() : andere.size();
    }
    EXPECT_EQ(zeilen, 400u);
}

}  // namespace
