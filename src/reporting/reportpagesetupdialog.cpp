#include "reportpagesetupdialog.h"

#include "platform/dispformpos.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QDoubleSpinBox *mmBox(QWidget *parent, const char *name, double max)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, max);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}
} // namespace

ReportPageSetupDialog::ReportPageSetupDialog(const ReportPageSetup &page, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReportPageSetup"));
    setWindowTitle(QStringLiteral("页面设置"));
    auto *form = new QFormLayout;
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("cbbPaper"));
    m_paper->addItems(ReportPageSetup::paperNames());
    m_paper->addItem(QStringLiteral("自定义"), ReportPageSetup::customPaper());
    form->addRow(QStringLiteral("纸张"), m_paper);
    m_width = mmBox(this, "spnPaperWidth", 2000);
    m_height = mmBox(this, "spnPaperHeight", 2000);
    form->addRow(QStringLiteral("宽度"), m_width);
    form->addRow(QStringLiteral("高度"), m_height);
    m_portrait = new QRadioButton(QStringLiteral("纵向"), this);
    m_portrait->setObjectName(QStringLiteral("rbPortrait"));
    m_landscape = new QRadioButton(QStringLiteral("横向"), this);
    m_landscape->setObjectName(QStringLiteral("rbLandscape"));
    auto *orient = new QHBoxLayout;
    orient->addWidget(m_portrait);
    orient->addWidget(m_landscape);
    orient->addStretch(1);
    form->addRow(QStringLiteral("方向"), orient);
    m_left = mmBox(this, "spnMarginLeft", 200);
    m_top = mmBox(this, "spnMarginTop", 200);
    m_right = mmBox(this, "spnMarginRight", 200);
    m_bottom = mmBox(this, "spnMarginBottom", 200);
    form->addRow(QStringLiteral("左边距"), m_left);
    form->addRow(QStringLiteral("上边距"), m_top);
    form->addRow(QStringLiteral("右边距"), m_right);
    form->addRow(QStringLiteral("下边距"), m_bottom);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    const int paperIndex = page.paper == ReportPageSetup::customPaper() ? m_paper->count() - 1 : m_paper->findText(page.paper);
    m_paper->setCurrentIndex(paperIndex < 0 ? m_paper->count() - 1 : paperIndex);
    m_width->setValue(page.paperWidth);
    m_height->setValue(page.paperHeight);
    (page.orientation == ReportPageSetup::Orientation::Portrait ? m_portrait : m_landscape)->setChecked(true);
    m_left->setValue(page.marginLeft);
    m_top->setValue(page.marginTop);
    m_right->setValue(page.marginRight);
    m_bottom->setValue(page.marginBottom);
    paperChosen();
    connect(m_paper, &QComboBox::currentIndexChanged, this, &ReportPageSetupDialog::paperChosen);
    DispFormPos(this, 1);
}

void ReportPageSetupDialog::paperChosen()
{
    const bool custom = m_paper->currentIndex() == m_paper->count() - 1;
    m_width->setEnabled(custom);
    m_height->setEnabled(custom);
    QSizeF size;
    if (!custom && ReportPageSetup::paperSize(m_paper->currentText(), &size)) {
        m_width->setValue(size.width());
        m_height->setValue(size.height());
    }
}

ReportPageSetup ReportPageSetupDialog::pageSetup() const
{
    ReportPageSetup p;
    const bool custom = m_paper->currentIndex() == m_paper->count() - 1;
    if (custom) {
        p.paper = ReportPageSetup::customPaper();
        p.paperWidth = m_width->value();
        p.paperHeight = m_height->value();
    } else {
        p.setPaper(m_paper->currentText());
    }
    p.orientation = m_landscape->isChecked() ? ReportPageSetup::Orientation::Landscape : ReportPageSetup::Orientation::Portrait;
    p.marginLeft = m_left->value();
    p.marginTop = m_top->value();
    p.marginRight = m_right->value();
    p.marginBottom = m_bottom->value();
    return p;
}
