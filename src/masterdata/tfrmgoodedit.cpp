#include "tfrmgoodedit.h"

#include "editorbuttons.h"
#include "autogoodscode.h"
#include "checkeddateedit.h"
#include "combolist.h"
#include "fieldevents.h"
#include "fieldvalue.h"
#include "goodsstatements.h"
#include "goodstypepicker.h"
#include "keypreview.h"
#include "listwindowbase.h"
#include "numberedit.h"
#include "openingstock.h"
#include "recordnavigator.h"

#include "data/dberror.h"
#include "data/session.h"
#include "data/sqldialect.h"
#include "data/tdmdata.h"
#include "platform/showmess.h"
#include "widgets/datagrid.h"
#include "widgets/gridlinemodel.h"
#include "widgets/gridservices.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString kSaveFailed = QStringLiteral("保存失败，请检测数据库连接！");
const QString kTempCode = QStringLiteral("tempcode");
const char *const kZF[] = {"edtZF1", "edtZF2", "edtZF3", "edtZF4", "edtZF5"};
const char *const kSZ[] = {"rceSZ1", "rceSZ2", "rceSZ3"};
const char *const kRQ[] = {"dtpRQ1", "dtpRQ2", "dtpRQ3"};
const char *const kCustomLabels[] = {"lblZF1", "lblZF2", "lblZF3", "lblZF4", "lblZF5", "lblSZ1",
                                     "lblSZ2", "lblSZ3", "lblRQ1", "lblRQ2", "lblRQ3"};

void shade(QLineEdit *e, bool shaded)
{
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, shaded ? e->palette().color(QPalette::Button) : QPalette().color(QPalette::Base));
    e->setPalette(pal);
}
} // namespace

TFrmGoodEdit::TFrmGoodEdit(QWidget *parent) : QDialog(parent), m_picker(GoodsTypePicker::pick), m_stock(new GridLineModel(this))
{
    setObjectName(QStringLiteral("FrmGoodEdit"));
    setWindowTitle(QStringLiteral("货品信息编辑 - 新增"));
    buildUi();
    m_keys = new KeyPreview(this, [this](QWidget *target, QKeyEvent *e) { return keyPressed(target, e); });
}

TFrmGoodEdit::~TFrmGoodEdit() = default;

