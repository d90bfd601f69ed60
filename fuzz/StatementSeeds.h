#pragma once

#include <filesystem>

// Writes the seeds of the statement fuzzer into `folder`: small forecasts that load but hold
// extreme presentation values, short and overlong years, a year of 2,000 rows, a note of 70,000
// characters and a note of 66,000 links, and the Basic example from `examples`; each followed
// by the choices of keys, window and paper the fuzzer draws it with.
void WriteStatementSeeds(const std::filesystem::path& folder,
                         const std::filesystem::path& examples);
