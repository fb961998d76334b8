// Temporary folders and whole-file helpers for tests (both builds).
#pragma once
#include <string>

// A fresh empty folder under the system's temporary folder, removed with everything in it
// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    // path() + separator + name
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

// The bytes of a file; "" when it cannot be read. exists tells the two apart.
std::string readBytes(const std::string& path);
bool fileExists(const std::string& path);
// Writes the bytes exactly (binary).
void writeBytes(const std::string& path, const std::string& bytes);
// Memory text "\n" to disk text "\r\n".
std::string crlf(const std::string& text);
// Where tests keep what a person should look at (screenshots, pages); created on demand.
std::string artefactFolder();
// Unicode text as other editors save it, byte-order mark first: UTF-8, or UTF-16 in either
// byte order ("Unicode" in Notepad is little-endian).
std::string utf8WithMark(const std::u32string& text);
std::string utf16WithMark(const std::u32string& text, bool bigEndian);
