#include "suppliergoodsfixture.h"
#include "support/testdatabase.h"

#include "data/session.h"
#include "masterdata/employeephoto.h"
#include "masterdata/imagekind.h"
#include "masterdata/tfrmempedit.h"
#include "masterdata/tfrmempman.h"
#include "masterdata/tfrmimagedisp.h"
#include "platform/showmess.h"
#include "reporting/reportscript.h"
#include "widgets/datagrid.h"
#include "widgets/gridviewmodel.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace SupplierGoodsFixture;

namespace {

// A 1x1 GIF picture.
const QByteArray kGif = QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");

QString writePicture(const QTemporaryDir &dir, const QString &name, const char *format, QByteArray *bytes = nullptr)
{
    const QString file = dir.filePath(name);
    QByteArray data;
    if (QByteArray(format) == "gif") {
        data = kGif;
    } else {
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(QColor(200, 40, 40));
        QBuffer b(&data);
        b.open(QIODevice::WriteOnly);
        img.save(&b, format);
    }
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write(data);
    if (bytes)
        *bytes = data;
    return file;
}

template <class T>
T *child(QWidget *w, const char *name)
{
    T *c = w ? w->findChild<T *>(QLatin1String(name)) : nullptr;
    if (!c)
        qWarning("no child %s", name);
    return c;
}

void setText(QWidget *w, const char *name, const QString &text)
{
    if (auto *e = child<QLineEdit>(w, name))
        e->setText(text);
}

void setCombo(QWidget *w, const char *name, const QString &text)
{
    if (auto *c = child<QComboBox>(w, name))
        c->setEditText(text);
}

QStringList codes(TfrmEmpMan &list)
{
    QStringList out;
    for (int row = 0; row < list.rowCount(); ++row)
        out << list.rowValue(row, "F_Code").toString();
    return out;
}

// Chooses a picture file through the editor's "载入图片" and the picture window.
void choosePhoto(QWidget *editor, const QString &file)
{
    whenModal([file](QWidget *w) {
        auto *pictures = qobject_cast<TfrmImageDisp *>(w);
        QVERIFY(pictures);
        QCOMPARE(pictures->windowTitle(), QStringLiteral("图像显示"));
        QVERIFY(pictures->showFile(file));
        pictures->acSaveExecute();
    });
    child<QPushButton>(editor, "BitBtn1")->click();
}

} // namespace

class TestEmployees : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void addModifyDeleteWithPhoto_data();
    void addModifyDeleteWithPhoto();
    void codeRequiredAndUnique();
    void continuousEntryAddsTwo();
    void operatorWithoutEditFlagCannotSave();
    void leftEmployeesHiddenAndRed();
    void queryTypesFilter();
    void printAndDesign();
    void photoKinds();
    void pictureWindow();
};

void TestEmployees::addModifyDeleteWithPhoto_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("kept");
    QTest::newRow("jpeg") << "photo.JPG" << QByteArray("jpeg") << true;
    QTest::newRow("png") << "photo.png" << QByteArray("png") << true;
    QTest::newRow("bmp") << "photo.bmp" << QByteArray("bmp") << true;
    // A GIF can be shown and chosen but is not kept.
    QTest::newRow("gif") << "photo.gif" << QByteArray("gif") << false;
}

