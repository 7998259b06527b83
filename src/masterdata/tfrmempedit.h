#pragma once

#include "employeephoto.h"

#include <QDialog>
#include <QPointer>
#include <QVariantMap>

class KeyPreview;
class ListWindowBase;
class PhotoBox;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RecordNavigator;

// The employee editor "员工档案信息": a new employee (with continuous entry) or the list
// window's current row, with the photograph. The caller creates it, opens it in a mode, places
// it with DispFormPos(editor, 1), runs it modally and frees it.
class TfrmEmpEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmEmpEdit(QWidget *parent = nullptr);
    ~TfrmEmpEdit() override;

    void openNew(ListWindowBase *list);
    void openModify(ListWindowBase *list);
    bool isAdding() const { return m_adding; }
    const EmployeePhoto &photo() const { return m_photo; }

    // "确定": checks the code, saves in one transaction, reopens the list on the saved code;
    // closes, or empties the fields for the next employee.
    void Button1Click();
    // "载入图片": chooses a picture through the picture window.
    void BitBtn1Click();
    // "清空显示": no photograph.
    void BitBtn2Click();
    // Takes a picture file as the photograph (what the picture window's choice leads to);
    // false when the file cannot be read.
    bool loadPhotoFile(const QString &file);

private:
    void buildUi();
    void setMode(bool adding);
    void clearFields();
    void fillFromList();
    void showPhoto();
    QVariantMap fieldValues() const;
    bool keyPressed(QWidget *target, QKeyEvent *event);

    bool m_adding = true;
    qint64 m_id = 0;
    QPointer<ListWindowBase> m_list;
    EmployeePhoto m_photo;

    QLineEdit *edtcode;
    QLineEdit *edtName;
    QComboBox *cbbsex;
    QComboBox *cbbduty;
    QComboBox *cbbdept;
    QLineEdit *edtphone;
    QPlainTextEdit *Mem;
    QCheckBox *cbFlag;
    PhotoBox *Image1;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QCheckBox *CheckBox1;
    RecordNavigator *DBNavigator1;
    QPushButton *Button1;
    QPushButton *Button2;
    KeyPreview *m_keys;
};
