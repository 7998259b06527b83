#include "reportpropertypanel.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QDoubleSpinBox *lengthBox(QWidget *parent, const char *name, double min = -1000)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(min, 2000);
    box->setDecimals(2);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    box->setKeyboardTracking(false);
    return box;
}

QCheckBox *check(QWidget *parent, const char *name, const QString &text)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QWidget *row(QWidget *parent, const QList<QWidget *> &widgets)
{
    auto *w = new QWidget(parent);
    auto *l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    for (QWidget *x : widgets) {
        x->setParent(w);
        l->addWidget(x);
    }
    l->addStretch(1);
    return w;
}
} // namespace

ReportPropertyPanel::ReportPropertyPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlProperties"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lblProperties"));
    QFont f = m_title->font();
    f.setBold(true);
    m_title->setFont(f);
    layout->addWidget(m_title);
    m_stack = new QStackedWidget(this);
    auto *empty = new QLabel(QStringLiteral("选择一个对象或带区以编辑其属性"), this);
    empty->setWordWrap(true);
    empty->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_stack->addWidget(empty);
    m_stack->addWidget(buildObjectPage());
    m_stack->addWidget(buildBandPage());
    layout->addWidget(m_stack, 1);
    showNothing();
}

QWidget *ReportPropertyPanel::buildObjectPage()
{
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *page = new QWidget(scroll);
    m_objForm = new QFormLayout(page);
    m_objForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    m_text = new QPlainTextEdit(page);
    m_text->setObjectName(QStringLiteral("edtText"));
    m_text->setMinimumHeight(70);
    m_text->setTabChangesFocus(true);
    m_objForm->addRow(QStringLiteral("文本"), m_text);
    m_expressions = check(page, "chkExpressions", QStringLiteral("计算 [ ] 中的表达式"));
    m_objForm->addRow(QString(), m_expressions);

    m_x = lengthBox(page, "spnX");
    m_y = lengthBox(page, "spnY");
    m_w = lengthBox(page, "spnWidth");
    m_h = lengthBox(page, "spnHeight");
    m_objForm->addRow(QStringLiteral("左"), m_x);
    m_objForm->addRow(QStringLiteral("上"), m_y);
    m_objForm->addRow(QStringLiteral("宽"), m_w);
    m_objForm->addRow(QStringLiteral("高"), m_h);

    m_font = new QFontComboBox(page);
    m_font->setObjectName(QStringLiteral("cbbFont"));
    m_objForm->addRow(QStringLiteral("字体"), m_font);
    m_fontSize = new QDoubleSpinBox(page);
    m_fontSize->setObjectName(QStringLiteral("spnFontSize"));
    m_fontSize->setRange(1, 200);
    m_fontSize->setDecimals(1);
    m_fontSize->setKeyboardTracking(false);
    m_objForm->addRow(QStringLiteral("字号"), m_fontSize);
    m_bold = check(page, "chkBold", QStringLiteral("粗体"));
    m_italic = check(page, "chkItalic", QStringLiteral("斜体"));
    m_underline = check(page, "chkUnderline", QStringLiteral("下划线"));
    m_styleRow = row(page, {m_bold, m_italic, m_underline});
    m_objForm->addRow(QStringLiteral("字形"), m_styleRow);
    m_color = new QPushButton(page);
    m_color->setObjectName(QStringLiteral("btnColor"));
    m_objForm->addRow(QStringLiteral("颜色"), m_color);
    m_fill = new QPushButton(page);
    m_fill->setObjectName(QStringLiteral("btnFill"));
    auto *noFill = new QToolButton(page);
    noFill->setObjectName(QStringLiteral("btnNoFill"));
    noFill->setText(QStringLiteral("无"));
    m_fillRow = row(page, {m_fill, noFill});
    m_objForm->addRow(QStringLiteral("底色"), m_fillRow);

    m_align = new QComboBox(page);
    m_align->setObjectName(QStringLiteral("cbbAlign"));
    m_align->addItems({QStringLiteral("左对齐"), QStringLiteral("居中"), QStringLiteral("右对齐")});
    m_objForm->addRow(QStringLiteral("水平对齐"), m_align);
    m_valign = new QComboBox(page);
    m_valign->setObjectName(QStringLiteral("cbbVAlign"));
    m_valign->addItems({QStringLiteral("顶端"), QStringLiteral("居中"), QStringLiteral("底端")});
    m_objForm->addRow(QStringLiteral("垂直对齐"), m_valign);

    m_frameL = check(page, "chkFrameLeft", QStringLiteral("左"));
    m_frameT = check(page, "chkFrameTop", QStringLiteral("上"));
    m_frameR = check(page, "chkFrameRight", QStringLiteral("右"));
    m_frameB = check(page, "chkFrameBottom", QStringLiteral("下"));
    m_frameRow = row(page, {m_frameL, m_frameT, m_frameR, m_frameB});
    m_objForm->addRow(QStringLiteral("边框"), m_frameRow);
    m_frameWidth = new QDoubleSpinBox(page);
    m_frameWidth->setObjectName(QStringLiteral("spnFrameWidth"));
    m_frameWidth->setRange(0, 20);
    m_frameWidth->setDecimals(2);
    m_frameWidth->setSingleStep(0.25);
    m_frameWidth->setSuffix(QStringLiteral(" pt"));
    m_frameWidth->setKeyboardTracking(false);
    m_objForm->addRow(QStringLiteral("线宽"), m_frameWidth);
    m_frameColor = new QPushButton(page);
    m_frameColor->setObjectName(QStringLiteral("btnFrameColor"));
    m_objForm->addRow(QStringLiteral("线条颜色"), m_frameColor);
    m_lineStyle = new QComboBox(page);
    m_lineStyle->setObjectName(QStringLiteral("cbbLineStyle"));
    m_lineStyle->addItems({QStringLiteral("实线"), QStringLiteral("虚线"), QStringLiteral("点线")});
    m_objForm->addRow(QStringLiteral("线型"), m_lineStyle);

    m_format = new QComboBox(page);
    m_format->setObjectName(QStringLiteral("cbbFormat"));
    m_format->setEditable(true);
    m_format->addItems({QString(), QStringLiteral("0"), QStringLiteral("0.00"), QStringLiteral("#,##0.00"), QStringLiteral("#,##0.####"),
                        QStringLiteral("yyyy-mm-dd"), QStringLiteral("yyyy年mm月dd日")});
    m_objForm->addRow(QStringLiteral("显示格式"), m_format);
    m_wrap = check(page, "chkWrap", QStringLiteral("自动换行"));
    m_shrink = check(page, "chkShrink", QStringLiteral("缩小字体以适应"));
    m_hideZeros = check(page, "chkHideZeros", QStringLiteral("零值不显示"));
    auto *options = new QWidget(page);
    auto *ol = new QVBoxLayout(options);
    ol->setContentsMargins(0, 0, 0, 0);
    for (QCheckBox *c : {m_wrap, m_shrink, m_hideZeros}) {
        c->setParent(options);
        ol->addWidget(c);
    }
    m_optionsRow = options;
    m_objForm->addRow(QStringLiteral("选项"), m_optionsRow);

    m_loadPicture = new QPushButton(QStringLiteral("载入图片..."), page);
    m_loadPicture->setObjectName(QStringLiteral("btnLoadPicture"));
    m_objForm->addRow(QStringLiteral("图片"), m_loadPicture);
    m_keepAspect = check(page, "chkKeepAspect", QStringLiteral("保持比例"));
    m_objForm->addRow(QString(), m_keepAspect);
    scroll->setWidget(page);

    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        m_object.text = m_text->toPlainText();
        emitObject(QStringLiteral("text"));
    });
    connect(m_expressions, &QCheckBox::toggled, this, [this](bool on) {
        m_object.expressions = on;
        emitObject(QStringLiteral("expressions"));
    });
    auto geometry = [this] {
        if (m_object.kind == ReportObject::Kind::Line)
            m_object.geometry = QRectF(m_x->value(), m_y->value(), m_w->value(), m_h->value());
        else
            m_object.geometry = QRectF(m_x->value(), m_y->value(), std::max(0.0, m_w->value()), std::max(0.0, m_h->value()));
        emitObject(QStringLiteral("geometry"));
    };
    for (QDoubleSpinBox *box : {m_x, m_y, m_w, m_h})
        connect(box, &QDoubleSpinBox::valueChanged, this, geometry);
    connect(m_font, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        m_object.fontFamily = font.family();
        emitObject(QStringLiteral("font"));
    });
    connect(m_fontSize, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        m_object.fontSize = v;
        emitObject(QStringLiteral("fontSize"));
    });
    connect(m_bold, &QCheckBox::toggled, this, [this](bool on) {
        m_object.bold = on;
        emitObject(QStringLiteral("bold"));
    });
    connect(m_italic, &QCheckBox::toggled, this, [this](bool on) {
        m_object.italic = on;
        emitObject(QStringLiteral("italic"));
    });
    connect(m_underline, &QCheckBox::toggled, this, [this](bool on) {
        m_object.underline = on;
        emitObject(QStringLiteral("underline"));
    });
    connect(m_color, &QPushButton::clicked, this, [this] {
        const QColor c = QColorDialog::getColor(m_object.color, this, QStringLiteral("颜色"));
        if (c.isValid()) {
            m_object.color = c;
            setColorButton(m_color, c);
            emitObject(QStringLiteral("color"));
        }
    });
    connect(m_fill, &QPushButton::clicked, this, [this] {
        const QColor c = QColorDialog::getColor(m_object.fill.isValid() ? m_object.fill : QColor(Qt::white), this, QStringLiteral("底色"));
        if (c.isValid()) {
            m_object.fill = c;
            setColorButton(m_fill, c);
            emitObject(QStringLiteral("fill"));
        }
    });
    connect(noFill, &QToolButton::clicked, this, [this] {
        m_object.fill = QColor();
        setColorButton(m_fill, QColor());
        emitObject(QStringLiteral("fill"));
    });
    connect(m_frameColor, &QPushButton::clicked, this, [this] {
        const QColor c = QColorDialog::getColor(m_object.frameColor, this, QStringLiteral("线条颜色"));
        if (c.isValid()) {
            m_object.frameColor = c;
            setColorButton(m_frameColor, c);
            emitObject(QStringLiteral("frameColor"));
        }
    });
    connect(m_align, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_object.hAlign = ReportObject::HAlign(std::max(0, i));
        emitObject(QStringLiteral("align"));
    });
    connect(m_valign, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_object.vAlign = ReportObject::VAlign(std::max(0, i));
        emitObject(QStringLiteral("valign"));
    });
    auto frame = [this] {
        int f = 0;
        if (m_frameL->isChecked())
            f |= ReportObject::FrameLeft;
        if (m_frameT->isChecked())
            f |= ReportObject::FrameTop;
        if (m_frameR->isChecked())
            f |= ReportObject::FrameRight;
        if (m_frameB->isChecked())
            f |= ReportObject::FrameBottom;
        m_object.frame = f;
        emitObject(QStringLiteral("frame"));
    };
    for (QCheckBox *c : {m_frameL, m_frameT, m_frameR, m_frameB})
        connect(c, &QCheckBox::toggled, this, frame);
    connect(m_frameWidth, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        m_object.frameWidth = v;
        emitObject(QStringLiteral("frameWidth"));
    });
    connect(m_lineStyle, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_object.lineStyle = ReportObject::LineStyle(std::max(0, i));
        emitObject(QStringLiteral("lineStyle"));
    });
    connect(m_format, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        m_object.format = text;
        emitObject(QStringLiteral("format"));
    });
    connect(m_wrap, &QCheckBox::toggled, this, [this](bool on) {
        m_object.wrap = on;
        emitObject(QStringLiteral("wrap"));
    });
    connect(m_shrink, &QCheckBox::toggled, this, [this](bool on) {
        m_object.shrink = on;
        emitObject(QStringLiteral("shrink"));
    });
    connect(m_hideZeros, &QCheckBox::toggled, this, [this](bool on) {
        m_object.hideZeros = on;
        emitObject(QStringLiteral("hideZeros"));
    });
    connect(m_keepAspect, &QCheckBox::toggled, this, [this](bool on) {
        m_object.keepAspect = on;
        emitObject(QStringLiteral("keepAspect"));
    });
    connect(m_loadPicture, &QPushButton::clicked, this, &ReportPropertyPanel::loadPictureRequested);
    return scroll;
}

