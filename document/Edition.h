#pragma once

// The edition the viewer runs as: the Basic statement is the Standard one with one scenario and
// one company and three labels of its own; the Advanced statement adds Actual and Variance
// figures, notes and several views.
enum class Edition { Basic = 0, Standard = 1, Advanced = 2 };
