#pragma once

#include "widgets/gridlinemodel.h"

// The lines of a document as the window holds them. The goods' custom dates F_RQ1..F_RQ3 that
// lie before 1901-08-14 (the stand-in for "no date") read as empty; the stored value itself is
// kept, so an untouched line is written back unchanged.
class DocumentLineModel : public GridLineModel
{
    Q_OBJECT
public:
    explicit DocumentLineModel(QObject *parent = nullptr);

    using GridLineModel::value;
    QVariant value(int row, int column) const override;

    // Sum of a field over all lines (missing values count 0).
    double sum(const QString &field) const;
    // Whether a line holds no value at all (a line added and never typed into).
    bool isBlank(int row) const;
    // All values of a line by field name.
    QVariantMap rowValues(int row) const;

    // Whether a date counts as missing.
    static bool isMissingDate(const QVariant &v);

protected:
    void onFieldsChanged();

private:
    QVector<bool> m_blankOldDates;  // per field: a custom date column
};
