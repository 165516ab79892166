#pragma once
// Reading a binary grid's bytes as mvgtool does: its form told from its first bytes.

#include <string>

#include "binarygrid/BinaryGridReader.h"

inline TextGridRead ReadBinaryStream(ByteStream& stream, const TextReadingChoices& choices = {}) {
  PeekableStream input(stream);
  BinaryStart start;
  std::string problem;
  if (!TellBinaryStart(input, &start, &problem)) {
    TextGridRead read;
    read.status = Status::Error(problem);
    return read;
  }
  return ReadBinaryGrid(input, start, "grid", true, {}, choices);
}

inline TextGridRead ReadBinaryBytes(const std::string& bytes,
                                    const TextReadingChoices& choices = {},
                                    std::size_t pieceBytes = ~std::size_t{0}) {
  MemoryStream memory(bytes, pieceBytes);
  return ReadBinaryStream(memory, choices);
}