void TFrmGoodEdit::buildUi()
{
    auto line = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    auto number = [this](const char *name, int decimals) {
        auto *e = new NumberEdit(this, decimals);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    auto combo = [this](const char *name) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        return c;
    };
    edtCode = line("edtCode");
    edtName = line("edtName");
    cbeType = line("cbeType");
    QAction *typeButton = cbeType->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), QLineEdit::TrailingPosition);
    typeButton->setObjectName(QStringLiteral("cbeTypeButton"));
    typeButton->setToolTip(QStringLiteral("选择货品类型"));
    connect(typeButton, &QAction::triggered, this, &TFrmGoodEdit::pickType);
    edtSpec = line("edtSpec");
    cbbUnit = combo("cbbUnit");
    edtBarCode = line("edtBarCode");
    ceEnterprice = number("ceEnterprice", 8);
    ceSalePrice = number("ceSalePrice", 8);
    rceDeptUp = number("rceDeptUp", 4);
    rceDeptDown = number("rceDeptDown", 4);
    cbbDepot = combo("cbbDepot");
    edtAddress = line("edtAddress");
    Mem = new QPlainTextEdit(this);
    Mem->setObjectName(QStringLiteral("Mem"));
    Mem->setTabChangesFocus(true);
    Mem->setFixedHeight(48);
    cbFlag = new QCheckBox(QStringLiteral("停用"), this);
    cbFlag->setObjectName(QStringLiteral("cbFlag"));

    auto *top = new QGroupBox(this);
    auto *tg = new QGridLayout(top);
    auto addPair = [&](QGridLayout *g, int row, int col, const QString &caption, QWidget *field) {
        auto *l = new QLabel(caption, g->parentWidget());
        l->setBuddy(field);
        g->addWidget(l, row, col * 2);
        g->addWidget(field, row, col * 2 + 1);
        return l;
    };
    addPair(tg, 0, 0, QStringLiteral("货品编码："), edtCode);
    addPair(tg, 0, 1, QStringLiteral("货品名称："), edtName);
    addPair(tg, 1, 0, QStringLiteral("货品类型："), cbeType);
    addPair(tg, 1, 1, QStringLiteral("商品规格："), edtSpec);
    addPair(tg, 2, 0, QStringLiteral("计量单位："), cbbUnit);
    addPair(tg, 2, 1, QStringLiteral("货品条码："), edtBarCode);
    lblEnterPrice = addPair(tg, 3, 0, QStringLiteral("成 本 价："), ceEnterprice);
    lblSalePrice = addPair(tg, 3, 1, QStringLiteral("参考售价："), ceSalePrice);
    addPair(tg, 4, 0, QStringLiteral("库存上限："), rceDeptUp);
    addPair(tg, 4, 1, QStringLiteral("库存下限："), rceDeptDown);
    addPair(tg, 5, 0, QStringLiteral("默认仓库："), cbbDepot);
    addPair(tg, 5, 1, QStringLiteral("产    地："), edtAddress);
    auto *memLabel = new QLabel(QStringLiteral("备    注："), top);
    memLabel->setBuddy(Mem);
    tg->addWidget(memLabel, 6, 0, Qt::AlignTop);
    tg->addWidget(Mem, 6, 1, 1, 2);
    tg->addWidget(cbFlag, 6, 3);

    auto *custom = new QGroupBox(this);
    custom->setObjectName(QStringLiteral("GroupBox2"));
    auto *cg = new QGridLayout(custom);
    QList<QWidget *> customFields;
    for (int i = 0; i < 5; ++i) {
        edtZF[i] = line(kZF[i]);
        customFields << edtZF[i];
    }
    for (int i = 0; i < 3; ++i) {
        rceSZ[i] = number(kSZ[i], 8);
        customFields << rceSZ[i];
    }
    for (int i = 0; i < 3; ++i) {
        dtpRQ[i] = new CheckedDateEdit(this);
        dtpRQ[i]->setObjectName(QLatin1String(kRQ[i]));
        customFields << dtpRQ[i];
    }
    for (int i = 0; i < 11; ++i) {
        m_customLabels[i] = addPair(cg, i / 3, i % 3, QString(), customFields.at(i));
        m_customLabels[i]->setObjectName(QLatin1String(kCustomLabels[i]));
    }

    DBGridEh1 = new DataGrid(this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setSourceModel(m_stock);
    DBGridEh1->setFooterVisible(true);
    DBGridEh1->setMinimumHeight(130);
    QList<GridColumn> cols;
    GridColumn depot(QStringLiteral("F_Depot"), QStringLiteral("仓    库"), 140);
    depot.readOnly = true;
    depot.setFooterText(QStringLiteral("合    计"));
    GridColumn amount(QStringLiteral("F_Amount"), QStringLiteral("期初数量"), 100);
    amount.setFormat(QStringLiteral(",0.##;-,0.##"));
    amount.setFooterSum();
    GridColumn price(QStringLiteral("F_Price"), QStringLiteral("成本单价"), 100);
    GridColumn total(QStringLiteral("F_totalPrice"), QStringLiteral("金额"), 110);
    total.readOnly = true;
    total.setFooterSum();
    cols << depot << amount << price << total;
    DBGridEh1->setColumns(cols);
    DBGridEh1->setReadOnly(false);
    connect(m_stock, &QAbstractItemModel::dataChanged, this, &TFrmGoodEdit::stockChanged);

    const EditorButtons buttons = EditorButtons::create(this, true);
    CheckBox1 = buttons.continuous;
    DBNavigator1 = buttons.navigator;
    Button1 = buttons.ok;
    Button2 = buttons.cancel;
    QHBoxLayout *bottom = buttons.layout;

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(top);
    lay->addWidget(custom);
    lay->addWidget(DBGridEh1, 1);
    lay->addLayout(bottom);

    connect(Button1, &QPushButton::clicked, this, &TFrmGoodEdit::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBNavigator1, &RecordNavigator::moved, this, [this] {
        fillFromList();
        loadOpeningStock(m_loadedCode);
    });
    FieldEvents::onEnter(cbbUnit, [this] { ComboList::refill(cbbUnit, GoodsStatements::unitNames()); });
    FieldEvents::onLeave(cbbUnit, [this] { unitLeft(); });
}

