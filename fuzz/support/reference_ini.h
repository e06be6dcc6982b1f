// A second, plain reading of the INI text rules, kept apart from the reader
// and written for clarity rather than speed, so the fuzzers can compare the
// reader's documents with it. Texts are std::string; the 1024-byte buffers
// appear only as the cuts the rules make.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace reference {

// Blanks and tabs off both ends, then CR and LF off the end as well.
std::string Trim(const std::string& text);

// The first `size` bytes of `text`, or all of it.
std::string Cut(const std::string& text, std::size_t size);

// True when trimming would leave `text` as it is.
bool IsTrimmed(const std::string& text);

struct Item {
    int line = 0;  // the file's line, counting from 1
    bool hasEquals = false;
    std::string key;  // the whole trimmed line when there is no '='
    std::string value;
};

// An item line of at most 1023 bytes: split at its first '='.
Item ItemFromLine(const std::string& line);
// The value part of a line with an '=', trimmed, as the caller's text holds
// it afterwards; "" when the line has no '='.
std::string TrimmedValuePart(const std::string& line);
// The key and value a line of any length gives before any cut: the key a
// longer line gives starts the same, and so does its value.
Item UncutItemFromLine(const std::string& line);

// A header line of any length: cut to 1023 bytes, trimmed, one '[' dropped
// from the front and one ']' from the back.
std::string SectionName(const std::string& line);

struct Section {
    int line = 0;  // of its header; 0 for the unnamed section
    std::string name;
    std::vector<Item> items;
};

struct Document {
    std::vector<Section> sections;
    bool full = false;  // the file had more sections and items than allowed
};

struct Piece {
    std::string text;
    int line = 0;  // every piece of a long line has that line's number
};

// What the line reader delivers from a file's bytes: a CR LF pair reads as
// one LF, each piece runs up to and including an LF and holds at most 1023
// bytes; the loader then sees each piece up to its first NUL.
std::vector<Piece> LinePieces(const std::string& fileBytes);

// The document a load of these bytes gives, holding at most `maxEntries`
// sections and items together.
Document LoadDocument(const std::string& fileBytes, std::size_t maxEntries);

}  // namespace reference
