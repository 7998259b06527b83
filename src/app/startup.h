#pragma once

class TdmData;
class TFrmMain;

// The program's entry sequence: splash, data module and connection, main window, login.
// Returns the process exit code.
int runProgram(TdmData &dm);

// The part after the connection: the login in start-up mode, then the main window and the
// event loop. A refused or cancelled login ends the program (non-zero result) without showing
// the main window.
int runSession(TFrmMain &main);