void TestEmployees::addModifyDeleteWithPhoto()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, format);
    QFETCH(bool, kept);
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QTemporaryDir dir;
    QByteArray fileBytes;
    const QString file = writePicture(dir, fileName, format.constData(), &fileBytes);
    MessageScript msgs;
    TfrmEmpMan list;
    QAbstractItemModelTester tester(list.grid()->viewModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.show();
    QCOMPARE(list.windowTitle(), QStringLiteral("员工资料管理"));
    QCOMPARE(list.grid()->gridColumn(5).caption, QStringLiteral("联系电话"));

    whenModal([&](QWidget *w) {
        auto *editor = qobject_cast<TfrmEmpEdit *>(w);
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), QStringLiteral("员工档案信息 - 新增"));
        QVERIFY(child<QCheckBox>(editor, "CheckBox1")->isVisible());
        QVERIFY(!child<QCheckBox>(editor, "CheckBox1")->isChecked());
        QVERIFY(!child<QWidget>(editor, "DBNavigator1")->isVisible());
        setText(editor, "edtcode", " E01 ");
        setText(editor, "edtName", " 张三 ");
        setCombo(editor, "cbbsex", "男");
        setCombo(editor, "cbbduty", "采购员");
        setCombo(editor, "cbbdept", "采购部");
        setText(editor, "edtphone", "13800000000");
        child<QPlainTextEdit>(editor, "Mem")->setPlainText(" 备注 ");
        choosePhoto(editor, file);
        QVERIFY(!editor->photo().isNull());
        child<QPushButton>(editor, "Button1")->click();
    });
    list.findChild<QToolButton *>("tbNew")->click();
    QVERIFY(msgs.shown().isEmpty());
    QCOMPARE(codes(list), QStringList{"E01"});
    QCOMPARE(value(t.dm(), "select F_Name from t_employee").toString(), QStringLiteral("张三"));
    QCOMPARE(value(t.dm(), "select F_Mem from t_employee").toString(), QStringLiteral(" 备注 "));
    QCOMPARE(value(t.dm(), "select F_dept from t_employee").toString(), QStringLiteral("采购部"));
    QCOMPARE(value(t.dm(), "select F_imagePath from t_employee").toString(), fileName);
    const QVariant stored = value(t.dm(), "select F_EmpImage from t_employee");
    if (kept) {
        QImage img;
        QVERIFY(img.loadFromData(stored.toByteArray()));
        QCOMPARE(img.size(), QSize(40, 30));
        // The picture's own bytes are kept (a JPEG is not encoded again).
        QCOMPARE(stored.toByteArray(), fileBytes);
    } else {
        QVERIFY(stored.isNull() || stored.toByteArray().isEmpty());
    }

    // Modify: the photograph comes back from the database (not for a GIF).
    whenModal([&](QWidget *w) {
        auto *editor = qobject_cast<TfrmEmpEdit *>(w);
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), QStringLiteral("员工档案信息 - 修改"));
        QVERIFY(child<QLineEdit>(editor, "edtcode")->isReadOnly());
        QCOMPARE(child<QLineEdit>(editor, "edtcode")->text(), QStringLiteral("E01"));
        QVERIFY(!child<QCheckBox>(editor, "CheckBox1")->isVisible());
        QCOMPARE(editor->photo().isNull(), !kept);
        QCOMPARE(editor->photo().path(), kept ? fileName : QString());
        setText(editor, "edtName", "张三丰");
        child<QPushButton>(editor, "Button1")->click();
    });
    list.tbEditClick();
    QVERIFY(msgs.shown().isEmpty());
    QCOMPARE(value(t.dm(), "select F_Name from t_employee").toString(), QStringLiteral("张三丰"));
    if (kept)
        QCOMPARE(value(t.dm(), "select F_EmpImage from t_employee").toByteArray(), fileBytes);

    // "清空显示" removes the stored photograph.
    whenModal([&](QWidget *w) {
        auto *editor = qobject_cast<TfrmEmpEdit *>(w);
        QVERIFY(editor);
        child<QPushButton>(editor, "BitBtn2")->click();
        child<QPushButton>(editor, "Button1")->click();
    });
    list.tbEditClick();
    QVERIFY(value(t.dm(), "select F_EmpImage from t_employee").isNull());
    QCOMPARE(value(t.dm(), "select F_imagePath from t_employee").toString(), QString());

    // Delete asks first.
    msgs.answer(2);
    list.tbDelClick();
    QCOMPARE(msgs.texts(), QStringList{"真的要删除员工 \"张三丰\" 的资料吗？"});
    QCOMPARE(count(t.dm(), "select count(*) from t_employee"), 1);
    msgs.answer(1);
    list.tbDelClick();
    QCOMPARE(count(t.dm(), "select count(*) from t_employee"), 0);
    QVERIFY(codes(list).isEmpty());
}

