#include "reportdesignscene.h"

#include "reportbanditem.h"
#include "reportobjectitem.h"

#include <QDir>
#include <QGraphicsRectItem>
#include <QGraphicsSceneDragDropEvent>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QMimeData>

#include <cmath>

namespace {
constexpr double K = ReportDesignScene::UnitsPerMm;

QImage pictureOf(const ReportObject &o, const QString &folder)
{
    QImage image;
    if (o.kind != ReportObject::Kind::Picture)
        return image;
    if (!o.imageData.isEmpty())
        image.loadFromData(o.imageData);
    else if (!o.imageFile.isEmpty())
        image.load(QDir(folder).absoluteFilePath(o.imageFile));
    return image;
}
} // namespace

ReportDesignScene::ReportDesignScene(QObject *parent) : QGraphicsScene(parent)
{
    setBackgroundBrush(QColor(128, 128, 128));
}

ReportDesignScene::~ReportDesignScene()
{
    // Deleting items changes the selection: nobody is to hear of it any more.
    blockSignals(true);
    m_bands.clear();
    m_page = nullptr;
    clear();
}

bool ReportDesignScene::sameStructure(const ReportTemplate &a, const ReportTemplate &b)
{
    if (a.bands.size() != b.bands.size())
        return false;
    for (size_t i = 0; i < a.bands.size(); ++i) {
        const ReportBand &x = a.bands[i];
        const ReportBand &y = b.bands[i];
        if (x.name != y.name || x.type != y.type || x.objects.size() != y.objects.size())
            return false;
        for (size_t j = 0; j < x.objects.size(); ++j)
            if (x.objects[j].name != y.objects[j].name || x.objects[j].kind != y.objects[j].kind)
                return false;
    }
    return true;
}

void ReportDesignScene::setTemplate(const ReportTemplate &tpl, const QString &folder)
{
    if (!m_built || !sameStructure(m_tpl, tpl) || !(m_tpl.page == tpl.page)) {
        rebuild(tpl, folder);
        return;
    }
    const double width = tpl.page.printableWidth() * K;
    for (size_t i = 0; i < tpl.bands.size(); ++i) {
        ReportBandItem *bandItem = m_bands[int(i)];
        bandItem->setBand(tpl.bands[i], width);
        for (QGraphicsItem *child : bandItem->childItems()) {
            if (child->type() != ReportObjectItem::Type)
                continue;
            auto *item = static_cast<ReportObjectItem *>(child);
            for (const ReportObject &o : tpl.bands[i].objects)
                if (o.name == item->object().name)
                    item->setObject(o, pictureOf(o, folder));
        }
    }
    m_tpl = tpl;
    relayoutBands();
}

void ReportDesignScene::rebuild(const ReportTemplate &tpl, const QString &folder)
{
    const QStringList selected = selectedObjectNames();
    const QString selectedBand = selectedBandName();
    m_bands.clear();
    m_page = nullptr;
    {
        const QSignalBlocker block(this);
        clear();
    }
    m_tpl = tpl;
    m_built = true;
    m_page = addRect(QRectF(), QPen(Qt::NoPen), QBrush(Qt::white));
    m_page->setZValue(-2);
    const double width = tpl.page.printableWidth() * K;
    for (const ReportBand &band : tpl.bands) {
        auto *bandItem = new ReportBandItem(band, width);
        addItem(bandItem);
        m_bands << bandItem;
        for (const ReportObject &o : band.objects)
            new ReportObjectItem(o, pictureOf(o, folder), bandItem);
    }
    if (!m_current.isEmpty() && !bandItem(m_current))
        m_current.clear();
    if (m_current.isEmpty() && !m_bands.isEmpty())
        m_current = m_bands.first()->band().name;
    for (ReportBandItem *b : m_bands)
        b->setCurrent(b->band().name == m_current);
    relayoutBands();
    selectNames(selected, selectedBand);
}

void ReportDesignScene::relayoutBands()
{
    const QSizeF page = m_tpl.page.pageSize();
    // Strips start on the snapping grid, so an object dragged into another band keeps its place
    // on the grid there.
    const double grid = GridMm * K;
    double y = m_tpl.page.marginTop * K + ReportBandItem::CaptionHeight;
    for (ReportBandItem *b : m_bands) {
        y = std::ceil(y / grid - 1e-9) * grid;
        b->setPos(m_tpl.page.marginLeft * K, y);
        y += b->stripHeight() + BandGap + ReportBandItem::CaptionHeight;
    }
    const double height = std::max(page.height() * K, y + m_tpl.page.marginBottom * K);
    if (m_page)
        m_page->setRect(QRectF(0, 0, page.width() * K, height));
    setSceneRect(QRectF(-20, -20, page.width() * K + 40, height + 40));
}

QStringList ReportDesignScene::selectedObjectNames() const
{
    QStringList out;
    // In template order, so that commands see a stable list.
    for (ReportBandItem *b : m_bands)
        for (QGraphicsItem *child : b->childItems())
            if (child->type() == ReportObjectItem::Type && child->isSelected())
                out << static_cast<ReportObjectItem *>(child)->object().name;
    return out;
}

