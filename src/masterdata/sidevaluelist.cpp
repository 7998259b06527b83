#include "sidevaluelist.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

SideValueList::SideValueList(QWidget *parent) : QWidget(parent), m_list(new QTableWidget(this)), m_type(new QComboBox(this))
{
    m_list->setObjectName(QStringLiteral("vleList"));
    m_list->setColumnCount(2);
    m_list->setHorizontalHeaderLabels({QStringLiteral("No"), titleOf(Employees)});
    m_list->verticalHeader()->hide();
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setColumnWidth(0, 36);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_list->setTabKeyNavigation(false);

    m_type->setObjectName(QStringLiteral("cbbListType"));
    m_type->addItems({titleOf(Employees), titleOf(Types)});
    m_type->setCurrentIndex(0);

    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(2);
    lay->addWidget(m_list, 1);
    lay->addWidget(m_type);

    connect(m_list, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (!m_filling && row >= 0 && row != previous)
            emit valueChosen();
    });
    connect(m_type, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling)
            emit listTypeChanged(index);
    });
    reset();
}

QString SideValueList::titleOf(ListType type)
{
    return type == Types ? QStringLiteral("类  型") : QStringLiteral("业务员");
}

SideValueList::ListType SideValueList::listType() const
{
    return m_type->currentIndex() == 1 ? Types : Employees;
}

void SideValueList::reset()
{
    m_filling = true;
    m_list->setRowCount(0);
    m_list->setRowCount(1);
    m_list->setItem(0, 0, new QTableWidgetItem(QStringLiteral("0")));
    m_list->setItem(0, 1, new QTableWidgetItem(QStringLiteral("全部")));
    m_list->setCurrentCell(0, 1);
    m_filling = false;
}

void SideValueList::addValues(const QString &title, const QStringList &values)
{
    m_filling = true;
    m_list->setHorizontalHeaderItem(1, new QTableWidgetItem(title));
    int row = m_list->rowCount();
    m_list->setRowCount(row + int(values.size()));
    int n = 1;
    for (const QString &v : values) {
        m_list->setItem(row, 0, new QTableWidgetItem(QString::number(n++)));
        m_list->setItem(row, 1, new QTableWidgetItem(v));
        ++row;
    }
    m_filling = false;
}

QString SideValueList::currentValue() const
{
    const int row = m_list->currentRow();
    if (row <= 0 || !m_list->item(row, 1))
        return QString();
    return m_list->item(row, 1)->text();
}

bool SideValueList::allSelected() const
{
    return m_list->currentRow() <= 0;
}

void SideValueList::clickRow(int row)
{
    if (row < 0 || row >= m_list->rowCount())
        return;
    m_list->setCurrentCell(row, 1);
}

int SideValueList::rowCount() const
{
    return m_list->rowCount();
}