void TestEmployees::codeRequiredAndUnique()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addEmployee(t.dm(), "E01", "甲"));
    MessageScript msgs;
    TfrmEmpMan list;
    list.show();
    QStringList seen;
    whenModal([&](QWidget *w) {
        auto *editor = qobject_cast<TfrmEmpEdit *>(w);
        QVERIFY(editor);
        setText(editor, "edtcode", "   ");
        child<QPushButton>(editor, "Button1")->click();
        setText(editor, "edtcode", " e01 ");
        child<QPushButton>(editor, "Button1")->click();
        seen = msgs.texts();
        QVERIFY(editor->isVisible());
        setText(editor, "edtcode", " E02 ");
        setText(editor, "edtName", "乙");
        child<QPushButton>(editor, "Button1")->click();
    });
    list.tbNewClick();
    QCOMPARE(seen, (QStringList{"当前员工编号不能为空！", "员工编号重复，请重新输入！"}));
    QCOMPARE(codes(list), (QStringList{"E01", "E02"}));
    QCOMPARE(list.currentValue("F_Code").toString(), QStringLiteral("E02"));
    // Its own code is not a duplicate.
    msgs.clear();
    list.setCurrentRow(0);
    whenModal([](QWidget *w) { child<QPushButton>(w, "Button1")->click(); });
    list.tbEditClick();
    QVERIFY(msgs.shown().isEmpty());
    QCOMPARE(count(t.dm(), "select count(*) from t_employee"), 2);
}

void TestEmployees::continuousEntryAddsTwo()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    TfrmEmpMan list;
    list.show();
    bool clearedAfterFirst = false;
    whenModal([&](QWidget *w) {
        auto *editor = qobject_cast<TfrmEmpEdit *>(w);
        QVERIFY(editor);
        child<QCheckBox>(editor, "CheckBox1")->setChecked(true);
        setText(editor, "edtcode", "E01");
        setText(editor, "edtName", "甲");
        child<QPushButton>(editor, "Button1")->click();
        clearedAfterFirst = editor->isVisible() && child<QLineEdit>(editor, "edtcode")->text().isEmpty()
            && editor->isAdding();
        setText(editor, "edtcode", "E02");
        setText(editor, "edtName", "乙");
        child<QPushButton>(editor, "Button1")->click();
        child<QPushButton>(editor, "Button2")->click();
    });
    list.tbNewClick();
    QVERIFY(clearedAfterFirst);
    QCOMPARE(codes(list), (QStringList{"E01", "E02"}));
    QCOMPARE(list.currentRow(), 1);
}

void TestEmployees::operatorWithoutEditFlagCannotSave()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    Session::instance().bYGedit = false;
    QVERIFY(addEmployee(t.dm(), "E01", "甲"));
    TfrmEmpMan list;
    list.show();
    QVERIFY(!list.findChild<QToolButton *>("tbDel")->isEnabled());
    bool saveEnabled = true;
    whenModal([&](QWidget *w) {
        auto *editor = qobject_cast<TfrmEmpEdit *>(w);
        QVERIFY(editor);
        saveEnabled = child<QPushButton>(editor, "Button1")->isEnabled();
        setText(editor, "edtName", "改名");
        editor->Button1Click();
        child<QPushButton>(editor, "Button2")->click();
    });
    list.tbEditClick();
    QVERIFY(!saveEnabled);
    QCOMPARE(value(t.dm(), "select F_Name from t_employee").toString(), QStringLiteral("甲"));
}

void TestEmployees::leftEmployeesHiddenAndRed()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addEmployee(t.dm(), "E01", "在职"));
    QVERIFY(addEmployee(t.dm(), "E02", "离职", true));
    TfrmEmpMan list;
    list.show();
    QCOMPARE(codes(list), QStringList{"E01"});
    QCOMPARE(list.findChild<QLabel *>("StatusPanel2")->text(), QStringLiteral("记录数：1"));
    QCheckBox *all = list.findChild<QCheckBox *>("CheckBox2");
    QCOMPARE(all->text(), QStringLiteral("包含已离职"));
    all->click();
    QCOMPARE(codes(list), (QStringList{"E01", "E02"}));
    GridViewModel *v = list.grid()->viewModel();
    QCOMPARE(v->rowStyle(1).text, QColor(Qt::red));
    QVERIFY(v->rowStyle(0).text != QColor(Qt::red));
}

