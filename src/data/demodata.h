#pragma once

#include <QDate>
#include <QString>

#include <functional>

class TdmData;

// Fills a database with a consistent company: code lists, a goods-type tree, suppliers, goods,
// employees and documents of all five kinds, with orders executed by receipts and returns and
// receipts settled by invoices and payments. The same generator makes the small demo company
// of dbinstall and the large data sets of the benchmarks.
namespace DemoData {

struct Profile {
    int suppliers = 30;
    int goods = 300;
    int typeLevels = 2;          // depth of the goods-type tree
    int employees = 8;
    QDate from;                  // first business date of documents
    QDate to;                    // last business date
    int orders = 60;
    int receipts = 120;
    int returns = 8;
    int invoices = 50;
    int payments = 50;
    int linesPerDocument = 6;    // average number of goods lines of an order, receipt or return
    quint32 seed = 20261210;
    // Loads a new, throwaway database as fast as the backend allows: no journal and no syncs
    // while filling (a failure may then leave it partly filled) and the secondary indexes built
    // once at the end. The schema and the connection's settings are the same afterwards.
    bool bulkLoad = false;
};

// About 30 suppliers, 300 goods and a few months of documents ending today.
Profile demoProfile();
// Scale 1: 1,000 suppliers, 20,000 goods in a four-level tree, three years of documents with
// about 1,000,000 receipt and return lines.
Profile scaleProfile(double scale);

struct Counts {
    qint64 suppliers = 0;
    qint64 goods = 0;
    qint64 documents = 0;
    qint64 lines = 0;
    qint64 totalRows = 0;
    QString summary() const;
};

QString companyName();

// Fills the (new, empty but seeded) database. Inserts run in large transactions with prepared
// statements. The progress callback receives short texts.
bool fill(TdmData &dm, const Profile &profile, Counts *counts, QString *error,
          const std::function<void(const QString &)> &progress = {});

} // namespace DemoData
