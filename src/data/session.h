#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class IniFile;

// The process-wide session state: written by start-up, the login, the main window's show
// handler and the two settings dialogs; read by every window.
class Session
{
public:
    static Session &instance();

    // Start-up
    std::unique_ptr<IniFile> iniFile;   // the open Config.ini
    QString sDBName;                     // database name as read from Config.ini

    // Current operator
    QString sOperCode;
    QString sOperName;
    QString sPartCode;

    // Company
    QString sCorpName;
    QString sCorpPhone;
    QString sCorpFax;

    // Operator flags
    bool bNew = false;
    bool bEdit = false;
    bool bDel = false;
    bool bCheck = false;
    bool bSet = false;
    bool bYGedit = false;
    bool bHPedit = false;
    bool bKHedit = false;
    bool bPrice = false;

    // Depot restriction: 0 all depots, 1 only the depots in sOperDepots.
    int iCKflag = 0;
    QString sOperDepots;        // stored format of OperList.F_depot
    QStringList operDepotList;  // the permitted depot names, parsed from sOperDepots
    QString sNoPrice;           // template-name suffix for operators without the price right

    // Decimal places and the display formats built from them
    int iAmountDec = 2;
    int iPriceDec = 2;
    int iTotalDec = 2;
    QString sAmountFmt;
    QString sPriceFmt;
    QString sTotalFmt;

    // System settings
    bool bAutoGoodCode = false;
    bool bLastPrice = false;
    bool bLastClientPrice = false;
    int iBakMode = 0;
    int iPrintNum = 5;
    bool bBarcode = false;

    // Captions and shown flags of the goods' custom fields, slots 1..12 (index 0 unused).
    std::array<QString, 13> KeyValueText;
    std::array<bool, 13> KeyValueFlag{};

    // Permission codes ("101" ... "504") of the operator's role, read once at login.
    QSet<QString> limitCodes;

    bool isAdmin() const { return sOperCode == QLatin1String("000"); }

    // Whether the operator holds a permission code; the built-in operator holds every one.
    bool hasLimit(const QString &code) const { return isAdmin() || limitCodes.contains(code); }

    // Forgets the operator (before a new login fills it again).
    void clearOperator();

private:
    Session() = default;
    ~Session();
};
