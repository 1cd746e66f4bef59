#include "tools/bench/PlainFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

bool WriteFilesSafely(const std::string& folder, uint64_t count, uint64_t bytes, std::string& reason) {
  if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
    reason = std::strerror(errno);
    return false;
  }
  const std::vector<char> content(bytes, 'x');
  for (uint64_t index = 0; index < count; ++index) {
    const std::string name = folder + "/Obj_file (" + std::to_string(index) + ").dnc";
    const std::string temporary = folder + "/.~" + std::to_string(index) + ".tmp";
    const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    const bool done = file >= 0 && write(file, content.data(), content.size()) == static_cast<ssize_t>(bytes) &&
                      close(file) == 0 && rename(temporary.c_str(), name.c_str()) == 0;
    if (!done) {
      reason = std::strerror(errno);
      return false;
    }
  }
  return true;
}
