#pragma once

#include "preparedreport.h"
#include "reportdatasource.h"
#include "reporttemplate.h"
#include "reportvaluehandler.h"

#include <QDialog>
#include <QList>
#include <QPair>

#include <memory>

class QGraphicsView;
class QUndoStack;
class ReportDesignScene;
class ReportFunctionRegistry;
class ReportInsertTree;
class ReportPropertyPanel;
struct ReportObjectEdit;

// The visual editor of a template: bands as strips, objects selected, moved and resized with
// the mouse or the arrow keys (Ctrl: fine steps, Shift: size), a property panel, lists of the
// bound data fields and of the variables and functions to insert, adding and deleting objects
// and bands, undo and redo, page set-up, a preview with the bound data and saving to the
// template's file.
class ReportDesignerDialog : public QDialog
{
    Q_OBJECT
public:
    using Sources = QList<QPair<QString, std::shared_ptr<const ReportDataSource>>>;

    ReportDesignerDialog(const ReportTemplate &tpl, const QString &path, QWidget *parent = nullptr);
    ~ReportDesignerDialog() override;

    void setDataSources(const Sources &sources);
    void setValueHandler(const ReportValueHandler &handler) { m_handler = handler; }
    void setFunctions(const ReportFunctionRegistry *functions);

    const ReportTemplate &currentTemplate() const { return m_tpl; }
    QString path() const { return m_path; }
    bool isModified() const;
    QUndoStack *undoStack() const { return m_undo; }
    ReportDesignScene *scene() const { return m_scene; }
    QGraphicsView *view() const { return m_view; }
    ReportPropertyPanel *propertyPanel() const { return m_panel; }

    void selectObject(const QString &name);
    void selectBand(const QString &name);
    // Adds an object to the band (default: the current band) and selects it; returns its name
    // (empty when the template has no band).
    QString addObject(ReportObject::Kind kind, const QString &band = {}, const QRectF &rectMm = {}, const QString &text = {});
    // Adds a band of the type (a title, header or footer only once; a group header comes with
    // its footer) and selects it; returns its name.
    QString addBand(ReportBand::Type type);
    void deleteSelection();
    void setPageSetup(const ReportPageSetup &page);
    // Sets the stored value of a template variable.
    void setVariableValue(const QString &name, const QVariant &value);
    // Inserts a field, variable or function text: into the selected text object, or as a new
    // text object in the current band.
    void insertText(const QString &text);
    // Writes the template file; a failure is shown and leaves the designer open.
    bool save();
    // The current template laid out with the bound data.
    PreparedReport preview() const;

public slots:
    void saveClicked();
    void previewClicked();
    void pageSetupClicked();
    void zoomIn();
    void zoomOut();
    void reject() override;

private:
    void buildUi();
    void apply(const ReportTemplate &tpl, const QStringList &selection, const QString &band);
    void push(const QString &text, const ReportTemplate &after, const QString &mergeKey = {}, const QStringList &selection = {},
              const QString &band = {});
    void refreshPanel();
    void refreshFields();
    void refreshVariables();
    void updateTitle();
    QString targetBand(const QString &requested) const;
    QString folder() const;

    void onObjectsEdited(const QList<ReportObjectEdit> &edits);
    void onNudge(double dx, double dy, bool resize);
    void onBandHeight(const QString &band, double height);
    void onPanelObject(const ReportObject &object, const QString &property);
    void onPanelBand(const ReportBand &band, const QString &property);
    void onDrop(const QString &text, const QString &band, const QPointF &posMm);
    void onLoadPicture();

    ReportTemplate m_tpl;
    QString m_path;
    Sources m_sources;
    ReportValueHandler m_handler;
    const ReportFunctionRegistry *m_functions = nullptr;

    QUndoStack *m_undo = nullptr;
    ReportDesignScene *m_scene = nullptr;
    QGraphicsView *m_view = nullptr;
    ReportPropertyPanel *m_panel = nullptr;
    ReportInsertTree *m_fields = nullptr;
    ReportInsertTree *m_variables = nullptr;
    double m_zoom = 1.0;
    bool m_fromPanel = false;
    bool m_applying = false;
};
