#pragma once

#include <QDialog>
#include <QPointer>
#include <QVariantMap>

#include <array>
#include <functional>

class CheckedDateEdit;
class DataGrid;
class GridLineModel;
class KeyPreview;
class ListWindowBase;
class NumberEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RecordNavigator;

// The goods editor: a new goods from the list window (with continuous entry) or from the goods
// selection dialog, or the list window's current row. It holds the goods' opening stock per
// depot and writes it, the goods row and (for a changed code) the goods' lines in one
// transaction. The caller creates it, opens it in a mode, places it with DispFormPos(editor, 1),
// runs it modally and frees it.
class TFrmGoodEdit : public QDialog
{
    Q_OBJECT
public:
    // Picks a goods-type path starting from the current one (returns it unchanged on cancel).
    using TypePicker = std::function<QString(QWidget *parent, const QString &current)>;

    explicit TFrmGoodEdit(QWidget *parent = nullptr);
    ~TFrmGoodEdit() override;

    // With automatic codes on: the code field gets the next automatic code and becomes
    // read-only. False (the reason shown) when no code can be made; the editor is then not
    // opened.
    bool takeAutomaticCode();

    // A new goods from the list window: "连续新增" offered, the list reopened after a save.
    void openNew(ListWindowBase *list);
    // A new goods from the goods selection dialog: after a save `saved` receives the code and
    // the editor closes.
    void openNewFromDialog(std::function<void(const QString &code)> saved);
    // The list window's current row; the navigator moves over the list's rows.
    void openModify(ListWindowBase *list);

    // "确定": checks and saves.
    void Button1Click();

    bool isAdding() const { return m_adding; }
    QString loadedCode() const { return m_loadedCode; }
    GridLineModel *openingStockModel() const { return m_stock; }
    DataGrid *openingStockGrid() const { return DBGridEh1; }

    void setTypePicker(TypePicker picker) { m_picker = std::move(picker); }
    // The button of the type field: the picker on the field's text.
    void pickType();
    // Leaving the unit field: an unknown unit is added to the unit list after a question.
    void unitLeft();

private:
    void buildUi();
    void setMode(bool adding, bool fromDialog);
    void prepareFields();
    void clearFields(bool keepCodeAndSalePrice);
    void fillFromList();
    void loadOpeningStock(const QString &code);
    void stockChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    QVariantMap fieldValues(const QString &code, double begAmount) const;
    bool nextAutomaticCode(QString *code);
    bool keyPressed(QWidget *target, QKeyEvent *event);

    bool m_adding = true;
    bool m_fromDialog = false;
    bool m_autoCode = false;
    qint64 m_id = 0;
    QString m_loadedCode;
    QPointer<ListWindowBase> m_list;
    std::function<void(const QString &)> m_saved;
    TypePicker m_picker;
    GridLineModel *m_stock;
    bool m_recalculating = false;

    QLineEdit *edtCode;
    QLineEdit *edtName;
    QLineEdit *cbeType;
    QLineEdit *edtSpec;
    QComboBox *cbbUnit;
    QLineEdit *edtBarCode;
    NumberEdit *ceEnterprice;
    NumberEdit *ceSalePrice;
    NumberEdit *rceDeptUp;
    NumberEdit *rceDeptDown;
    QComboBox *cbbDepot;
    QLineEdit *edtAddress;
    QPlainTextEdit *Mem;
    QCheckBox *cbFlag;
    QLabel *lblEnterPrice;
    QLabel *lblSalePrice;
    std::array<QLabel *, 11> m_customLabels{};
    std::array<QLineEdit *, 5> edtZF{};
    std::array<NumberEdit *, 3> rceSZ{};
    std::array<CheckedDateEdit *, 3> dtpRQ{};
    DataGrid *DBGridEh1;
    QCheckBox *CheckBox1;
    RecordNavigator *DBNavigator1;
    QPushButton *Button1;
    QPushButton *Button2;
    KeyPreview *m_keys;
};
