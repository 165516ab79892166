#pragma once
// Replaces a file's contents as one step: the bytes go to a new temporary file in the same folder,
// which is flushed to disk and then takes the file's name. A failure at any point removes the
// temporary and leaves an existing file of that name as it was. A temporary that a killed process
// left behind is removed by the next write to the same file. A path's links are followed first
// (OutputTarget.h): the file they lead to is replaced, and they stay links. A path that leads to
// a device or a pipe (POSIX) is written directly, as a stream, where what went out stays out.
//
// Every message is the system's reason alone ("No space left on device"), for the caller to say
// which file it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/Status.h"

// Ends every refusal to write a file, on a line of its own (a front end that shows one line puts
// a space there): nothing of the file was written and what the path held is still there.
inline constexpr char kNothingWritten[] = "\nNothing was written.";

// One write, its bytes given as they are made, so that a large file never sits in memory whole.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  // A write that was not committed leaves no temporary behind.
  ~AtomicFileWriter() { Abandon(); }
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // The file the path leads to; its folder must exist. Refused before anything is written: an
  // existing folder, a file the user may not write, a name Windows keeps for a device (CON,
  // NUL.txt). Then the temporaries of writes to this file whose process is gone are removed, and
  // one is created; or the stream is opened.
  Status Begin(const std::string& path);
  // Whether the write goes to a stream, and whether some of its bytes went out.
  bool Streams() const { return stream_; }
  bool Streamed() const { return stream_ && streamed_; }
  // Appends the bytes, each call with as few system writes as the system allows. After a failure
  // the temporary is gone and every later call returns that failure.
  Status Write(const void* data, std::size_t size);
  // Writes the bytes again over some of those written, from offset on; later writes go on after
  // them. Failures as Write's; a stream refuses it ("Illegal seek").
  Status WriteAt(std::uint64_t offset, const void* data, std::size_t size);
  // Ends the file after `length` bytes, of those written. Failures as Write's.
  Status Truncate(std::uint64_t length);
  // Flushes the temporary to disk and gives it the path's name; a stream is closed.
  Status Commit();

 private:
  void Abandon();

  std::string path_, temporary_;
  std::intptr_t handle_ = -1;
  bool stream_ = false, streamed_ = false;
  Status failure_;
};

struct FileBlock {
  const void* data = nullptr;
  std::size_t size = 0;
};

// The blocks in order, as one write of an AtomicFileWriter.
Status WriteFileAtomically(const std::string& path, const std::vector<FileBlock>& blocks);

// The temporary's name for an attempt: beside path, so that the final rename stays in one folder,
// "<name>.<processId>-<attempt>.tmp"; a name too long for the suffix is cut (between letters) so
// that the temporary's name stays within the 255 bytes a file system takes.
std::string TemporaryFileName(const std::string& path, std::uint64_t processId, int attempt);

// Whether fileName (in path's folder) is a name TemporaryFileName gives for path; with the
// process that made it.
bool IsTemporaryFileOf(const std::string& path, const std::string& fileName,
                       std::uint64_t* processId);
