#include "data/displayformat.h"

#include <QtTest>

class TstDisplayFormat : public QObject
{
    Q_OBJECT
private slots:
    void number_data();
    void number();
    void date_data();
    void date();
    void value_data();
    void value();
    void excelNumber_data();
    void excelNumber();
    void excelDate();
};

void TstDisplayFormat::number_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");

    // Quantity formats built from the decimals.
    QTest::newRow("int 0.") << 12.0 << "0." << "12";
    QTest::newRow("int 0. rounds up") << 2.5 << "0." << "3";
    QTest::newRow("int 0. negative half") << -2.5 << "0." << "-3";
    QTest::newRow("int 0. below half") << 2.49 << "0." << "2";
    QTest::newRow("0.## whole") << 5.0 << "0.##" << "5";
    QTest::newRow("0.## one") << 1.5 << "0.##" << "1.5";
    QTest::newRow("0.## two") << 1.256 << "0.##" << "1.26";
    QTest::newRow("0.## small") << 0.004 << "0.##" << "0";
    QTest::newRow("0.## negative") << -3.1 << "0.##" << "-3.1";
    QTest::newRow("0.## no grouping") << 1234567.0 << "0.##" << "1234567";
    QTest::newRow("decimal 2.675") << 2.675 << "0.00" << "2.68";
    QTest::newRow("decimal 1.005") << 1.005 << "0.00" << "1.01";
    QTest::newRow("decimal -1.005") << -1.005 << "0.00" << "-1.01";
    QTest::newRow("rounds to zero no sign") << -0.004 << "0.00" << "0.00";
    QTest::newRow("zero 0.00") << 0.0 << "0.00" << "0.00";
    QTest::newRow("carry") << 9.996 << "0.00" << "10.00";
    QTest::newRow("carry grouping") << 999999.999 << ",0.00" << "1,000,000.00";

    // Price and amount formats.
    QTest::newRow("yuan 2") << 1234.5 << "￥,0.00" << "￥1,234.50";
    QTest::newRow("yuan 2 zero") << 0.0 << "￥,0.00" << "￥0.00";
    QTest::newRow("yuan 2 small") << 0.5 << "￥,0.00" << "￥0.50";
    QTest::newRow("yuan 2 negative") << -1234.5 << "￥,0.00" << "-￥1,234.50";
    QTest::newRow("yuan 4 short") << 12.5 << "￥,0.00##" << "￥12.50";
    QTest::newRow("yuan 4 long") << 12.3456 << "￥,0.00##" << "￥12.3456";
    QTest::newRow("yuan 4 three") << 12.345 << "￥,0.00##" << "￥12.345";
    QTest::newRow("yuan 4 round") << 12.34567 << "￥,0.00##" << "￥12.3457";
    QTest::newRow("yuan 3") << 7.0 << "￥,0.00#" << "￥7.00";
    QTest::newRow("yuan millions") << 1234567.891 << "￥,0.00" << "￥1,234,567.89";
    QTest::newRow("yuan 0 decimals") << 1234.5 << "￥,0." << "￥1,235";

    // Sections.
    QTest::newRow("sections positive") << 1234.5 << "￥,0.00;-￥,0.00" << "￥1,234.50";
    QTest::newRow("sections negative") << -1234.5 << "￥,0.00;-￥,0.00" << "-￥1,234.50";
    QTest::newRow("sections paren") << -5.0 << "0.00;(0.00)" << "(5.00)";
    QTest::newRow("grouped sections neg") << -12345.678 << ",0.##;-,0.##" << "-12,345.68";
    QTest::newRow("grouped sections pos") << 12345.0 << ",0.##;-,0.##" << "12,345";
    QTest::newRow("zero section") << 0.0 << "0.00;-0.00;零" << "零";
    QTest::newRow("zero section rounded") << 0.001 << "0.00;-0.00;'-'" << "-";
    QTest::newRow("empty negative section") << -2.0 << "0.0;;zero" << "-2.0";
    QTest::newRow("empty zero section") << 0.0 << "0.0;-0.0;" << "0.0";

    // Standard patterns.
    QTest::newRow("#,##0.00") << 1234567.5 << "#,##0.00" << "1,234,567.50";
    QTest::newRow("#,##0.00 small") << 0.5 << "#,##0.00" << "0.50";
    QTest::newRow("#,##0.00 neg") << -999.999 << "#,##0.00" << "-1,000.00";
    QTest::newRow("#.## below one") << 0.5 << "#.##" << ".5";
    QTest::newRow("# zero") << 0.0 << "#" << "";
    QTest::newRow("000 pad") << 7.0 << "000" << "007";
    QTest::newRow("000 wide") << 12345.0 << "000" << "12345";
    QTest::newRow("grouping 3 digits") << 123.0 << ",0" << "123";
    QTest::newRow("grouping 4 digits") << 1234.0 << ",0" << "1,234";
    QTest::newRow("literal suffix") << 3.0 << "0.0 \"kg\"" << "3.0 kg";
    QTest::newRow("quoted semicolon") << 3.0 << "0';'0" << "0;3";
    QTest::newRow("percent literal") << 45.0 << "0%" << "45%";
    QTest::newRow("scientific") << 12345.0 << "0.00E+00" << "1.23E+04";
    QTest::newRow("scientific small") << 0.000123 << "0.0E-0" << "1.2E-4";
    QTest::newRow("scientific carry") << 9.999 << "0.00E+00" << "1.00E+01";
    QTest::newRow("large") << 123456789012.0 << ",0.00" << "123,456,789,012.00";
    QTest::newRow("empty format plain") << 12.5 << "" << "12.5";
    QTest::newRow("empty format whole") << 100.0 << "" << "100";
}

