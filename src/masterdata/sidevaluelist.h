#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QTableWidget;

// The side list of the partner windows: a two-column list `vleList` (a narrow number column
// and a name column) whose first row "全部" (number 0) stands for all rows, and under it the
// choice `cbbListType` of what the list holds ("业务员" or "类  型").
class SideValueList : public QWidget
{
    Q_OBJECT
public:
    enum ListType { Employees = 0, Types = 1 };

    explicit SideValueList(QWidget *parent = nullptr);

    QTableWidget *list() const { return m_list; }
    QComboBox *listTypeBox() const { return m_type; }
    ListType listType() const;

    // Empties the list down to the row "全部", made current without signalling.
    void reset();
    // Titles the name column and appends one row per value, numbered 1, 2, 3 ...
    void addValues(const QString &title, const QStringList &values);
    // The name in the current row; empty while "全部" (or nothing) is current.
    QString currentValue() const;
    bool allSelected() const;
    // Makes a row current as a click would (row 0 is "全部").
    void clickRow(int row);
    int rowCount() const;

    // The title of the name column for a list type.
    static QString titleOf(ListType type);

signals:
    // The operator chose another row.
    void valueChosen();
    // The operator chose another list type.
    void listTypeChanged(int type);

private:
    QTableWidget *m_list;
    QComboBox *m_type;
    bool m_filling = false;
};
