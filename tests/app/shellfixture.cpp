#include "shellfixture.h"

#include "app/operatorprofile.h"
#include "app/tfrmmain.h"
#include "data/session.h"
#include "data/tdmdata.h"
#include "platform/inifile.h"
#include "platform/password.h"

#include <QDir>

namespace ShellFixture {

void resetSession(const QString &dir)
{
    Session &s = Session::instance();
    s.clearOperator();
    s.sOperName.clear();
    s.iniFile = std::make_unique<IniFile>(QDir(dir).filePath(QStringLiteral("Config.ini")));
    s.iniFile->load();
}

bool addOperator(TdmData &dm, const Operator &op)
{
    return dm.ExecCommand(
        QStringLiteral("insert into OperList (F_Code,F_Name,F_PassWord,F_PartCode,F_Flag,F_new,F_edit,F_del,F_check,"
                       "F_set,F_YGedit,F_HPedit,F_KHedit,F_price,F_CKflag,F_depot) "
                       "values (:code,:name,:pass,:part,:flag,1,0,1,0,1,0,1,0,:price,:ck,:depot)"),
        {{QStringLiteral("code"), op.code},
         {QStringLiteral("name"), op.name},
         {QStringLiteral("pass"), Password::hash(op.password)},
         {QStringLiteral("part"), op.part},
         {QStringLiteral("flag"), op.disabled ? 1 : 0},
         {QStringLiteral("price"), op.price ? 1 : 0},
         {QStringLiteral("ck"), op.ckFlag},
         {QStringLiteral("depot"), op.depots}});
}

bool addRole(TdmData &dm, const QString &code, const QStringList &limitCodes)
{
    if (!dm.ExecCommand(QStringLiteral("insert into PartList (F_Code,F_Name,F_Flag) values (:c,:n,0)"),
                        {{QStringLiteral("c"), code}, {QStringLiteral("n"), code}}))
        return false;
    for (const QString &l : limitCodes)
        if (!dm.ExecCommand(QStringLiteral("insert into PartLimit (F_PartCode,F_LmtCode) values (:p,:l)"),
                            {{QStringLiteral("p"), code}, {QStringLiteral("l"), l}}))
            return false;
    return true;
}

bool loginDirect(TdmData &dm, const QString &code, TFrmMain *main)
{
    OperatorProfile p;
    if (OperatorProfile::load(dm, code, &p) != OperatorProfile::LoadResult::Loaded)
        return false;
    p.applyTo(Session::instance());
    if (main)
        main->applyLogin();
    return true;
}

} // namespace ShellFixture
