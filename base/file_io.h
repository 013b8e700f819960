// Files as the platform holds them, as both programs read them: bytes in chunks.
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
bool isFolder(const std::wstring& path);