void TFrmGoodEdit::setMode(bool adding, bool fromDialog)
{
    m_adding = adding;
    m_fromDialog = fromDialog;
    setWindowTitle(adding ? QStringLiteral("货品信息编辑 - 新增") : QStringLiteral("货品信息编辑 - 修改"));
    CheckBox1->setVisible(adding && !fromDialog);
    DBNavigator1->setVisible(!adding);
    Button1->setEnabled(Session::instance().bHPedit);
}

bool TFrmGoodEdit::nextAutomaticCode(QString *code)
{
    TdmData *dm = TdmData::instance();
    if (!dm)
        return false;
    try {
        *code = AutoGoodsCode::next(*dm);
    } catch (const DbError &e) {
        ShowMess(e.message(), MessError, this);
        return false;
    }
    return true;
}

bool TFrmGoodEdit::takeAutomaticCode()
{
    QString code;
    if (!nextAutomaticCode(&code))
        return false;
    m_autoCode = true;
    edtCode->setText(code);
    edtCode->setReadOnly(true);
    shade(edtCode, true);
    return true;
}

void TFrmGoodEdit::openNew(ListWindowBase *list)
{
    m_list = list;
    setMode(true, false);
    const QString code = edtCode->text();
    clearFields(m_autoCode);
    if (m_autoCode)
        edtCode->setText(code);
    m_loadedCode.clear();
    loadOpeningStock(QString());
    prepareFields();
}

void TFrmGoodEdit::openNewFromDialog(std::function<void(const QString &)> saved)
{
    m_list = nullptr;
    m_saved = std::move(saved);
    setMode(true, true);
    const QString code = edtCode->text();
    clearFields(m_autoCode);
    if (m_autoCode)
        edtCode->setText(code);
    m_loadedCode.clear();
    loadOpeningStock(kTempCode);
    prepareFields();
}

void TFrmGoodEdit::openModify(ListWindowBase *list)
{
    m_list = list;
    DBNavigator1->setList(list);
    setMode(false, false);
    fillFromList();
    loadOpeningStock(m_loadedCode);
    prepareFields();
}

void TFrmGoodEdit::prepareFields()
{
    const Session &s = Session::instance();
    ApplyNumberFormats(DBGridEh1, 1);
    for (int i = 0; i < 11; ++i) {
        m_customLabels[i]->setText(s.KeyValueText[i + 1] + QStringLiteral("："));
        const bool shown = s.KeyValueFlag[i + 1];
        m_customLabels[i]->setVisible(shown);
        m_customLabels[i]->buddy()->setVisible(shown);
    }
    // Prices are for operators with the price right only: fields and stock columns alike.
    const bool prices = s.bPrice;
    for (QWidget *w : std::initializer_list<QWidget *>{lblEnterPrice, ceEnterprice, lblSalePrice, ceSalePrice})
        w->setVisible(prices);
    for (const char *f : {"F_Price", "F_totalPrice"}) {
        const int c = DBGridEh1->findColumn(QLatin1String(f));
        if (c >= 0)
            DBGridEh1->setGridColumnVisible(c, prices);
    }
    ceEnterprice->setDisplayFormat(s.sPriceFmt);
    ceSalePrice->setDisplayFormat(s.sPriceFmt);
    rceDeptUp->setDisplayFormat(s.sAmountFmt);
    rceDeptDown->setDisplayFormat(s.sAmountFmt);
    const SqlStatement depots = GoodsStatements::depotNames();
    ComboList::refill(cbbDepot, depots.sql, depots.params);
    if (cbbDepot->currentText().trimmed().isEmpty() && cbbDepot->count() > 0)
        cbbDepot->setEditText(cbbDepot->itemText(0));
}

