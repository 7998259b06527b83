#include "reportobject.h"

QString ReportObject::kindKey(Kind k)
{
    switch (k) {
    case Kind::Text: return QStringLiteral("text");
    case Kind::Line: return QStringLiteral("line");
    case Kind::Rect: return QStringLiteral("rect");
    case Kind::Picture: return QStringLiteral("picture");
    }
    return {};
}

bool ReportObject::kindFromKey(const QString &key, Kind *k)
{
    for (Kind c : {Kind::Text, Kind::Line, Kind::Rect, Kind::Picture}) {
        if (key == kindKey(c)) {
            *k = c;
            return true;
        }
    }
    return false;
}

QString ReportObject::kindCaption(Kind k)
{
    switch (k) {
    case Kind::Text: return QStringLiteral("文本");
    case Kind::Line: return QStringLiteral("线条");
    case Kind::Rect: return QStringLiteral("矩形");
    case Kind::Picture: return QStringLiteral("图片");
    }
    return {};
}