QWidget *ReportPropertyPanel::buildBandPage()
{
    auto *page = new QWidget(this);
    m_bandForm = new QFormLayout(page);
    m_bandHeight = lengthBox(page, "spnBandHeight", 0);
    m_bandForm->addRow(QStringLiteral("高度"), m_bandHeight);
    m_dataSource = new QComboBox(page);
    m_dataSource->setObjectName(QStringLiteral("cbbDataSource"));
    m_dataSource->setEditable(true);
    m_bandForm->addRow(QStringLiteral("数据源"), m_dataSource);
    m_range = new QComboBox(page);
    m_range->setObjectName(QStringLiteral("cbbRange"));
    m_range->addItems({QStringLiteral("全部行"), QStringLiteral("当前行")});
    m_bandForm->addRow(QStringLiteral("打印范围"), m_range);
    m_fillRows = new QLineEdit(page);
    m_fillRows->setObjectName(QStringLiteral("edtFillRows"));
    m_fillRows->setPlaceholderText(QStringLiteral("如 PageMaxRow 或 10"));
    m_bandForm->addRow(QStringLiteral("固定行数"), m_fillRows);
    m_link = new QLineEdit(page);
    m_link->setObjectName(QStringLiteral("edtLink"));
    m_link->setPlaceholderText(QStringLiteral("明细字段=主字段"));
    m_bandForm->addRow(QStringLiteral("关联"), m_link);
    m_condition = new QLineEdit(page);
    m_condition->setObjectName(QStringLiteral("edtCondition"));
    m_bandForm->addRow(QStringLiteral("分组条件"), m_condition);
    m_group = new QComboBox(page);
    m_group->setObjectName(QStringLiteral("cbbGroup"));
    m_bandForm->addRow(QStringLiteral("所属分组"), m_group);
    m_newPage = check(page, "chkStartNewPage", QStringLiteral("从新页开始"));
    m_bandForm->addRow(QString(), m_newPage);
    m_firstPage = check(page, "chkFirstPage", QStringLiteral("首页打印"));
    m_bandForm->addRow(QString(), m_firstPage);
    m_lastPage = check(page, "chkLastPage", QStringLiteral("末页打印"));
    m_bandForm->addRow(QString(), m_lastPage);

    connect(m_bandHeight, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        m_band.height = v;
        emitBand(QStringLiteral("height"));
    });
    connect(m_dataSource, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        m_band.dataSource = text.trimmed();
        emitBand(QStringLiteral("dataSource"));
    });
    connect(m_range, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_band.range = i == 1 ? ReportBand::Range::Current : ReportBand::Range::All;
        emitBand(QStringLiteral("range"));
    });
    connect(m_fillRows, &QLineEdit::editingFinished, this, [this] {
        if (m_band.fillRows != m_fillRows->text().trimmed()) {
            m_band.fillRows = m_fillRows->text().trimmed();
            emitBand(QStringLiteral("fillRows"));
        }
    });
    connect(m_link, &QLineEdit::editingFinished, this, [this] {
        if (m_band.link != m_link->text().trimmed()) {
            m_band.link = m_link->text().trimmed();
            emitBand(QStringLiteral("link"));
        }
    });
    connect(m_condition, &QLineEdit::editingFinished, this, [this] {
        if (m_band.condition != m_condition->text().trimmed()) {
            m_band.condition = m_condition->text().trimmed();
            emitBand(QStringLiteral("condition"));
        }
    });
    connect(m_group, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        m_band.group = text;
        emitBand(QStringLiteral("group"));
    });
    connect(m_newPage, &QCheckBox::toggled, this, [this](bool on) {
        m_band.startNewPage = on;
        emitBand(QStringLiteral("startNewPage"));
    });
    connect(m_firstPage, &QCheckBox::toggled, this, [this](bool on) {
        m_band.printOnFirstPage = on;
        emitBand(QStringLiteral("printOnFirstPage"));
    });
    connect(m_lastPage, &QCheckBox::toggled, this, [this](bool on) {
        m_band.printOnLastPage = on;
        emitBand(QStringLiteral("printOnLastPage"));
    });
    return page;
}

