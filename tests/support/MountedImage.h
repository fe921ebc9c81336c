// A real file system for a test: an image file made with mkfs and mounted on a loop device, or a tmpfs.
// Mounting needs root and the file system's tools; where either is missing the test is skipped with the
// reason.
#pragma once

#include <memory>
#include <string>

#include "TempFolder.h"

namespace zk::test {

class MountedImage {
 public:
  // "btrfs", "ext4" (mkfs.TYPE on an image file), "tmpfs", or "fuse" (a folder shown again through bindfs, a
  // FUSE file system: like most of them, and like FAT or NFS, it cannot make unnamed files). Empty with `whyNot` set when it cannot be had.
  static std::unique_ptr<MountedImage> Mount(const std::string& type, std::string& whyNot);
  ~MountedImage();
  MountedImage(const MountedImage&) = delete;
  MountedImage& operator=(const MountedImage&) = delete;

  // The mount point, ending in "/".
  const std::string& Path() const { return mountPoint_; }

 private:
  MountedImage() = default;
  TempFolder folder_;  // holds the image and the mount point
  std::string mountPoint_;
};

}  // namespace zk::test
