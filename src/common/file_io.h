#pragma once
// Whole-file reading and the safe replacement of a file.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vx {

// No data file of the system comes near this; a larger file is damaged.
constexpr std::uintmax_t kMaxDataFileBytes = 64u * 1024u * 1024u;

// Reads a whole file as bytes; nullopt when it is missing, unreadable or
// larger than `maxBytes`.
std::optional<std::string> readFileBytes(const std::filesystem::path& path,
                                         std::uintmax_t maxBytes = kMaxDataFileBytes);

// Why a write failed, as far as the system tells.
enum class WriteFault { None, DiskFull, ReadOnlyDisk, ReadOnlyFile, NoFolder, NotRegularFile, NoPermission, Other };

// The fault of an errno value of a failed write.
WriteFault WriteFaultOf(int errnum);
// The cause as the messages name it ("磁盘已满", "文件夹不存在", ...).
std::string WriteFaultText(WriteFault fault);

// How many files readFileBytes has read since the program started: the
// tests guard with it that a command reads no file per candidate.
unsigned long long FileReadsDone();

// What tells one version of a file from another without reading it: the
// file itself (an atomic replacement makes a new one), its size, its
// modification and status-change times, and the count of atomic writes this
// program made, so that its own replacement within one clock tick is seen.
struct FileIdentity {
  std::uintmax_t device = 0, inode = 0, size = 0;
  std::int64_t modifiedNs = 0, changedNs = 0;
  unsigned long long writes = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file as it is now; nullopt when it cannot be examined.
std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path);

// Replaces `path` with `bytes`: writes a temporary file in the same folder,
// flushes it and renames it over the target, so a failure never leaves a
// half-written file. Returns false (and leaves the old file) on failure,
// with the cause in `fault` when given. A symbolic link is written through
// at its target, but only to a regular file (or none yet): a device, a FIFO
// or a folder is refused. A read-only file is refused; an existing file
// keeps its permissions. The temporary file stays locked (flock) by its
// writer until the rename is done.
bool writeFileAtomic(const std::filesystem::path& path, const std::string& bytes, WriteFault* fault = nullptr);

// A temporary file nobody writes any longer is stale: an atomic write's
// ("<name>.tmp" and six digits) once its writer no longer holds its lock,
// and a Word export's (".<name>.docx.<...>.tmp<...>") once it is older than
// this.
inline constexpr int kStaleTemporaryMinutes = 5;

// Removes the stale temporary files of `dir`; those still being written stay.
// Returns how many went.
int RemoveStaleTemporaries(const std::filesystem::path& dir);

// Finds `name` in `dir` without regard to letter case; the exact name is
// preferred. Returns the existing path, or nullopt.
std::optional<std::filesystem::path> findFileNoCase(const std::filesystem::path& dir,
                                                    const std::string& name);

// An installation file the program can use: a readable regular file of that
// plain name (matched without regard to case) directly in the folder, no
// larger than the read limit.
bool InstallationFileUsable(const std::filesystem::path& dir, const std::string& name);

// Why an installation file is not usable: Missing when there is none of that
// name (or the name is no plain name), else what is wrong with the file there.
enum class DataFileFault { Usable, Missing, NotRegularFile, TooLarge, Unreadable };
DataFileFault InstallationFileFault(const std::filesystem::path& dir, const std::string& name);
// The fault as the messages name it ("不是普通文件", ...).
std::string DataFileFaultText(DataFileFault fault);

// The path of `name` in `dir`: the existing file matched without regard to
// case, or dir / name when there is none yet.
std::filesystem::path dataPath(const std::filesystem::path& dir, const std::string& name);

}  // namespace vx
