#include "reportfixtures.h"
#include "support/testdatabase.h"

#include "data/session.h"
#include "platform/showmess.h"
#include "reporting/moneymintobig.h"
#include "reporting/reportdesignerdialog.h"
#include "reporting/reportpropertypanel.h"
#include "reporting/reportquerysource.h"
#include "reporting/reportscript.h"
#include "reporting/reportservice.h"
#include "reporting/reporttemplateio.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace ReportFixtures;

namespace {
const char *const DocumentTemplate = R"(<report>
  <variables>
    <category name=" 自定义变量">
      <variable name="PageMaxRow" type="number">9</variable>
      <variable name="sNote">模板值</variable>
      <variable name="bsPhone"></variable>
      <variable name="bsFax"></variable>
    </category>
  </variables>
  <band type="pageHeader" height="15">
    <text name="Head" width="190">单号：[frxDM."F_Code"] 大写：[MoneyMinToBig(&lt;frxDM."F_TotalPrice"&gt;)]</text>
    <text name="Vars" y="5" width="190">[sCurKHname]|[bsPhone]|[bsFax]|[PageMaxRow]|[sNote]</text>
  </band>
  <band type="detailData" height="6" fillRows="PageMaxRow">
    <text name="Line" width="100">[frxDD."F_GoodCode"]</text>
  </band>
</report>)";

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QStringList texts(const PreparedReport &r, const QString &object)
{
    QStringList out;
    for (const PreparedPage &p : r.pages)
        for (const PreparedItem &item : p.items)
            if (r.objects[item.object].name == object)
                out << item.text;
    return out;
}

// Master rows of two receipts and the lines of the second, as the database gives them.
const QString MasterSelect = QStringLiteral(
    "select 'CGD001' as F_Code, cast(20 as decimal(19,4)) as F_TotalPrice "
    "union all select 'CGD002', cast(1234.5 as decimal(19,4)) order by 1");
const QString LineSelect = QStringLiteral(
    "select 'HP01' as F_GoodCode union all select 'HP02' union all select 'HP03' order by 1");
} // namespace

