#pragma once

#include <QString>

// The five purchase documents and what distinguishes them.
enum class DocKind { Order, Receipt, Return, Invoice, Payment };

struct DocumentKindInfo {
    DocKind kind;
    const char *windowCaption;      // "采购进货管理"
    const char *title;              // "采购入库单"
    const char *prefix;             // "CGD"
    const char *masterTable;
    const char *lineTable;
    int flag;                       // master F_Flag of the kind
    const char *layoutName;         // saved grid layout; empty for settlement documents
    const char *deleteQuestion;     // followed by the code and "吗？"
    const char *auditedDeleteText;  // refusal when deleting an audited document
    bool goodsLines;                // order, receipt, return
    bool filteredByDepot;
    bool flagWithNull;              // list and numbering read F_Flag through coalesce(…,0)
    bool keepsAuditDate;            // audit writes F_AudDate
    bool unauditMarksRemark;        // un-audit appends "反审" to F_Mem
    bool linesById;                 // lines listed in F_ID order
};

const DocumentKindInfo &documentKind(DocKind kind);

// The code of a document created today: prefix + yyyymmdd + three digits.
QString documentCodePattern(const DocumentKindInfo &k, const QString &yyyymmdd);
