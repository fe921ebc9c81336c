// What a test asks of a path on disk, answered by the system calls themselves, not by the code under test.
#pragma once

#include <ctime>
#include <string>

namespace zk::test {

bool Exists(const std::string& path);  // any directory entry, links not followed
std::time_t ModificationTime(const std::string& path);
void SetModificationTime(const std::string& path, std::time_t time);

}  // namespace zk::test
