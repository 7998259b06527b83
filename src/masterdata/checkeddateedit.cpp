#include "checkeddateedit.h"

#include "data/sqlparams.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

CheckedDateEdit::CheckedDateEdit(QWidget *parent) : QWidget(parent), m_check(new QCheckBox(this)), m_edit(new QDateEdit(this))
{
    m_check->setObjectName(QStringLiteral("check"));
    m_edit->setObjectName(QStringLiteral("date"));
    m_edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_edit->setCalendarPopup(true);
    m_edit->setDate(QDate::currentDate());
    m_edit->setEnabled(false);
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(2);
    lay->addWidget(m_check);
    lay->addWidget(m_edit, 1);
    setFocusProxy(m_check);
    connect(m_check, &QCheckBox::toggled, m_edit, &QDateEdit::setEnabled);
}

bool CheckedDateEdit::isChecked() const
{
    return m_check->isChecked();
}

void CheckedDateEdit::setChecked(bool checked)
{
    m_check->setChecked(checked);
}

QDate CheckedDateEdit::date() const
{
    return m_edit->date();
}

void CheckedDateEdit::setDate(const QDate &date)
{
    m_edit->setDate(date);
}

void CheckedDateEdit::setOptionalDate(const QDate &date)
{
    m_check->setChecked(date.isValid());
    m_edit->setDate(date.isValid() ? date : QDate::currentDate());
}

QString CheckedDateEdit::storedText() const
{
    return (isChecked() ? date() : Sql::missingDate()).toString(QStringLiteral("yyyy-MM-dd"));
}
