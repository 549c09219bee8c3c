#pragma once

// What assistive technology finds in the window beyond what Qt's own widgets
// tell of themselves: text lines read as text (textline.h), the board as a
// table (boardview.h), the menu commands with their descriptions
// (menucommand.h), and a client area that holds only what is on show.
//
// Before the window's widgets are made: the interfaces are chosen when a
// widget is first asked for.
void installAccessibleInterfaces();
