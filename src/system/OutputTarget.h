#pragma once
// Where an output path leads once its links are followed: the file a write replaces, so that
// the replacement lands beside that file and every link to it stays a link; or a stream (a
// device, a pipe, a terminal), which is written as it is.

#include <string>

struct OutputTarget {
  // The file to replace: the path with its links followed, to the file or to the new name the
  // last link names; for a stream, the path as given.
  std::string path;
  // Neither a regular file nor a new name, nor a folder: written directly, as a stream.
  bool stream = false;
  bool terminal = false;        // a stream that is a terminal
  bool standardOutput = false;  // a stream that is this process's standard output
};

// On Windows, links (symbolic links, junctions) are followed where they lead to a file, and
// nothing is a stream: the names Windows keeps for its devices are refused by the writer.
OutputTarget FindOutputTarget(const std::string& path);
