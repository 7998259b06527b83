#pragma once

#include "reportband.h"
#include "reportobject.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

// The property panel of the designer: edits the selected object (text, font, alignment,
// frame, format, size) or the selected band (height, data source, fixed rows, group ...).
// Every change is reported at once with the changed property's key.
class ReportPropertyPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ReportPropertyPanel(QWidget *parent = nullptr);

    void showObject(const ReportObject &object);
    void showBand(const ReportBand &band, const QStringList &groupHeaders, const QStringList &sources);
    void showNothing();

    bool showsObject() const;
    QString shownName() const;
    // Inserts at the cursor of the text editor (for the field and variable lists).
    void insertText(const QString &text);
    void focusText();

signals:
    void objectEdited(const ReportObject &object, const QString &property);
    void bandEdited(const ReportBand &band, const QString &property);
    void loadPictureRequested();

private:
    QWidget *buildObjectPage();
    QWidget *buildBandPage();
    void setRowVisible(QFormLayout *form, QWidget *field, bool visible);
    void emitObject(const QString &property);
    void emitBand(const QString &property);
    static void setColorButton(QPushButton *button, const QColor &color);

    ReportObject m_object;
    ReportBand m_band;
    bool m_loading = false;

    QStackedWidget *m_stack = nullptr;
    QLabel *m_title = nullptr;

    // object page
    QFormLayout *m_objForm = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QCheckBox *m_expressions = nullptr;
    QDoubleSpinBox *m_x = nullptr;
    QDoubleSpinBox *m_y = nullptr;
    QDoubleSpinBox *m_w = nullptr;
    QDoubleSpinBox *m_h = nullptr;
    QFontComboBox *m_font = nullptr;
    QDoubleSpinBox *m_fontSize = nullptr;
    QWidget *m_styleRow = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QPushButton *m_color = nullptr;
    QWidget *m_fillRow = nullptr;
    QPushButton *m_fill = nullptr;
    QComboBox *m_align = nullptr;
    QComboBox *m_valign = nullptr;
    QWidget *m_frameRow = nullptr;
    QCheckBox *m_frameL = nullptr;
    QCheckBox *m_frameT = nullptr;
    QCheckBox *m_frameR = nullptr;
    QCheckBox *m_frameB = nullptr;
    QDoubleSpinBox *m_frameWidth = nullptr;
    QPushButton *m_frameColor = nullptr;
    QComboBox *m_lineStyle = nullptr;
    QComboBox *m_format = nullptr;
    QWidget *m_optionsRow = nullptr;
    QCheckBox *m_wrap = nullptr;
    QCheckBox *m_shrink = nullptr;
    QCheckBox *m_hideZeros = nullptr;
    QPushButton *m_loadPicture = nullptr;
    QCheckBox *m_keepAspect = nullptr;

    // band page
    QFormLayout *m_bandForm = nullptr;
    QDoubleSpinBox *m_bandHeight = nullptr;
    QComboBox *m_dataSource = nullptr;
    QComboBox *m_range = nullptr;
    QLineEdit *m_fillRows = nullptr;
    QLineEdit *m_link = nullptr;
    QLineEdit *m_condition = nullptr;
    QComboBox *m_group = nullptr;
    QCheckBox *m_newPage = nullptr;
    QCheckBox *m_firstPage = nullptr;
    QCheckBox *m_lastPage = nullptr;
};
