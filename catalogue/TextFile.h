#pragma once
// Reading the panel's text files (list files beside the program, descriptions on the CD) and
// turning their single-byte text into window text.
#include <string>

namespace catalogue {

enum class ReadResult { Ok, Missing, TooLarge };

// The whole file. Missing when it cannot be opened or read (absent, a folder, no access, no disc
// in the drive); TooLarge when it holds more than `maxBytes`: `content` then has its first
// `maxBytes` bytes.
ReadResult ReadTextFile(const std::wstring& path, size_t maxBytes, std::string* content);

// Text of the system's single-byte code page as window text (Windows-1252 when the system's code
// page is a multi-byte one, which the collection's files were never written in).
std::wstring DecodeSystemText(const std::string& bytes);

// The folder that holds the running program, without a final backslash.
std::wstring ProgramFolder();

}  // namespace catalogue
