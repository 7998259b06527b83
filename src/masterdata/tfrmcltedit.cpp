#include "tfrmcltedit.h"

#include "editorbuttons.h"
#include "clientstatements.h"
#include "combolist.h"
#include "fieldevents.h"
#include "fieldvalue.h"
#include "keypreview.h"
#include "listwindowbase.h"
#include "numberedit.h"
#include "partnertexts.h"
#include "recordnavigator.h"

#include "data/dberror.h"
#include "data/session.h"
#include "data/sqldialect.h"
#include "data/tdmdata.h"
#include "platform/showmess.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace {
const QString kSaveFailed = QStringLiteral("保存失败，请检测数据库连接！");

QLineEdit *lineEdit(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QComboBox *dropDownEdit(QWidget *parent, const char *name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}
} // namespace

TfrmCltEdit::TfrmCltEdit(int kind, QWidget *parent) : QDialog(parent), m_kind(kind)
{
    setObjectName(QStringLiteral("frmCltEdit"));
    setWindowTitle(QStringLiteral("往来单位资料编辑"));
    buildUi();
    m_keys = new KeyPreview(this, [this](QWidget *target, QKeyEvent *e) { return keyPressed(target, e); });
}

TfrmCltEdit::~TfrmCltEdit() = default;

void TfrmCltEdit::buildUi()
{
    edtcode = lineEdit(this, "edtcode");
    edtName = lineEdit(this, "edtName");
    cbbType = dropDownEdit(this, "cbbType");
    cbbEmpName = dropDownEdit(this, "cbbEmpName");
    edtLinkman = lineEdit(this, "edtLinkman");
    edtAddress = lineEdit(this, "edtAddress");
    edtPostcode = lineEdit(this, "edtPostcode");
    edthandphone = lineEdit(this, "edthandphone");
    edtFax = lineEdit(this, "edtFax");
    edtphone = lineEdit(this, "edtphone");
    ceBegPrice = new NumberEdit(this, 4);
    ceBegPrice->setObjectName(QStringLiteral("ceBegPrice"));
    edtbank = lineEdit(this, "edtbank");
    edtAccount = lineEdit(this, "edtAccount");
    edtRateCode = lineEdit(this, "edtRateCode");
    edthomePage = lineEdit(this, "edthomePage");
    edtEmail = lineEdit(this, "edtEmail");
    edtEnrol = lineEdit(this, "edtEnrol");
    Mem = new QPlainTextEdit(this);
    Mem->setObjectName(QStringLiteral("Mem"));
    Mem->setTabChangesFocus(true);
    Mem->setFixedHeight(60);
    cbUseFlag = new QCheckBox(QStringLiteral("停用"), this);
    cbUseFlag->setObjectName(QStringLiteral("cbUseFlag"));

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const struct {
        const char *label;
        QWidget *field;
    } fields[] = {{"编    号：", edtcode},       {"名    称：", edtName},      {"类    型：", cbbType},
                  {"业 务 员：", cbbEmpName},    {"联 系 人：", edtLinkman},   {"地    址：", edtAddress},
                  {"邮    编：", edtPostcode},   {"手    机：", edthandphone}, {"传    真：", edtFax},
                  {"固定电话：", edtphone},      {"期初欠款：", ceBegPrice},   {"开户银行：", edtbank},
                  {"银行帐号：", edtAccount},    {"纳 税 号：", edtRateCode},  {"公司主页：", edthomePage},
                  {"电子邮箱：", edtEmail},      {"公司法人：", edtEnrol}};
    int i = 0;
    for (const auto &f : fields) {
        auto *label = new QLabel(QString::fromUtf8(f.label), this);
        label->setBuddy(f.field);
        const int row = i / 2;
        const int col = (i % 2) * 2;
        grid->addWidget(label, row, col);
        grid->addWidget(f.field, row, col + 1);
        f.field->setMinimumWidth(170);
        ++i;
    }
    // The flag takes the place after the last field.
    grid->addWidget(cbUseFlag, i / 2, (i % 2) * 2 + 1, Qt::AlignLeft);
    ++i;
    const int memRow = (i + 1) / 2;
    auto *memLabel = new QLabel(QStringLiteral("备    注："), this);
    memLabel->setBuddy(Mem);
    grid->addWidget(memLabel, memRow, 0, Qt::AlignTop);
    grid->addWidget(Mem, memRow, 1, 1, 3);

    const EditorButtons buttons = EditorButtons::create(this, true);
    CheckBox1 = buttons.continuous;
    DBNavigator1 = buttons.navigator;
    Button1 = buttons.ok;
    Button2 = buttons.cancel;
    QHBoxLayout *bottom = buttons.layout;

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(bottom);

    connect(Button1, &QPushButton::clicked, this, &TfrmCltEdit::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBNavigator1, &RecordNavigator::moved, this, &TfrmCltEdit::fillFromList);

    FieldEvents::onEnter(cbbEmpName, [this] { ComboList::refill(cbbEmpName, ClientStatements::employeeNames()); });
    FieldEvents::onEnter(cbbType, [this] { ComboList::refill(cbbType, ClientStatements::partnerTypes()); });
}