class TestReportService : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    ReportService m_service;

    void reset()
    {
        m_service.setTemplateDir(m_dir.path());
        m_service.setValueHandler(ReportService::defaultValueHandler());
        Session::instance().iPrintNum = 5;
        writeFile(m_dir.filePath("frDoc.xml"), DocumentTemplate);
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init() { reset(); }

    void printDocumentFromQueries()
    {
        REQUIRE_TEST_DB(t);
        QSqlQuery master = t.dm().newQuery();
        QSqlQuery lines = t.dm().newQuery();
        QVERIFY(master.exec(MasterSelect));
        QVERIFY(lines.exec(LineSelect));
        QVERIFY(master.seek(1));  // the window shows the second receipt

        Session::instance().sCorpPhone = "010-1111";
        Session::instance().sCorpFax = "010-2222";
        Session::instance().iPrintNum = 4;
        m_service.setValueHandler([](const QString &name) -> std::optional<QVariant> {
            if (name == QLatin1String("sCurKHname"))
                return QString("示范贸易有限公司");
            if (name == QLatin1String("PageMaxRow"))
                return Session::instance().iPrintNum;
            return std::nullopt;
        });
        MessageScript messages;
        ReportScript script;
        m_service.PrintDocumentReport("frDoc", master, lines);
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(script.entries().size(), 1);
        const ReportScript::Entry &e = script.entries().first();
        QCOMPARE(e.kind, ReportScript::Entry::Kind::Preview);
        QCOMPARE(e.name, QString("frDoc"));
        QCOMPARE(e.path, m_dir.filePath("frDoc.xml"));
        QVERIFY2(e.report.warnings.isEmpty(), qPrintable(e.report.warnings.join('\n')));
        // Field names match whatever case the backend returns; numbers stay numbers.
        QCOMPARE(texts(e.report, "Head"), QStringList{"单号：CGD002 大写：" + MoneyMinToBig(1234.5)});
        // Not answered by this window's handler: the template's values.
        QCOMPARE(texts(e.report, "Vars"), QStringList{"示范贸易有限公司|||4|模板值"});
        QCOMPARE(texts(e.report, "Line"), (QStringList{"HP01", "HP02", "HP03", ""}));
        // The window keeps its cursor.
        QCOMPARE(master.at(), 1);
        QCOMPARE(master.value(0).toString(), QString("CGD002"));
    }

    void defaultHandlerAnswersSessionValues()
    {
        REQUIRE_TEST_DB(t);
        QSqlQuery master = t.dm().newQuery();
        QSqlQuery lines = t.dm().newQuery();
        QVERIFY(master.exec(MasterSelect));
        QVERIFY(lines.exec(LineSelect));
        Session::instance().sCorpPhone = "010-1111";
        Session::instance().sCorpFax = "010-2222";
        Session::instance().iPrintNum = 2;
        ReportService fresh;
        fresh.setTemplateDir(m_dir.path());
        ReportScript script;
        fresh.PrintDocumentReport("frDoc", master, lines);
        QCOMPARE(script.entries().size(), 1);
        // PageMaxRow 2: three lines take two pages, each with its page header.
        QCOMPARE(script.entries().first().report.pageCount(), 2);
        QCOMPARE(texts(script.entries().first().report, "Vars"), QStringList(2, "|010-1111|010-2222|2|模板值"));
    }

    void emptyMasterPrintsNothing()
    {
        REQUIRE_TEST_DB(t);
        QSqlQuery master = t.dm().newQuery();
        QSqlQuery lines = t.dm().newQuery();
        QVERIFY(master.exec("select 'x' as F_Code where 1 = 0"));
        QVERIFY(lines.exec(LineSelect));
        MessageScript messages;
        ReportScript script;
        m_service.PrintDocumentReport("frDoc", master, lines);
        m_service.PrintListReport("frDoc", master);
        QVERIFY(script.entries().isEmpty());
        QVERIFY(messages.shown().isEmpty());
    }

    void missingTemplateGivesEmptyReport()
    {
        MessageScript messages;
        ReportScript script;
        m_service.PrintListReport("frNoSuchTemplate", demoMaster());
        QCOMPARE(script.entries().size(), 1);
        QCOMPARE(script.entries().first().report.pageCount(), 0);
        QVERIFY(messages.shown().isEmpty());

        // The designer starts from an empty A4 template.
        m_service.DesignListReport("frNoSuchTemplate", demoMaster());
        QCOMPARE(script.entries().size(), 2);
        QVERIFY(script.entries().last().tpl.bands.empty());
        QCOMPARE(script.entries().last().tpl.page.pageSize(), QSizeF(210, 297));
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(!QFile::exists(m_dir.filePath("frNoSuchTemplate.xml")));
    }

    void unreadableTemplateIsReported()
    {
        writeFile(m_dir.filePath("frBroken.xml"), "<report><band type=\"masterData\"");
        MessageScript messages;
        ReportScript script;
        m_service.PrintListReport("frBroken", demoMaster());
        m_service.DesignListReport("frBroken", demoMaster());
        // Neither a preview nor a designer that could overwrite the file.
        QVERIFY(script.entries().isEmpty());
        QCOMPARE(messages.shown().size(), 2);
        QCOMPARE(messages.shown().first().kind, int(MessError));
        QVERIFY(messages.shown().first().text.startsWith("报表模板无法读取"));
    }

    void designRedefinesVariables()
    {
        ReportScript script;
        m_service.DesignDocumentReport("frDoc", demoMaster(), demoDetail());
        QCOMPARE(script.entries().size(), 1);
        const ReportTemplate &doc = script.entries().first().tpl;
        QStringList names;
        for (const ReportVariable &v : doc.variables) {
            QCOMPARE(v.category, QString(" 自定义变量"));
            names << v.name;
        }
        QCOMPARE(names, (QStringList{"PageMaxRow", "sCurKHname", "bsPhone", "bsFax", "sLinkMan", "sPhone", "sFax", "sAddress"}));
        QCOMPARE(doc.variable("PageMaxRow")->value, QVariant(qlonglong(5)));
        QCOMPARE(doc.variable("sLinkMan")->value, QVariant(QString()));
        QCOMPARE(doc.bands.size(), size_t(2));

        m_service.DesignListReport("frDoc", std::make_shared<ReportTableSource>(QStringList{"F_Code"}));
        const ReportTemplate &list = script.entries().last().tpl;
        names.clear();
        for (const ReportVariable &v : list.variables)
            names << v.name;
        QCOMPARE(names, (QStringList{"sCurKHname", "memoDate", "memoCaption"}));
        // The list binds frxDM even when it is empty; frxDD keeps its last binding.
        QVERIFY(m_service.master());
        QCOMPARE(m_service.master()->rowCount(), 0);
        QCOMPARE(m_service.detail()->rowCount(), demoDetail()->rowCount());
    }

    void designerSavesWhatTheNextPrintUses()
    {
        ReportScript script;
        script.setDesignerHandler([](ReportDesignerDialog &designer) {
            QCOMPARE(designer.windowTitle(), QString("报表设计 - frDoc"));
            designer.selectObject("Head");
            auto *text = designer.findChild<QPlainTextEdit *>("edtText");
            QVERIFY(text);
            text->setPlainText("新单号：[frxDM.\"F_Code\"]");
            QVERIFY(designer.isModified());
            QVERIFY(designer.save());
        });
        m_service.DesignDocumentReport("frDoc", demoMaster(), demoDetail());
        m_service.PrintDocumentReport("frDoc", demoMaster(), demoDetail());
        QCOMPARE(script.entries().size(), 2);
        QCOMPARE(texts(script.entries().last().report, "Head").first(), QString("新单号：CGD20240301001"));
        // The redefined variables were saved with it.
        ReportTemplate saved;
        QCOMPARE(ReportTemplateIo::load(m_dir.filePath("frDoc.xml"), &saved), ReportTemplateIo::LoadStatus::Loaded);
        QVERIFY(!saved.variable("sNote"));
        QCOMPARE(saved.variable("PageMaxRow")->value, QVariant(qlonglong(5)));
    }

    void handlerStaysInstalled()
    {
        m_service.setValueHandler([](const QString &name) -> std::optional<QVariant> {
            if (name == QLatin1String("sNote"))
                return QString("窗口的值");
            return std::nullopt;
        });
        ReportScript script;
        m_service.PrintDocumentReport("frDoc", demoMaster(), demoDetail());
        m_service.PrintListReport("frDoc", demoMaster());
        QCOMPARE(script.entries().size(), 2);
        for (const ReportScript::Entry &e : script.entries())
            QVERIFY(texts(e.report, "Vars").first().endsWith("|窗口的值"));
    }

    void dataModuleOwnsItsReport()
    {
        REQUIRE_TEST_DB(t);
        ReportService &a = ReportService::of(t.dm());
        ReportService &b = ReportService::of(t.dm());
        QCOMPARE(&a, &b);
        QCOMPARE(a.parent(), &t.dm());
        QCOMPARE(a.objectName(), QString("frxReport"));
        QVERIFY(a.functions().find("MONEYMINTOBIG"));
        QCOMPARE(a.functions().find("moneymintobig")->category, QString("myTest"));
        QCOMPARE(a.templatePath("frCaigouInDept"), TdmData::appDir() + "/Qr/frCaigouInDept.xml");
    }

    void exportPdfFromTheCommandLine()
    {
        m_service.bindMaster(demoMaster());
        m_service.bindDetail(demoDetail());
        const QString pdf = m_dir.filePath("out/frDoc.pdf");
        QString error;
        QVERIFY2(m_service.exportPdf("frDoc", pdf, &error), qPrintable(error));
        QVERIFY(QFileInfo(pdf).size() > 1000);
        writeFile(m_dir.filePath("frBroken.xml"), "<report");
        QVERIFY(!m_service.exportPdf("frBroken", pdf, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(TestReportService)
#include "tst_reportservice.moc"
