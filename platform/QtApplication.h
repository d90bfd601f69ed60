#pragma once

// Qt's application headers. Built for X11, Qt's GUI application header names X11's display
// connection type `Display` in the global namespace, where our layout objects have their
// namespace of that name; here it is included under another name. Include this before any other
// header that may bring in the GUI application's (QApplication, QGuiApplication, QTest), and
// never those directly where the layout objects are seen.
#define Display QtX11Display
#include <QApplication>
#include <QGuiApplication>
#undef Display
