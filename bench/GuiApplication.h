#pragma once

// Makes sure a GUI application exists, on Qt's offscreen platform unless another one is set:
// fonts need one, and the benchmarks need no display.
void EnsureGuiApplication();

// Destroys the application, if one was made. The benchmarks' main calls it before returning:
// left to static destruction, the application would go after parts of Qt it still needs.
void ReleaseGuiApplication();
