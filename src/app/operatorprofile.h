#pragma once

#include <QSet>
#include <QString>

#include <array>

class Session;
class TdmData;

// Everything a login loads for one operator: his row of OperList, the permission codes of his
// role, the company data and the captions of the goods' custom fields. It is read completely
// before the session changes, so a failed or refused login leaves the session as it was.
class OperatorProfile
{
public:
    enum class LoadResult { Loaded, NoOperator, Failed };

    // Reads the profile of the operator with this code (compared without regard to case).
    // Failed: a statement failed and its message has been shown.
    static LoadResult load(TdmData &dm, const QString &code, OperatorProfile *out);

    // The name of the operator with this code, empty when there is none.
    static QString lookupName(TdmData &dm, const QString &code);

    bool isAdmin() const { return code.trimmed() == QLatin1String("000"); }

    // Replaces the operator part of the session with this profile.
    void applyTo(Session &s) const;

    QString code;           // as stored
    QString name;
    QString partCode;
    QString storedPassword; // the stored hash, empty for an empty password
    bool disabled = false;  // OperList.F_Flag

    bool bNew = false, bEdit = false, bDel = false, bCheck = false, bSet = false;
    bool bYGedit = false, bHPedit = false, bKHedit = false, bPrice = false;
    int ckFlag = 0;
    QString depots; // OperList.F_depot as stored

    QSet<QString> limitCodes;

    QString corpName, corpPhone, corpFax;
    std::array<QString, 13> keyValueText;
    std::array<bool, 13> keyValueFlag{};
};
