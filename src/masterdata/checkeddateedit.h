#pragma once

#include <QDate>
#include <QWidget>

class QCheckBox;
class QDateEdit;

// A date picker with a check box: unchecked means "no date" (stored as 1900-08-14).
class CheckedDateEdit : public QWidget
{
    Q_OBJECT
public:
    explicit CheckedDateEdit(QWidget *parent = nullptr);

    bool isChecked() const;
    void setChecked(bool checked);
    QDate date() const;
    void setDate(const QDate &date);
    // An invalid date unchecks the picker and shows today.
    void setOptionalDate(const QDate &date);
    // The value stored: the date as "yyyy-mm-dd" when checked, else "1900-08-14".
    QString storedText() const;

    QCheckBox *checkBox() const { return m_check; }
    QDateEdit *dateEdit() const { return m_edit; }

private:
    QCheckBox *m_check;
    QDateEdit *m_edit;
};
