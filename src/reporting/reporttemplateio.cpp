#include "reporttemplateio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>

namespace {

QString numText(double v)
{
    if (std::abs(v) < 0.0005)
        return QStringLiteral("0");
    QString s = QString::number(v, 'f', 3);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

QString colorText(const QColor &c)
{
    if (!c.isValid())
        return QStringLiteral("none");
    return c.alpha() == 255 ? c.name(QColor::HexRgb) : c.name(QColor::HexArgb);
}

QString frameText(int frame)
{
    if (frame == ReportObject::FrameAll)
        return QStringLiteral("all");
    QString s;
    if (frame & ReportObject::FrameLeft)
        s += QLatin1Char('l');
    if (frame & ReportObject::FrameTop)
        s += QLatin1Char('t');
    if (frame & ReportObject::FrameRight)
        s += QLatin1Char('r');
    if (frame & ReportObject::FrameBottom)
        s += QLatin1Char('b');
    return s.isEmpty() ? QStringLiteral("none") : s;
}

QString hAlignText(ReportObject::HAlign a)
{
    switch (a) {
    case ReportObject::HAlign::Left: return QStringLiteral("left");
    case ReportObject::HAlign::Center: return QStringLiteral("center");
    case ReportObject::HAlign::Right: return QStringLiteral("right");
    }
    return {};
}

QString vAlignText(ReportObject::VAlign a)
{
    switch (a) {
    case ReportObject::VAlign::Top: return QStringLiteral("top");
    case ReportObject::VAlign::Center: return QStringLiteral("center");
    case ReportObject::VAlign::Bottom: return QStringLiteral("bottom");
    }
    return {};
}

QString lineStyleText(ReportObject::LineStyle s)
{
    switch (s) {
    case ReportObject::LineStyle::Solid: return QStringLiteral("solid");
    case ReportObject::LineStyle::Dash: return QStringLiteral("dash");
    case ReportObject::LineStyle::Dot: return QStringLiteral("dot");
    }
    return {};
}

QString boolText(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

// Reads one element's attributes, remembering the first error.
class Attrs
{
public:
    Attrs(QXmlStreamReader &xml, QString *error) : m_xml(xml), m_attrs(xml.attributes()), m_error(error) {}

    bool has(const char *name) const { return m_attrs.hasAttribute(QLatin1String(name)); }
    QString text(const char *name, const QString &def = {}) const
    {
        return has(name) ? m_attrs.value(QLatin1String(name)).toString() : def;
    }

    double number(const char *name, double def)
    {
        if (!has(name))
            return def;
        bool ok = false;
        const double v = text(name).trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v))
            fail(QStringLiteral("属性 %1 不是数字：\"%2\"").arg(QLatin1String(name), text(name)));
        return ok ? v : def;
    }

    double length(const char *name, double def)
    {
        const double v = number(name, def);
        if (v < 0)
            fail(QStringLiteral("属性 %1 不能为负数").arg(QLatin1String(name)));
        return v;
    }

    bool flag(const char *name, bool def)
    {
        if (!has(name))
            return def;
        const QString v = text(name).trimmed().toLower();
        if (v == QLatin1String("true") || v == QLatin1String("1") || v == QLatin1String("yes"))
            return true;
        if (v == QLatin1String("false") || v == QLatin1String("0") || v == QLatin1String("no"))
            return false;
        fail(QStringLiteral("属性 %1 应为 true 或 false：\"%2\"").arg(QLatin1String(name), text(name)));
        return def;
    }

    QColor color(const char *name, const QColor &def)
    {
        if (!has(name))
            return def;
        const QString v = text(name).trimmed();
        if (v.isEmpty() || v.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
            return QColor();
        const QColor c = QColor::fromString(v);
        if (!c.isValid())
            fail(QStringLiteral("属性 %1 不是颜色：\"%2\"").arg(QLatin1String(name), v));
        return c.isValid() ? c : def;
    }

    int frame(const char *name, int def)
    {
        if (!has(name))
            return def;
        const QString v = text(name).trimmed().toLower();
        if (v == QLatin1String("all"))
            return ReportObject::FrameAll;
        if (v == QLatin1String("none") || v.isEmpty())
            return ReportObject::FrameNone;
        int f = 0;
        for (QChar c : v) {
            switch (c.unicode()) {
            case 'l': f |= ReportObject::FrameLeft; break;
            case 't': f |= ReportObject::FrameTop; break;
            case 'r': f |= ReportObject::FrameRight; break;
            case 'b': f |= ReportObject::FrameBottom; break;
            default:
                fail(QStringLiteral("属性 %1 只能由 l、t、r、b 组成，或为 all、none：\"%2\"").arg(QLatin1String(name), v));
                return def;
            }
        }
        return f;
    }

    template <typename E>
    E choice(const char *name, E def, std::initializer_list<std::pair<const char *, E>> options)
    {
        if (!has(name))
            return def;
        const QString v = text(name).trimmed();
        QStringList names;
        for (const auto &o : options) {
            if (v.compare(QLatin1String(o.first), Qt::CaseInsensitive) == 0)
                return o.second;
            names << QLatin1String(o.first);
        }
        fail(QStringLiteral("属性 %1 应为 %2 之一：\"%3\"").arg(QLatin1String(name), names.join(QStringLiteral("、")), v));
        return def;
    }

    void fail(const QString &what)
    {
        if (m_error && m_error->isEmpty())
            *m_error = QStringLiteral("第 %1 行：%2").arg(m_xml.lineNumber()).arg(what);
    }

private:
    QXmlStreamReader &m_xml;
    QXmlStreamAttributes m_attrs;
    QString *m_error;
};

class Reader
{
public:
    explicit Reader(const QByteArray &data) : m_xml(data) {}

    bool read(ReportTemplate *out, QString *error)
    {
        if (!m_xml.readNextStartElement() || m_xml.name() != QLatin1String("report")) {
            setError(QStringLiteral("根元素应为 <report>"));
        } else {
            readReport(out);
        }
        if (m_xml.hasError() && m_error.isEmpty())
            m_error = QStringLiteral("第 %1 行：%2").arg(m_xml.lineNumber()).arg(m_xml.errorString());
        if (!m_error.isEmpty()) {
            if (error)
                *error = m_error;
            return false;
        }
        out->sortBands();
        return true;
    }

private:
    void setError(const QString &what)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("第 %1 行：%2").arg(m_xml.lineNumber()).arg(what);
    }

    bool ok() const { return m_error.isEmpty() && !m_xml.hasError(); }

    void readReport(ReportTemplate *tpl)
    {
        while (ok() && m_xml.readNextStartElement()) {
            const auto name = m_xml.name();
            if (name == QLatin1String("page"))
                readPage(&tpl->page);
            else if (name == QLatin1String("variables"))
                readVariables(tpl, QString());
            else if (name == QLatin1String("band"))
                readBand(tpl);
            else
                setError(QStringLiteral("未知元素 <%1>").arg(name.toString()));
        }
    }

    void readPage(ReportPageSetup *page)
    {
        Attrs a(m_xml, &m_error);
        const QString paper = a.text("paper", QStringLiteral("A4")).trimmed();
        if (paper.compare(ReportPageSetup::customPaper(), Qt::CaseInsensitive) == 0 || paper.isEmpty()) {
            page->paper = ReportPageSetup::customPaper();
        } else if (!page->setPaper(paper)) {
            a.fail(QStringLiteral("未知纸张 \"%1\"，可用：%2 或 Custom").arg(paper, ReportPageSetup::paperNames().join(QStringLiteral("、"))));
        }
        page->paperWidth = a.length("width", page->paperWidth);
        page->paperHeight = a.length("height", page->paperHeight);
        page->orientation = a.choice("orientation", ReportPageSetup::Orientation::Portrait,
                                     {{"portrait", ReportPageSetup::Orientation::Portrait},
                                      {"landscape", ReportPageSetup::Orientation::Landscape}});
        page->marginLeft = a.length("left", page->marginLeft);
        page->marginTop = a.length("top", page->marginTop);
        page->marginRight = a.length("right", page->marginRight);
        page->marginBottom = a.length("bottom", page->marginBottom);
        if (ok() && (page->printableWidth() <= 0 || page->printableHeight() <= 0))
            setError(QStringLiteral("页边距超出了纸张"));
        m_xml.skipCurrentElement();
    }

    void readVariables(ReportTemplate *tpl, const QString &category)
    {
        while (ok() && m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("category")) {
                const QString cat = m_xml.attributes().value(QLatin1String("name")).toString();
                readVariables(tpl, cat);
            } else if (m_xml.name() == QLatin1String("variable")) {
                Attrs a(m_xml, &m_error);
                ReportVariable v;
                v.category = a.text("category", category);
                v.name = a.text("name");
                const QString type = a.text("type", QStringLiteral("text"));
                const QString text = m_xml.readElementText();
                if (v.name.isEmpty()) {
                    setError(QStringLiteral("变量缺少 name"));
                } else if (type == QLatin1String("number")) {
                    bool isNum = false;
                    const double d = text.trimmed().toDouble(&isNum);
                    if (!isNum)
                        setError(QStringLiteral("变量 %1 的值不是数字：\"%2\"").arg(v.name, text));
                    if (d == std::floor(d) && std::abs(d) < 1e15)
                        v.value = qlonglong(d);
                    else
                        v.value = d;
                } else if (type == QLatin1String("text")) {
                    v.value = text;
                } else {
                    setError(QStringLiteral("变量类型应为 text 或 number：\"%1\"").arg(type));
                }
                tpl->variables.push_back(v);
            } else {
                setError(QStringLiteral("未知元素 <%1>").arg(m_xml.name().toString()));
            }
        }
    }

