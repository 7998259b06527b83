#pragma once

#include "reportpagesetup.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

// Paper, orientation and margins of a template.
class ReportPageSetupDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ReportPageSetupDialog(const ReportPageSetup &page, QWidget *parent = nullptr);

    ReportPageSetup pageSetup() const;

private:
    void paperChosen();

    QComboBox *m_paper = nullptr;
    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
    QDoubleSpinBox *m_width = nullptr;
    QDoubleSpinBox *m_height = nullptr;
    QDoubleSpinBox *m_left = nullptr;
    QDoubleSpinBox *m_top = nullptr;
    QDoubleSpinBox *m_right = nullptr;
    QDoubleSpinBox *m_bottom = nullptr;
};
