#include "reporttemplatecommand.h"

ReportTemplateCommand::ReportTemplateCommand(const QString &text, ReportTemplate before, ReportTemplate after, QStringList selection,
                                             QString band, QString mergeKey, Apply apply)
    : QUndoCommand(text),
      m_before(std::move(before)),
      m_after(std::move(after)),
      m_selection(std::move(selection)),
      m_band(std::move(band)),
      m_mergeKey(std::move(mergeKey)),
      m_apply(std::move(apply))
{
}

void ReportTemplateCommand::undo()
{
    m_apply(m_before, m_selection, m_band);
}

void ReportTemplateCommand::redo()
{
    m_apply(m_after, m_selection, m_band);
}

bool ReportTemplateCommand::mergeWith(const QUndoCommand *other)
{
    const auto *o = dynamic_cast<const ReportTemplateCommand *>(other);
    if (!o || o->m_mergeKey != m_mergeKey || m_mergeKey.isEmpty())
        return false;
    m_after = o->m_after;
    return true;
}