void ReportPropertyPanel::setRowVisible(QFormLayout *form, QWidget *field, bool visible)
{
    form->setRowVisible(field, visible);
}

void ReportPropertyPanel::setColorButton(QPushButton *button, const QColor &color)
{
    if (!color.isValid()) {
        button->setText(QStringLiteral("无"));
        button->setStyleSheet(QString());
        return;
    }
    button->setText(color.name());
    button->setStyleSheet(QStringLiteral("background-color: %1; color: %2;")
                              .arg(color.name(), color.lightness() < 128 ? QStringLiteral("white") : QStringLiteral("black")));
}

void ReportPropertyPanel::showObject(const ReportObject &o)
{
    m_loading = true;
    m_object = o;
    m_title->setText(QStringLiteral("%1：%2").arg(ReportObject::kindCaption(o.kind), o.name));
    const bool text = o.kind == ReportObject::Kind::Text;
    const bool line = o.kind == ReportObject::Kind::Line;
    const bool rect = o.kind == ReportObject::Kind::Rect;
    const bool picture = o.kind == ReportObject::Kind::Picture;

    if (m_text->toPlainText() != o.text) {
        m_text->setPlainText(o.text);
        m_text->moveCursor(QTextCursor::End);  // fields and variables are appended unless placed
    }
    m_expressions->setChecked(o.expressions);
    m_x->setValue(o.geometry.x());
    m_y->setValue(o.geometry.y());
    m_w->setMinimum(line ? -1000 : 0);
    m_h->setMinimum(line ? -1000 : 0);
    m_w->setValue(o.geometry.width());
    m_h->setValue(o.geometry.height());
    m_font->setCurrentFont(QFont(o.fontFamily));
    m_fontSize->setValue(o.fontSize);
    m_bold->setChecked(o.bold);
    m_italic->setChecked(o.italic);
    m_underline->setChecked(o.underline);
    setColorButton(m_color, o.color);
    setColorButton(m_fill, o.fill);
    m_align->setCurrentIndex(int(o.hAlign));
    m_valign->setCurrentIndex(int(o.vAlign));
    m_frameL->setChecked(o.frame & ReportObject::FrameLeft);
    m_frameT->setChecked(o.frame & ReportObject::FrameTop);
    m_frameR->setChecked(o.frame & ReportObject::FrameRight);
    m_frameB->setChecked(o.frame & ReportObject::FrameBottom);
    m_frameWidth->setValue(o.frameWidth);
    setColorButton(m_frameColor, o.frameColor);
    m_lineStyle->setCurrentIndex(int(o.lineStyle));
    m_format->setCurrentText(o.format);
    m_wrap->setChecked(o.wrap);
    m_shrink->setChecked(o.shrink);
    m_hideZeros->setChecked(o.hideZeros);
    m_keepAspect->setChecked(o.keepAspect);

    for (QWidget *w : {static_cast<QWidget *>(m_text), static_cast<QWidget *>(m_expressions), static_cast<QWidget *>(m_font),
                       static_cast<QWidget *>(m_fontSize), m_styleRow, static_cast<QWidget *>(m_color),
                       static_cast<QWidget *>(m_align), static_cast<QWidget *>(m_valign), static_cast<QWidget *>(m_format),
                       m_optionsRow})
        setRowVisible(m_objForm, w, text);
    setRowVisible(m_objForm, m_fillRow, text || rect);
    setRowVisible(m_objForm, m_frameRow, text || picture);
    setRowVisible(m_objForm, m_lineStyle, line || rect);
    setRowVisible(m_objForm, m_loadPicture, picture);
    setRowVisible(m_objForm, m_keepAspect, picture);
    m_stack->setCurrentIndex(1);
    m_loading = false;
}

