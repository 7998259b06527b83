#include "reportdesignerdialog.h"

#include "reportbanditem.h"
#include "reportbuiltins.h"
#include "reportdesignscene.h"
#include "reportengine.h"
#include "reportfunctionregistry.h"
#include "reportinserttree.h"
#include "reportobjectitem.h"
#include "reportpagesetupdialog.h"
#include "reportpreviewdialog.h"
#include "reportpropertypanel.h"
#include "reporttemplatecommand.h"
#include "reporttemplateio.h"

#include "platform/dispformpos.h"
#include "platform/showmess.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include <cmath>

namespace {
double defaultBandHeight(ReportBand::Type t)
{
    switch (t) {
    case ReportBand::Type::ReportTitle:
    case ReportBand::Type::PageHeader: return 15;
    case ReportBand::Type::MasterData:
    case ReportBand::Type::DetailData: return 6;
    case ReportBand::Type::ReportSummary:
    case ReportBand::Type::PageFooter: return 10;
    default: return 8;
    }
}

bool singleInstance(ReportBand::Type t)
{
    return t != ReportBand::Type::GroupHeader && t != ReportBand::Type::GroupFooter;
}
} // namespace

ReportDesignerDialog::ReportDesignerDialog(const ReportTemplate &tpl, const QString &path, QWidget *parent)
    : QDialog(parent), m_tpl(tpl), m_path(path)
{
    setObjectName(QStringLiteral("ReportDesigner"));
    m_tpl.sortBands();
    buildUi();
    apply(m_tpl, {}, {});
    updateTitle();
}

ReportDesignerDialog::~ReportDesignerDialog()
{
    // The scene and the undo stack call back into this dialog: let them go while it is whole.
    m_scene->disconnect(this);
    m_undo->disconnect(this);
    delete m_view;
    delete m_scene;
    delete m_undo;
}

