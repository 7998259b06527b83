#include "session.h"

#include "platform/inifile.h"

Session &Session::instance()
{
    static Session s;
    return s;
}

Session::~Session() = default;

void Session::clearOperator()
{
    sOperCode.clear();
    sOperName.clear();
    sPartCode.clear();
    bNew = bEdit = bDel = bCheck = bSet = bYGedit = bHPedit = bKHedit = bPrice = false;
    iCKflag = 0;
    sOperDepots.clear();
    operDepotList.clear();
    sNoPrice.clear();
    limitCodes.clear();
}
