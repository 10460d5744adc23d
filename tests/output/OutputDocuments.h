#pragma once
// Documents the output tests lay out, print and preview.

#include "output/Document.h"

namespace vm::test {

// "Concierge Logbook List" over a table of `rows` guests ("Guest 0001" …),
// the header row (Guest, Room, Request) repeated on every page, "Page i of n"
// in the footer.  Row i's request has 1 + i % 4 lines.
doc::Document GuestList(int rows);
// `pages` pages, each one paragraph "Section i", separated by page breaks,
// with the same heading and footer.
doc::Document Sections(int pages);

} // namespace vm::test
