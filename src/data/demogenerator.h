#pragma once

#include "demodata.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <vector>

class BulkInserter;
class DbTransaction;
class TdmData;

// Makes the company of one profile. Master data first, then the documents day by day in the
// order they happen, so that every link points back in time: receipts take open order lines,
// returns give back received goods, invoices and payments settle what is still open. Rows go
// to the database through one bulk inserter per table inside large transactions.
class DemoGenerator
{
public:
    DemoGenerator(TdmData &dm, const DemoData::Profile &profile, std::function<void(const QString &)> progress);
    ~DemoGenerator();
    DemoGenerator(const DemoGenerator &) = delete;
    DemoGenerator &operator=(const DemoGenerator &) = delete;

    // Throws DbError on any database failure; the open transaction is then rolled back.
    void run(DemoData::Counts &counts);

private:
    // A set of small integers with constant-time insert, remove and random pick.
    class IndexSet
    {
    public:
        void resize(int n) { m_pos.assign(size_t(n), -1); }
        bool contains(int v) const { return m_pos[size_t(v)] >= 0; }
        bool empty() const { return m_items.empty(); }
        int size() const { return int(m_items.size()); }
        int at(int i) const { return m_items[size_t(i)]; }
        void insert(int v);
        void remove(int v);

    private:
        std::vector<int> m_items;
        std::vector<int> m_pos;
    };

    struct Leaf {
        QString path;
        int category = 0;
        int sub = -1; // -1: goods of any sub-category of the category
        bool imported = false;
    };
    struct Goods {
        QVariant id, code, name, type, spec, unit, address, barcode, brand, packQty;
        double price = 0;
        int leaf = 0;
        bool disabled = false;
    };
    struct Supplier {
        QVariant name;
        std::vector<int> catalogue; // enabled goods it sells
        bool disabled = false;
    };
    struct OrderLine {
        int goods = 0;
        double qty = 0, price = 0, rate = 1;
        double received = 0, returned = 0;
        double open() const { return qty - received + returned; }
    };
    struct Order {
        QVariant code;
        int supplier = 0, day = 0, depot = -1, employee = 0;
        int firstLine = 0, lineCount = 0;
    };
    struct ReceiptLine {
        int goods = 0;
        int orderLine = -1;
        double qty = 0, price = 0, returned = 0;
    };
    struct Receipt {
        int supplier = 0, day = 0, depot = 0, employee = 0;
        int firstLine = 0, lineCount = 0;
    };
    // A receipt or return waiting to be invoiced and paid.
    struct Settleable {
        QString code;
        double invoiceOpen = 0, paymentOpen = 0; // signed: returns are negative
    };
    struct DocDates {
        int makeDay = 0, entryDay = 0;
        QVariant code;
        bool audited = true;
        int auditDay = 0;
    };
    enum Kind { KOrder, KReceipt, KReturn, KInvoice, KPayment, KindCount };

    // Random helpers on the seeded engine (portable: no standard distributions).
    double uniform();
    double uniform(double low, double high);
    int range(int low, int high); // inclusive
    bool chance(double p);
    template <typename List> const auto &pick(const List &list) { return list.at(range(0, int(list.size()) - 1)); }
    QString digits(int count);
    QString personName(bool *male = nullptr);
    QString phone(const QString &areaCode);

    // Steps.
    void prepareInserters();
    void writeCodeLists();
    void writeTypeTree();
    void writeEmployees();
    void writeGoods();
    void readGoodsIds();
    void writeSuppliers();
    void writeCompany();
    void scheduleDocuments();
    void writeDocuments();

    void makeOrder(int day);
    void makeReceipt(int day);
    void makeReturn(int day);
    void makeInvoice(int day);
    void makePayment(int day);

    DocDates documentDates(Kind kind, const QString &prefix, int businessDay);
    QVariant date(int day) const;
    int pickSupplier();
    int pickDepot();
    int pickEmployee(const std::vector<int> &pool);
    double orderQuantity(double price);
    std::vector<int> pickGoods(int supplier, int count);
    int lineCount();
    void goodsLine(BulkInserter &ins, const QVariant &docCode, int goods, double qty, double price, double rate,
                   double total);
    void pickedLine(const QVariant &docCode, int goods, double qty, double price, double total,
                    const QVariant &orderCode);
    void endRow(BulkInserter &ins);
    void addSettleable(int supplier, const QString &code, double signedTotal);
    void settle(Kind kind, int day);
    void maybeCommit();
    void beginBulkLoad();
    void endBulkLoad(bool quiet);
    void flushAll();
    void say(const QString &text);

    TdmData &m_dm;
    DemoData::Profile m_p;
    std::function<void(const QString &)> m_progress;
    std::mt19937 m_rng;

    int m_days = 0;
    std::vector<QVariant> m_dates;  // "yyyy-MM-dd" per day index (with room after the last day)
    std::vector<QString> m_dayKeys; // "yyyyMMdd" per day index
    std::vector<int> m_dayCounter[KindCount];
    std::vector<int> m_schedule[KindCount]; // business day of every document, ascending
    int m_target[KindCount] = {};

    QStringList m_depots, m_units, m_payModes, m_accounts, m_invoiceKinds, m_items;
    QVariant m_maker;
    QVariant m_empty;     // empty text
    QVariant m_nullText;  // NULL text
    std::vector<Leaf> m_leaves;
    std::vector<std::vector<int>> m_leafGoods;
    std::vector<Goods> m_goods;
    std::vector<Supplier> m_suppliers;
    std::vector<int> m_activeSuppliers;
    std::vector<double> m_supplierWeight; // cumulative weights over m_activeSuppliers
    std::vector<QVariant> m_employeeNames;
    std::vector<int> m_buyers, m_finance;

    std::vector<Order> m_orders;
    std::vector<OrderLine> m_orderLines;
    std::vector<std::deque<int>> m_openOrders; // per supplier, oldest first
    IndexSet m_suppliersWithOrders;
    std::vector<Receipt> m_receipts;
    std::vector<ReceiptLine> m_receiptLines;
    std::vector<Settleable> m_settleables;
    std::vector<std::deque<int>> m_toInvoice, m_toPay; // per supplier, oldest first
    IndexSet m_suppliersToInvoice, m_suppliersToPay;

    std::unique_ptr<BulkInserter> m_codeIns, m_treeIns, m_clientIns, m_goodsIns, m_begIns, m_empIns;
    std::unique_ptr<BulkInserter> m_orderM, m_orderD, m_depotM, m_depotD, m_invoiceM, m_invoiceD, m_payM, m_payD;
    std::vector<BulkInserter *> m_all;
    QStringList m_droppedIndexes; // index names to build again after a bulk load
    std::unique_ptr<DbTransaction> m_tx;
    qint64 m_rowsAtCommit = 0;
    int m_lineSeq = 0; // keeps the lines of one statement in the order they were made
    DemoData::Counts m_counts;
    int m_lastProgressMonth = -1;
};