void TfrmCltEdit::setMode(bool adding, bool fromDialog)
{
    const Session &s = Session::instance();
    m_adding = adding;
    m_fromDialog = fromDialog;
    setWindowTitle(PartnerTexts::editCaption(m_kind, adding));
    CheckBox1->setVisible(adding && !fromDialog);
    DBNavigator1->setVisible(!adding);
    // The code of a stored partner cannot change.
    edtcode->setReadOnly(!adding);
    edtcode->setFocusPolicy(adding ? Qt::StrongFocus : Qt::ClickFocus);
    QPalette pal = edtcode->palette();
    pal.setColor(QPalette::Base, adding ? palette().color(QPalette::Base) : palette().color(QPalette::Button));
    edtcode->setPalette(pal);
    Button1->setEnabled(s.bKHedit);
    ceBegPrice->setDisplayFormat(s.sTotalFmt);
}

void TfrmCltEdit::openNew(ListWindowBase *list)
{
    m_list = list;
    setMode(true, false);
    clearFields();
}

void TfrmCltEdit::openNewFromDialog(std::function<void(const QString &)> saved)
{
    m_list = nullptr;
    m_saved = std::move(saved);
    setMode(true, true);
    clearFields();
}

void TfrmCltEdit::openModify(ListWindowBase *list)
{
    m_list = list;
    DBNavigator1->setList(list);
    setMode(false, false);
    fillFromList();
}

void TfrmCltEdit::clearFields()
{
    m_id = 0;
    for (QLineEdit *e : {edtcode, edtName, edtLinkman, edtAddress, edtPostcode, edthandphone, edtFax, edtphone, edtbank,
                         edtAccount, edtRateCode, edthomePage, edtEmail, edtEnrol})
        e->clear();
    cbbType->setEditText(QString());
    cbbEmpName->setEditText(QString());
    Mem->clear();
    ceBegPrice->setValue(0);
    cbUseFlag->setChecked(false);
    edtcode->setFocus();
}

void TfrmCltEdit::fillFromList()
{
    if (!m_list)
        return;
    auto text = [this](const char *field) { return m_list->currentValue(QLatin1String(field)).toString(); };
    m_id = m_list->currentValue(QStringLiteral("F_ID")).toLongLong();
    edtcode->setText(text("F_Code"));
    edtName->setText(text("F_Name"));
    cbbType->setEditText(text("F_type"));
    cbbEmpName->setEditText(text("F_EmpName"));
    edtLinkman->setText(text("F_LinkMan"));
    edtAddress->setText(text("F_Address"));
    edtPostcode->setText(text("F_PostCode"));
    edthandphone->setText(text("F_HandPhone"));
    edtFax->setText(text("F_Fax"));
    edtphone->setText(text("F_Phone"));
    ceBegPrice->setValue(FieldValue::number(m_list->currentValue(QStringLiteral("F_BegPrice"))));
    edtbank->setText(text("F_Bank"));
    edtAccount->setText(text("F_Account"));
    edtRateCode->setText(text("F_Ratecode"));
    edthomePage->setText(text("F_Homepage"));
    edtEmail->setText(text("F_Email"));
    edtEnrol->setText(text("F_Enrol"));
    Mem->setPlainText(text("F_Mem"));
    cbUseFlag->setChecked(FieldValue::flag(m_list->currentValue(QStringLiteral("F_UseFlag"))));
    DBNavigator1->updateButtons();
}

