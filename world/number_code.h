// The two-character number code of level and save files: every integer in
// -5..4899 is written as two printable bytes from '#' to 'm', so a code never
// holds a space, a separator or a line break.
#pragma once

#include <string>

const int NumberCodeMin = -5;
const int NumberCodeMax = 4899;

inline bool InNumberCodeRange(int n)
{
    return n >= NumberCodeMin && n <= NumberCodeMax;
}

// The nearest number the code can hold.
inline int ClampToNumberCode(int n)
{
    return n > NumberCodeMax ? NumberCodeMax : n < NumberCodeMin ? NumberCodeMin : n;
}

// Outside -5..4899 an error box names the number, and the nearest number in
// range is written instead, so a file never receives a line break.
std::string EncodeNumber(int n);
// Any two bytes decode, also to numbers outside the range (a damaged file):
// readers check the result with InNumberCodeRange.
int DecodeNumber(char c0, char c1);

// A file's text being written in the code. A number outside the range is
// written as the nearest one in range, and only the first such number of the
// file is named in an error box, by ReportUnencodedNumber.
struct coded_text_struct {
    std::string text;
    bool clamped = false;
    int firstClamped = 0;
};
void AppendNumber(coded_text_struct& t, int n);
// The error box of EncodeNumber for the text's first number out of range,
// if it had one.
void ReportUnencodedNumber(const coded_text_struct& t);

// Start-up self-check: encodes and decodes every number in range and shows
// an error box for each one that does not come back.
void CheckNumberCode();
