// Where the reader found what it put into a document: for tools that explain
// a configuration file line by line. The launcher's own loads pass none.
#pragma once

#include <cstddef>

// One piece the line reader delivered and what the loader made of it.
struct IniLine {
    enum class Kind {
        kBlank,    // nothing but blanks, tabs and the line end
        kComment,  // starts with ';' after trimming
        kHeader,   // opened section `section`
        kItem,     // became item `item` of section `section`
    };
    Kind kind = Kind::kBlank;
    // The file's line, counting from 1; every piece of a long line has the
    // number of the line it belongs to.
    int number = 1;
    // The piece is the rest of a line longer than the 1024-byte buffer: the
    // loader reads it as a line of its own.
    bool continued = false;
    // Blanks or tabs stood before the text and were trimmed off.
    bool indented = false;
    // The trimmed text as the loader classified it, before an item line is
    // split at its '='; valid during the call.
    const char* text = "";
    std::ptrdiff_t section = -1;  // headers and items
    std::ptrdiff_t item = -1;     // items
    // The name of `section` (empty for the unnamed one); "" for blank and
    // comment lines.
    const char* sectionName = "";
};

class IniLoadObserver {
public:
    virtual ~IniLoadObserver() = default;
    // Called for every piece in file order, right after a header's section
    // is named or an item is appended (before it is filled), so `section`
    // and `item` are already the document's indexes.
    virtual void OnLine(const IniLine& line) = 0;
};