QVariantMap TfrmCltEdit::fieldValues() const
{
    QVariantMap v;
    v[QStringLiteral("Code")] = edtcode->text().trimmed();
    v[QStringLiteral("Name")] = edtName->text().trimmed();
    v[QStringLiteral("Type")] = cbbType->currentText().trimmed();
    v[QStringLiteral("LinkMan")] = edtLinkman->text();
    v[QStringLiteral("Phone")] = edtphone->text().trimmed();
    v[QStringLiteral("Address")] = edtAddress->text().trimmed();
    v[QStringLiteral("Postcode")] = edtPostcode->text().trimmed();
    v[QStringLiteral("fax")] = edtFax->text().trimmed();
    v[QStringLiteral("handPhone")] = edthandphone->text().trimmed();
    v[QStringLiteral("BegPrice")] = Sql::roundMoney(ceBegPrice->value());
    v[QStringLiteral("Mem")] = Mem->toPlainText();
    v[QStringLiteral("UseFlag")] = cbUseFlag->isChecked() ? 1 : 0;
    v[QStringLiteral("bank")] = edtbank->text().trimmed();
    v[QStringLiteral("account")] = edtAccount->text().trimmed();
    v[QStringLiteral("ratecode")] = edtRateCode->text().trimmed();
    v[QStringLiteral("homepage")] = edthomePage->text().trimmed();
    v[QStringLiteral("Email")] = edtEmail->text().trimmed();
    v[QStringLiteral("enrol")] = edtEnrol->text().trimmed();
    v[QStringLiteral("empName")] = cbbEmpName->currentText().trimmed();
    return v;
}

void TfrmCltEdit::Button1Click()
{
    if (!Button1->isEnabled())
        return;
    TdmData *dm = TdmData::instance();
    if (!dm)
        return;
    // A value typed into the amount field counts even before the field is left.
    ceBegPrice->interpretText();
    const QString code = edtcode->text().trimmed();
    if (code.isEmpty()) {
        ShowMess(PartnerTexts::emptyCode(m_kind), MessNotice, this);
        edtcode->setFocus();
        return;
    }
    const qint64 ownId = m_adding ? 0 : m_id;
    const SqlStatement dup = ClientStatements::duplicateStatement(m_kind, code, ownId);
    if (dm->QueryInt(dup.sql, dup.params) > 0) {
        ShowMess(PartnerTexts::duplicateCode(m_kind), MessNotice, this);
        edtcode->setFocus();
        return;
    }

    const QVariantMap values = fieldValues();
    bool duplicate = false;
    try {
        DbTransaction t(*dm);
        // Another client may store the same code between the check and the insert: the table
        // is locked for writing and the code checked again inside the transaction.
        dm->exec(SqlDialect::lockTableForWrite(dm->backend(), QStringLiteral("t_client")));
        QSqlQuery check(dm->db());
        dm->exec(check, dup.sql, dup.params);
        duplicate = check.next() && check.value(0).toLongLong() > 0;
        check.finish();
        if (!duplicate) {
            const SqlStatement s = m_adding ? ClientStatements::insertStatement(m_kind, values)
                                            : ClientStatements::updateStatement(m_id, values);
            dm->exec(dm->QryPub(), s.sql, s.params);
            t.commit();
        }
    } catch (const DbError &e) {
        qWarning("partner save: %s", qPrintable(e.message()));
        ShowMess(kSaveFailed, MessError, this);
        return;
    }
    if (duplicate) {
        ShowMess(PartnerTexts::duplicateCode(m_kind), MessNotice, this);
        edtcode->setFocus();
        return;
    }

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
    if (m_adding && CheckBox1->isChecked()) {
        clearFields();
        edtcode->setFocus();
        return;
    }
    accept();
}

bool TfrmCltEdit::keyPressed(QWidget *target, QKeyEvent *e)
{
    if (KeyPreview::isCtrl(e, Qt::Key_S)) {
        if (Button1->isEnabled())
            Button1->click();
        return true;
    }
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        Button2->click();
        return true;
    }
    // Buttons keep Enter as their click.
    if (qobject_cast<QAbstractButton *>(target))
        return false;
    return KeyPreview::enterMovesFocus(target, e);
}