    void readBand(ReportTemplate *tpl)
    {
        Attrs a(m_xml, &m_error);
        ReportBand band;
        const QString type = a.text("type");
        if (!ReportBand::typeFromKey(type, &band.type)) {
            QStringList keys;
            for (ReportBand::Type t : ReportBand::allTypes())
                keys << ReportBand::typeKey(t);
            setError(QStringLiteral("未知带区类型 \"%1\"，可用：%2").arg(type, keys.join(QStringLiteral("、"))));
            return;
        }
        band.name = a.text("name");
        if (band.name.isEmpty())
            band.name = tpl->uniqueBandName(ReportBand::namePrefix(band.type));
        else if (tpl->bandByName(band.name) || tpl->object(band.name))
            a.fail(QStringLiteral("名称重复：%1").arg(band.name));
        band.height = a.length("height", band.height);
        band.dataSource = a.text("dataSource", band.type == ReportBand::Type::MasterData ? QStringLiteral("frxDM")
                                               : band.type == ReportBand::Type::DetailData ? QStringLiteral("frxDD")
                                                                                           : QString());
        band.range = a.choice("range", ReportBand::Range::All,
                              {{"all", ReportBand::Range::All}, {"current", ReportBand::Range::Current}});
        band.fillRows = a.text("fillRows");
        band.link = a.text("link");
        band.condition = a.text("condition");
        band.group = a.text("group");
        band.startNewPage = a.flag("startNewPage", false);
        band.printOnFirstPage = a.flag("printOnFirstPage", true);
        band.printOnLastPage = a.flag("printOnLastPage", true);
        if (band.type == ReportBand::Type::GroupHeader && band.condition.trimmed().isEmpty())
            a.fail(QStringLiteral("分组头 %1 缺少 condition").arg(band.name));
        // Objects are named uniquely across the whole template.
        tpl->bands.push_back(band);
        ReportBand &stored = tpl->bands.back();
        while (ok() && m_xml.readNextStartElement())
            readObject(tpl, &stored);
    }

