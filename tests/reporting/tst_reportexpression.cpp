#include "reporting/moneymintobig.h"
#include "reporting/periodcaption.h"
#include "reporting/reportbuiltins.h"
#include "reporting/reportexpression.h"
#include "reporting/reportexpressioncontext.h"
#include "reporting/reporttexttemplate.h"
#include "reporting/reportvalue.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {
// A small context: fixed fields and names, built-ins only, aggregates over a fixed list.
class FakeContext : public ReportExpressionContext
{
public:
    QVariant fieldValue(const QString &source, const QString &field) override
    {
        return fields.value(source.toLower() + QLatin1Char('.') + field.toLower());
    }
    QVariant nameValue(const QString &name) override { return names.value(name); }
    QVariant callFunction(const QString &name, const QVariantList &args) override
    {
        QVariant result;
        QString error;
        if (ReportBuiltins::call(name, args, &result, &error))
            return result;
        if (name.compare(QLatin1String("MoneyMinToBig"), Qt::CaseInsensitive) == 0)
            return MoneyMinToBig(ReportValue::toNumber(args.value(0)));
        unknownCalls << name;
        return {};
    }
    QVariant aggregate(const QString &function, const ReportExpression &argument, const QString &band) override
    {
        lastAggregate = function + QLatin1Char('/') + band;
        double sum = 0;
        for (const QVariant &v : rows) {
            fields[QStringLiteral("frxdd.f_amount")] = v;
            sum += ReportValue::toNumber(argument.evaluate(*this));
        }
        return sum;
    }

    QHash<QString, QVariant> fields;
    QHash<QString, QVariant> names;
    QVariantList rows;
    QStringList unknownCalls;
    QString lastAggregate;
};
} // namespace

