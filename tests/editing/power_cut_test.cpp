// What a command says it has stored survives a power cut: a bulk edit over
// three tracks on an ext4 file system of its own, which is then stopped as
// a power cut stops it (its log not flushed) two log commits after the
// command returned. Mounted again, every track file holds what the command
// wrote. Needs root and loop devices; skipped with a message without them.
#include "editing/copy_commands.h"

#include "core/piece_commands.h"
#include "editing/edit_fixture.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace tnq {
namespace {

namespace fs = std::filesystem;
using test::Item;

// The file system's stop without its log flushed (ext4's own ioctl).
constexpr unsigned long kShutdown = _IOR('X', 125, unsigned int);
constexpr unsigned int kNoLogFlush = 2;

int Run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

// An ext4 image mounted on a directory while the object lives, its log
// committed every second.
class LoopMount {
public:
    explicit LoopMount(const fs::path& where) : image_(where / "disk.img"), at_(where / "mnt") {
        fs::create_directories(at_);
        if (::geteuid() != 0) {
            why_ = "needs root to mount a file system";
            return;
        }
        if (Run("truncate -s 64M '" + image_.string() + "'") != 0 ||
            Run("mkfs.ext4 -q -F '" + image_.string() + "'") != 0) {
            why_ = "mkfs.ext4 is not available";
            return;
        }
        if (!Mount()) why_ = "a loop device cannot be mounted here";
    }
    ~LoopMount() {
        if (mounted_) Run("umount -l '" + at_.string() + "'");
    }
    const std::string& WhyNot() const { return why_; }
    const fs::path& Path() const { return at_; }
    bool Mount() {
        mounted_ = Run("mount -o loop,commit=1 '" + image_.string() + "' '" + at_.string() + "'") == 0;
        return mounted_;
    }
    // Stops the file system as a power cut would, then mounts it again.
    bool CutPowerAndRemount() {
        const int fd = ::open(at_.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) return false;
        unsigned int flags = kNoLogFlush;
        const bool stopped = ::ioctl(fd, kShutdown, &flags) == 0;
        ::close(fd);
        mounted_ = Run("umount '" + at_.string() + "'") != 0;
        return stopped && !mounted_ && Mount();
    }

private:
    fs::path image_, at_;
    std::string why_;
    bool mounted_ = false;
};

class InsertEverywhere : public CopyByBarDialog {
public:
    bool Show(Context& c) override {
        return CopyByBarOK(c, "INSERT", {"SONATA", "1", "2", "q", "", "", "2", "0"}, 0, 0) ==
               CopyField::None;
    }
    CopyByBarTexts Texts() const override { return {"SONATA", "1", "2", "q", "", "", "2", "0"}; }
};

class PowerCut : public test::EditTest {
protected:
    void SetUp() override { EditTest::SetUp(); }
    std::vector<std::string> Files() const {
        std::vector<std::string> out;
        for (int t = 1; t <= 3; ++t) out.push_back(test::ReadFile(TrackPath(t)));
        return out;
    }
};

TEST_F(PowerCut, ATrackChangeTheCommandStoredSurvivesIt) {
    LoopMount disk(p.dir.Path());
    if (!disk.WhyNot().empty()) GTEST_SKIP() << "no power cut test: " << disk.WhyNot();

    // The piece on the mounted file system, on its disk before the command.
    SetUpPiece(4, 40);
    s.FilePath = (disk.Path() / "pieces").string();
    fs::create_directories(PieceDir());
    std::vector<TrackItemRecord> bars;
    for (int bar = 1; bar <= 3; ++bar)
        for (const char* n : {"C", "E", "G", "C"})
            bars.push_back(Item(n, "4", "q", "0", "64", std::to_string(bar)));
    Tracks({{1, bars}, {2, bars}, {3, bars}});
    ASSERT_TRUE(mnuFilSave_Click(c));
    ::sync();

    InsertEverywhere dialog;
    tracks.Choose({1, 2, 3});
    ASSERT_TRUE(CopySection(c, tracks, dialog));
    const std::vector<std::string> stored = Files();
    ASSERT_EQ(s.ItemCount(2), 20);

    // Two commits of the file system's log later: the command's names are
    // in the log by then, whatever waits for write-back is not.
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    ASSERT_TRUE(disk.CutPowerAndRemount());
    EXPECT_EQ(Files(), stored);
    for (const auto& e : fs::directory_iterator(PieceDir()))
        EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
}

} // namespace
} // namespace tnq
