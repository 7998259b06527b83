#pragma once

class QWidget;

// Places a window. Mode 1 centres a dialog on its parent window (or on the screen when it has
// none); mode 2 makes the main window fill the screen's work area.
void DispFormPos(QWidget *form, int mode);