void TFrmGoodEdit::clearFields(bool keepCodeAndSalePrice)
{
    m_id = 0;
    if (!keepCodeAndSalePrice) {
        edtCode->clear();
        ceSalePrice->setValue(0);
    }
    for (QLineEdit *e : {edtName, cbeType, edtSpec, edtBarCode, edtAddress})
        e->clear();
    for (QLineEdit *e : edtZF)
        e->clear();
    cbbUnit->setEditText(QString());
    cbbDepot->setEditText(QString());
    ceEnterprice->setValue(0);
    rceDeptUp->setValue(0);
    rceDeptDown->setValue(0);
    for (NumberEdit *e : rceSZ)
        e->setValue(0);
    for (CheckedDateEdit *d : dtpRQ)
        d->setOptionalDate(QDate());
    Mem->clear();
    cbFlag->setChecked(false);
}

void TFrmGoodEdit::fillFromList()
{
    if (!m_list)
        return;
    auto value = [this](const char *field) { return m_list->currentValue(QLatin1String(field)); };
    auto text = [&](const char *field) { return value(field).toString(); };
    m_id = value("F_ID").toLongLong();
    edtCode->setText(text("F_Code"));
    m_loadedCode = text("F_Code").trimmed();
    edtName->setText(text("F_Name"));
    cbeType->setText(text("F_Type"));
    edtSpec->setText(text("F_Spec"));
    cbbUnit->setEditText(text("F_Unit"));
    edtBarCode->setText(text("F_BarCode"));
    ceEnterprice->setValue(FieldValue::number(value("F_EnterPrice")));
    ceSalePrice->setValue(FieldValue::number(value("F_SalePrice")));
    rceDeptUp->setValue(FieldValue::number(value("F_DeptUp")));
    rceDeptDown->setValue(FieldValue::number(value("F_DeptDown")));
    cbbDepot->setEditText(text("F_Depot"));
    edtAddress->setText(text("F_Address"));
    Mem->setPlainText(text("F_Mem"));
    cbFlag->setChecked(FieldValue::flag(value("F_Flag")));
    for (int i = 0; i < 5; ++i)
        edtZF[i]->setText(m_list->currentValue(QStringLiteral("F_ZF%1").arg(i + 1)).toString());
    for (int i = 0; i < 3; ++i)
        rceSZ[i]->setValue(FieldValue::number(m_list->currentValue(QStringLiteral("F_SZ%1").arg(i + 1))));
    for (int i = 0; i < 3; ++i)
        dtpRQ[i]->setOptionalDate(FieldValue::customDate(m_list->currentValue(QStringLiteral("F_RQ%1").arg(i + 1))));
    DBNavigator1->updateButtons();
}

void TFrmGoodEdit::loadOpeningStock(const QString &code)
{
    TdmData *dm = TdmData::instance();
    if (!dm)
        return;
    m_recalculating = true;
    OpeningStock::load(*dm, *m_stock, code);
    m_recalculating = false;
}

void TFrmGoodEdit::stockChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (m_recalculating)
        return;
    const int amountCol = m_stock->fieldIndex(QStringLiteral("F_Amount"));
    const int priceCol = m_stock->fieldIndex(QStringLiteral("F_Price"));
    if (amountCol < 0 || priceCol < 0)
        return;
    const bool touches = (amountCol >= topLeft.column() && amountCol <= bottomRight.column())
        || (priceCol >= topLeft.column() && priceCol <= bottomRight.column());
    if (!touches)
        return;
    m_recalculating = true;
    ceEnterprice->interpretText();
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        double price = FieldValue::number(m_stock->value(row, priceCol));
        // A stored row posted with price 0 takes the cost price.
        if (price == 0 && m_stock->rowState(row) != GridLineModel::RowState::Inserted) {
            price = ceEnterprice->value();
            m_stock->setValue(row, QStringLiteral("F_Price"), price);
        }
        const double amount = FieldValue::number(m_stock->value(row, amountCol));
        m_stock->setValue(row, QStringLiteral("F_totalPrice"), amount * price);
    }
    m_recalculating = false;
}

