#pragma once

namespace Database {

class CYear;

// The months a year covers: its first calendar month (a stored start month taken mod 12) and its
// month count limited to 0-12, so that no month index leaves 0-11 and no loop runs longer than a
// year whatever the file holds.
struct YearSpan {
    int start = 0;
    int count = 0;

    // The calendar month at display position 0-11.
    int Month(int position) const { return (start + position) % 12; }
    // The calendar month of the last position in the span (the one before the start when the
    // span is empty).
    int LastMonth() const { return (start + count + 11) % 12; }
    // The last position counted from January of the first calendar year: past 11 when the span
    // runs into the next calendar year.
    int Last() const { return start + count - 1; }
    // Whether a calendar month lies in the span.
    bool Contains(int month) const { return ((month - start) % 12 + 12) % 12 < count; }
    // The calendar year of the first month: a year that runs past December is named for the
    // year it ends in.
    long long FirstYear(long long yearNumber) const {
        return yearNumber - (start + count > 12 ? 1 : 0);
    }
};

YearSpan SpanOf(const CYear& year);

} // namespace Database
