// Files as the platform holds them: bytes read in chunks, bytes written whole.
// A path is given as the programs form paths, folders separated by
// backslashes; the POSIX side reads a backslash as its own separator.
#pragma once
#include <string>

// Bytes travel in chunks: the program needs no narrow string type, and never
// holds a whole file.
using ChunkSink = void (*)(void* context, const char* bytes, size_t size);
// False when the file cannot be opened (a folder cannot); a read that fails
// midway ends the file there.
bool readFileChunks(const std::wstring& path, ChunkSink sink, void* context);
// palimoorctl's rule files and shortcuts; palimoor.exe itself writes nothing.
// The whole file is replaced, or left as it was: the bytes go to a new file
// beside it, which then takes its place, so that a write that fails midway
// (a full disk, a quota) never leaves a file cut short. False, with the
// reason in `why` when given, when anything failed.
bool writeFileBytes(const std::wstring& path, const std::string& bytes,
                    std::wstring* why = nullptr);
bool isFolder(const std::wstring& path);
