#pragma once

#include <QDialog>
#include <QPointer>
#include <QVariantMap>

#include <functional>

class KeyPreview;
class ListWindowBase;
class NumberEdit;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RecordNavigator;

// The partner editor (suppliers, kind 0; clients, kind 1): a new partner from the list window
// (with continuous entry) or from the selection dialog, or the list window's current row.
// The caller creates it, opens it in a mode, places it with DispFormPos(editor, 1), runs it
// modally and frees it.
class TfrmCltEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCltEdit(int kind, QWidget *parent = nullptr);
    ~TfrmCltEdit() override;

    int kind() const { return m_kind; }
    bool isAdding() const { return m_adding; }

    // A new partner from the list window: "连续新增" offered, the list reopened after a save.
    void openNew(ListWindowBase *list);
    // A new partner from the selection dialog: after a save `saved` receives the code (the
    // dialog reopens its list) and the editor closes.
    void openNewFromDialog(std::function<void(const QString &code)> saved);
    // The list window's current row; the navigator moves over the list's rows.
    void openModify(ListWindowBase *list);

    // "确定": checks and saves; closes, or empties the fields for the next partner.
    void Button1Click();

private:
    void buildUi();
    void setMode(bool adding, bool fromDialog);
    void clearFields();
    void fillFromList();
    QVariantMap fieldValues() const;
    bool keyPressed(QWidget *target, QKeyEvent *event);

    int m_kind;
    bool m_adding = true;
    bool m_fromDialog = false;
    qint64 m_id = 0;
    QPointer<ListWindowBase> m_list;
    std::function<void(const QString &)> m_saved;

    QLineEdit *edtcode;
    QLineEdit *edtName;
    QComboBox *cbbType;
    QComboBox *cbbEmpName;
    QLineEdit *edtLinkman;
    QLineEdit *edtAddress;
    QLineEdit *edtPostcode;
    QLineEdit *edthandphone;
    QLineEdit *edtFax;
    QLineEdit *edtphone;
    NumberEdit *ceBegPrice;
    QLineEdit *edtbank;
    QLineEdit *edtAccount;
    QLineEdit *edtRateCode;
    QLineEdit *edthomePage;
    QLineEdit *edtEmail;
    QLineEdit *edtEnrol;
    QPlainTextEdit *Mem;
    QCheckBox *cbUseFlag;
    QCheckBox *CheckBox1;
    RecordNavigator *DBNavigator1;
    QPushButton *Button1;
    QPushButton *Button2;
    KeyPreview *m_keys;
};