class TestReportExpression : public QObject
{
    Q_OBJECT
private slots:
    void moneyMinToBig_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");
        // The documented examples and edge cases.
        QTest::newRow("0") << 0.0 << "零元整";
        QTest::newRow("100") << 100.0 << "壹佰零拾零元整";
        QTest::newRow("1234.5") << 1234.5 << "壹仟贰佰叁拾肆元伍角零分";
        QTest::newRow("10.05") << 10.05 << "壹拾零元零角伍分";
        QTest::newRow("1234567890.12") << 1234567890.12 << "壹拾贰亿叁仟肆佰伍拾陆万柒仟捌佰玖拾零元壹角贰分";
        QTest::newRow("0.5") << 0.5 << "零元伍角零分";
        QTest::newRow("1") << 1.0 << "壹元整";
        QTest::newRow("20500") << 20500.0 << "贰万零仟伍佰零拾零元整";
        QTest::newRow("1e9 uses 拾 at ten digits") << 1000000000.0 << "壹拾零亿零仟零佰零拾零万零仟零佰零拾零元整";
        QTest::newRow("invoice 1000-200") << 800.0 << "捌佰零拾零元整";
        QTest::newRow("cents only") << 0.07 << "零元零角柒分";
        QTest::newRow("rounds half up") << 2.675 << "贰元陆角捌分";
        QTest::newRow("largest") << 999999999999.99 << "玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分";
        // Sound behaviour where the routine defines nothing.
        QTest::newRow("negative") << -1234.5 << "负壹仟贰佰叁拾肆元伍角零分";
        QTest::newRow("negative rounding to zero") << -0.001 << "零元整";
        QTest::newRow("1e12 is out of range") << 1e12 << "";
        QTest::newRow("rounds up to 1e12") << 999999999999.996 << "";
        QTest::newRow("-1e12") << -1e12 << "";
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "";
        QTest::newRow("inf") << std::numeric_limits<double>::infinity() << "";
    }
    void moneyMinToBig()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        QCOMPARE(MoneyMinToBig(amount), text);
    }

    void periodCaption()
    {
        QCOMPARE(PeriodCaption(QDate(2024, 3, 1), true, QDate(2024, 3, 31), false),
                 QString("统计日期：自 2024年03月01日 至 记帐最后一天"));
        QCOMPARE(PeriodCaption(QDate(2024, 3, 1), false, QDate(2024, 3, 31), false), QString("统计日期：自 启用系统 至 记帐最后一天"));
        QCOMPARE(PeriodCaption(QDate(2024, 1, 5), true, QDate(2024, 12, 9), true), QString("统计日期：自 2024年01月05日 至 2024年12月09日"));
    }

    void evaluate_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer arithmetic") << "1 + 2 * 3" << "7";
        QTest::newRow("parentheses") << "(1 + 2) * 3" << "9";
        QTest::newRow("division") << "7 / 2" << "3.5";
        QTest::newRow("division by zero is empty") << "7 / 0" << "";
        QTest::newRow("div mod") << "7 div 2 + 7 mod 2 * 10" << "13";
        QTest::newRow("unary minus") << "-(2 - 5)" << "3";
        QTest::newRow("join texts") << "'No.' + '5'" << "No.5";
        QTest::newRow("join text and number") << "'第' + 3 + '页'" << "第3页";
        QTest::newRow("ampersand joins numbers") << "1 & 2" << "12";
        QTest::newRow("quote inside text") << "'it''s'" << "it's";
        QTest::newRow("field") << "frxDM.\"F_Code\"" << "CGD001";
        QTest::newRow("field in angle brackets") << "<frxDM.\"F_Code\">" << "CGD001";
        QTest::newRow("field case differs") << "FRXDM.\"f_code\"" << "CGD001";
        QTest::newRow("field arithmetic") << "<frxDM.\"F_Price\"> * 2" << "25";
        QTest::newRow("variable") << "PageMaxRow + 1" << "6";
        QTest::newRow("variable in brackets") << "<PageMaxRow> * 2" << "10";
        QTest::newRow("comparison") << "IIF(<frxDM.\"F_Price\"> > 10, 'big', 'small')" << "big";
        QTest::newRow("less than after reference") << "IIF(PageMaxRow < 6, 'yes', 'no')" << "yes";
        QTest::newRow("and or not") << "IIF(not (1 = 2) and (1 < 2 or 0), 'T', 'F')" << "T";
        QTest::newRow("text compare") << "IIF('abc' = 'abc', 1, 0)" << "1";
        QTest::newRow("builtin lower case") << "copy('采购入库单', 3, 3)" << "入库单";
        QTest::newRow("format float") << "FormatFloat('#,##0.00', 1234.5)" << "1,234.50";
        QTest::newRow("format datetime") << "FormatDateTime('yyyy年mm月dd日', Date)" << "2024年03月05日";
        QTest::newRow("round half away") << "Round(2.5) + Round(-2.5)" << "0";
        QTest::newRow("round decimals") << "Round(1.005, 2)" << "1.01";
        QTest::newRow("user function any case") << "moneymintobig(<frxDM.\"F_Price\">)" << "壹拾贰元伍角零分";
        QTest::newRow("nested") << "Length(Trim('  ab  ')) * 10" << "20";
        QTest::newRow("exponent") << "1.5e3" << "1500";
    }
    void evaluate()
    {
        QFETCH(QString, expression);
        QFETCH(QString, text);
        FakeContext ctx;
        ctx.fields.insert("frxdm.f_code", "CGD001");
        ctx.fields.insert("frxdm.f_price", 12.5);
        ctx.names.insert("PageMaxRow", 5);
        ctx.names.insert("Date", QDate(2024, 3, 5));
        QString error;
        const ReportExpression e = ReportExpression::parse(expression, &error);
        QVERIFY2(e.isValid(), qPrintable(error));
        QCOMPARE(ReportValue::toText(e.evaluate(ctx)), text);
        QVERIFY(ctx.unknownCalls.isEmpty());
    }

    void parseErrors_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::newRow("unclosed text") << "'abc";
        QTest::newRow("missing operand") << "1 +";
        QTest::newRow("unbalanced") << "(1 + 2";
        QTest::newRow("stray character") << "1 ? 2";
        QTest::newRow("field without name") << "frxDM.";
        QTest::newRow("unclosed reference") << "<frxDM.\"F_Code\"";
        QTest::newRow("too many aggregate arguments") << "SUM(1, Band, 3)";
        QTest::newRow("empty") << "  ";
    }
    void parseErrors()
    {
        QFETCH(QString, expression);
        QString error;
        QVERIFY(!ReportExpression::parse(expression, &error).isValid());
        QVERIFY(!error.isEmpty());
    }

    void aggregateArguments()
    {
        FakeContext ctx;
        ctx.rows = {1.5, 2.5, QVariant()};
        const ReportExpression e = ReportExpression::parse("SUM(<frxDD.\"F_Amount\"> * 2, DetailData1) + 1");
        QVERIFY(e.isValid());
        QVERIFY(e.hasAggregate());
        QCOMPARE(ReportValue::toText(e.evaluate(ctx)), QString("9"));
        QCOMPARE(ctx.lastAggregate, QString("SUM/DetailData1"));
        QCOMPARE(ReportExpression::parse("sum(frxDD.F_Amount)").firstSource(), QString("frxDD"));
    }

    void textTemplates()
    {
        FakeContext ctx;
        ctx.fields.insert("frxdm.f_price", 1234.5);
        ctx.fields.insert("frxdm.f_zero", 0);
        ctx.names.insert("Page#", 2);
        ctx.names.insert("TotalPages#", 7);

        const ReportTextTemplate page = ReportTextTemplate::compile("第 [Page#] 页 共 [TotalPages#] 页", true);
        QCOMPARE(page.evaluate(ctx, {}, false), QString("第 2 页 共 7 页"));
        QVERIFY(page.usesName("TOTALPAGES#"));
        QVERIFY(!page.isConstant());

        const ReportTextTemplate price = ReportTextTemplate::compile("金额：[frxDM.\"F_Price\"]", true);
        QCOMPARE(price.evaluate(ctx, "#,##0.00", false), QString("金额：1,234.50"));

        // A number format leaves dates alone and a date format numbers.
        ctx.names.insert("Date", QDate(2024, 3, 5));
        const ReportTextTemplate mixed = ReportTextTemplate::compile("[frxDM.\"F_Price\"] [Date]", true);
        QCOMPARE(mixed.evaluate(ctx, "#,##0.00", false), QString("1,234.50 2024-03-05"));
        QCOMPARE(mixed.evaluate(ctx, "yyyy年mm月dd日", false), QString("1234.5 2024年03月05日"));

        const ReportTextTemplate zero = ReportTextTemplate::compile("[frxDM.\"F_Zero\"]", true);
        QCOMPARE(zero.evaluate(ctx, {}, true), QString());
        QCOMPARE(zero.evaluate(ctx, {}, false), QString("0"));

        // A bracket without its partner, quoted brackets and switched-off expressions stay text.
        QCOMPARE(ReportTextTemplate::compile("a [ b", true).evaluate(ctx, {}, false), QString("a [ b"));
        QCOMPARE(ReportTextTemplate::compile("[IIF(1 = 1, '[x]', '')]", true).evaluate(ctx, {}, false), QString("[x]"));
        QCOMPARE(ReportTextTemplate::compile("[Page#]", false).evaluate(ctx, {}, false), QString("[Page#]"));

        // A broken expression prints nothing and reports itself.
        const ReportTextTemplate broken = ReportTextTemplate::compile("x[1 +]y", true);
        QCOMPARE(broken.evaluate(ctx, {}, false), QString("xy"));
        QCOMPARE(broken.errors().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestReportExpression)
#include "tst_reportexpression.moc"