    void readObject(ReportTemplate *tpl, ReportBand *band)
    {
        ReportObject o;
        if (!ReportObject::kindFromKey(m_xml.name().toString(), &o.kind)) {
            setError(QStringLiteral("未知对象 <%1>，可用：text、line、rect、picture").arg(m_xml.name().toString()));
            return;
        }
        Attrs a(m_xml, &m_error);
        o.name = a.text("name");
        if (o.name.isEmpty()) {
            o.name = tpl->uniqueObjectName(o.kind == ReportObject::Kind::Text ? QStringLiteral("Memo")
                                           : o.kind == ReportObject::Kind::Line ? QStringLiteral("Line")
                                           : o.kind == ReportObject::Kind::Rect ? QStringLiteral("Shape")
                                                                                 : QStringLiteral("Picture"));
        } else if (tpl->object(o.name) || tpl->bandByName(o.name)) {
            a.fail(QStringLiteral("名称重复：%1").arg(o.name));
        }
        const double x = a.number("x", 0);
        const double y = a.number("y", 0);
        const double w = o.kind == ReportObject::Kind::Line ? a.number("width", 0) : a.length("width", 20);
        const double h = o.kind == ReportObject::Kind::Line ? a.number("height", 0) : a.length("height", 5);
        o.geometry = QRectF(x, y, w, h);

        if (o.kind == ReportObject::Kind::Text) {
            o.expressions = a.flag("expressions", true);
            o.fontFamily = a.text("font", o.fontFamily);
            o.fontSize = a.length("size", o.fontSize);
            if (o.fontSize <= 0)
                a.fail(QStringLiteral("字号必须大于 0"));
            o.bold = a.flag("bold", false);
            o.italic = a.flag("italic", false);
            o.underline = a.flag("underline", false);
            o.color = a.color("color", o.color);
            o.fill = a.color("fill", QColor());
            o.hAlign = a.choice("align", ReportObject::HAlign::Left,
                                {{"left", ReportObject::HAlign::Left},
                                 {"center", ReportObject::HAlign::Center},
                                 {"right", ReportObject::HAlign::Right}});
            o.vAlign = a.choice("valign", ReportObject::VAlign::Top,
                                {{"top", ReportObject::VAlign::Top},
                                 {"center", ReportObject::VAlign::Center},
                                 {"bottom", ReportObject::VAlign::Bottom}});
            o.format = a.text("format");
            o.hideZeros = a.flag("hideZeros", false);
            o.wrap = a.flag("wrap", true);
            o.shrink = a.flag("shrink", false);
            o.frame = a.frame("frame", ReportObject::FrameNone);
            o.frameWidth = a.length("frameWidth", o.frameWidth);
            o.frameColor = a.color("frameColor", o.frameColor);
            o.text = m_xml.readElementText();
        } else if (o.kind == ReportObject::Kind::Picture) {
            o.imageFile = a.text("file");
            o.keepAspect = a.flag("keepAspect", true);
            o.frame = a.frame("frame", ReportObject::FrameNone);
            o.frameWidth = a.length("frameWidth", o.frameWidth);
            o.frameColor = a.color("frameColor", o.frameColor);
            const QByteArray data = m_xml.readElementText().trimmed().toLatin1();
            if (!data.isEmpty()) {
                auto decoded = QByteArray::fromBase64Encoding(data, QByteArray::AbortOnBase64DecodingErrors);
                if (!decoded)
                    setError(QStringLiteral("图片 %1 的数据不是有效的 base64").arg(o.name));
                else
                    o.imageData = *decoded;
            }
        } else {
            o.frame = o.kind == ReportObject::Kind::Rect ? int(ReportObject::FrameAll) : int(ReportObject::FrameNone);
            o.frameWidth = a.length("lineWidth", o.frameWidth);
            o.frameColor = a.color("lineColor", o.frameColor);
            o.lineStyle = a.choice("style", ReportObject::LineStyle::Solid,
                                   {{"solid", ReportObject::LineStyle::Solid},
                                    {"dash", ReportObject::LineStyle::Dash},
                                    {"dot", ReportObject::LineStyle::Dot}});
            if (o.kind == ReportObject::Kind::Rect)
                o.fill = a.color("fill", QColor());
            m_xml.skipCurrentElement();
        }
        band->objects.push_back(o);
    }

