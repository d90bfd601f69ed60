#pragma once

// The character a case-blind comparison takes for `point`: its simple Unicode case folding
// ('É' and 'é' both give 'é', 'Σ' and 'ς' both 'σ'); any other character is itself.
char32_t FoldCase(char32_t point);