QString ReportDesignScene::selectedBandName() const
{
    for (ReportBandItem *b : m_bands)
        if (b->isSelected())
            return b->band().name;
    return {};
}

void ReportDesignScene::selectNames(const QStringList &objects, const QString &band)
{
    {
        const QSignalBlocker block(this);
        clearSelection();
        for (ReportBandItem *b : m_bands) {
            if (!band.isEmpty() && b->band().name == band)
                b->setSelected(true);
            for (QGraphicsItem *child : b->childItems())
                if (child->type() == ReportObjectItem::Type
                    && objects.contains(static_cast<ReportObjectItem *>(child)->object().name))
                    child->setSelected(true);
        }
    }
    emit selectionChanged();
}

void ReportDesignScene::setCurrentBand(const QString &band)
{
    if (band == m_current)
        return;
    m_current = band;
    for (ReportBandItem *b : m_bands)
        b->setCurrent(b->band().name == band);
    emit currentBandChanged(band);
}

ReportObjectItem *ReportDesignScene::objectItem(const QString &name) const
{
    for (ReportBandItem *b : m_bands)
        for (QGraphicsItem *child : b->childItems())
            if (child->type() == ReportObjectItem::Type && static_cast<ReportObjectItem *>(child)->object().name == name)
                return static_cast<ReportObjectItem *>(child);
    return nullptr;
}

ReportBandItem *ReportDesignScene::bandItem(const QString &name) const
{
    for (ReportBandItem *b : m_bands)
        if (b->band().name == name)
            return b;
    return nullptr;
}

ReportBandItem *ReportDesignScene::bandAt(const QPointF &scenePos) const
{
    ReportBandItem *found = m_bands.isEmpty() ? nullptr : m_bands.first();
    for (ReportBandItem *b : m_bands)
        if (b->pos().y() - ReportBandItem::CaptionHeight <= scenePos.y() + 1e-6)
            found = b;
    return found;
}

void ReportDesignScene::commitObjects()
{
    QList<ReportObjectEdit> edits;
    for (ReportBandItem *b : m_bands) {
        for (QGraphicsItem *child : b->childItems()) {
            if (child->type() != ReportObjectItem::Type)
                continue;
            auto *item = static_cast<ReportObjectItem *>(child);
            ReportBandItem *target = bandAt(item->scenePos());
            if (!target)
                target = b;
            QRectF rect = item->geometryMm();
            if (target != b) {
                const QPointF rel = (item->scenePos() - target->pos()) / K;
                rect.moveTopLeft(QPointF(std::round(rel.x() * 1000) / 1000, std::round(rel.y() * 1000) / 1000));
            }
            if (target != b || item->isEdited())
                edits.append({item->object().name, target->band().name, rect});
        }
    }
    if (!edits.isEmpty())
        emit objectsEdited(edits);
}

void ReportDesignScene::commitBandHeight(const QString &band, double heightMm)
{
    for (const ReportBand &b : m_tpl.bands) {
        if (b.name == band && std::abs(b.height - heightMm) > 0.001) {
            emit bandHeightEdited(band, heightMm);
            return;
        }
    }
}

void ReportDesignScene::keyPressEvent(QKeyEvent *event)
{
    const bool anyObject = !selectedObjectNames().isEmpty();
    double dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    case Qt::Key_Delete:
        if (anyObject || !selectedBandName().isEmpty()) {
            emit deleteRequested();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (selectedObjectNames().size() == 1) {
            emit editTextRequested(selectedObjectNames().first());
            event->accept();
            return;
        }
        break;
    default: break;
    }
    if ((dx != 0 || dy != 0) && anyObject) {
        // Arrows move by 1 mm, with Ctrl by 0.1 mm; with Shift they change the size.
        const double step = (event->modifiers() & Qt::ControlModifier) ? 0.1 : 1.0;
        emit nudgeRequested(dx * step, dy * step, event->modifiers() & Qt::ShiftModifier);
        event->accept();
        return;
    }
    QGraphicsScene::keyPressEvent(event);
}

void ReportDesignScene::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (ReportBandItem *b = bandAt(event->scenePos()))
        setCurrentBand(b->band().name);
    QGraphicsScene::mousePressEvent(event);
}

void ReportDesignScene::dragEnterEvent(QGraphicsSceneDragDropEvent *event)
{
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        QGraphicsScene::dragEnterEvent(event);
}

void ReportDesignScene::dragMoveEvent(QGraphicsSceneDragDropEvent *event)
{
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        QGraphicsScene::dragMoveEvent(event);
}

void ReportDesignScene::dropEvent(QGraphicsSceneDragDropEvent *event)
{
    ReportBandItem *b = bandAt(event->scenePos());
    if (!b || !event->mimeData()->hasText()) {
        QGraphicsScene::dropEvent(event);
        return;
    }
    const QPointF rel = (event->scenePos() - b->pos()) / K;
    const double grid = GridMm;
    const QPointF snapped(std::max(0.0, std::round(rel.x() / grid) * grid), std::max(0.0, std::round(rel.y() / grid) * grid));
    emit textDropped(event->mimeData()->text(), b->band().name, snapped);
    event->acceptProposedAction();
}
