// The two-character number code of level and save files: every integer in
// -5..4899 is written as two printable bytes from '#' to 'm', so a code never
// holds a space, a separator or a line break.
#pragma once

#include <string>

const int NumberCodeMin = -5;
const int NumberCodeMax = 4899;

// Outside -5..4899 an error box names the number, and the nearest number in
// range is written instead, so a file never receives a line break.
std::string EncodeNumber(int n);
int DecodeNumber(char c0, char c1);

// Start-up self-check: encodes and decodes every number in range and shows
// an error box for each one that does not come back.
void CheckNumberCode();
