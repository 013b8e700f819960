// The platform services under every file the program reads: bytes in chunks,
// and the system's ANSI code page. Implemented by the Win32 build, the POSIX
// build (palimoorctl) and the host tests' stand-ins.
#pragma once
#include <string>

// Bytes travel in chunks: the program needs no narrow string type, and never
// holds a whole file.
using ChunkSink = void (*)(void* context, const char* bytes, size_t size);
// False when the file cannot be opened (a folder cannot); a read that fails
// midway ends the file there.
bool readFileChunks(const std::wstring& path, ChunkSink sink, void* context);
// Text in the ANSI code page: the system's own, unless another was selected.
std::wstring decodeAnsiCodePage(const char* bytes, size_t size);
unsigned ansiCodePage();
// palimoorctl reads files for another machine; false when there is no such
// code page here.
bool selectAnsiCodePage(unsigned codePage);
