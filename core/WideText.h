#pragma once

#include <string>
#include <string_view>

// Every name and label of the forecast is UTF-16 text, compared code unit by code unit.
using Text = std::u16string;

// Decodes single-byte text of the Windows-1252 code page.
Text FromCp1252(std::string_view bytes);

// Encodes to Windows-1252; characters outside the code page become '?'.
std::string ToCp1252(const Text& text);

// UTF-8 conversions at the boundaries (JSON, command line). An unpaired surrogate becomes U+FFFD;
// malformed UTF-8 input decodes to U+FFFD as well.
std::string ToUtf8(const Text& text);
Text FromUtf8(std::string_view utf8);

// ASCII text to UTF-16 (for the program's own fixed texts).
Text Ascii(std::string_view ascii);

// The decimal form of a number, as "%d" prints it.
Text DecimalText(long long value);