void ReportDesignerDialog::buildUi()
{
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    m_undo = new QUndoStack(this);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbDesigner"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto action = [this, bar](const char *name, const QString &text, const QKeySequence &key = {}) {
        QAction *a = bar->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty())
            a->setShortcut(key);
        return a;
    };
    connect(action("actSave", QStringLiteral("保存"), QKeySequence::Save), &QAction::triggered, this, &ReportDesignerDialog::saveClicked);
    connect(action("actPreview", QStringLiteral("预览")), &QAction::triggered, this, &ReportDesignerDialog::previewClicked);
    connect(action("actPageSetup", QStringLiteral("页面设置")), &QAction::triggered, this, &ReportDesignerDialog::pageSetupClicked);
    bar->addSeparator();
    QAction *undo = m_undo->createUndoAction(this, QStringLiteral("撤销"));
    undo->setObjectName(QStringLiteral("actUndo"));
    undo->setShortcut(QKeySequence::Undo);
    bar->addAction(undo);
    QAction *redo = m_undo->createRedoAction(this, QStringLiteral("重做"));
    redo->setObjectName(QStringLiteral("actRedo"));
    redo->setShortcut(QKeySequence::Redo);
    bar->addAction(redo);
    bar->addSeparator();
    connect(action("actAddText", QStringLiteral("文本")), &QAction::triggered, this,
            [this] { addObject(ReportObject::Kind::Text, {}, {}, QStringLiteral("文本")); });
    connect(action("actAddLine", QStringLiteral("线条")), &QAction::triggered, this, [this] { addObject(ReportObject::Kind::Line); });
    connect(action("actAddRect", QStringLiteral("矩形")), &QAction::triggered, this, [this] { addObject(ReportObject::Kind::Rect); });
    connect(action("actAddPicture", QStringLiteral("图片")), &QAction::triggered, this, [this] {
        if (!addObject(ReportObject::Kind::Picture).isEmpty())
            onLoadPicture();
    });

    auto *bandMenu = new QMenu(this);
    for (ReportBand::Type t : ReportBand::allTypes()) {
        if (t == ReportBand::Type::GroupFooter)
            continue;
        QAction *a = bandMenu->addAction(ReportBand::typeCaption(t));
        a->setObjectName(QStringLiteral("actBand_") + ReportBand::typeKey(t));
        connect(a, &QAction::triggered, this, [this, t] { addBand(t); });
    }
    auto *bandButton = new QToolButton(bar);
    bandButton->setObjectName(QStringLiteral("btnAddBand"));
    bandButton->setText(QStringLiteral("添加带区"));
    bandButton->setMenu(bandMenu);
    bandButton->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(bandButton);
    connect(action("actDelete", QStringLiteral("删除")), &QAction::triggered, this, &ReportDesignerDialog::deleteSelection);
    bar->addSeparator();
    connect(action("actZoomOut", QStringLiteral("缩小")), &QAction::triggered, this, &ReportDesignerDialog::zoomOut);
    connect(action("actZoomIn", QStringLiteral("放大")), &QAction::triggered, this, &ReportDesignerDialog::zoomIn);
    bar->addSeparator();
    connect(action("actClose", QStringLiteral("关闭")), &QAction::triggered, this, &ReportDesignerDialog::reject);

    m_scene = new ReportDesignScene(this);
    m_view = new QGraphicsView(m_scene, this);
    m_view->setObjectName(QStringLiteral("viewDesign"));
    m_view->setDragMode(QGraphicsView::RubberBandDrag);
    m_view->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    m_view->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_view->setAcceptDrops(true);
    m_view->setFocusPolicy(Qt::StrongFocus);

    m_fields = new ReportInsertTree(this);
    m_fields->setObjectName(QStringLiteral("treeFields"));
    m_fields->setHeaderLabels({QStringLiteral("数据字段")});
    m_variables = new ReportInsertTree(this);
    m_variables->setObjectName(QStringLiteral("treeVariables"));
    m_variables->setColumnCount(2);
    m_variables->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("值")});
    m_variables->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabLists"));
    tabs->addTab(m_fields, QStringLiteral("数据字段"));
    tabs->addTab(m_variables, QStringLiteral("变量与函数"));

    m_panel = new ReportPropertyPanel(this);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(tabs);
    splitter->addWidget(m_view);
    splitter->addWidget(m_panel);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 700, 280});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(splitter, 1);

    connect(m_undo, &QUndoStack::cleanChanged, this, &ReportDesignerDialog::updateTitle);
    connect(m_scene, &QGraphicsScene::selectionChanged, this, [this] {
        if (!m_applying)
            refreshPanel();
    });
    connect(m_scene, &ReportDesignScene::objectsEdited, this, &ReportDesignerDialog::onObjectsEdited);
    connect(m_scene, &ReportDesignScene::nudgeRequested, this, &ReportDesignerDialog::onNudge);
    connect(m_scene, &ReportDesignScene::bandHeightEdited, this, &ReportDesignerDialog::onBandHeight);
    connect(m_scene, &ReportDesignScene::deleteRequested, this, &ReportDesignerDialog::deleteSelection);
    connect(m_scene, &ReportDesignScene::textDropped, this, &ReportDesignerDialog::onDrop);
    connect(m_scene, &ReportDesignScene::editTextRequested, this, [this](const QString &name) {
        selectObject(name);
        m_panel->focusText();
    });
    connect(m_panel, &ReportPropertyPanel::objectEdited, this, &ReportDesignerDialog::onPanelObject);
    connect(m_panel, &ReportPropertyPanel::bandEdited, this, &ReportDesignerDialog::onPanelBand);
    connect(m_panel, &ReportPropertyPanel::loadPictureRequested, this, &ReportDesignerDialog::onLoadPicture);
    connect(m_fields, &ReportInsertTree::insertRequested, this, &ReportDesignerDialog::insertText);
    connect(m_variables, &ReportInsertTree::insertRequested, this, &ReportDesignerDialog::insertText);
    connect(m_variables, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item, int column) {
        if (column == 1 && (item->flags() & Qt::ItemIsEditable) && !m_applying)
            setVariableValue(item->text(0), item->text(1));
    });

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(1280, avail.width() * 9 / 10), std::min(860, avail.height() * 9 / 10));
    } else {
        resize(1200, 800);
    }
    DispFormPos(this, 1);
    m_view->setFocus();
}

