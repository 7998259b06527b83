#include "recordnavigator.h"

#include "listwindowbase.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {
QToolButton *navButton(QWidget *parent, const char *name, const QString &text, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}
} // namespace

RecordNavigator::RecordNavigator(QWidget *parent)
    : QWidget(parent), m_first(navButton(this, "nbFirst", QStringLiteral("|<"), QStringLiteral("首项"))),
      m_prior(navButton(this, "nbPrior", QStringLiteral("<"), QStringLiteral("前项"))),
      m_next(navButton(this, "nbNext", QStringLiteral(">"), QStringLiteral("后项"))),
      m_last(navButton(this, "nbLast", QStringLiteral(">|"), QStringLiteral("末项")))
{
    setObjectName(QStringLiteral("DBNavigator1"));
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    for (QToolButton *b : {m_first, m_prior, m_next, m_last})
        lay->addWidget(b);
    connect(m_first, &QToolButton::clicked, this, &RecordNavigator::first);
    connect(m_prior, &QToolButton::clicked, this, &RecordNavigator::prior);
    connect(m_next, &QToolButton::clicked, this, &RecordNavigator::next);
    connect(m_last, &QToolButton::clicked, this, &RecordNavigator::last);
    updateButtons();
}

void RecordNavigator::setList(ListWindowBase *list)
{
    m_list = list;
    updateButtons();
}

void RecordNavigator::moveTo(int row)
{
    if (!m_list || row < 0 || row >= m_list->rowCount() || row == m_list->currentRow())
        return;
    m_list->setCurrentRow(row);
    updateButtons();
    emit moved();
}

void RecordNavigator::first()
{
    moveTo(0);
}

void RecordNavigator::prior()
{
    if (m_list)
        moveTo(m_list->currentRow() - 1);
}

void RecordNavigator::next()
{
    if (m_list)
        moveTo(m_list->currentRow() + 1);
}

void RecordNavigator::last()
{
    if (m_list)
        moveTo(m_list->rowCount() - 1);
}

void RecordNavigator::updateButtons()
{
    const int n = m_list ? m_list->rowCount() : 0;
    const int row = m_list ? m_list->currentRow() : -1;
    m_first->setEnabled(n > 0 && row > 0);
    m_prior->setEnabled(n > 0 && row > 0);
    m_next->setEnabled(n > 0 && row < n - 1);
    m_last->setEnabled(n > 0 && row < n - 1);
}
