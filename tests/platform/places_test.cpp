// The places offered in place of drives.
#include "platform/places.h"

#include <gtest/gtest.h>

namespace tnq {
namespace {

TEST(Places, RootHomeThenMountedMedia) {
    const std::string mounts = "proc /proc proc rw 0 0\n"
                               "/dev/sda1 / ext4 rw 0 0\n"
                               "/dev/sdb1 /media/ann/USB\\040STICK vfat rw 0 0\n"
                               "/dev/sdc1 /run/media/ann/CARD exfat rw 0 0\n"
                               "/dev/sdd1 /mnt/backup ext4 rw 0 0\n"
                               "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                               "/dev/sde1 /media vfat rw 0 0\n"
                               "broken\n";
    EXPECT_EQ(Places("/home/ann", mounts),
              (std::vector<std::string>{"/", "/home/ann", "/media/ann/USB STICK",
                                        "/run/media/ann/CARD", "/mnt/backup"}));
    EXPECT_EQ(Places("", ""), (std::vector<std::string>{"/"}));
    EXPECT_EQ(Places("/", ""), (std::vector<std::string>{"/"}));
}

} // namespace
} // namespace tnq