    QXmlStreamReader m_xml;
    QString m_error;
};

void writeObject(QXmlStreamWriter &w, const ReportObject &o)
{
    const ReportObject def;
    w.writeStartElement(ReportObject::kindKey(o.kind));
    w.writeAttribute(QStringLiteral("name"), o.name);
    w.writeAttribute(QStringLiteral("x"), numText(o.geometry.x()));
    w.writeAttribute(QStringLiteral("y"), numText(o.geometry.y()));
    w.writeAttribute(QStringLiteral("width"), numText(o.geometry.width()));
    w.writeAttribute(QStringLiteral("height"), numText(o.geometry.height()));
    auto attr = [&w](const char *name, const QString &value) { w.writeAttribute(QLatin1String(name), value); };

    switch (o.kind) {
    case ReportObject::Kind::Text:
        if (o.fontFamily != def.fontFamily)
            attr("font", o.fontFamily);
        if (o.fontSize != def.fontSize)
            attr("size", numText(o.fontSize));
        if (o.bold)
            attr("bold", boolText(true));
        if (o.italic)
            attr("italic", boolText(true));
        if (o.underline)
            attr("underline", boolText(true));
        if (o.color != def.color)
            attr("color", colorText(o.color));
        if (o.fill.isValid())
            attr("fill", colorText(o.fill));
        if (o.hAlign != def.hAlign)
            attr("align", hAlignText(o.hAlign));
        if (o.vAlign != def.vAlign)
            attr("valign", vAlignText(o.vAlign));
        if (!o.format.isEmpty())
            attr("format", o.format);
        if (o.hideZeros)
            attr("hideZeros", boolText(true));
        if (o.wrap != def.wrap)
            attr("wrap", boolText(o.wrap));
        if (o.shrink)
            attr("shrink", boolText(true));
        if (!o.expressions)
            attr("expressions", boolText(false));
        if (o.frame != ReportObject::FrameNone)
            attr("frame", frameText(o.frame));
        if (o.frameWidth != def.frameWidth)
            attr("frameWidth", numText(o.frameWidth));
        if (o.frameColor != def.frameColor)
            attr("frameColor", colorText(o.frameColor));
        w.writeCharacters(o.text);
        break;
    case ReportObject::Kind::Picture:
        if (!o.imageFile.isEmpty())
            attr("file", o.imageFile);
        if (!o.keepAspect)
            attr("keepAspect", boolText(false));
        if (o.frame != ReportObject::FrameNone)
            attr("frame", frameText(o.frame));
        if (o.frameWidth != def.frameWidth)
            attr("frameWidth", numText(o.frameWidth));
        if (o.frameColor != def.frameColor)
            attr("frameColor", colorText(o.frameColor));
        if (!o.imageData.isEmpty())
            w.writeCharacters(QString::fromLatin1(o.imageData.toBase64()));
        break;
    case ReportObject::Kind::Line:
    case ReportObject::Kind::Rect:
        if (o.frameWidth != def.frameWidth)
            attr("lineWidth", numText(o.frameWidth));
        if (o.frameColor != def.frameColor)
            attr("lineColor", colorText(o.frameColor));
        if (o.lineStyle != def.lineStyle)
            attr("style", lineStyleText(o.lineStyle));
        if (o.kind == ReportObject::Kind::Rect && o.fill.isValid())
            attr("fill", colorText(o.fill));
        break;
    }
    w.writeEndElement();
}

