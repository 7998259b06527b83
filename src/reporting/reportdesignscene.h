#pragma once

#include "reporttemplate.h"

#include <QGraphicsScene>
#include <QList>

class ReportBandItem;
class ReportObjectItem;

// A geometry change made with the mouse: the object, the band it now lies in and its rectangle
// in millimetres relative to that band.
struct ReportObjectEdit
{
    QString name;
    QString band;
    QRectF rect;
};

// The page of the designer: the bands stacked as strips, each with its objects.
class ReportDesignScene : public QGraphicsScene
{
    Q_OBJECT
public:
    static constexpr double UnitsPerMm = 96.0 / 25.4;  // scene units per millimetre
    static constexpr double BandGap = 8;
    static constexpr double GridMm = 0.5;              // mouse moves snap to this grid

    explicit ReportDesignScene(QObject *parent = nullptr);
    ~ReportDesignScene() override;

    // Shows the template: items are updated in place when bands and objects are the same,
    // otherwise rebuilt. Pictures given by file name are resolved against folder.
    void setTemplate(const ReportTemplate &tpl, const QString &folder);

    QStringList selectedObjectNames() const;
    QString selectedBandName() const;  // a band selected by its caption
    void selectNames(const QStringList &objects, const QString &band = {});

    // The band last clicked (or holding the last selected object): where new objects go.
    QString currentBandName() const { return m_current; }
    void setCurrentBand(const QString &band);

    ReportObjectItem *objectItem(const QString &name) const;
    ReportBandItem *bandItem(const QString &name) const;

    // Stacks the band items after a height change.
    void relayoutBands();
    // Reports the objects whose geometry the mouse changed (objectsEdited).
    void commitObjects();
    void commitBandHeight(const QString &band, double heightMm);
    // The band whose strip holds the scene point (the nearest one above it otherwise).
    ReportBandItem *bandAt(const QPointF &scenePos) const;

signals:
    void objectsEdited(const QList<ReportObjectEdit> &edits);
    void bandHeightEdited(const QString &band, double heightMm);
    void nudgeRequested(double dxMm, double dyMm, bool resize);
    void deleteRequested();
    void textDropped(const QString &text, const QString &band, const QPointF &posMm);
    void editTextRequested(const QString &object);
    void currentBandChanged(const QString &band);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void dragEnterEvent(QGraphicsSceneDragDropEvent *event) override;
    void dragMoveEvent(QGraphicsSceneDragDropEvent *event) override;
    void dropEvent(QGraphicsSceneDragDropEvent *event) override;

private:
    friend class ReportObjectItem;
    void rebuild(const ReportTemplate &tpl, const QString &folder);
    static bool sameStructure(const ReportTemplate &a, const ReportTemplate &b);
    void requestEdit(const QString &object) { emit editTextRequested(object); }

    ReportTemplate m_tpl;
    QGraphicsRectItem *m_page = nullptr;
    QList<ReportBandItem *> m_bands;
    QString m_current;
    bool m_built = false;
};