void ReportDesignerDialog::setDataSources(const Sources &sources)
{
    m_sources = sources;
    refreshFields();
}

void ReportDesignerDialog::setFunctions(const ReportFunctionRegistry *functions)
{
    m_functions = functions;
    refreshVariables();
}

bool ReportDesignerDialog::isModified() const
{
    return !m_undo->isClean();
}

QString ReportDesignerDialog::folder() const
{
    return QFileInfo(m_path).absolutePath();
}

void ReportDesignerDialog::updateTitle()
{
    const QString name = QFileInfo(m_path).completeBaseName();
    setWindowTitle(QStringLiteral("报表设计 - %1%2").arg(name, isModified() ? QStringLiteral(" *") : QString()));
}

void ReportDesignerDialog::apply(const ReportTemplate &tpl, const QStringList &selection, const QString &band)
{
    const bool variablesChanged = !(tpl.variables == m_tpl.variables);
    m_applying = true;
    m_tpl = tpl;
    m_scene->setTemplate(tpl, folder());
    QStringList present;
    for (const QString &name : selection)
        if (m_tpl.object(name))
            present << name;
    m_scene->selectNames(present, m_tpl.bandByName(band) ? band : QString());
    m_applying = false;
    if (!m_fromPanel)
        refreshPanel();
    // The list may be the one that changed a variable: rebuild it once control is back.
    if (variablesChanged)
        QMetaObject::invokeMethod(this, &ReportDesignerDialog::refreshVariables, Qt::QueuedConnection);
    else if (m_variables->topLevelItemCount() == 0)
        refreshVariables();
}

void ReportDesignerDialog::push(const QString &text, const ReportTemplate &after, const QString &mergeKey, const QStringList &selection,
                                const QString &band)
{
    if (after == m_tpl)
        return;
    const QStringList sel = selection.isEmpty() ? m_scene->selectedObjectNames() : selection;
    const QString b = band.isEmpty() && selection.isEmpty() ? m_scene->selectedBandName() : band;
    m_undo->push(new ReportTemplateCommand(text, m_tpl, after, sel, b, mergeKey,
                                           [this](const ReportTemplate &tpl, const QStringList &s, const QString &bd) { apply(tpl, s, bd); }));
}

void ReportDesignerDialog::refreshPanel()
{
    const QStringList objects = m_scene->selectedObjectNames();
    if (objects.size() == 1) {
        if (const ReportObject *o = m_tpl.object(objects.first())) {
            m_panel->showObject(*o);
            return;
        }
    }
    const QString band = m_scene->selectedBandName();
    if (objects.isEmpty() && !band.isEmpty()) {
        if (const ReportBand *b = m_tpl.bandByName(band)) {
            QStringList groups;
            for (const ReportBand &x : m_tpl.bands)
                if (x.type == ReportBand::Type::GroupHeader)
                    groups << x.name;
            QStringList sources;
            for (const auto &s : m_sources)
                sources << s.first;
            if (sources.isEmpty())
                sources << QStringLiteral("frxDM") << QStringLiteral("frxDD");
            m_panel->showBand(*b, groups, sources);
            return;
        }
    }
    m_panel->showNothing();
}

void ReportDesignerDialog::refreshFields()
{
    m_fields->clear();
    for (const auto &s : m_sources) {
        QTreeWidgetItem *group = m_fields->addGroup(s.first);
        if (!s.second)
            continue;
        for (const QString &field : s.second->fieldNames())
            m_fields->addEntry(group, field, QStringLiteral("[%1.\"%2\"]").arg(s.first, field));
        group->setExpanded(true);
    }
}

