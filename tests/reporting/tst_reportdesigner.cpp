#include "reportfixtures.h"

#include "platform/showmess.h"
#include "reporting/reportbanditem.h"
#include "reporting/reportdesignerdialog.h"
#include "reporting/reportdesignscene.h"
#include "reporting/reportinserttree.h"
#include "reporting/reportobjectitem.h"
#include "reporting/reportpagesetupdialog.h"
#include "reporting/reportpropertypanel.h"
#include "reporting/reportservice.h"
#include "reporting/reporttemplateio.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using namespace ReportFixtures;

namespace {
constexpr double K = ReportDesignScene::UnitsPerMm;

QAction *action(QWidget &w, const char *name)
{
    auto *a = w.findChild<QAction *>(name);
    if (!a)
        qFatal("no action %s", name);
    return a;
}

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Drags with the left button from one scene point to another, in small steps.
void drag(QGraphicsView *view, const QPointF &from, const QPointF &to)
{
    QWidget *vp = view->viewport();
    const QPoint a = view->mapFromScene(from);
    const QPoint b = view->mapFromScene(to);
    sendMouse(vp, QEvent::MouseButtonPress, a, Qt::LeftButton);
    for (int i = 1; i <= 5; ++i)
        sendMouse(vp, QEvent::MouseMove, a + (b - a) * i / 5, Qt::LeftButton);
    sendMouse(vp, QEvent::MouseButtonRelease, b, Qt::NoButton);
    QCoreApplication::processEvents();
}

QRectF geometryOf(const ReportTemplate &tpl, const QString &name)
{
    const ReportObject *o = tpl.object(name);
    return o ? o->geometry : QRectF();
}
} // namespace

class TestReportDesigner : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_path;

    ReportTemplate demo()
    {
        ReportTemplate tpl;
        ReportTemplateIo::load(fixturePath("demo.xml"), &tpl);
        return tpl;
    }

