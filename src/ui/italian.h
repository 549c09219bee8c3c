#pragma once

class QCoreApplication;

// Puts Qt's own texts (standard buttons, context menus) in Italian, like the
// rest of the game, from the translation built into the program.
void speakItalian(QCoreApplication& app);