void TstDisplayFormat::number()
{
    QFETCH(double, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(DisplayFormat::formatNumber(value, format), expected);
}

void TstDisplayFormat::date_data()
{
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    const QDateTime dt(QDate(2024, 3, 7), QTime(9, 5, 3));
    QTest::newRow("date") << dt << "yyyy-mm-dd" << "2024-03-07";
    QTest::newRow("date time") << dt << "yyyy-mm-dd hh:nn:ss" << "2024-03-07 09:05:03";
    QTest::newRow("chinese") << dt << "yyyy年MM月dd日" << "2024年03月07日";
    QTest::newRow("short") << dt << "yy/m/d" << "24-3-7";
    QTest::newRow("hh:mm minutes") << dt << "hh:mm" << "09:05";
    QTest::newRow("12 hour") << QDateTime(QDate(2024, 3, 7), QTime(15, 0)) << "h:nn am/pm" << "3:00 pm";
    QTest::newRow("quoted") << dt << "'day' d" << "day 7";
    QTest::newRow("millis") << QDateTime(QDate(2024, 3, 7), QTime(1, 2, 3, 45)) << "ss.zzz" << "03.045";
    QTest::newRow("empty date only") << QDateTime(QDate(2024, 3, 7), QTime(0, 0)) << "" << "2024-03-07";
    QTest::newRow("empty with time") << dt << "" << "2024-03-07 09:05:03";
    QTest::newRow("invalid") << QDateTime() << "yyyy-mm-dd" << "";
}

void TstDisplayFormat::date()
{
    QFETCH(QDateTime, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(DisplayFormat::formatDate(value, format), expected);
}

void TstDisplayFormat::value_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant() << "0.00" << "";
    QTest::newRow("double") << QVariant(3.14159) << "0.##" << "3.14";
    QTest::newRow("int plain") << QVariant(42) << "" << "42";
    QTest::newRow("int formatted") << QVariant(1234) << "￥,0.00" << "￥1,234.00";
    QTest::newRow("longlong") << QVariant(qlonglong(5)) << "0." << "5";
    QTest::newRow("text number") << QVariant(QStringLiteral("12.5")) << "0.00" << "12.50";
    QTest::newRow("text plain") << QVariant(QStringLiteral("00012")) << "" << "00012";
    QTest::newRow("text not number") << QVariant(QStringLiteral("abc")) << "0.00" << "abc";
    QTest::newRow("text date") << QVariant(QStringLiteral("2024-03-07 10:11:12")) << "yyyy-mm-dd" << "2024-03-07";
    QTest::newRow("date") << QVariant(QDate(2024, 1, 2)) << "" << "2024-01-02";
    QTest::newRow("date formatted") << QVariant(QDate(2024, 1, 2)) << "yyyy年mm月dd日" << "2024年01月02日";
    QTest::newRow("datetime") << QVariant(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))) << "" << "2024-01-02 03:04:05";
}

void TstDisplayFormat::value()
{
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(DisplayFormat::formatValue(value, format), expected);
}

void TstDisplayFormat::excelNumber_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("excel");
    QTest::addColumn<int>("round");
    QTest::newRow("empty") << "" << "" << -1;
    QTest::newRow("0.") << "0." << "0" << -1;
    QTest::newRow("0.##") << "0.##" << "" << 2;
    QTest::newRow("0.00") << "0.00" << "0.00" << -1;
    QTest::newRow("yuan") << "￥,0.00" << "\"￥\"#,##0.00" << -1;
    QTest::newRow("yuan 4") << "￥,0.00##" << "\"￥\"#,##0.00##" << -1;
    QTest::newRow("yuan 0") << "￥,0." << "\"￥\"#,##0" << -1;
    QTest::newRow("sections") << "￥,0.00;-￥,0.00" << "\"￥\"#,##0.00;\"-￥\"#,##0.00" << -1;
    QTest::newRow("optional sections") << ",0.##;-,0.##" << "General;\"-\"General" << 2;
    QTest::newRow("standard") << "#,##0.00" << "#,##0.00" << -1;
    QTest::newRow("scientific") << "0.00E+00" << "0.00E+00" << -1;
    QTest::newRow("padded") << "000" << "000" << -1;
    QTest::newRow("empty negative") << "0.0;;'zero'" << "0.0;-0.0;\"zero\"" << -1;
}

void TstDisplayFormat::excelNumber()
{
    QFETCH(QString, format);
    QFETCH(QString, excel);
    QFETCH(int, round);
    int r = 0;
    QCOMPARE(DisplayFormat::excelNumberFormat(format, &r), excel);
    QCOMPARE(r, round);
}

void TstDisplayFormat::excelDate()
{
    QCOMPARE(DisplayFormat::excelDateFormat(""), QStringLiteral("yyyy-mm-dd"));
    QCOMPARE(DisplayFormat::excelDateFormat("yyyy-mm-dd"), QStringLiteral("yyyy\\-mm\\-dd"));
    QCOMPARE(DisplayFormat::excelDateFormat("yyyy-mm-dd hh:nn:ss"), QStringLiteral("yyyy\\-mm\\-dd\\ hh:mm:ss"));
    QCOMPARE(DisplayFormat::excelDateFormat("yyyy年MM月dd日"), QStringLiteral("yyyy\"年\"mm\"月\"dd\"日\""));
    QCOMPARE(DisplayFormat::excelDateFormat("hh:mm"), QStringLiteral("hh:mm"));
}

QTEST_GUILESS_MAIN(TstDisplayFormat)
#include "tst_displayformat.moc"
