#include "editing/RecoveryFile.h"

#include <array>
#include <cstring>

#include "scene/LittleEndian.h"

namespace {

constexpr std::array<char, 8> kMagic{'S', '2', 'R', 'E', 'C', 'O', 'V', '1'};
// Far above any path Windows takes, far below what would hurt to read.
constexpr uint32_t kLongestOwner = 1 << 16;

}  // namespace

void WriteRecovery(TStream& stream, const std::string& owner, const SceneSnapshot& scene) {
  std::array<uint8_t, 4> length{};
  WriteU32LE(length.data(), static_cast<uint32_t>(owner.size()));
  stream.Write(kMagic.data(), kMagic.size());
  stream.Write(length.data(), length.size());
  stream.Write(owner.data(), owner.size());
  scene.Write(stream);
}

os::Result<std::string> ReadRecoveryOwner(TStream& stream) {
  std::array<char, kMagic.size()> magic{};
  std::array<uint8_t, 4> length{};
  if (stream.Read(magic.data(), magic.size()) != magic.size() || magic != kMagic ||
      stream.Read(length.data(), length.size()) != length.size())
    return os::Failure{"not a recovery file"};
  const uint32_t ownerLength = ReadU32LE(length.data());
  if (ownerLength > kLongestOwner) return os::Failure{"not a recovery file"};
  std::string owner(ownerLength, '\0');
  if (stream.Read(owner.data(), owner.size()) != owner.size()) return os::Failure{"the recovery file is cut short"};
  return owner;
}
