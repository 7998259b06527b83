#pragma once

class TdmData;

// The program's entry sequence: splash, data module and connection, main window, login.
// Returns the process exit code.
int runProgram(TdmData &dm);
