// A section added to the end of a rule file, in the file's own encoding and
// line ends, so that palimoor.exe reads it as it reads the rest; a new file
// is written as the guide recommends, UTF-8 with a byte-order mark and CR LF.
#pragma once
#include <string>

// The file's whole new content with `text` (lines ending in "\n") added at
// its end, after a blank line; false, with the reason, when the text cannot
// be written in the file's encoding (a character an ANSI code page lacks),
// and then nothing is to be written. `exists` tells whether there was a file.
bool withSectionAdded(const std::wstring& path, const std::wstring& text, std::string& content,
                      bool& exists, std::wstring& why);
