#pragma once

// Makes sure a GUI application exists, on Qt's offscreen platform unless another one is set:
// fonts need one, and the benchmarks need no display.
void EnsureGuiApplication();