void writeVariable(QXmlStreamWriter &w, const ReportVariable &v)
{
    w.writeStartElement(QStringLiteral("variable"));
    w.writeAttribute(QStringLiteral("name"), v.name);
    const int type = v.value.typeId();
    const bool number = type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Double
                        || type == QMetaType::UInt || type == QMetaType::ULongLong;
    if (number) {
        w.writeAttribute(QStringLiteral("type"), QStringLiteral("number"));
        w.writeCharacters(type == QMetaType::Double ? QString::number(v.value.toDouble(), 'g', 15) : v.value.toString());
    } else {
        w.writeCharacters(v.value.toString());
    }
    w.writeEndElement();
}

} // namespace

ReportTemplateIo::LoadStatus ReportTemplateIo::load(const QString &path, ReportTemplate *out, QString *error)
{
    *out = ReportTemplate();
    QFile f(path);
    if (!f.exists())
        return LoadStatus::Missing;
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return LoadStatus::Invalid;
    }
    ReportTemplate tpl;
    if (!fromXml(f.readAll(), &tpl, error))
        return LoadStatus::Invalid;
    *out = std::move(tpl);
    return LoadStatus::Loaded;
}

bool ReportTemplateIo::fromXml(const QByteArray &xml, ReportTemplate *out, QString *error)
{
    ReportTemplate tpl;
    Reader reader(xml);
    if (!reader.read(&tpl, error))
        return false;
    *out = std::move(tpl);
    return true;
}

