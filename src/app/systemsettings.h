#pragma once

class IniFile;
class Session;
class TdmData;

// The settings the main window reads when it is shown.
class SystemSettings
{
public:
    // Config.ini [config]: ibak (default 0), iPrintNum (5), bTM (false).
    static void readConfig(const IniFile &ini, Session &s);
    // SysInfo: decimals of quantities, prices and amounts and the three price/code options.
    // False when the statement failed (its message has been shown; the session keeps its values).
    static bool readSysInfo(TdmData &dm, Session &s);
};