private slots:
    void init()
    {
        m_path = m_dir.filePath("frDemo.xml");
        QFile::remove(m_path);
        QVERIFY(QFile::copy(fixturePath("demo.xml"), m_path));
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    }

    void moveEditSaveReload()
    {
        ReportTemplate tpl;
        QCOMPARE(ReportTemplateIo::load(m_path, &tpl), ReportTemplateIo::LoadStatus::Loaded);
        ReportDesignerDialog designer(tpl, m_path);
        designer.setDataSources({{"frxDM", demoMaster()}, {"frxDD", demoDetail()}});
        designer.resize(1600, 1000);
        designer.show();
        designer.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&designer));
        QVERIFY(!designer.isModified());
        QGraphicsView *view = designer.view();

        // Arrow keys: 1 mm steps, Ctrl for 0.1 mm, Shift changes the size.
        designer.selectObject("DocHead");
        QCOMPARE(designer.scene()->selectedObjectNames(), QStringList{"DocHead"});
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(geometryOf(designer.currentTemplate(), "DocHead"), QRectF(2, 1.1, 189, 6));
        QVERIFY(designer.isModified());

        // The mouse moves an object by its body (snapped to the grid) ...
        ReportObjectItem *item = designer.scene()->objectItem("TitleDoc");
        QVERIFY(item);
        const QPointF start = item->mapToScene(QPointF(20 * K, 3 * K));
        drag(view, start, start + QPointF(10 * K, 0));
        QTRY_COMPARE(geometryOf(designer.currentTemplate(), "TitleDoc"), QRectF(28, 10, 154, 7));
        // ... and resizes it by a handle (the right edge's middle one).
        designer.selectObject("TitleDoc");
        item = designer.scene()->objectItem("TitleDoc");
        const QPointF edge = item->mapToScene(QPointF(154 * K, 3.5 * K));
        drag(view, edge, edge - QPointF(20 * K, 0));
        QTRY_COMPARE(geometryOf(designer.currentTemplate(), "TitleDoc"), QRectF(28, 10, 134, 7));

        // The property panel changes the text.
        designer.selectObject("DocHead");
        auto *text = designer.findChild<QPlainTextEdit *>("edtText");
        QVERIFY(text);
        QCOMPARE(text->toPlainText(), demo().object("DocHead")->text);
        text->setPlainText("单据：[frxDM.\"F_Code\"]");
        QCOMPARE(designer.currentTemplate().object("DocHead")->text, QString("单据：[frxDM.\"F_Code\"]"));

        action(designer, "actSave")->trigger();
        QVERIFY(!designer.isModified());
        QVERIFY(!designer.windowTitle().endsWith("*"));

        ReportTemplate reloaded;
        QCOMPARE(ReportTemplateIo::load(m_path, &reloaded), ReportTemplateIo::LoadStatus::Loaded);
        QCOMPARE(geometryOf(reloaded, "DocHead"), QRectF(2, 1.1, 189, 6));
        QCOMPARE(geometryOf(reloaded, "TitleDoc"), QRectF(28, 10, 134, 7));
        QCOMPARE(reloaded.object("DocHead")->text, QString("单据：[frxDM.\"F_Code\"]"));
        // Everything else is as it was.
        ReportTemplate expected = demo();
        expected.object("DocHead")->geometry = QRectF(2, 1.1, 189, 6);
        expected.object("DocHead")->text = "单据：[frxDM.\"F_Code\"]";
        expected.object("TitleDoc")->geometry = QRectF(28, 10, 134, 7);
        QVERIFY(reloaded == expected);
    }

    void undoAndRedo()
    {
        ReportDesignerDialog designer(demo(), m_path);
        designer.resize(1600, 1000);
        designer.show();
        designer.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&designer));
        QUndoStack *undo = designer.undoStack();
        designer.selectObject("Note");
        auto *text = designer.findChild<QPlainTextEdit *>("edtText");
        // Typing is one step, however many keys.
        text->setFocus();
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, " (copy 1)");
        QCOMPARE(designer.currentTemplate().object("Note")->text, QString("备注：[sNote] (copy 1)"));
        QCOMPARE(undo->count(), 1);
        designer.view()->setFocus();
        QTest::keyClick(designer.view(), Qt::Key_Up);
        QTest::keyClick(designer.view(), Qt::Key_Up);
        QCOMPARE(undo->count(), 2);  // nudges of one selection merge
        QCOMPARE(geometryOf(designer.currentTemplate(), "Note").y(), 6.0);

        action(designer, "actUndo")->trigger();
        QCOMPARE(geometryOf(designer.currentTemplate(), "Note").y(), 8.0);
        action(designer, "actUndo")->trigger();
        QCOMPARE(designer.currentTemplate().object("Note")->text, QString("备注：[sNote]"));
        QCOMPARE(text->toPlainText(), QString("备注：[sNote]"));  // the panel follows
        QVERIFY(!designer.isModified());
        action(designer, "actRedo")->trigger();
        QCOMPARE(designer.currentTemplate().object("Note")->text, QString("备注：[sNote] (copy 1)"));
    }

    void addAndDeleteObjectsAndBands()
    {
        ReportTemplate empty;
        ReportDesignerDialog designer(empty, m_dir.filePath("frNew.xml"));
        designer.setDataSources({{"frxDM", demoMaster()}, {"frxDD", demoDetail()}});
        designer.resize(1600, 1000);
        designer.show();
        designer.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&designer));
        {
            MessageScript messages;
            QVERIFY(designer.addObject(ReportObject::Kind::Text).isEmpty());
            QVERIFY(messages.contains("请先添加带区"));
        }
        QCOMPARE(designer.addBand(ReportBand::Type::PageFooter), QString("PageFooter1"));
        QCOMPARE(designer.addBand(ReportBand::Type::MasterData), QString("MasterData1"));
        QCOMPARE(designer.addBand(ReportBand::Type::MasterData), QString("MasterData1"));  // only one
        QCOMPARE(designer.addBand(ReportBand::Type::GroupHeader), QString("GroupHeader1"));
        QStringList order;
        for (const ReportBand &b : designer.currentTemplate().bands)
            order << b.name;
        QCOMPARE(order, (QStringList{"GroupHeader1", "MasterData1", "GroupFooter1", "PageFooter1"}));
        QCOMPARE(designer.currentTemplate().bandByName("GroupHeader1")->condition, QString("frxDM.\"F_Code\""));
        QCOMPARE(designer.currentTemplate().bandByName("GroupFooter1")->group, QString("GroupHeader1"));

        // A field double-clicked in the list becomes a text in the current band.
        designer.selectBand("MasterData1");
        auto *fields = designer.findChild<ReportInsertTree *>("treeFields");
        QVERIFY(fields);
        QTreeWidgetItem *dm = fields->topLevelItem(0);
        QCOMPARE(dm->text(0), QString("frxDM"));
        QCOMPARE(dm->child(0)->text(0), QString("F_Code"));
        emit fields->itemDoubleClicked(dm->child(0), 0);
        const ReportObject *memo = designer.currentTemplate().object("Memo1");
        QVERIFY(memo);
        QCOMPARE(memo->text, QString("[frxDM.\"F_Code\"]"));
        ReportBand *owner = nullptr;
        ReportTemplate copy = designer.currentTemplate();
        copy.object("Memo1", &owner);
        QCOMPARE(owner->name, QString("MasterData1"));
        // With a text selected, a variable is inserted into it.
        auto *variables = designer.findChild<ReportInsertTree *>("treeVariables");
        QTreeWidgetItem *page = variables->findItems("Page#", Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QVERIFY(page);
        emit variables->itemDoubleClicked(page, 0);
        QCOMPARE(designer.currentTemplate().object("Memo1")->text, QString("[frxDM.\"F_Code\"][Page#]"));

        QCOMPARE(designer.addObject(ReportObject::Kind::Line, "PageFooter1"), QString("Line1"));
        QCOMPARE(designer.addObject(ReportObject::Kind::Rect, "PageFooter1"), QString("Shape1"));
        designer.selectObject("Line1");
        designer.view()->setFocus();
        QTest::keyClick(designer.view(), Qt::Key_Delete);
        QVERIFY(!designer.currentTemplate().object("Line1"));
        QVERIFY(designer.currentTemplate().object("Shape1"));
        designer.selectBand("PageFooter1");
        action(designer, "actDelete")->trigger();
        QVERIFY(!designer.currentTemplate().bandByName("PageFooter1"));
        QVERIFY(!designer.currentTemplate().object("Shape1"));
        action(designer, "actUndo")->trigger();
        QVERIFY(designer.currentTemplate().object("Shape1"));

        // Band properties: height and fixed rows.
        designer.selectBand("MasterData1");
        auto *height = designer.findChild<QDoubleSpinBox *>("spnBandHeight");
        height->setValue(9);
        QCOMPARE(designer.currentTemplate().bandByName("MasterData1")->height, 9.0);
        auto *fill = designer.findChild<QLineEdit *>("edtFillRows");
        fill->setText("PageMaxRow");
        emit fill->editingFinished();
        QCOMPARE(designer.currentTemplate().bandByName("MasterData1")->fillRows, QString("PageMaxRow"));
        QCOMPARE(designer.scene()->bandItem("MasterData1")->stripHeight(), 9 * K);

        // Page set-up and the preview with the bound data.
        ReportPageSetup landscape = designer.currentTemplate().page;
        landscape.orientation = ReportPageSetup::Orientation::Landscape;
        designer.setPageSetup(landscape);
        QCOMPARE(designer.currentTemplate().page.pageSize(), QSizeF(297, 210));
        const PreparedReport preview = designer.preview();
        QVERIFY(preview.pageCount() >= 1);
        QVERIFY(preview.text().contains("CGD20240301001"));
    }

    void variablesAndPageSetup()
    {
        ReportDesignerDialog designer(demo(), m_path);
        auto *variables = designer.findChild<ReportInsertTree *>("treeVariables");
        QTreeWidgetItem *rows = variables->findItems("PageMaxRow", Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QVERIFY(rows);
        QCOMPARE(rows->text(1), QString("5"));
        rows->setText(1, "8");  // edited in place
        QCOMPARE(designer.currentTemplate().variable("PageMaxRow")->value, QVariant(qlonglong(8)));
        {
            MessageScript messages;
            designer.setVariableValue("PageMaxRow", "八");
            QVERIFY(messages.contains("变量 PageMaxRow 的值应为数字"));
            QCOMPARE(designer.currentTemplate().variable("PageMaxRow")->value, QVariant(qlonglong(8)));
        }
        designer.setVariableValue("sNote", "一式两联");
        QCOMPARE(designer.currentTemplate().variable("sNote")->value, QVariant(QString("一式两联")));

        ReportPageSetupDialog dialog(designer.currentTemplate().page);
        auto *paper = dialog.findChild<QComboBox *>("cbbPaper");
        QCOMPARE(paper->currentText(), QString("A4"));
        QVERIFY(!dialog.findChild<QDoubleSpinBox *>("spnPaperWidth")->isEnabled());
        paper->setCurrentIndex(paper->count() - 1);  // custom
        dialog.findChild<QDoubleSpinBox *>("spnPaperWidth")->setValue(241);
        dialog.findChild<QDoubleSpinBox *>("spnPaperHeight")->setValue(140);
        dialog.findChild<QDoubleSpinBox *>("spnMarginLeft")->setValue(5);
        const ReportPageSetup page = dialog.pageSetup();
        QCOMPARE(page.paper, ReportPageSetup::customPaper());
        QCOMPARE(page.pageSize(), QSizeF(241, 140));
        QCOMPARE(page.printableWidth(), 241.0 - 5 - 10);
        designer.setPageSetup(page);
        QCOMPARE(designer.currentTemplate().page, page);
        QCOMPARE(designer.scene()->bandItem("MasterData1")->boundingRect().width(), 226 * K + 2);
    }

    void closingAsksToSave()
    {
        const QByteArray original = [&] {
            QFile f(m_path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        {
            ReportDesignerDialog designer(demo(), m_path);
            designer.selectObject("Note");
            designer.findChild<QPlainTextEdit *>("edtText")->setPlainText("改");
            MessageScript messages;
            messages.answer(2);  // do not save
            designer.reject();
            QVERIFY(messages.contains("报表模板已修改，是否保存？"));
            QCOMPARE(designer.result(), int(QDialog::Rejected));
        }
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), original);
        f.close();
        {
            ReportDesignerDialog designer(demo(), m_path);
            designer.selectObject("Note");
            designer.findChild<QPlainTextEdit *>("edtText")->setPlainText("改");
            MessageScript messages;
            messages.answer(1);  // save
            designer.reject();
        }
        ReportTemplate saved;
        ReportTemplateIo::load(m_path, &saved);
        QCOMPARE(saved.object("Note")->text, QString("改"));
    }

    void moveIntoAnotherBand()
    {
        ReportDesignerDialog designer(demo(), m_path);
        designer.resize(1600, 1000);
        designer.show();
        designer.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&designer));
        ReportBandItem *master = designer.scene()->bandItem("MasterData1");
        ReportBandItem *group = designer.scene()->bandItem("GroupHeader1");
        const QPointF start = master->mapToScene(QPointF(100 * K, 4 * K));
        drag(designer.view(), start, start + (group->pos() - master->pos()));
        QTRY_VERIFY(designer.currentTemplate().bandByName("MasterData1")->objects.empty());
        const ReportBand *owner = nullptr;
        const ReportObject *moved = designer.currentTemplate().object("DocHead", &owner);
        QCOMPARE(owner->name, QString("GroupHeader1"));
        QCOMPARE(moved->geometry, QRectF(0, 1, 190, 6));
        action(designer, "actUndo")->trigger();
        designer.currentTemplate().object("DocHead", &owner);
        QCOMPARE(owner->name, QString("MasterData1"));
    }

    void bandHeightByMouse()
    {
        ReportDesignerDialog designer(demo(), m_path);
        designer.resize(1600, 1000);
        designer.show();
        designer.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&designer));
        ReportBandItem *band = designer.scene()->bandItem("MasterData1");
        QVERIFY(band);
        // Just below the strip's lower edge, clear of the objects in it.
        const QPointF edge = band->mapToScene(QPointF(100 * K, 7 * K + 2));
        designer.view()->ensureVisible(QRectF(edge, QSizeF(1, 60)));
        drag(designer.view(), edge, edge + QPointF(0, 3 * K - 2));
        QTRY_COMPARE(designer.currentTemplate().bandByName("MasterData1")->height, 10.0);
    }
};

QTEST_MAIN(TestReportDesigner)
#include "tst_reportdesigner.moc"