void ReportDesignerDialog::refreshVariables()
{
    const bool wasApplying = m_applying;
    m_applying = true;
    m_variables->clear();
    QStringList categories;
    for (const ReportVariable &v : m_tpl.variables)
        if (!categories.contains(v.category))
            categories << v.category;
    for (const QString &cat : categories) {
        QTreeWidgetItem *group = m_variables->addGroup(cat.trimmed().isEmpty() ? QStringLiteral("变量") : cat.trimmed());
        for (const ReportVariable &v : m_tpl.variables) {
            if (v.category != cat)
                continue;
            QTreeWidgetItem *item = m_variables->addEntry(group, v.name, QStringLiteral("[%1]").arg(v.name),
                                                          QStringLiteral("双击名称插入，双击值修改模板中的值"), v.value.toString());
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
        group->setExpanded(true);
    }
    QTreeWidgetItem *system = m_variables->addGroup(QStringLiteral("系统变量"));
    const QList<QPair<QString, QString>> systemVars = {{QStringLiteral("Page#"), QStringLiteral("页码")},
                                                       {QStringLiteral("TotalPages#"), QStringLiteral("总页数")},
                                                       {QStringLiteral("Line#"), QStringLiteral("数据带区中的行号")},
                                                       {QStringLiteral("Date"), QStringLiteral("打印日期")},
                                                       {QStringLiteral("Time"), QStringLiteral("打印时间")}};
    for (const auto &v : systemVars)
        m_variables->addEntry(system, v.first, QStringLiteral("[%1]").arg(v.first), v.second);
    QTreeWidgetItem *aggregates = m_variables->addGroup(QStringLiteral("合计函数"));
    for (const char *fn : {"SUM", "COUNT", "AVG", "MIN", "MAX"})
        m_variables->addEntry(aggregates, QStringLiteral("%1(<字段>)").arg(QLatin1String(fn)), QStringLiteral("[%1()]").arg(QLatin1String(fn)),
                              QStringLiteral("对所在带区范围内的数据行求值"));
    if (m_functions && !m_functions->entries().isEmpty()) {
        QTreeWidgetItem *user = m_variables->addGroup(QStringLiteral("自定义函数"));
        for (const ReportFunctionRegistry::Entry &e : m_functions->entries())
            m_variables->addEntry(user, e.name, QStringLiteral("[%1()]").arg(e.name),
                                  QStringLiteral("%1\n%2（%3）").arg(e.declaration, e.description, e.category));
    }
    QTreeWidgetItem *builtins = m_variables->addGroup(QStringLiteral("内置函数"));
    for (const QString &sig : ReportBuiltins::signatures())
        m_variables->addEntry(builtins, sig, QStringLiteral("[%1()]").arg(sig.left(sig.indexOf(QLatin1Char('(')))));
    m_variables->resizeColumnToContents(0);
    m_applying = wasApplying;
}

QString ReportDesignerDialog::targetBand(const QString &requested) const
{
    if (!requested.isEmpty() && m_tpl.bandByName(requested))
        return m_tpl.bandByName(requested)->name;
    const QStringList selected = m_scene->selectedObjectNames();
    if (!selected.isEmpty()) {
        const ReportBand *owner = nullptr;
        if (m_tpl.object(selected.first(), &owner) && owner)
            return owner->name;
    }
    if (!m_scene->selectedBandName().isEmpty())
        return m_scene->selectedBandName();
    if (m_tpl.bandByName(m_scene->currentBandName()))
        return m_scene->currentBandName();
    return m_tpl.bands.empty() ? QString() : m_tpl.bands.front().name;
}

void ReportDesignerDialog::selectObject(const QString &name)
{
    m_scene->selectNames({name});
    if (ReportObjectItem *item = m_scene->objectItem(name))
        m_view->ensureVisible(item);
}

void ReportDesignerDialog::selectBand(const QString &name)
{
    m_scene->selectNames({}, name);
    m_scene->setCurrentBand(name);
}

QString ReportDesignerDialog::addObject(ReportObject::Kind kind, const QString &band, const QRectF &rectMm, const QString &text)
{
    const QString bandName = targetBand(band);
    if (bandName.isEmpty()) {
        ShowMess(QStringLiteral("请先添加带区"), MessWarning, this);
        return {};
    }
    ReportTemplate after = m_tpl;
    ReportBand *b = after.bandByName(bandName);
    ReportObject o;
    o.kind = kind;
    switch (kind) {
    case ReportObject::Kind::Text:
        o.name = after.uniqueObjectName(QStringLiteral("Memo"));
        o.geometry = QRectF(0, 0, 30, std::min(5.0, std::max(3.0, b->height)));
        o.text = text;
        break;
    case ReportObject::Kind::Line:
        o.name = after.uniqueObjectName(QStringLiteral("Line"));
        o.geometry = QRectF(0, 0, 40, 0);
        break;
    case ReportObject::Kind::Rect:
        o.name = after.uniqueObjectName(QStringLiteral("Shape"));
        o.geometry = QRectF(0, 0, 30, 10);
        break;
    case ReportObject::Kind::Picture:
        o.name = after.uniqueObjectName(QStringLiteral("Picture"));
        o.geometry = QRectF(0, 0, 20, 20);
        break;
    }
    if (!rectMm.isNull())
        o.geometry = rectMm;
    b->objects.push_back(o);
    push(QStringLiteral("添加%1").arg(ReportObject::kindCaption(kind)), after, {}, {o.name});
    m_scene->setCurrentBand(bandName);
    return o.name;
}

QString ReportDesignerDialog::addBand(ReportBand::Type type)
{
    if (singleInstance(type)) {
        if (const ReportBand *existing = m_tpl.band(type)) {
            selectBand(existing->name);
            return existing->name;
        }
    }
    ReportTemplate after = m_tpl;
    ReportBand band;
    band.type = type;
    band.name = after.uniqueBandName(ReportBand::namePrefix(type));
    band.height = defaultBandHeight(type);
    if (type == ReportBand::Type::MasterData)
        band.dataSource = QStringLiteral("frxDM");
    if (type == ReportBand::Type::DetailData)
        band.dataSource = QStringLiteral("frxDD");
    if (type == ReportBand::Type::GroupHeader) {
        QString field;
        for (const auto &s : m_sources)
            if (s.first.compare(QLatin1String("frxDM"), Qt::CaseInsensitive) == 0 && s.second && s.second->fieldCount() > 0)
                field = s.second->fieldName(0);
        band.condition = field.isEmpty() ? QStringLiteral("''") : QStringLiteral("frxDM.\"%1\"").arg(field);
    }
    after.bands.push_back(band);
    if (type == ReportBand::Type::GroupHeader) {
        ReportBand footer;
        footer.type = ReportBand::Type::GroupFooter;
        footer.name = after.uniqueBandName(ReportBand::namePrefix(ReportBand::Type::GroupFooter));
        footer.height = defaultBandHeight(ReportBand::Type::GroupFooter);
        footer.group = band.name;
        // A new group is the innermost: its header goes last among the headers, its footer first.
        auto firstFooter = std::find_if(after.bands.begin(), after.bands.end(),
                                        [](const ReportBand &b) { return b.type == ReportBand::Type::GroupFooter; });
        after.bands.insert(firstFooter, footer);
    }
    after.sortBands();
    push(QStringLiteral("添加带区"), after, {}, {}, band.name);
    selectBand(band.name);
    return band.name;
}

void ReportDesignerDialog::deleteSelection()
{
    const QStringList objects = m_scene->selectedObjectNames();
    ReportTemplate after = m_tpl;
    if (!objects.isEmpty()) {
        for (ReportBand &b : after.bands) {
            b.objects.erase(std::remove_if(b.objects.begin(), b.objects.end(),
                                           [&](const ReportObject &o) { return objects.contains(o.name); }),
                            b.objects.end());
        }
        push(QStringLiteral("删除对象"), after, {}, {QString()}, {});
        return;
    }
    const QString band = m_scene->selectedBandName();
    if (band.isEmpty())
        return;
    const int idx = after.bandIndex(band);
    if (idx < 0)
        return;
    after.bands.erase(after.bands.begin() + idx);
    push(QStringLiteral("删除带区"), after, {}, {QString()}, {});
}

void ReportDesignerDialog::setPageSetup(const ReportPageSetup &page)
{
    ReportTemplate after = m_tpl;
    after.page = page;
    push(QStringLiteral("页面设置"), after);
}

void ReportDesignerDialog::setVariableValue(const QString &name, const QVariant &value)
{
    ReportTemplate after = m_tpl;
    for (ReportVariable &v : after.variables) {
        if (v.name != name)
            continue;
        const int type = v.value.typeId();
        if (type == QMetaType::LongLong || type == QMetaType::Int || type == QMetaType::Double) {
            bool ok = false;
            const double d = value.toString().trimmed().toDouble(&ok);
            if (!ok) {
                ShowMess(QStringLiteral("变量 %1 的值应为数字").arg(name), MessWarning, this);
                QMetaObject::invokeMethod(this, &ReportDesignerDialog::refreshVariables, Qt::QueuedConnection);
                return;
            }
            v.value = d == std::floor(d) ? QVariant(qlonglong(d)) : QVariant(d);
        } else {
            v.value = value.toString();
        }
    }
    push(QStringLiteral("修改变量"), after);
}

void ReportDesignerDialog::insertText(const QString &text)
{
    const QStringList selected = m_scene->selectedObjectNames();
    if (selected.size() == 1 && m_panel->showsObject()) {
        const ReportObject *o = m_tpl.object(selected.first());
        if (o && o->kind == ReportObject::Kind::Text) {
            m_panel->insertText(text);
            return;
        }
    }
    addObject(ReportObject::Kind::Text, {}, {}, text);
}

void ReportDesignerDialog::onDrop(const QString &text, const QString &band, const QPointF &posMm)
{
    addObject(ReportObject::Kind::Text, band, QRectF(posMm, QSizeF(30, 5)), text);
}

void ReportDesignerDialog::onObjectsEdited(const QList<ReportObjectEdit> &edits)
{
    ReportTemplate after = m_tpl;
    for (const ReportObjectEdit &e : edits) {
        ReportBand *owner = nullptr;
        ReportObject *o = after.object(e.name, &owner);
        ReportBand *target = after.bandByName(e.band);
        if (!o || !owner || !target)
            continue;
        ReportObject moved = *o;
        moved.geometry = e.rect;
        if (target == owner) {
            *o = moved;
        } else {
            owner->objects.erase(owner->objects.begin() + (o - owner->objects.data()));
            target->objects.push_back(moved);
        }
    }
    push(QStringLiteral("移动对象"), after);
}

void ReportDesignerDialog::onNudge(double dx, double dy, bool resize)
{
    const QStringList selected = m_scene->selectedObjectNames();
    ReportTemplate after = m_tpl;
    for (const QString &name : selected) {
        ReportObject *o = after.object(name);
        if (!o)
            continue;
        QRectF g = o->geometry;
        auto round = [](double v) { return std::round(v * 1000.0) / 1000.0; };
        if (resize) {
            const bool line = o->kind == ReportObject::Kind::Line;
            g.setWidth(round(line ? g.width() + dx : std::max(1.0, g.width() + dx)));
            g.setHeight(round(line ? g.height() + dy : std::max(1.0, g.height() + dy)));
        } else {
            g.moveTo(round(g.x() + dx), round(g.y() + dy));
        }
        o->geometry = g;
    }
    push(resize ? QStringLiteral("改变大小") : QStringLiteral("移动对象"), after,
         QStringLiteral("nudge:%1:%2").arg(resize ? 1 : 0).arg(selected.join(QLatin1Char(','))));
}

void ReportDesignerDialog::onBandHeight(const QString &band, double height)
{
    ReportTemplate after = m_tpl;
    if (ReportBand *b = after.bandByName(band))
        b->height = height;
    push(QStringLiteral("修改带区高度"), after, {}, {}, band);
}

void ReportDesignerDialog::onPanelObject(const ReportObject &object, const QString &property)
{
    ReportTemplate after = m_tpl;
    ReportObject *o = after.object(object.name);
    if (!o)
        return;
    *o = object;
    m_fromPanel = true;
    push(QStringLiteral("修改属性"), after, QStringLiteral("obj:%1:%2").arg(object.name, property), {object.name});
    m_fromPanel = false;
}

void ReportDesignerDialog::onPanelBand(const ReportBand &band, const QString &property)
{
    ReportTemplate after = m_tpl;
    ReportBand *b = after.bandByName(band.name);
    if (!b)
        return;
    const std::vector<ReportObject> objects = b->objects;
    *b = band;
    b->objects = objects;
    m_fromPanel = true;
    push(QStringLiteral("修改带区"), after, QStringLiteral("band:%1:%2").arg(band.name, property), {}, band.name);
    m_fromPanel = false;
}

void ReportDesignerDialog::onLoadPicture()
{
    const QStringList selected = m_scene->selectedObjectNames();
    if (selected.size() != 1)
        return;
    const ReportObject *o = m_tpl.object(selected.first());
    if (!o || o->kind != ReportObject::Kind::Picture)
        return;
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("载入图片"), folder(),
                                                      QStringLiteral("图片 (*.png *.jpg *.jpeg *.bmp *.gif)"));
    if (file.isEmpty())
        return;
    QFile f(file);
    QImage image;
    if (!f.open(QIODevice::ReadOnly) || !image.loadFromData(f.readAll())) {
        ShowMess(QStringLiteral("无法读取图片 %1").arg(file), MessError, this);
        return;
    }
    f.seek(0);
    ReportTemplate after = m_tpl;
    ReportObject *target = after.object(o->name);
    target->imageData = f.readAll();
    target->imageFile.clear();
    push(QStringLiteral("载入图片"), after);
}

