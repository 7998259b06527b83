#include "tfrmtreecodeman.h"

#include "keypreview.h"
#include "tdlgentercaption.h"
#include "typetree.h"
#include "typetreestore.h"

#include "data/dberror.h"
#include "data/tdmdata.h"
#include "platform/dispformpos.h"
#include "platform/showmess.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kConnectFailed = QStringLiteral("数据连接失败，请与作者联系... ");
const QString kLevelFull = QStringLiteral("这一级的类型已有999个，不能再增加！");
const QString kRootCaption = QStringLiteral("商品类型");

QPushButton *actionButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFrmTreeCodeMan::TFrmTreeCodeMan(QWidget *parent) : QDialog(parent), m_kind(TypeTree::GoodsKind())
{
    setObjectName(QStringLiteral("FrmTreeCodeMan"));
    setWindowTitle(QStringLiteral("商品类型资料"));
    buildUi();
    m_keys = new KeyPreview(this, [this](QWidget *target, QKeyEvent *e) { return keyPressed(target, e); });
    resize(560, 480);
}

TFrmTreeCodeMan::~TFrmTreeCodeMan() = default;

void TFrmTreeCodeMan::buildUi()
{
    auto *hint = new QLabel(QStringLiteral("    增加节点，需先选中左边框里的节点成灰色，然后才能选择增加同级节点或子节点"), this);
    hint->setObjectName(QStringLiteral("Label1"));
    QFont f = hint->font();
    f.setBold(true);
    hint->setFont(f);
    hint->setStyleSheet(QStringLiteral("color: red;"));
    hint->setWordWrap(true);

    tvTree = new QTreeWidget(this);
    tvTree->setObjectName(QStringLiteral("tvTree"));
    tvTree->setHeaderHidden(true);
    tvTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvTree->setSelectionMode(QAbstractItemView::SingleSelection);
    tvTree->setContextMenuPolicy(Qt::CustomContextMenu);
    // The selection stays visible when the tree loses the focus.
    QPalette pal = tvTree->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    tvTree->setPalette(pal);

    btnAdd = actionButton(this, "btnAdd", QStringLiteral("添加同类(&A)"));
    btnAddChild = actionButton(this, "btnAddChild", QStringLiteral("添加子类(&C)"));
    Button1 = actionButton(this, "Button1", QStringLiteral("修    改(&E)"));
    btnDelete = actionButton(this, "btnDelete", QStringLiteral("删除(包含子类)"));

    acAdd = new QAction(QStringLiteral("添加同类(&A)"), this);
    acAdd->setObjectName(QStringLiteral("acAdd"));
    acAddChild = new QAction(QStringLiteral("添加子类(&C)"), this);
    acAddChild->setObjectName(QStringLiteral("acAddChild"));
    acEdit = new QAction(QStringLiteral("修    改(&E)"), this);
    acEdit->setObjectName(QStringLiteral("acEdit"));
    acDelete = new QAction(QStringLiteral("删除(包含子类)"), this);
    acDelete->setObjectName(QStringLiteral("acDelete"));
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    m_popup->addAction(acAdd);
    m_popup->addAction(acAddChild);
    m_popup->addAction(acEdit);
    m_popup->addSeparator();
    m_popup->addAction(acDelete);

    connect(acAdd, &QAction::triggered, this, &TFrmTreeCodeMan::acAddExecute);
    connect(acAddChild, &QAction::triggered, this, &TFrmTreeCodeMan::acAddChildExecute);
    connect(acEdit, &QAction::triggered, this, &TFrmTreeCodeMan::acEditExecute);
    connect(acDelete, &QAction::triggered, this, &TFrmTreeCodeMan::acDeleteExecute);
    connect(btnAdd, &QPushButton::clicked, acAdd, &QAction::trigger);
    connect(btnAddChild, &QPushButton::clicked, acAddChild, &QAction::trigger);
    connect(Button1, &QPushButton::clicked, acEdit, &QAction::trigger);
    connect(btnDelete, &QPushButton::clicked, acDelete, &QAction::trigger);
    connect(tvTree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popup->popup(tvTree->viewport()->mapToGlobal(pos)); });
    connect(tvTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *node) { nodeDoubleClicked(node); });

    Panel4 = new QWidget(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    BitBtn1 = actionButton(Panel4, "BitBtn1", QStringLiteral("确定"));
    BitBtn2 = actionButton(Panel4, "BitBtn2", QStringLiteral("取消"));
    auto *okLayout = new QVBoxLayout(Panel4);
    okLayout->setContentsMargins(0, 0, 0, 0);
    okLayout->addWidget(BitBtn1);
    okLayout->addWidget(BitBtn2);
    Panel4->setVisible(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmTreeCodeMan::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto *side = new QVBoxLayout;
    side->addWidget(btnAdd);
    side->addWidget(btnAddChild);
    side->addWidget(Button1);
    side->addWidget(btnDelete);
    side->addStretch(1);
    side->addWidget(Panel4);
    auto *body = new QHBoxLayout;
    body->addWidget(tvTree, 1);
    body->addLayout(side);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(hint);
    lay->addLayout(body, 1);
}

void TFrmTreeCodeMan::SetUp(int mode)
{
    m_mode = mode;
    setWindowTitle(QStringLiteral("商品类型资料"));
    m_kind = TypeTree::GoodsKind();
    TypeTree::LoadTypeTree(tvTree, kRootCaption, m_kind);
    if (QTreeWidgetItem *root = tvTree->topLevelItem(0)) {
        root->setExpanded(true);
        tvTree->setCurrentItem(root);
    }
}

bool TFrmTreeCodeMan::selectPath(const QString &path)
{
    const QList<QTreeWidgetItem *> nodes = TypeTree::findByPath(tvTree, path);
    for (QTreeWidgetItem *node : nodes) {
        for (QTreeWidgetItem *p = node->parent(); p; p = p->parent())
            p->setExpanded(true);
        node->setExpanded(true);
        tvTree->setCurrentItem(node);
        tvTree->scrollToItem(node);
    }
    return !nodes.isEmpty();
}

QString TFrmTreeCodeMan::PickType(const QString &currentPath)
{
    Panel4->setVisible(true);
    selectPath(currentPath);
    DispFormPos(this, 1);
    if (exec() != QDialog::Accepted)
        return currentPath;
    QTreeWidgetItem *node = tvTree->currentItem();
    if (!node || TypeTree::isRoot(node))
        return currentPath;
    return TypeNodeRecord::of(node).path;
}

void TFrmTreeCodeMan::BitBtn1Click()
{
    QTreeWidgetItem *node = tvTree->currentItem();
    if (!node)
        return;
    if (TypeTree::isRoot(node)) {
        ShowMess(QStringLiteral("不能选择根节点！"), MessNotice, this);
        return;
    }
    accept();
}

void TFrmTreeCodeMan::nodeDoubleClicked(QTreeWidgetItem *node)
{
    if (!node || TypeTree::isRoot(node))
        return;
    if (isPicking())
        accept();
    else if (node->childCount() == 0)
        acEditExecute();
}

void TFrmTreeCodeMan::acAddExecute()
{
    addType(false);
}

void TFrmTreeCodeMan::acAddChildExecute()
{
    addType(true);
}

void TFrmTreeCodeMan::addType(bool child)
{
    QTreeWidgetItem *node = tvTree->currentItem();
    TdmData *dm = TdmData::instance();
    if (!node || !dm)
        return;
    const bool root = TypeTree::isRoot(node);
    if (!child && root) {
        ShowMess(QStringLiteral("不能增加根节点的同类节点，该节点只能增加子节点！"), MessNotice, this);
        return;
    }
    const TypeNodeRecord selected = TypeNodeRecord::of(node);
    QTreeWidgetItem *parentNode = child ? node : node->parent();
    const QString parentCode = TypeTree::isRoot(parentNode) ? QString() : TypeNodeRecord::of(parentNode).code;

    // A full level is refused before the name is asked for.
    try {
        if (!TypeTree::NextTypeCode(*dm, parentCode, m_kind, 2)) {
            ShowMess(kLevelFull, MessWarning, this);
            return;
        }
    } catch (const DbError &e) {
        qWarning("next type code: %s", qPrintable(e.message()));
        ShowMess(kConnectFailed, MessError, this);
        return;
    }

    const QString caption = QStringLiteral("添加 ") + selected.code + QLatin1Char(' ') + selected.name
        + (child ? QStringLiteral(" 子类") : QStringLiteral(" 同类"));
    const QString name = TDLGenterCaption::Execute(this, caption);
    if (name.trimmed().isEmpty())
        return;

    QString path;
    if (child)
        path = root ? TypeTree::RootPath() + name : selected.path + QLatin1Char('\\') + name;
    else
        path = TypeTree::level(node) == 1 ? TypeTree::RootPath() + name
                                          : TypeTree::TypePath(node, 2) + QLatin1Char('\\') + name;
    path = TypeTree::reduceBackslashes(path);

    QString code;
    try {
        code = TypeTreeStore(*dm, m_kind).addType(parentCode, name, path);
    } catch (const DbError &e) {
        qWarning("add type: %s", qPrintable(e.message()));
        ShowMess(kConnectFailed, MessError, this);
        return;
    }
    if (code.isEmpty()) {
        ShowMess(kLevelFull, MessWarning, this);
        return;
    }
    auto *added = new QTreeWidgetItem(parentNode);
    TypeNodeRecord{int(code.size()), code, name, path}.storeOn(added);
    TypeTree::updateImages(added);
    TypeTree::updateImages(parentNode);
    if (child)
        parentNode->setExpanded(true);
}

void TFrmTreeCodeMan::acEditExecute()
{
    QTreeWidgetItem *node = tvTree->currentItem();
    TdmData *dm = TdmData::instance();
    if (!node || !dm || TypeTree::isRoot(node))
        return;
    const TypeNodeRecord current = TypeNodeRecord::of(node);
    const QString oldPath = TypeTree::TypePath(node, 1);
    const QString caption = QStringLiteral("修改类别 ") + current.code + QLatin1Char(' ') + current.name + QStringLiteral(" 子类");
    const QString name = TDLGenterCaption::Execute(this, caption, current.name);
    if (name.trimmed().isEmpty())
        return;
    const QString parentPath = TypeNodeRecord::of(node->parent()).path;
    const QString newPath = TypeTree::reduceBackslashes(
        parentPath.trimmed() == TypeTree::RootPath() ? parentPath + name : parentPath + QLatin1Char('\\') + name);
    if (oldPath.trimmed().compare(newPath.trimmed(), Qt::CaseInsensitive) == 0)
        return;

    TypeTreeStore::RenameFailure failure = TypeTreeStore::RenameFailure::None;
    if (!TypeTreeStore(*dm, m_kind).renameType(current.code, oldPath, newPath, name, &failure)) {
        ShowMess(failure == TypeTreeStore::RenameFailure::Name ? kConnectFailed : TdmData::MsgOperationFailed, MessError, this);
        return;
    }
    TypeNodeRecord{current.codeLength, current.code, name, newPath}.storeOn(node);
    // The nodes below keep paths that later additions build on.
    QList<QTreeWidgetItem *> pending;
    for (int i = 0; i < node->childCount(); ++i)
        pending << node->child(i);
    while (!pending.isEmpty()) {
        QTreeWidgetItem *below = pending.takeFirst();
        TypeNodeRecord r = TypeNodeRecord::of(below);
        r.path = TypeTree::replacePathHead(r.path, oldPath, newPath);
        r.storeOn(below);
        for (int i = 0; i < below->childCount(); ++i)
            pending << below->child(i);
    }
}

void TFrmTreeCodeMan::acDeleteExecute()
{
    QTreeWidgetItem *node = tvTree->currentItem();
    TdmData *dm = TdmData::instance();
    if (!node || !dm || TypeTree::isRoot(node))
        return;
    const TypeNodeRecord current = TypeNodeRecord::of(node);
    const QString question = node->childCount() == 0
        ? QStringLiteral("真的要删除当前节点 “") + current.code + current.name + QStringLiteral("” 吗？")
        : QStringLiteral("此节点包含有子节点，真的要删除所有的子节点吗？");
    if (ShowMess(question, MessQuestion, this) == 2)
        return;
    if (!TypeTreeStore(*dm, m_kind).deleteType(current.code))
        return;
    QTreeWidgetItem *parentNode = node->parent();
    delete node;
    TypeTree::updateImages(parentNode);
}

bool TFrmTreeCodeMan::keyPressed(QWidget *target, QKeyEvent *e)
{
    if (KeyPreview::isCtrl(e, Qt::Key_S)) {
        if (Button1->isEnabled())
            acEditExecute();
        return true;
    }
    if (e->modifiers() != Qt::NoModifier && e->modifiers() != Qt::KeypadModifier)
        return false;
    switch (e->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Delete:
        if (btnDelete->isEnabled())
            acDeleteExecute();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (target != tvTree && !tvTree->isAncestorOf(target))
            return false;
        if (isPicking() && tvTree->currentItem() && !TypeTree::isRoot(tvTree->currentItem()))
            accept();
        return true;
    default:
        return false;
    }
}