void TestEmployees::queryTypesFilter()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(exec(t.dm(), "insert into t_employee(F_Code,F_Name,F_Sex,F_dept,F_duty,F_Mem) values"
                         "('E01','王小明','男','采购部','采购员','100%完成'),"
                         "('E02','李明','女','财务部','会计',''),"
                         "('E03','赵四','男','采购二部','经理','1000完成')"));
    // The department list of the code lists is not what the filter offers.
    QVERIFY(addCode(t.dm(), "dept", "质检部"));
    TfrmEmpMan list;
    list.show();
    QComboBox *type = list.findChild<QComboBox *>("ComboBox1");
    QComboBox *values = list.valueList();
    QLineEdit *text = list.findChild<QLineEdit *>("Edit1");
    QCOMPARE(type->currentIndex(), -1);
    type->setCurrentIndex(3);  // 部  门
    QVERIFY(values->isVisibleTo(&list) && !text->isVisibleTo(&list));
    QStringList offered;
    for (int i = 0; i < values->count(); ++i)
        offered << values->itemText(i);
    offered.sort();
    QStringList used{"采购部", "财务部", "采购二部"};
    used.sort();
    QCOMPARE(offered, used);
    values->setEditText("采购");
    list.findChild<QToolButton *>("SpeedButton1")->click();
    QCOMPARE(codes(list), (QStringList{"E01", "E03"}));
    type->setCurrentIndex(1);  // 姓  名: contains
    QVERIFY(text->isVisibleTo(&list) && !values->isVisibleTo(&list));
    text->setText(" 明 ");
    list.findChild<QToolButton *>("SpeedButton1")->click();
    QCOMPARE(codes(list), (QStringList{"E01", "E02"}));
    type->setCurrentIndex(5);  // 备  注: a typed % matches itself
    text->setText("0%");
    list.findChild<QToolButton *>("SpeedButton1")->click();
    QCOMPARE(codes(list), QStringList{"E01"});
    type->setCurrentIndex(2);  // 性  别
    QCOMPARE(values->count(), 2);
    values->setEditText("女");
    list.findChild<QToolButton *>("SpeedButton1")->click();
    QCOMPARE(codes(list), QStringList{"E02"});
}

void TestEmployees::printAndDesign()
{
    REQUIRE_TEST_DB(t);
    login(t.dm());
    QVERIFY(addEmployee(t.dm(), "E01", "王小明"));
    QVERIFY(addEmployee(t.dm(), "E02", "李明"));
    TfrmEmpMan list;
    list.show();
    ReportScript rs;
    list.tbPrintClick();
    QCOMPARE(rs.entries().size(), 1);
    QCOMPARE(rs.entries().at(0).name, QStringLiteral("frEmpMan"));
    QVERIFY(rs.entries().at(0).report.pageCount() >= 1);
    const QString printed = rs.entries().at(0).report.text();
    QVERIFY2(printed.contains(QStringLiteral("王小明")) && printed.contains(QStringLiteral("李明")), qPrintable(printed));
    QVERIFY(printed.contains(QStringLiteral("测试公司")));
    QVERIFY(printed.contains(QStringLiteral("员工人数：2")));
    list.tbSetClick();
    QCOMPARE(rs.entries().size(), 2);
    QCOMPARE(rs.entries().at(1).kind, ReportScript::Entry::Kind::Designer);
    QCOMPARE(rs.entries().at(1).name, QStringLiteral("frEmpMan"));
}

void TestEmployees::photoKinds()
{
    QCOMPARE(ImageKind::ofFile("a.BMP"), ImageKind::Bitmap);
    QCOMPARE(ImageKind::ofFile("/x/a.jpeg"), ImageKind::Jpeg);
    QCOMPARE(ImageKind::ofFile("a.Jpg"), ImageKind::Jpeg);
    QCOMPARE(ImageKind::ofFile("a.gif"), ImageKind::Gif);
    QCOMPARE(ImageKind::ofFile("a.png"), ImageKind::Png);
    QCOMPARE(ImageKind::ofFile("a.tif"), ImageKind::Unknown);
    QCOMPARE(ImageKind::ofFile("bmp"), ImageKind::Unknown);

    QTemporaryDir dir;
    // A file named .jpg that holds a PNG picture is stored as a JPEG picture.
    QByteArray png;
    const QString file = writePicture(dir, "a.png", "png", &png);
    QVERIFY(QFile::copy(file, dir.filePath("b.jpg")));
    EmployeePhoto p;
    QVERIFY(p.loadFile(dir.filePath("b.jpg")));
    QCOMPARE(p.fileName(), QStringLiteral("b.jpg"));
    QCOMPARE(ImageKind::ofData(p.storedBytes()), ImageKind::Jpeg);
    // Stored bytes read back only for the kinds that are kept.
    QVERIFY(!EmployeePhoto::fromStored("a.png", png).isNull());
    QVERIFY(EmployeePhoto::fromStored("a.gif", png).isNull());
    QVERIFY(EmployeePhoto::fromStored("a.png", QByteArray("garbage")).isNull());
    QVERIFY(!p.loadFile(dir.filePath("missing.png")));
    QCOMPARE(p.fileName(), QStringLiteral("b.jpg"));
}