bool ReportDesignerDialog::save()
{
    QString error;
    if (!ReportTemplateIo::save(m_path, m_tpl, &error)) {
        ShowMess(QStringLiteral("报表模板保存失败：%1\n%2").arg(QDir::toNativeSeparators(m_path), error), MessError, this);
        return false;
    }
    m_undo->setClean();
    updateTitle();
    return true;
}

void ReportDesignerDialog::saveClicked()
{
    save();
}

PreparedReport ReportDesignerDialog::preview() const
{
    ReportEngine engine(m_tpl);
    for (const auto &s : m_sources)
        engine.setDataSource(s.first, s.second);
    engine.setValueHandler(m_handler);
    engine.setFunctions(m_functions);
    engine.setTemplateFolder(folder());
    return engine.prepare();
}

void ReportDesignerDialog::previewClicked()
{
    ReportPreviewDialog dialog(preview(), QFileInfo(m_path).completeBaseName(), this);
    dialog.exec();
}

void ReportDesignerDialog::pageSetupClicked()
{
    ReportPageSetupDialog dialog(m_tpl.page, this);
    if (dialog.exec() == QDialog::Accepted)
        setPageSetup(dialog.pageSetup());
}

void ReportDesignerDialog::zoomIn()
{
    m_zoom = std::min(4.0, m_zoom * 1.25);
    m_view->setTransform(QTransform::fromScale(m_zoom, m_zoom));
}

void ReportDesignerDialog::zoomOut()
{
    m_zoom = std::max(0.25, m_zoom / 1.25);
    m_view->setTransform(QTransform::fromScale(m_zoom, m_zoom));
}

void ReportDesignerDialog::reject()
{
    if (isModified()) {
        if (ShowMess(QStringLiteral("报表模板已修改，是否保存？"), MessQuestion, this) == 1 && !save())
            return;
    }
    QDialog::reject();
}
