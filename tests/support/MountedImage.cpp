#include "MountedImage.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zk::test {
namespace {

constexpr off_t kImageBytes = 128 << 20;  // enough for btrfs; a sparse file, so little is written

bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

}  // namespace

std::unique_ptr<MountedImage> MountedImage::Mount(const std::string& type, std::string& whyNot) {
  if (::geteuid() != 0) {
    whyNot = "mounting a " + type + " file system needs root";
    return nullptr;
  }
  std::unique_ptr<MountedImage> image(new MountedImage);
  const std::string mountPoint = image->folder_.MakeFolder("mnt");
  if (type == "fuse") {
    const std::string shown = image->folder_.MakeFolder("shown");
    if (!Run("command -v bindfs")) {
      whyNot = "bindfs is missing (the README's test command installs it)";
      return nullptr;
    }
    if (!Run("bindfs '" + shown + "' '" + mountPoint + "'")) {
      whyNot = "cannot mount a FUSE file system here (no /dev/fuse?)";
      return nullptr;
    }
  } else if (type == "tmpfs") {
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=16m") != 0) {
      whyNot = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
      return nullptr;
    }
  } else {
    const std::string file = image->folder_.WriteFile(type + ".img");
    if (!Run("command -v mkfs." + type)) {
      whyNot = "mkfs." + type + " is missing (the README's test command installs it)";
      return nullptr;
    }
    if (::truncate(file.c_str(), kImageBytes) != 0 || !Run("mkfs." + type + " -q '" + file + "'")) {
      whyNot = "mkfs." + type + " failed";
      return nullptr;
    }
    if (!Run("mount -o loop '" + file + "' '" + mountPoint + "'")) {
      whyNot = "cannot mount a loop device here (no loop devices in this sandbox?)";
      return nullptr;
    }
  }
  image->mountPoint_ = mountPoint + "/";
  return image;
}

MountedImage::~MountedImage() {
  if (!mountPoint_.empty()) ::umount2(mountPoint_.c_str(), MNT_DETACH);
}

}  // namespace zk::test
