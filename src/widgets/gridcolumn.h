#pragma once

#include <QString>
#include <Qt>

// One column of a DataGrid: which field it shows and how.
struct GridColumn {
    enum class FooterType { None = 0, Text = 1, Sum = 2 };
    enum class SortMarker { None, Up, Down };
    // Horizontal alignment of cells and footer; Default follows the field (numbers right,
    // everything else left).
    enum class Align { Default, Left, Center, Right };

    QString fieldName;
    QString caption;
    int width = 80;
    bool visible = true;
    bool readOnly = false;
    Align alignment = Align::Default;
    Qt::Alignment titleAlignment = Qt::AlignCenter;
    QString displayFormat;          // number or date display format of the cells

    FooterType footerType = FooterType::None;
    QString footerValue;            // the footer's fixed text
    QString footerFormat;           // display format of a summing footer
    Align footerAlignment = Align::Default;

    SortMarker sortMarker = SortMarker::None;

    bool editButton = false;        // an ellipsis button in the cells
    bool editButtonAlways = false;  // shown on every row, not only on the current cell

    GridColumn() = default;
    GridColumn(const QString &field, const QString &title, int w = 80)
        : fieldName(field), caption(title), width(w) {}

    // Sets the format of the cells and of the footer together.
    void setFormat(const QString &format)
    {
        displayFormat = format;
        footerFormat = format;
    }
    // Cells and footer aligned alike.
    void setAlignment(Align a)
    {
        alignment = a;
        footerAlignment = a;
    }
    // A fixed-text footer.
    void setFooterText(const QString &text)
    {
        footerType = FooterType::Text;
        footerValue = text;
    }
    // A summing footer with the column's format.
    void setFooterSum()
    {
        footerType = FooterType::Sum;
        footerFormat = displayFormat;
    }
};