QVariantMap TFrmGoodEdit::fieldValues(const QString &code, double begAmount) const
{
    QVariantMap v;
    v[QStringLiteral("Code")] = code;
    v[QStringLiteral("Name")] = edtName->text().trimmed();
    v[QStringLiteral("Type")] = cbeType->text().trimmed();
    v[QStringLiteral("Spec")] = edtSpec->text().trimmed();
    v[QStringLiteral("Unit")] = cbbUnit->currentText().trimmed();
    v[QStringLiteral("BarCode")] = edtBarCode->text().trimmed();
    v[QStringLiteral("EnterPrice")] = ceEnterprice->value();
    v[QStringLiteral("salePrice")] = ceSalePrice->value();
    v[QStringLiteral("Depot")] = cbbDepot->currentText().trimmed();
    v[QStringLiteral("begAmount")] = begAmount;
    v[QStringLiteral("deptUp")] = rceDeptUp->value();
    v[QStringLiteral("deptDown")] = rceDeptDown->value();
    v[QStringLiteral("Mem")] = Mem->toPlainText();
    v[QStringLiteral("Flag")] = cbFlag->isChecked() ? 1 : 0;
    v[QStringLiteral("Address")] = edtAddress->text().trimmed();
    for (int i = 0; i < 5; ++i)
        v[QStringLiteral("ZF%1").arg(i + 1)] = edtZF[i]->text();
    for (int i = 0; i < 3; ++i)
        v[QStringLiteral("SZ%1").arg(i + 1)] = rceSZ[i]->value();
    for (int i = 0; i < 3; ++i)
        v[QStringLiteral("RQ%1").arg(i + 1)] = dtpRQ[i]->storedText();
    return v;
}

void TFrmGoodEdit::Button1Click()
{
    if (!Button1->isEnabled())
        return;
    TdmData *dm = TdmData::instance();
    if (!dm)
        return;
    // A cell or number still being typed counts.
    if (DBGridEh1->hasFocus() || DBGridEh1->isAncestorOf(focusWidget()))
        Button1->setFocus();
    for (NumberEdit *e : {ceEnterprice, ceSalePrice, rceDeptUp, rceDeptDown, rceSZ[0], rceSZ[1], rceSZ[2]})
        e->interpretText();

    QString code = edtCode->text().trimmed();
    if (code.isEmpty()) {
        ShowMess(QStringLiteral("当前货品编号不能为空！"), MessNotice, this);
        edtCode->setFocus();
        return;
    }
    const qint64 ownId = m_adding ? 0 : m_id;
    const bool autoCode = Session::instance().bAutoGoodCode;
    SqlStatement dup = GoodsStatements::duplicateStatement(code, ownId);
    if (dm->QueryInt(dup.sql, dup.params) > 0) {
        if (!autoCode) {
            ShowMess(QStringLiteral("货品编号重复，请重新输入！"), MessNotice, this);
            edtCode->setFocus();
            return;
        }
        if (!nextAutomaticCode(&code))
            return;
        edtCode->setText(code);
    }

    const QList<OpeningStock::Row> rows = OpeningStock::rows(*m_stock);
    const double cost = ceEnterprice->value();
    bool duplicate = false;
    try {
        DbTransaction t(*dm);
        // Two clients adding goods at once: the table is locked for writing and the code
        // checked again, so each save keeps a code of its own.
        dm->exec(SqlDialect::lockTableForWrite(dm->backend(), QStringLiteral("t_goods")));
        for (;;) {
            dup = GoodsStatements::duplicateStatement(code, ownId);
            QSqlQuery check(dm->db());
            dm->exec(check, dup.sql, dup.params);
            const bool taken = check.next() && check.value(0).toLongLong() > 0;
            check.finish();
            if (!taken)
                break;
            if (!autoCode) {
                duplicate = true;
                break;
            }
            code = AutoGoodsCode::next(*dm);
        }
        if (!duplicate) {
            const double hidden = m_adding ? 0.0 : OpeningStock::hiddenQuantity(*dm, m_loadedCode);
            const double total = OpeningStock::save(*dm, rows, code, cost) + hidden;
            const QVariantMap values = fieldValues(code, total);
            const SqlStatement s = m_adding ? GoodsStatements::insertStatement(values) : GoodsStatements::updateStatement(m_id, values);
            dm->exec(dm->QryPub(), s.sql, s.params);
            if (!m_adding && code != m_loadedCode) {
                for (const SqlStatement &r : GoodsStatements::renameStatements(m_loadedCode, code))
                    dm->exec(r.sql, r.params);
            }
            if (!m_adding) {
                const SqlStatement d = GoodsStatements::describeLines(code, values.value(QStringLiteral("Name")).toString(),
                                                                      values.value(QStringLiteral("Type")).toString(),
                                                                      values.value(QStringLiteral("Spec")).toString(),
                                                                      values.value(QStringLiteral("Unit")).toString(),
                                                                      values.value(QStringLiteral("Address")).toString());
                dm->exec(dm->QryTemp(), d.sql, d.params);
            }
            t.commit();
        }
    } catch (const DbError &e) {
        qWarning("goods save: %s", qPrintable(e.message()));
        ShowMess(kSaveFailed, MessError, this);
        return;
    }
    if (duplicate) {
        ShowMess(QStringLiteral("货品编号重复，请重新输入！"), MessNotice, this);
        edtCode->setFocus();
        return;
    }
    edtCode->setText(code);
    if (!m_adding)
        m_loadedCode = code;

    if (m_fromDialog) {
        if (m_saved)
            m_saved(code);
        accept();
        return;
    }
    if (m_list) {
        m_list->reopen();
        m_list->locate(QStringLiteral("F_Code"), code);
    }
    if (!m_adding || !CheckBox1->isChecked()) {
        accept();
        return;
    }
    // The next goods: code and sale price stay, the rest starts empty.
    clearFields(true);
    if (autoCode || m_autoCode) {
        QString next;
        if (nextAutomaticCode(&next))
            edtCode->setText(next);
    }
    if (cbbDepot->count() > 0)
        cbbDepot->setEditText(cbbDepot->itemText(0));
    loadOpeningStock(kTempCode);
    edtName->setFocus();
}

