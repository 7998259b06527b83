#pragma once

#include <QDialog>

class KeyPreview;
class QAction;
class QKeyEvent;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The goods-type tree window "商品类型资料": maintenance (modes 1 and 3) and picking (modes
// 2 and 4). Adds types beside or below the selected one, renames a type (its path carried into
// the goods and document lines filed under it), deletes a type with its descendants; when
// picking, returns the path of the chosen type.
//
// Picking, as the goods editor does it:
//   TFrmTreeCodeMan dlg(this);
//   dlg.SetUp(2);
//   edtType->setText(dlg.PickType(edtType->text()));
class TFrmTreeCodeMan : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmTreeCodeMan(QWidget *parent = nullptr);
    ~TFrmTreeCodeMan() override;

    // Caption, tree kind, the tree loaded with the root "商品类型" and expanded.
    void SetUp(int mode);
    // Shows the window modally with the node of the current path selected; the path of the
    // chosen type on "确定", else the current path.
    QString PickType(const QString &currentPath);

    int mode() const { return m_mode; }
    bool isPicking() const { return m_mode == 2 || m_mode == 4; }
    QString kind() const { return m_kind; }
    QTreeWidget *tree() const { return tvTree; }
    // Selects the node whose path equals the given one (expanded); false when none.
    bool selectPath(const QString &path);

    void acAddExecute();
    void acAddChildExecute();
    void acEditExecute();
    void acDeleteExecute();
    // "确定" of the picking panel.
    void BitBtn1Click();

private:
    void buildUi();
    void nodeDoubleClicked(QTreeWidgetItem *node);
    // Adds a type beside (sibling) or below the selected node.
    void addType(bool child);
    bool keyPressed(QWidget *target, QKeyEvent *event);

    QTreeWidget *tvTree;
    QPushButton *btnAdd;
    QPushButton *btnAddChild;
    QPushButton *Button1;
    QPushButton *btnDelete;
    QWidget *Panel4;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QMenu *m_popup;
    QAction *acAdd;
    QAction *acAddChild;
    QAction *acEdit;
    QAction *acDelete;
    KeyPreview *m_keys;
    int m_mode = 1;
    QString m_kind;
};
