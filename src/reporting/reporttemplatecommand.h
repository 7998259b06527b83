#pragma once

#include "reporttemplate.h"

#include <QStringList>
#include <QUndoCommand>

#include <functional>

// An undoable change of the designer's template, kept as the template before and after.
// Consecutive commands with the same merge key (typing into one text, nudging one selection)
// become one step.
class ReportTemplateCommand : public QUndoCommand
{
public:
    using Apply = std::function<void(const ReportTemplate &tpl, const QStringList &selection, const QString &band)>;

    ReportTemplateCommand(const QString &text, ReportTemplate before, ReportTemplate after, QStringList selection,
                          QString band, QString mergeKey, Apply apply);

    void undo() override;
    void redo() override;
    int id() const override { return m_mergeKey.isEmpty() ? -1 : 1; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    ReportTemplate m_before;
    ReportTemplate m_after;
    QStringList m_selection;
    QString m_band;
    QString m_mergeKey;
    Apply m_apply;
};