void TFrmGoodEdit::pickType()
{
    if (!m_picker)
        return;
    cbeType->setText(m_picker(this, cbeType->text()));
}

void TFrmGoodEdit::unitLeft()
{
    TdmData *dm = TdmData::instance();
    const QString unit = cbbUnit->currentText();
    if (!dm || unit.trimmed().isEmpty())
        return;
    const SqlStatement count = GoodsStatements::unitCount(unit);
    if (dm->QueryInt(count.sql, count.params) > 0)
        return;
    if (ShowMess(QStringLiteral("此货品计量单位不存在，真的要新增此单位吗？"), MessQuestion, this) == 2) {
        cbbUnit->setEditText(QString());
        QTimer::singleShot(0, cbbUnit, [this] { cbbUnit->setFocus(); });
        return;
    }
    const SqlStatement add = GoodsStatements::addUnit(unit);
    if (dm->ExecCommand(add.sql, add.params)) {
        QTimer::singleShot(0, edtBarCode, [this] {
            edtBarCode->setFocus();
            edtBarCode->selectAll();
        });
    }
}

bool TFrmGoodEdit::keyPressed(QWidget *target, QKeyEvent *e)
{
    if (KeyPreview::isCtrl(e, Qt::Key_S)) {
        if (Button1->isEnabled())
            Button1->click();
        return true;
    }
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        // Esc inside a cell being edited cancels the cell only.
        if (target != DBGridEh1 && DBGridEh1->isAncestorOf(target))
            return false;
        Button2->click();
        return true;
    }
    if (qobject_cast<QAbstractButton *>(target))
        return false;
    // The opening-stock grid keeps Enter for its cells.
    if (target == DBGridEh1 || DBGridEh1->isAncestorOf(target))
        return false;
    return KeyPreview::enterMovesFocus(target, e);
}
