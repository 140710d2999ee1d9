#pragma once

#include <QString>

#include <span>

class RecordSet;

// The quick search of the two document pages: every change of the search text replaces the
// page's list with the records in which any searched column contains the text, newest first.
struct SearchStatement
{
    std::span<const char16_t *const> lines;      // sent joined by line breaks
    std::span<const char16_t *const> parameters; // set in this order, each to "%" + text + "%"
};

const SearchStatement &slipSearch();
const SearchStatement &chequeSearch();

// Closes the list (an unposted change is dropped), puts the statement in, sets every parameter
// to "%" + text + "%" and opens it. When the open fails the list stays closed and the error
// is thrown.
void runQuickSearch(RecordSet &list, const SearchStatement &statement, const QString &text);