void TestEmployees::pictureWindow()
{
    QTemporaryDir dir;
    const QString file = writePicture(dir, "p.png", "png");
    MessageScript msgs;
    TfrmImageDisp w;
    QVERIFY(!w.showFile(dir.filePath("none.png")));
    QVERIFY(msgs.shown().isEmpty());
    QFile broken(dir.filePath("broken.jpg"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    QVERIFY(!w.showFile(dir.filePath("broken.jpg")));
    QCOMPARE(msgs.texts(), QStringList{QStringLiteral("读取文件：") + dir.filePath("broken.jpg") + QStringLiteral("时发生错误！\r")
                                       + QStringLiteral("该文件不是标准格式的文件，或者该文件已经被损坏！")});
    QVERIFY(w.showFile(file));
    QCOMPARE(w.path(), file);
    QCOMPARE(w.zoomStep(), 9);
    QCOMPARE(w.findChild<QLabel *>("StatusPanel1")->text(), QStringLiteral("40x30"));
    QAction *in = w.findChild<QAction *>("acZoomIn");
    QAction *out = w.findChild<QAction *>("acZoomOut");
    for (int i = 0; i < 10; ++i)
        in->trigger();
    QCOMPARE(w.zoomStep(), 15);
    QVERIFY(!in->isEnabled());
    QCOMPARE(w.findChild<QLabel *>("StatusPanel2")->text(), QStringLiteral("1000%"));
    QTest::keyClick(&w, Qt::Key_Space);
    QCOMPARE(w.zoomStep(), 9);
    for (int i = 0; i < 10; ++i)
        out->trigger();
    QCOMPARE(w.zoomStep(), 1);
    QVERIFY(!out->isEnabled() && in->isEnabled());
    QCOMPARE(w.findChild<QLabel *>("Image1")->pixmap().size(), QSize(2, 2));

    // Output: JPEG gets ".jpg", bitmap ".bmp"; GIF only for a picture read from a GIF.
    QVERIFY(w.writePicture(dir.filePath("out1"), 1));
    QCOMPARE(ImageKind::ofData([&] { QFile f(dir.filePath("out1.jpg")); f.open(QIODevice::ReadOnly); return f.readAll(); }()),
             ImageKind::Jpeg);
    QVERIFY(w.writePicture(dir.filePath("out2.bmp"), 3));
    QVERIFY(QFile::exists(dir.filePath("out2.bmp")));
    msgs.clear();
    QVERIFY(!w.writePicture(dir.filePath("out3"), 2));
    QCOMPARE(msgs.shown().size(), 1);
    QVERIFY(w.showFile(writePicture(dir, "g.gif", "gif")));
    QVERIFY(w.writePicture(dir.filePath("out3"), 2));
    QCOMPARE([&] { QFile f(dir.filePath("out3.gif")); f.open(QIODevice::ReadOnly); return f.readAll(); }(), kGif);

    w.findChild<QAction *>("acClear")->trigger();
    QVERIFY(w.picture().isNull());
    QVERIFY(w.path().isEmpty());

    // Closed without "保存": the given path comes back.
    whenModal([](QWidget *m) { qobject_cast<TfrmImageDisp *>(m)->acCancelExecute(); });
    QCOMPARE(w.ChoosePicture("keep.png"), QStringLiteral("keep.png"));
}

QTEST_MAIN(TestEmployees)
#include "tst_employees.moc"
