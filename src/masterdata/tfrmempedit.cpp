#include "tfrmempedit.h"

#include "editorbuttons.h"
#include "combolist.h"
#include "employeestatements.h"
#include "fieldevents.h"
#include "fieldvalue.h"
#include "keypreview.h"
#include "listwindowbase.h"
#include "photobox.h"
#include "recordnavigator.h"
#include "tfrmimagedisp.h"

#include "data/dberror.h"
#include "data/session.h"
#include "data/sqldialect.h"
#include "data/tdmdata.h"
#include "platform/showmess.h"

#include <QAbstractButton>
#include <QAction>
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

QComboBox *dropDownEdit(QWidget *parent, const char *name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QLineEdit *lineEdit(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

} // namespace

TfrmEmpEdit::TfrmEmpEdit(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEmpEdit"));
    setWindowTitle(QStringLiteral("员工档案信息 - 新增"));
    buildUi();
    m_keys = new KeyPreview(this, [this](QWidget *target, QKeyEvent *e) { return keyPressed(target, e); });
}

TfrmEmpEdit::~TfrmEmpEdit() = default;

void TfrmEmpEdit::buildUi()
{
    edtcode = lineEdit(this, "edtcode");
    edtName = lineEdit(this, "edtName");
    cbbsex = dropDownEdit(this, "cbbsex");
    cbbsex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    cbbduty = dropDownEdit(this, "cbbduty");
    cbbdept = dropDownEdit(this, "cbbdept");
    edtphone = lineEdit(this, "edtphone");
    Mem = new QPlainTextEdit(this);
    Mem->setObjectName(QStringLiteral("Mem"));
    Mem->setTabChangesFocus(true);
    Mem->setFixedHeight(70);
    cbFlag = new QCheckBox(QStringLiteral("停用"), this);
    cbFlag->setObjectName(QStringLiteral("cbFlag"));

    Image1 = new PhotoBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(140, 150);
    Image1->setToolTip(QStringLiteral("最佳大小：(102*100)"));
    Image1->setContextMenuPolicy(Qt::ActionsContextMenu);
    BitBtn1 = new QPushButton(QStringLiteral("载入图片"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    BitBtn2 = new QPushButton(QStringLiteral("清空显示"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    auto *loadAction = new QAction(QStringLiteral("载入图片"), Image1);
    loadAction->setObjectName(QStringLiteral("miLoadImage"));
    auto *clearAction = new QAction(QStringLiteral("清空显示"), Image1);
    clearAction->setObjectName(QStringLiteral("miClearImage"));
    Image1->addAction(loadAction);
    Image1->addAction(clearAction);
    connect(loadAction, &QAction::triggered, this, &TfrmEmpEdit::BitBtn1Click);
    connect(clearAction, &QAction::triggered, this, &TfrmEmpEdit::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmEmpEdit::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmEmpEdit::BitBtn2Click);
    connect(Image1, &PhotoBox::doubleClicked, this, &TfrmEmpEdit::BitBtn1Click);

    auto *fields = new QGridLayout;
    const struct {
        const char *label;
        QWidget *field;
    } rows[] = {{"员工编号：", edtcode}, {"员工姓名：", edtName}, {"性    别：", cbbsex},
                {"职    务：", cbbduty}, {"部    门：", cbbdept}, {"电    话：", edtphone}};
    int r = 0;
    for (const auto &row : rows) {
        auto *label = new QLabel(QString::fromUtf8(row.label), this);
        label->setBuddy(row.field);
        row.field->setMinimumWidth(180);
        fields->addWidget(label, r, 0);
        fields->addWidget(row.field, r, 1);
        ++r;
    }
    fields->addWidget(cbFlag, r, 1, Qt::AlignLeft);

    auto *photoLabel = new QLabel(QStringLiteral("相    片："), this);
    auto *photoColumn = new QVBoxLayout;
    photoColumn->addWidget(photoLabel);
    photoColumn->addWidget(Image1);
    auto *photoButtons = new QHBoxLayout;
    photoButtons->addWidget(BitBtn1);
    photoButtons->addWidget(BitBtn2);
    photoColumn->addLayout(photoButtons);
    photoColumn->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(photoColumn);

    auto *memRow = new QHBoxLayout;
    auto *memLabel = new QLabel(QStringLiteral("备注信息："), this);
    memLabel->setBuddy(Mem);
    memRow->addWidget(memLabel, 0, Qt::AlignTop);
    memRow->addWidget(Mem, 1);

    const EditorButtons buttons = EditorButtons::create(this, false);
    CheckBox1 = buttons.continuous;
    DBNavigator1 = buttons.navigator;
    Button1 = buttons.ok;
    Button2 = buttons.cancel;
    QHBoxLayout *bottom = buttons.layout;

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addLayout(memRow);
    lay->addLayout(bottom);

    connect(Button1, &QPushButton::clicked, this, &TfrmEmpEdit::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBNavigator1, &RecordNavigator::moved, this, &TfrmEmpEdit::fillFromList);

    FieldEvents::onEnter(cbbduty, [this] {
        const SqlStatement s = EmployeeStatements::dutyList();
        ComboList::refill(cbbduty, s.sql, s.params);
    });
    FieldEvents::onEnter(cbbdept, [this] {
        const SqlStatement s = EmployeeStatements::departmentList();
        ComboList::refill(cbbdept, s.sql, s.params);
    });
}

void TfrmEmpEdit::setMode(bool adding)
{
    m_adding = adding;
    setWindowTitle(adding ? QStringLiteral("员工档案信息 - 新增") : QStringLiteral("员工档案信息 - 修改"));
    CheckBox1->setVisible(adding);
    DBNavigator1->setVisible(!adding);
    // A stored employee keeps its code.
    edtcode->setReadOnly(!adding);
    edtcode->setFocusPolicy(adding ? Qt::StrongFocus : Qt::ClickFocus);
    QPalette pal = edtcode->palette();
    pal.setColor(QPalette::Base, adding ? palette().color(QPalette::Base) : palette().color(QPalette::Button));
    edtcode->setPalette(pal);
    Button1->setEnabled(Session::instance().bYGedit);
}

void TfrmEmpEdit::openNew(ListWindowBase *list)
{
    m_list = list;
    setMode(true);
    clearFields();
}

void TfrmEmpEdit::openModify(ListWindowBase *list)
{
    m_list = list;
    DBNavigator1->setList(list);
    setMode(false);
    fillFromList();
}

void TfrmEmpEdit::clearFields()
{
    m_id = 0;
    for (QLineEdit *e : {edtcode, edtName, edtphone})
        e->clear();
    for (QComboBox *c : {cbbsex, cbbduty, cbbdept})
        c->setEditText(QString());
    Mem->clear();
    cbFlag->setChecked(false);
    m_photo.clear();
    showPhoto();
}

void TfrmEmpEdit::fillFromList()
{
    if (!m_list)
        return;
    auto text = [this](const char *field) { return m_list->currentValue(QLatin1String(field)).toString(); };
    m_id = m_list->currentValue(QStringLiteral("F_ID")).toLongLong();
    edtcode->setText(text("F_Code"));
    edtName->setText(text("F_Name"));
    cbbsex->setEditText(text("F_Sex"));
    cbbduty->setEditText(text("F_duty"));
    cbbdept->setEditText(text("F_dept"));
    edtphone->setText(text("F_phone"));
    Mem->setPlainText(text("F_Mem"));
    cbFlag->setChecked(FieldValue::flag(m_list->currentValue(QStringLiteral("F_Flag"))));

    // The photograph: read as the kind its stored file name tells; any other kind shows none.
    QByteArray bytes;
    const QString stored = text("F_imagePath");
    if (TdmData *dm = TdmData::instance(); dm && ImageKind::isStored(ImageKind::ofFile(stored))) {
        const SqlStatement s = EmployeeStatements::photoStatement(m_id);
        QSqlQuery q(dm->db());
        if (dm->OpenQuery(s.sql, q, s.params) && q.next())
            bytes = q.value(0).toByteArray();
    }
    m_photo = EmployeePhoto::fromStored(stored, bytes);
    showPhoto();
    DBNavigator1->updateButtons();
}

void TfrmEmpEdit::showPhoto()
{
    Image1->setPicture(m_photo.image());
}

bool TfrmEmpEdit::loadPhotoFile(const QString &file)
{
    EmployeePhoto p;
    if (!p.loadFile(file))
        return false;
    m_photo = p;
    showPhoto();
    return true;
}

void TfrmEmpEdit::BitBtn1Click()
{
    TfrmImageDisp window(this);
    if (!m_photo.path().isEmpty())
        window.setPicture(m_photo.image(), m_photo.path());
    const QString chosen = window.ChoosePicture(m_photo.path());
    if (chosen == m_photo.path())
        return;
    if (chosen.isEmpty()) {
        BitBtn2Click();
        return;
    }
    if (!loadPhotoFile(chosen)) {
        // The window showed the picture; its bytes are written anew when saved.
        m_photo.setPicture(window.picture(), chosen);
        showPhoto();
    }
}

void TfrmEmpEdit::BitBtn2Click()
{
    m_photo.clear();
    showPhoto();
}

QVariantMap TfrmEmpEdit::fieldValues() const
{
    QVariantMap v;
    v[QStringLiteral("Code")] = edtcode->text().trimmed();
    v[QStringLiteral("Name")] = edtName->text().trimmed();
    v[QStringLiteral("Sex")] = cbbsex->currentText().trimmed();
    v[QStringLiteral("duty")] = cbbduty->currentText().trimmed();
    v[QStringLiteral("dept")] = cbbdept->currentText().trimmed();
    v[QStringLiteral("phone")] = edtphone->text().trimmed();
    v[QStringLiteral("Mem")] = Mem->toPlainText();
    v[QStringLiteral("Flag")] = cbFlag->isChecked() ? 1 : 0;
    v[QStringLiteral("imagePath")] = m_photo.fileName();
    v[QStringLiteral("EmpImage")] = m_photo.storedBytes();
    return v;
}

void TfrmEmpEdit::Button1Click()
{
    if (!Button1->isEnabled())
        return;
    TdmData *dm = TdmData::instance();
    if (!dm)
        return;
    const QString code = edtcode->text().trimmed();
    if (code.isEmpty()) {
        ShowMess(QStringLiteral("当前员工编号不能为空！"), MessNotice, this);
        edtcode->setFocus();
        return;
    }
    const qint64 ownId = m_adding ? 0 : m_id;
    const SqlStatement dup = EmployeeStatements::duplicateStatement(code, ownId);
    const QString duplicateText = QStringLiteral("员工编号重复，请重新输入！");
    if (dm->QueryInt(dup.sql, dup.params) > 0) {
        ShowMess(duplicateText, MessNotice, this);
        edtcode->setFocus();
        return;
    }

    const QVariantMap values = fieldValues();
    bool duplicate = false;
    try {
        DbTransaction t(*dm);
        // Another client may store the same code between the check and the save: the table is
        // locked for writing and the code checked again inside the transaction.
        dm->exec(SqlDialect::lockTableForWrite(dm->backend(), QStringLiteral("t_employee")));
        QSqlQuery check(dm->db());
        dm->exec(check, dup.sql, dup.params);
        duplicate = check.next() && check.value(0).toLongLong() > 0;
        check.finish();
        if (!duplicate) {
            const SqlStatement s = m_adding ? EmployeeStatements::insertStatement(values)
                                            : EmployeeStatements::updateStatement(m_id, values);
            dm->exec(dm->QryPub(), s.sql, s.params);
            t.commit();
        }
    } catch (const DbError &e) {
        qWarning("employee save: %s", qPrintable(e.message()));
        ShowMess(kSaveFailed, MessError, this);
        return;
    }
    if (duplicate) {
        ShowMess(duplicateText, MessNotice, this);
        edtcode->setFocus();
        return;
    }

    if (m_list) {
        m_list->reopen();
        m_list->locate(QStringLiteral("F_Code"), code);
    }
    if (m_adding && CheckBox1->isChecked()) {
        clearFields();
        edtName->setFocus();
        return;
    }
    accept();
}

bool TfrmEmpEdit::keyPressed(QWidget *target, QKeyEvent *e)
{
    // Buttons keep Enter as their click.
    if (qobject_cast<QAbstractButton *>(target))
        return false;
    return KeyPreview::enterMovesFocus(target, e);
}