void ReportPropertyPanel::showBand(const ReportBand &b, const QStringList &groupHeaders, const QStringList &sources)
{
    m_loading = true;
    m_band = b;
    m_title->setText(QStringLiteral("%1：%2").arg(ReportBand::typeCaption(b.type), b.name));
    m_bandHeight->setValue(b.height);
    m_dataSource->clear();
    m_dataSource->addItems(sources);
    m_dataSource->setCurrentText(b.dataSource);
    m_range->setCurrentIndex(b.range == ReportBand::Range::Current ? 1 : 0);
    m_fillRows->setText(b.fillRows);
    m_link->setText(b.link);
    m_condition->setText(b.condition);
    m_group->clear();
    m_group->addItem(QString());
    m_group->addItems(groupHeaders);
    m_group->setCurrentText(b.group);
    m_newPage->setChecked(b.startNewPage);
    m_firstPage->setChecked(b.printOnFirstPage);
    m_lastPage->setChecked(b.printOnLastPage);

    const bool data = b.isDataBand();
    setRowVisible(m_bandForm, m_dataSource, data);
    setRowVisible(m_bandForm, m_range, data);
    setRowVisible(m_bandForm, m_fillRows, data);
    setRowVisible(m_bandForm, m_link, b.type == ReportBand::Type::DetailData);
    setRowVisible(m_bandForm, m_condition, b.type == ReportBand::Type::GroupHeader);
    setRowVisible(m_bandForm, m_group, b.type == ReportBand::Type::GroupFooter);
    setRowVisible(m_bandForm, m_newPage, b.type == ReportBand::Type::MasterData || b.type == ReportBand::Type::GroupHeader);
    setRowVisible(m_bandForm, m_firstPage, b.type == ReportBand::Type::PageHeader || b.type == ReportBand::Type::PageFooter);
    setRowVisible(m_bandForm, m_lastPage, b.type == ReportBand::Type::PageFooter);
    m_stack->setCurrentIndex(2);
    m_loading = false;
}

void ReportPropertyPanel::showNothing()
{
    m_title->setText(QStringLiteral("属性"));
    m_stack->setCurrentIndex(0);
}

bool ReportPropertyPanel::showsObject() const
{
    return m_stack->currentIndex() == 1;
}

QString ReportPropertyPanel::shownName() const
{
    switch (m_stack->currentIndex()) {
    case 1: return m_object.name;
    case 2: return m_band.name;
    default: return {};
    }
}

void ReportPropertyPanel::insertText(const QString &text)
{
    if (!showsObject() || m_object.kind != ReportObject::Kind::Text)
        return;
    m_text->insertPlainText(text);
    m_text->setFocus();
}

void ReportPropertyPanel::focusText()
{
    if (showsObject() && m_object.kind == ReportObject::Kind::Text) {
        m_text->setFocus();
        m_text->selectAll();
    }
}

void ReportPropertyPanel::emitObject(const QString &property)
{
    if (!m_loading && showsObject())
        emit objectEdited(m_object, property);
}

void ReportPropertyPanel::emitBand(const QString &property)
{
    if (!m_loading && m_stack->currentIndex() == 2)
        emit bandEdited(m_band, property);
}