QByteArray ReportTemplateIo::toXml(const ReportTemplate &tpl)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("report"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));

    const ReportPageSetup &p = tpl.page;
    w.writeStartElement(QStringLiteral("page"));
    w.writeAttribute(QStringLiteral("paper"), p.paper);
    w.writeAttribute(QStringLiteral("orientation"),
                     p.orientation == ReportPageSetup::Orientation::Portrait ? QStringLiteral("portrait") : QStringLiteral("landscape"));
    w.writeAttribute(QStringLiteral("width"), numText(p.paperWidth));
    w.writeAttribute(QStringLiteral("height"), numText(p.paperHeight));
    w.writeAttribute(QStringLiteral("left"), numText(p.marginLeft));
    w.writeAttribute(QStringLiteral("top"), numText(p.marginTop));
    w.writeAttribute(QStringLiteral("right"), numText(p.marginRight));
    w.writeAttribute(QStringLiteral("bottom"), numText(p.marginBottom));
    w.writeEndElement();

    if (!tpl.variables.empty()) {
        w.writeStartElement(QStringLiteral("variables"));
        // Variables of one category are written together, categories in order of appearance.
        QStringList categories;
        for (const ReportVariable &v : tpl.variables)
            if (!categories.contains(v.category))
                categories << v.category;
        for (const QString &cat : categories) {
            if (!cat.isEmpty()) {
                w.writeStartElement(QStringLiteral("category"));
                w.writeAttribute(QStringLiteral("name"), cat);
            }
            for (const ReportVariable &v : tpl.variables)
                if (v.category == cat)
                    writeVariable(w, v);
            if (!cat.isEmpty())
                w.writeEndElement();
        }
        w.writeEndElement();
    }

    const ReportBand defBand;
    for (const ReportBand &b : tpl.bands) {
        w.writeStartElement(QStringLiteral("band"));
        w.writeAttribute(QStringLiteral("type"), ReportBand::typeKey(b.type));
        w.writeAttribute(QStringLiteral("name"), b.name);
        w.writeAttribute(QStringLiteral("height"), numText(b.height));
        if (b.isDataBand()) {
            w.writeAttribute(QStringLiteral("dataSource"), b.dataSource);
            if (b.range == ReportBand::Range::Current)
                w.writeAttribute(QStringLiteral("range"), QStringLiteral("current"));
            if (!b.fillRows.isEmpty())
                w.writeAttribute(QStringLiteral("fillRows"), b.fillRows);
            if (!b.link.isEmpty())
                w.writeAttribute(QStringLiteral("link"), b.link);
        }
        if (!b.condition.isEmpty())
            w.writeAttribute(QStringLiteral("condition"), b.condition);
        if (!b.group.isEmpty())
            w.writeAttribute(QStringLiteral("group"), b.group);
        if (b.startNewPage)
            w.writeAttribute(QStringLiteral("startNewPage"), boolText(true));
        if (!b.printOnFirstPage)
            w.writeAttribute(QStringLiteral("printOnFirstPage"), boolText(false));
        if (!b.printOnLastPage)
            w.writeAttribute(QStringLiteral("printOnLastPage"), boolText(false));
        for (const ReportObject &o : b.objects)
            writeObject(w, o);
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

bool ReportTemplateIo::save(const QString &path, const ReportTemplate &tpl, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    f.write(toXml(tpl));
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}
