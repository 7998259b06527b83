#include "goodslineentry.h"

#include "documentlinegrid.h"
#include "documentlinemodel.h"
#include "linecursor.h"

#include "data/tdmdata.h"
#include "platform/showmess.h"

#include <QLineEdit>

namespace {
const QString kGoodCode = QStringLiteral("F_GoodCode");
const QString kAmount = QStringLiteral("F_Amount");
const QString kPrice = QStringLiteral("F_Price");
const QString kRate = QStringLiteral("F_Rate");
const QString kTotal = QStringLiteral("F_TotalPrice");
} // namespace

GoodsLineEntry::GoodsLineEntry(TdmData &dm, DocumentLineGrid *grid, DocumentLineModel *lines, LineCursor *cursor,
                               const Rules &rules, Text supplier, Text currentCode, QObject *parent)
    : QObject(parent), m_dm(dm), m_grid(grid), m_lines(lines), m_cursor(cursor), m_rules(rules),
      m_supplier(std::move(supplier)), m_currentCode(std::move(currentCode))
{
    connect(m_lines, &QAbstractItemModel::dataChanged, this, &GoodsLineEntry::linesChanged);
}

double GoodsLineEntry::amountOf(int row) const
{
    auto factor = [&](const QString &field) {
        const int c = m_lines->fieldIndex(field);
        bool ok = false;
        const double v = c < 0 ? 0 : m_lines->number(row, c, &ok);
        return ok ? v : 0.0;
    };
    double amount = factor(kAmount) * factor(kPrice);
    if (m_rules.amountWithRate)
        amount *= factor(kRate);
    return Sql::roundMoney(amount);
}

void GoodsLineEntry::linesChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (m_recomputing || !topLeft.isValid())
        return;
    const int total = m_lines->fieldIndex(kTotal);
    if (total < 0)
        return;
    QList<int> factors{m_lines->fieldIndex(kAmount), m_lines->fieldIndex(kPrice)};
    if (m_rules.amountWithRate)
        factors << m_lines->fieldIndex(kRate);
    bool touched = false;
    for (int c : std::as_const(factors))
        touched = touched || (c >= topLeft.column() && c <= bottomRight.column());
    if (!touched)
        return;
    m_recomputing = true;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        const double amount = amountOf(row);
        const QVariant now = m_lines->GridLineModel::value(row, total);
        if (now.isNull() || now.toDouble() != amount)
            m_lines->setValue(row, kTotal, amount);
    }
    m_recomputing = false;
}

bool GoodsLineEntry::defaultPrice(const QString &goodsCode, double *price) const
{
    const QString supplier = m_supplier ? m_supplier().trimmed() : QString();
    const double p = m_rules.priceSource == LinePrice::Source::Orders
                         ? LinePrice::LastOrderPrice(m_dm, goodsCode, supplier, m_rules.priceFlag)
                         : LinePrice::LastPrice(m_dm, goodsCode, supplier, m_rules.priceFlag);
    if (!m_dm.lastError().isEmpty())
        return false;
    *price = p;
    return true;
}

void GoodsLineEntry::setValues(int row, const QVariantMap &values)
{
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        m_lines->setValue(row, it.key(), it.value());
}

void GoodsLineEntry::gridEnter()
{
    m_grid->commitEdit();
    const int row = m_cursor->row();
    if (row < 0)
        return;
    if (m_cursor->isEditing())
        m_cursor->post();
    const QString code = m_lines->value(row, kGoodCode).toString().trimmed();
    if (code.isEmpty())
        return;
    const int first = m_grid->firstVisibleColumn();
    const int column = m_grid->currentColumn();
    const QString field = m_grid->currentFieldName().toLower();

    if (field == QLatin1String("f_goodcode")) {
        QVariantMap goods;
        switch (GoodsLookup::byCode(m_dm, code, &goods)) {
        case GoodsLookup::Result::Failed:
            return;
        case GoodsLookup::Result::NotFound:
            ShowMess(QStringLiteral("商品\"%1\"不存在，请检查输入？").arg(code), MessNotice, m_grid);
            if (m_rules.notFoundGoesToFirstColumn)
                m_grid->setCurrentColumn(first);
            return;
        case GoodsLookup::Result::Found:
            break;
        }
        const QString goodsCode = goods.value(QStringLiteral("F_Code")).toString();
        double price = 0;
        if (!defaultPrice(goodsCode, &price))
            return;
        QVariantMap values = GoodsLookup::lineValues(goods, m_rules.typedCodeFills);
        values.insert(kGoodCode, goodsCode);
        values.insert(kPrice, price);
        values.insert(kRate, 1.0);
        values.insert(QStringLiteral("F_Code"), m_currentCode ? m_currentCode() : QString());
        setValues(row, values);
        m_cursor->post();
    }

    if (column != first) {
        if (field == QLatin1String("f_amount")) {
            bool ok = false;
            const double quantity = m_lines->number(row, m_lines->fieldIndex(kAmount), &ok);
            if (ok && quantity != 0)
                m_cursor->appendLine();
            else
                ShowMess(QStringLiteral("对不起，货品数量不能为零！"), MessNotice, m_grid);
        }
        return;
    }
    const int quantityColumn = m_grid->findColumn(kAmount);
    if (quantityColumn >= 0)
        m_grid->setCurrentColumn(quantityColumn);
}

bool GoodsLineEntry::barcodeEntered(QLineEdit *box, double quantity)
{
    const QString barcode = box->text().trimmed();
    if (barcode.isEmpty()) {
        ShowMess(QStringLiteral("请输入条码！"), MessNotice, box);
        box->setFocus();
        return false;
    }
    m_grid->cancelEdit();
    if (m_cursor->isEditing())
        m_cursor->abandon();
    QVariantMap goods;
    switch (GoodsLookup::byBarcode(m_dm, barcode, &goods)) {
    case GoodsLookup::Result::Failed:
        box->setFocus();
        return false;
    case GoodsLookup::Result::NotFound:
        ShowMess(QStringLiteral("条码\"%1\"不存在，请检查输入？").arg(barcode), MessNotice, box);
        box->setFocus();
        return false;
    case GoodsLookup::Result::Found:
        break;
    }
    const QString goodsCode = goods.value(QStringLiteral("F_Code")).toString();
    double price = 0;
    if (!defaultPrice(goodsCode, &price)) {
        box->setFocus();
        return false;
    }
    QVariantMap values = GoodsLookup::lineValues(goods, GoodsLookup::allParts());
    values.insert(kGoodCode, goodsCode);
    values.insert(kRate, 1.0);
    values.insert(kPrice, price);
    values.insert(kAmount, quantity);
    values.insert(QStringLiteral("F_Code"), m_currentCode ? m_currentCode() : QString());
    m_cursor->appendLine(values, true);
    box->clear();
    box->setFocus();
    return true;
}
