#pragma once

#include <QApplication>
#include <memory>

namespace sorato::qt {

// Opens the application on its display.  Where no display can be opened it prints one
// line on standard error and ends the process with status 1, without a core dump.  No
// command-line argument reaches Qt: the program reads no command line.
std::unique_ptr<QApplication> openApplication(const char* programName);

// The look every window of the game shares: the classic style, which fills buttons with
// their own colours, and the Japanese faces the controls ask for mapped onto IPA Gothic.
void prepareApplication(QApplication& app);

// Whether a font with Japanese glyphs (IPA Gothic) is installed.
bool japaneseFontsPresent();

}  // namespace sorato::qt
